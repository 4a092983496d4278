#include "platform/SoundRecorder.h"

#include "platform/WaveFile.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ly::platform {

bool WriteVoiceHeader(QFile &file, uint32_t dataSize)
{
    const QByteArray header = WaveHeader(kVoiceFormat, dataSize);
    return file.seek(0) && file.write(header) == header.size();
}

qint64 OpenVoiceFile(QFile &file, QString *error)
{
    if (!file.open(QIODevice::ReadWrite)) {
        *error = file.errorString();
        return -1;
    }
    const std::optional<WaveInfo> info = ReadWaveInfo(file);
    qint64 dataSize = 0;
    if (info && info->format == kVoiceFormat && info->dataOffset == kWaveHeaderSize)
        dataSize = info->dataSize;
    else if (!file.resize(0) || !WriteVoiceHeader(file, 0))
        dataSize = -1;
    // Whatever followed the samples (a pad byte, other chunks) gives way to the new ones.
    if (dataSize < 0 || !file.resize(kWaveHeaderSize + dataSize)
        || !file.seek(kWaveHeaderSize + dataSize)) {
        *error = file.errorString();
        file.close();
        return -1;
    }
    return dataSize;
}

bool FinishVoiceFile(QFile &file, qint64 &dataSize)
{
    if (dataSize % 2 != 0 && file.write("\x80", 1) == 1)
        ++dataSize;
    const bool written = WriteVoiceHeader(file, uint32_t(dataSize)) && file.flush();
    file.close();
    return written;
}

VoiceConverter::VoiceConverter(const QAudioFormat &from) : m_from(from) {}

// One frame as a value from -1 to 1, its channels mixed.
float VoiceConverter::frameValue(const char *frame) const
{
    const int channels = std::max(1, m_from.channelCount());
    const int bytes = m_from.bytesPerSample();
    float sum = 0;
    for (int c = 0; c < channels; ++c) {
        const char *p = frame + c * bytes;
        switch (m_from.sampleFormat()) {
        case QAudioFormat::UInt8:
            sum += (float(uint8_t(*p)) - 128.0f) / 128.0f;
            break;
        case QAudioFormat::Int16:
            sum += float(qFromLittleEndian<int16_t>(p)) / 32768.0f;
            break;
        case QAudioFormat::Int32:
            sum += float(qFromLittleEndian<int32_t>(p)) / 2147483648.0f;
            break;
        case QAudioFormat::Float: {
            float f;
            std::memcpy(&f, p, sizeof f);
            sum += std::isfinite(f) ? f : 0.0f;
            break;
        }
        default:
            break;
        }
    }
    return sum / float(channels);
}

QByteArray VoiceConverter::convert(QByteArrayView input)
{
    const int frameBytes = m_from.bytesPerFrame();
    const qint64 rate = m_from.sampleRate();
    if (frameBytes <= 0 || rate <= 0)
        return {};
    QByteArray bytes = m_partial + input.toByteArray();
    const qsizetype whole = bytes.size() / frameBytes * frameBytes;
    m_partial = bytes.mid(whole);

    QByteArray out;
    out.reserve(int(whole / frameBytes * kVoiceFormat.sampleRate / rate + 2));
    for (qsizetype at = 0; at < whole; at += frameBytes) {
        m_last = frameValue(bytes.constData() + at);
        m_sum += m_last;
        ++m_count;
        m_phase += kVoiceFormat.sampleRate;
        while (m_phase >= rate) {
            m_phase -= rate;
            const double v = m_count ? m_sum / m_count : m_last;
            out.append(char(uint8_t(std::clamp(std::lround(v * 128.0 + 128.0), 0L, 255L))));
            m_sum = 0;
            m_count = 0;
        }
    }
    return out;
}

AudioSourceRecorder::AudioSourceRecorder() = default;

AudioSourceRecorder::~AudioSourceRecorder()
{
    (void)stop();
}

MediaResult AudioSourceRecorder::start(const QString &file)
{
    (void)stop();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull())
        return MediaResult::failure(QStringLiteral("No sound input device is available"));

    m_file.setFileName(file);
    QString why;
    const qint64 there = OpenVoiceFile(m_file, &why);
    if (there < 0)
        return MediaResult::failure(QStringLiteral("Cannot record into \"%1\": %2").arg(file, why));
    m_dataSize = there;

    // 16-bit samples at the voice rate, brought to 8 bits here: Qt's PulseAudio input
    // delivers twice the bytes it should for 8-bit ones.
    QAudioFormat wanted;
    wanted.setSampleRate(int(kVoiceFormat.sampleRate));
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    const QAudioFormat format = device.isFormatSupported(wanted) ? wanted
                                                                 : device.preferredFormat();
    m_converter = std::make_unique<VoiceConverter>(format);
    m_source = std::make_unique<QAudioSource>(device, format);
    m_writeError.clear();
    m_startSize = m_dataSize;
    m_clock.start();
    m_input = m_source->start();
    if (!m_input || m_source->error() != QAudio::NoError) {
        release();
        m_file.close();
        return MediaResult::failure(QStringLiteral("The sound input device cannot be opened"));
    }
    QObject::connect(m_input, &QIODevice::readyRead, m_source.get(), [this] { takeSamples(); });
    return {};
}

void AudioSourceRecorder::takeSamples()
{
    if (!m_input)
        return;
    QByteArray samples = m_converter->convert(m_input->readAll());
    // A source may hand over a backlog when it starts (PulseAudio's null source after it sat
    // idle): sound from before the recording began. Only as much as the time recorded so far
    // is taken, the newest of it.
    const qint64 due = (m_clock.elapsed() + 50) * kVoiceFormat.sampleRate / 1000
                       - (m_dataSize - m_startSize);
    if (samples.size() > due)
        samples = samples.right(qMax<qint64>(0, due));
    if (samples.isEmpty())
        return;
    if (m_file.write(samples) != samples.size()) {
        if (m_writeError.isEmpty())
            m_writeError = m_file.errorString();
        return;
    }
    m_dataSize += samples.size();
}

void AudioSourceRecorder::release()
{
    if (m_source)
        m_source->stop();
    m_input = nullptr;
    m_source.reset();
    m_converter.reset();
}

MediaResult AudioSourceRecorder::stop()
{
    if (!m_source)
        return {};
    takeSamples();
    release();
    const QString path = m_file.fileName();
    const bool written = FinishVoiceFile(m_file, m_dataSize);
    if (!written || !m_writeError.isEmpty())
        return MediaResult::failure(
            QStringLiteral("The recording could not be written to \"%1\": %2")
                .arg(path, m_writeError.isEmpty() ? m_file.errorString() : m_writeError));
    return {};
}

qint64 AudioSourceRecorder::recordedMs() const
{
    return m_dataSize * 1000 / kVoiceFormat.byteRate();
}

} // namespace ly::platform
