#pragma once

#include <QString>

#include <functional>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

// The card's sound: one channel for the music list and one for the voice. The card drives
// channels through this small interface, so the platform's media player can take the place
// of the Qt Multimedia one, and the test interface plays on a virtual clock without sound.
namespace ly::player {

class SoundChannel
{
public:
    virtual ~SoundChannel() = default;
    // Starts file from its beginning; onEnded follows when it has played to its end, or at
    // once (from the event loop, or the next advance) when it cannot be played.
    virtual void play(const QString &file) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;
    // The card's clock moved on to ms; channels on the virtual clock end their media here.
    virtual void advanceTo(qint64 ms) { (void)ms; }

    std::function<void()> onEnded;
};

// Makes the card's channels.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual std::unique_ptr<SoundChannel> createChannel() = 0;
};

// Real sound through Qt Multimedia (QMediaPlayer with a QAudioOutput).
class QtSoundOutput : public SoundOutput
{
public:
    std::unique_ptr<SoundChannel> createChannel() override;
};

// No sound: each medium lasts its length on the card's clock.
class VirtualSoundOutput : public SoundOutput
{
public:
    using Duration = std::function<qint64(const QString &file)>;
    // duration gives a file's length in ms (negative: it cannot be played); by default
    // MediaDuration.
    explicit VirtualSoundOutput(Duration duration = {});
    std::unique_ptr<SoundChannel> createChannel() override;

private:
    Duration m_duration;
};

// The length of a medium in ms: a PCM wave file from its header, anything else as Qt
// Multimedia reports it (waiting at most a few seconds); -1 when it cannot be played.
qint64 MediaDuration(const QString &file);

} // namespace ly::player
