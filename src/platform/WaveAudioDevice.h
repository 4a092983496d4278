#pragma once

#include "platform/MediaDevice.h"
#include "platform/WaveFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QMetaObject>

#include <memory>

class QAudioSink;

namespace ly::platform {

// PCM wave files (8 or 16 bits, mono or stereo; the voice recordings among them) played
// straight to the sound output. The length comes from the file's own header, so a recording
// is timed exactly, and files that GStreamer's wave reader refuses (8-bit samples with an odd
// count, padded) play as well.
class WaveAudioDevice final : public MediaDevice
{
public:
    WaveAudioDevice();
    ~WaveAudioDevice() override;

    // True when the file is a PCM wave file this device plays.
    static bool handles(const QString &file);

    MediaResult open(const QString &file) override;
    void close() override;
    MediaResult play() override;
    void stop() override;
    void pause() override;
    void seek(qint64 positionMs) override;
    QString fileName() const override { return m_file; }
    MediaMode mode() const override;
    qint64 position() const override;
    qint64 length() const override { return m_file.isEmpty() ? 0 : m_info.lengthMs(); }
    QSize videoSize() const override { return {}; }
    void setVideoSink(QVideoSink *) override {}
    float volume() const override;

private:
    void releaseSink();
    qint64 msOfBytes(qint64 bytes) const;

    QString m_file;
    WaveInfo m_info;
    QByteArray m_samples;
    QBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
    QMetaObject::Connection m_volumeLink;
    qint64 m_startMs = 0;   // where the sink started
    qint64 m_heldMs = 0;    // the position while no sink runs
    MediaMode m_mode = MediaMode::NotReady;
};

} // namespace ly::platform
