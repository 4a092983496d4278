#include "platform/MultimediaDevice.h"

#include "platform/MpegAudio.h"
#include "platform/Wait.h"
#include "platform/WaveOut.h"

#include <QAudioOutput>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoSink>

namespace ly::platform {

MultimediaDevice::MultimediaDevice(int openTimeoutMs) : m_openTimeoutMs(openTimeoutMs) {}

MultimediaDevice::~MultimediaDevice()
{
    close();
}

MediaResult MultimediaDevice::open(const QString &file)
{
    close();
    if (const MediaResult r = CheckMediaFile(file); !r)
        return r;
    const QDeadlineTimer deadline(m_openTimeoutMs);
    if (const MediaResult r = load(file, deadline); !r)
        return r;
    if (m_player->hasVideo()) {
        // Qt learns a movie's picture size from its first frame, which only comes while
        // playing: a first player plays muted until it arrives. Seeking such a player back
        // to the start is not reliable with every demuxer (an MPEG program stream stayed
        // where it was), so the movie is then loaded anew, standing at its start.
        const QSize size = measureVideoSize(int(qMax<qint64>(1000, deadline.remainingTime())));
        if (const MediaResult r = load(file, QDeadlineTimer(qMax<qint64>(1000, deadline.remainingTime()))); !r)
            return r;
        m_videoSize = size;
    }
    m_file = file;
    // Until it plays or is sought, the medium stands at its start. A stream whose clock
    // does not begin at 0 (an MPEG program stream) would report its first time stamp there,
    // and not always the same one.
    m_atStart = true;
    return {};
}

MediaResult MultimediaDevice::load(const QString &file, const QDeadlineTimer &deadline)
{
    release();
    const QFileInfo info(file);
    m_player = std::make_unique<QMediaPlayer>();
    m_audio = std::make_unique<QAudioOutput>();
    m_audio->setVolume(WaveOutLevel());
    m_volumeLink = QObject::connect(WaveOutNotifier::instance(), &WaveOutNotifier::volumeChanged,
                                    m_audio.get(), &QAudioOutput::setVolume);
    m_player->setAudioOutput(m_audio.get());
    m_ownSink = std::make_unique<QVideoSink>();
    m_player->setVideoSink(m_sink ? m_sink : m_ownSink.get());
    QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, m_player.get(),
                     [this](QMediaPlayer::Error, const QString &text) {
                         m_error = text.isEmpty() ? QStringLiteral("unknown error") : text;
                     });
    m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));

    const auto settled = [this] {
        const QMediaPlayer::MediaStatus s = m_player->mediaStatus();
        return !m_error.isEmpty() || s == QMediaPlayer::LoadedMedia
               || s == QMediaPlayer::InvalidMedia;
    };
    if (!WaitBounded(settled, int(deadline.remainingTime()))) {
        close();
        return MediaResult::failure(
            QStringLiteral("Cannot open \"%1\": the medium did not load within %2 seconds")
                .arg(file)
                .arg(m_openTimeoutMs / 1000.0));
    }
    if (!m_error.isEmpty() || m_player->mediaStatus() == QMediaPlayer::InvalidMedia) {
        const QString why = m_error.isEmpty()
                                ? QStringLiteral("the file holds no sound or picture we can play")
                                : m_error;
        close();
        return MediaResult::failure(QStringLiteral("Cannot play \"%1\": %2").arg(file, why));
    }
    // Some demuxers report the duration a moment after the medium has loaded.
    if (m_player->duration() <= 0)
        WaitBounded([this] { return m_player->duration() > 0; },
                    int(qMin<qint64>(500, deadline.remainingTime())));
    m_frameLengthMs = 0;
    if (m_player->duration() <= 0 && !m_player->hasVideo())
        m_frameLengthMs = MpegAudioLengthMs(file);
    return {};
}

QSize MultimediaDevice::measureVideoSize(int timeoutMs)
{
    QVideoSink *sink = m_player->videoSink();
    m_audio->setMuted(true);
    m_player->play();
    WaitBounded([&] { return sink->videoSize().isValid() || !m_error.isEmpty(); }, timeoutMs);
    const QSize size = sink->videoSize().isValid() ? sink->videoSize() : QSize();
    m_player->stop();
    m_error.clear();
    return size;
}

void MultimediaDevice::release()
{
    QObject::disconnect(m_volumeLink);
    if (m_player) {
        m_player->stop();
        m_player->setVideoSink(nullptr);
    }
    m_player.reset();
    m_audio.reset();
    m_ownSink.reset();
    m_error.clear();
}

void MultimediaDevice::close()
{
    release();
    m_file.clear();
    m_videoSize = QSize();
    m_frameLengthMs = 0;
    m_stopped = false;
    m_atStart = false;
}

MediaResult MultimediaDevice::play()
{
    if (!m_player)
        return MediaResult::failure(QStringLiteral("No medium is open"));
    if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
        m_player->setPosition(0);
    m_error.clear();
    m_stopped = false;
    m_atStart = false;
    m_player->play();
    return {};
}

void MultimediaDevice::stop()
{
    if (!m_player)
        return;
    m_player->pause();
    m_stopped = true;
}

void MultimediaDevice::pause()
{
    if (!m_player || m_stopped)
        return;
    if (m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
    else if (m_player->playbackState() == QMediaPlayer::PausedState)
        m_player->play();
}

void MultimediaDevice::seek(qint64 positionMs)
{
    if (m_player) {
        m_atStart = false;
        m_player->setPosition(qBound<qint64>(0, positionMs, length()));
    }
}

MediaMode MultimediaDevice::mode() const
{
    if (!m_player)
        return MediaMode::NotReady;
    if (m_stopped)
        return MediaMode::Stopped;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return MediaMode::Playing;
    case QMediaPlayer::PausedState:
        return MediaMode::Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return MediaMode::Stopped;
}

qint64 MultimediaDevice::position() const
{
    if (!m_player || m_atStart)
        return 0;
    if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
        return length();
    return qBound<qint64>(0, m_player->position(), length());
}

qint64 MultimediaDevice::length() const
{
    if (!m_player)
        return 0;
    return m_player->duration() > 0 ? m_player->duration() : m_frameLengthMs;
}

void MultimediaDevice::setVideoSink(QVideoSink *sink)
{
    m_sink = sink;
    if (m_player)
        m_player->setVideoSink(m_sink ? m_sink : m_ownSink.get());
}

float MultimediaDevice::volume() const
{
    return m_audio ? m_audio->volume() : WaveOutLevel();
}

} // namespace ly::platform
