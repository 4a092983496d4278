#include "platform/WaveAudioDevice.h"

#include "platform/WaveOut.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>

namespace ly::platform {

WaveAudioDevice::WaveAudioDevice() = default;

WaveAudioDevice::~WaveAudioDevice()
{
    close();
}

bool WaveAudioDevice::handles(const QString &file)
{
    if (!CheckMediaFile(file))
        return false;
    const std::optional<WaveInfo> info = ReadWaveInfo(file);
    return info && info->isPcm();
}

MediaResult WaveAudioDevice::open(const QString &file)
{
    close();
    if (const MediaResult r = CheckMediaFile(file); !r)
        return r;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return MediaResult::failure(QStringLiteral("Cannot open \"%1\": %2").arg(file, f.errorString()));
    const std::optional<WaveInfo> info = ReadWaveInfo(f);
    if (!info || !info->isPcm())
        return MediaResult::failure(
            QStringLiteral("Cannot play \"%1\": it is not a PCM wave file").arg(file));
    f.seek(info->dataOffset);
    m_samples = f.read(info->dataSize);
    m_info = *info;
    m_info.dataSize = m_samples.size();
    m_file = file;
    m_mode = MediaMode::Stopped;
    return {};
}

void WaveAudioDevice::releaseSink()
{
    QObject::disconnect(m_volumeLink);
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_buffer.close();
}

void WaveAudioDevice::close()
{
    releaseSink();
    m_file.clear();
    m_samples.clear();
    m_info = {};
    m_startMs = m_heldMs = 0;
    m_mode = MediaMode::NotReady;
}

qint64 WaveAudioDevice::msOfBytes(qint64 bytes) const
{
    const uint32_t rate = m_info.format.byteRate();
    return rate == 0 ? 0 : bytes * 1000 / rate;
}

MediaResult WaveAudioDevice::play()
{
    if (m_file.isEmpty())
        return MediaResult::failure(QStringLiteral("No medium is open"));
    if (m_mode == MediaMode::Playing)
        return {};
    if (m_mode == MediaMode::Paused && m_sink) {
        m_sink->resume();
        m_mode = MediaMode::Playing;
        return {};
    }
    releaseSink();
    if (m_heldMs >= length())
        m_heldMs = 0;

    QAudioFormat format;
    format.setSampleRate(int(m_info.format.sampleRate));
    format.setChannelCount(m_info.format.channels);
    format.setSampleFormat(m_info.format.bitsPerSample == 8 ? QAudioFormat::UInt8
                                                            : QAudioFormat::Int16);
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return MediaResult::failure(QStringLiteral("No sound output device is available"));
    m_sink = std::make_unique<QAudioSink>(output, format);
    m_sink->setVolume(WaveOutLevel());
    m_volumeLink = QObject::connect(WaveOutNotifier::instance(), &WaveOutNotifier::volumeChanged,
                                    m_sink.get(), &QAudioSink::setVolume);
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(),
                     [this](QAudio::State state) {
                         // The sink runs dry at the end of the samples: the medium has ended.
                         if (state == QAudio::IdleState && m_buffer.atEnd()) {
                             m_heldMs = length();
                             m_mode = MediaMode::Stopped;
                         }
                     });

    m_buffer.setBuffer(&m_samples);
    m_buffer.open(QIODevice::ReadOnly);
    const qint64 align = m_info.format.blockAlign();
    const qint64 offset = m_heldMs * m_info.format.byteRate() / 1000 / align * align;
    m_buffer.seek(offset);
    m_startMs = msOfBytes(offset);
    m_sink->start(&m_buffer);
    if (m_sink->error() != QAudio::NoError) {
        releaseSink();
        return MediaResult::failure(QStringLiteral("The sound output device cannot be opened"));
    }
    m_mode = MediaMode::Playing;
    return {};
}

void WaveAudioDevice::stop()
{
    if (m_file.isEmpty())
        return;
    m_heldMs = position();
    releaseSink();
    m_mode = MediaMode::Stopped;
}

void WaveAudioDevice::pause()
{
    if (!m_sink)
        return;
    if (m_mode == MediaMode::Playing) {
        m_sink->suspend();
        m_mode = MediaMode::Paused;
    } else if (m_mode == MediaMode::Paused) {
        m_sink->resume();
        m_mode = MediaMode::Playing;
    }
}

void WaveAudioDevice::seek(qint64 positionMs)
{
    if (m_file.isEmpty())
        return;
    const bool playing = m_mode == MediaMode::Playing;
    releaseSink();
    m_heldMs = qBound<qint64>(0, positionMs, length());
    m_mode = MediaMode::Stopped;
    if (playing)
        (void)play();
}

MediaMode WaveAudioDevice::mode() const
{
    return m_mode;
}

qint64 WaveAudioDevice::position() const
{
    if (!m_sink || m_mode == MediaMode::Stopped)
        return m_heldMs;
    return qMin(length(), m_startMs + m_sink->processedUSecs() / 1000);
}

float WaveAudioDevice::volume() const
{
    return m_sink ? float(m_sink->volume()) : WaveOutLevel();
}

} // namespace ly::platform
