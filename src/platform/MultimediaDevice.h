#pragma once

#include "platform/MediaDevice.h"

#include <QMetaObject>

#include <memory>

class QAudioOutput;
class QDeadlineTimer;
class QMediaPlayer;
class QVideoSink;

namespace ly::platform {

// Sound and movies through Qt Multimedia (GStreamer: mp3, wma, mid, avi, asf, wm, wmv, mpg,
// mpeg and the wave files the wave device leaves to it). Each open makes a new Qt player, so
// a file that changed on disk is read anew.
class MultimediaDevice final : public MediaDevice
{
public:
    explicit MultimediaDevice(int openTimeoutMs = kMediaOpenTimeoutMs);
    ~MultimediaDevice() override;

    MediaResult open(const QString &file) override;
    void close() override;
    MediaResult play() override;
    void stop() override;
    void pause() override;
    void seek(qint64 positionMs) override;
    QString fileName() const override { return m_file; }
    MediaMode mode() const override;
    qint64 position() const override;
    qint64 length() const override;
    QSize videoSize() const override { return m_videoSize; }
    void setVideoSink(QVideoSink *sink) override;
    float volume() const override;

private:
    // Makes a new Qt player for the file and waits, until the deadline, for it to load.
    MediaResult load(const QString &file, const QDeadlineTimer &deadline);
    // Plays the loaded movie muted until its first picture comes; its size, or none.
    QSize measureVideoSize(int timeoutMs);
    // Ends the Qt player and what belongs to it.
    void release();

    int m_openTimeoutMs;
    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QVideoSink> m_ownSink; // sees the first picture when the caller gave none
    QVideoSink *m_sink = nullptr;
    QMetaObject::Connection m_volumeLink;
    QString m_file;
    QString m_error;
    QSize m_videoSize;
    qint64 m_frameLengthMs = 0; // counted from the frames where Qt knows no duration
    bool m_stopped = false; // stop() holds the position; Qt's own stop would rewind
    bool m_atStart = false; // opened, and neither played nor sought since
};

} // namespace ly::platform
