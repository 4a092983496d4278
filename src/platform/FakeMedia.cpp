#include "platform/FakeMedia.h"

#include "platform/WaveOut.h"

namespace ly::platform {

MediaResult FakeMediaDevice::open(const QString &file)
{
    close();
    m_calls << QStringLiteral("open ") + file;
    const auto it = m_media.constFind(file);
    if (it == m_media.constEnd())
        return MediaResult::failure(QStringLiteral("Cannot open \"%1\": the file does not exist")
                                        .arg(file));
    if (!it->error.isEmpty())
        return MediaResult::failure(it->error);
    m_file = file;
    m_mode = MediaMode::Stopped;
    return {};
}

void FakeMediaDevice::close()
{
    if (!m_file.isEmpty())
        m_calls << QStringLiteral("close");
    m_file.clear();
    m_mode = MediaMode::NotReady;
    m_position = 0;
}

MediaResult FakeMediaDevice::play()
{
    m_calls << QStringLiteral("play");
    if (m_file.isEmpty())
        return MediaResult::failure(QStringLiteral("No medium is open"));
    if (m_position >= length())
        m_position = 0;
    m_mode = MediaMode::Playing;
    return {};
}

void FakeMediaDevice::stop()
{
    m_calls << QStringLiteral("stop");
    if (!m_file.isEmpty())
        m_mode = MediaMode::Stopped;
}

void FakeMediaDevice::pause()
{
    m_calls << QStringLiteral("pause");
    if (m_mode == MediaMode::Playing)
        m_mode = MediaMode::Paused;
    else if (m_mode == MediaMode::Paused)
        m_mode = MediaMode::Playing;
}

void FakeMediaDevice::seek(qint64 positionMs)
{
    m_calls << QStringLiteral("seek %1").arg(positionMs);
    if (!m_file.isEmpty())
        m_position = qBound<qint64>(0, positionMs, length());
}

void FakeMediaDevice::advance(qint64 ms)
{
    if (m_mode != MediaMode::Playing)
        return;
    m_position = qMin(length(), m_position + ms);
    if (m_position == length())
        m_mode = MediaMode::Stopped;
}

float FakeMediaDevice::volume() const
{
    return WaveOutLevel();
}

MediaResult FakeSoundRecorder::start(const QString &file)
{
    (void)stop();
    if (!m_failure.isEmpty())
        return MediaResult::failure(std::exchange(m_failure, QString()));
    m_file.setFileName(file);
    QString why;
    const qint64 there = OpenVoiceFile(m_file, &why);
    if (there < 0)
        return MediaResult::failure(why);
    m_dataSize = there;
    return {};
}

void FakeSoundRecorder::feed(const QByteArray &samples)
{
    if (m_file.isOpen() && m_file.write(samples) == samples.size())
        m_dataSize += samples.size();
}

MediaResult FakeSoundRecorder::stop()
{
    if (!m_file.isOpen())
        return {};
    return FinishVoiceFile(m_file, m_dataSize) ? MediaResult()
                                               : MediaResult::failure(m_file.errorString());
}

} // namespace ly::platform
