#pragma once

#include "platform/MediaDevice.h"
#include "platform/SoundRecorder.h"
#include "platform/WaveFile.h"

#include <QFile>
#include <QHash>
#include <QStringList>

// Stand-ins for the media player and the recorder in tests of the windows that drive them:
// no sound device, time moves only through advance(), every call is logged.
namespace ly::platform {

class FakeMediaDevice final : public MediaDevice
{
public:
    // What open() finds at a path: a length and picture size, or an error text.
    struct Medium
    {
        qint64 lengthMs = 0;
        QSize videoSize;
        QString error;
    };
    void addMedium(const QString &file, const Medium &medium) { m_media[file] = medium; }
    // Moves a playing medium on; at its end it stops there.
    void advance(qint64 ms);
    // The calls so far, e.g. "open /a.wav", "play", "pause", "seek 0".
    const QStringList &calls() const { return m_calls; }

    MediaResult open(const QString &file) override;
    void close() override;
    MediaResult play() override;
    void stop() override;
    void pause() override;
    void seek(qint64 positionMs) override;
    QString fileName() const override { return m_file; }
    MediaMode mode() const override { return m_mode; }
    qint64 position() const override { return m_position; }
    qint64 length() const override { return m_file.isEmpty() ? 0 : m_media[m_file].lengthMs; }
    QSize videoSize() const override { return m_file.isEmpty() ? QSize() : m_media[m_file].videoSize; }
    void setVideoSink(QVideoSink *sink) override { m_sink = sink; }
    QVideoSink *videoSink() const { return m_sink; }
    float volume() const override;

private:
    QHash<QString, Medium> m_media;
    QStringList m_calls;
    QString m_file;
    MediaMode m_mode = MediaMode::NotReady;
    qint64 m_position = 0;
    QVideoSink *m_sink = nullptr;
};

// Records what feed() hands it, into a real voice wave file with the real header rules.
class FakeSoundRecorder final : public SoundRecorder
{
public:
    // Fails the next start() with this text.
    void failNextStart(const QString &text) { m_failure = text; }
    // Samples (voice format) arriving while recording.
    void feed(const QByteArray &samples);

    MediaResult start(const QString &file) override;
    MediaResult stop() override;
    bool isRecording() const override { return m_file.isOpen(); }
    qint64 recordedMs() const override { return m_dataSize * 1000 / kVoiceFormat.byteRate(); }

private:
    QFile m_file;
    qint64 m_dataSize = 0;
    QString m_failure;
};

} // namespace ly::platform
