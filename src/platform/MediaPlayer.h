#pragma once

#include "platform/MediaDevice.h"

#include <memory>

namespace ly::platform {

// The media player of the editors: opens each file with the device its type needs, the wave
// device for PCM wave files and Qt Multimedia for everything else (mp3, wma, mid, the movie
// types, other wave files), and keeps the video sink across files.
class MediaPlayer final : public MediaDevice
{
public:
    explicit MediaPlayer(int openTimeoutMs = kMediaOpenTimeoutMs);
    ~MediaPlayer() override;

    MediaResult open(const QString &file) override;
    void close() override;
    MediaResult play() override;
    void stop() override;
    void pause() override;
    void seek(qint64 positionMs) override;
    QString fileName() const override;
    MediaMode mode() const override;
    qint64 position() const override;
    qint64 length() const override;
    QSize videoSize() const override;
    void setVideoSink(QVideoSink *sink) override;
    float volume() const override;

private:
    int m_openTimeoutMs;
    std::unique_ptr<MediaDevice> m_device;
    QVideoSink *m_sink = nullptr;
};

} // namespace ly::platform
