#include "platform/MediaPlayer.h"

#include "platform/MultimediaDevice.h"
#include "platform/WaveAudioDevice.h"
#include "platform/WaveOut.h"

namespace ly::platform {

MediaPlayer::MediaPlayer(int openTimeoutMs) : m_openTimeoutMs(openTimeoutMs) {}

MediaPlayer::~MediaPlayer() = default;

MediaResult MediaPlayer::open(const QString &file)
{
    close();
    if (const MediaResult r = CheckMediaFile(file); !r)
        return r;
    if (WaveAudioDevice::handles(file))
        m_device = std::make_unique<WaveAudioDevice>();
    else
        m_device = std::make_unique<MultimediaDevice>(m_openTimeoutMs);
    m_device->setVideoSink(m_sink);
    MediaResult r = m_device->open(file);
    if (!r)
        m_device.reset();
    return r;
}

void MediaPlayer::close()
{
    if (m_device)
        m_device->close();
    m_device.reset();
}

MediaResult MediaPlayer::play()
{
    if (!m_device)
        return MediaResult::failure(QStringLiteral("No medium is open"));
    return m_device->play();
}

void MediaPlayer::stop()
{
    if (m_device)
        m_device->stop();
}

void MediaPlayer::pause()
{
    if (m_device)
        m_device->pause();
}

void MediaPlayer::seek(qint64 positionMs)
{
    if (m_device)
        m_device->seek(positionMs);
}

QString MediaPlayer::fileName() const
{
    return m_device ? m_device->fileName() : QString();
}

MediaMode MediaPlayer::mode() const
{
    return m_device ? m_device->mode() : MediaMode::NotReady;
}

qint64 MediaPlayer::position() const
{
    return m_device ? m_device->position() : 0;
}

qint64 MediaPlayer::length() const
{
    return m_device ? m_device->length() : 0;
}

QSize MediaPlayer::videoSize() const
{
    return m_device ? m_device->videoSize() : QSize();
}

void MediaPlayer::setVideoSink(QVideoSink *sink)
{
    m_sink = sink;
    if (m_device)
        m_device->setVideoSink(sink);
}

float MediaPlayer::volume() const
{
    return m_device ? m_device->volume() : WaveOutLevel();
}

} // namespace ly::platform
