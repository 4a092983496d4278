#pragma once

#include <QSize>
#include <QString>

class QVideoSink;

// The media player the editors drive (the system's MCI use): one open file at a time, played,
// paused, stopped and sought, with its length and position in milliseconds. MediaPlayer is the
// real one; FakeMediaDevice (FakeMedia.h) stands in for it in tests.
namespace ly::platform {

// The modes of the system's media player. Files never report Seeking (a seek returns at once)
// or Open (a device whose door is open); Recording is the recorder's.
enum class MediaMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

// The outcome of a call that can fail: empty for success, else a text for the user.
class [[nodiscard]] MediaResult
{
public:
    MediaResult() = default;
    static MediaResult failure(const QString &text)
    {
        MediaResult r;
        r.m_error = text.isEmpty() ? QStringLiteral("The medium cannot be played") : text;
        return r;
    }
    bool ok() const { return m_error.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    QString m_error;
};

// A medium must be a regular file (a named pipe or a device would keep a reader waiting):
// an error naming the file otherwise.
MediaResult CheckMediaFile(const QString &file);

// How long open() waits for a medium to load before it gives up.
constexpr int kMediaOpenTimeoutMs = 5000;

class MediaDevice
{
public:
    virtual ~MediaDevice() = default;

    // Closes any open file and opens this one. Returns once the medium has loaded, so that
    // length(), trackLength() and videoSize() are known, or with an error; it waits at most
    // the open time-out, in a nested event loop that keeps windows painted but takes no user
    // input. Opening the same path again reads the file anew.
    virtual MediaResult open(const QString &file) = 0;
    virtual void close() = 0;
    // Plays from the current position (the start after open, stop at the end).
    virtual MediaResult play() = 0;
    // Stops where it is; play() goes on from there.
    virtual void stop() = 0;
    // Pauses a playing medium, resumes a paused one; nothing otherwise.
    virtual void pause() = 0;
    virtual void seek(qint64 positionMs) = 0;

    virtual QString fileName() const = 0; // empty when nothing is open
    virtual MediaMode mode() const = 0;
    virtual qint64 position() const = 0; // ms
    virtual qint64 length() const = 0;   // ms, 0 when nothing is open
    // A file is one track: 1 while a file is open, else 0; track 1's length is the length.
    int trackCount() const { return fileName().isEmpty() ? 0 : 1; }
    qint64 trackLength(int track) const { return track == 1 && trackCount() == 1 ? length() : 0; }

    // The picture's own size; empty for sound.
    virtual QSize videoSize() const = 0;
    // Where the picture goes (nullptr: nowhere); kept across open().
    virtual void setVideoSink(QVideoSink *sink) = 0;
    // The volume this device plays at, 0 to 1 (the process-wide wave-out volume).
    virtual float volume() const = 0;
};

} // namespace ly::platform
