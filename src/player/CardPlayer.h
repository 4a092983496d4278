#pragma once

#include "card/FrmBlkSection.h"
#include "card/SystemSection.h"
#include "player/CardSource.h"

#include <QStringList>

#include <functional>
#include <memory>

// The timeline of a playing card, without windows. The card's clock starts at 0 and moves
// only while the card is not paused.
//
//   - The voice played "at the start" plays first; the music list starts when it has ended
//     (at once without such a voice) and loops, in order, for as long as the card plays.
//   - The album starts at 0: each picture comes on with its transition and stays its
//     interval; after the last picture the album starts again.
//   - The card has played through ("ended") once the album has shown every picture, the music
//     list has played every song once and the start voice has ended, and at least
//     kMinimumPassMs have gone by. The voice played "at the end" then plays, the music
//     paused meanwhile; when it has ended the end actions are due (onEnded). The card then
//     keeps playing until it is closed.
namespace ly::player {

class AlbumShow;
class BackgroundPicture;
class SoundChannel;
class SoundOutput;

class CardPlayer
{
public:
    static constexpr qint64 kMinimumPassMs = 10000;

    CardPlayer(const CardProject &project, SoundOutput &sound, quint32 seed);
    ~CardPlayer();

    // Starts the card at time 0, with the music and voice files that exist by then.
    void start();
    // Moves the clock on by ms (nothing while paused).
    void advanceBy(qint64 ms);
    qint64 now() const { return m_now; }

    void togglePause();
    bool paused() const { return m_paused; }
    // The next or previous picture of the album; without an album the next or previous song.
    void next();
    void previous();

    bool ended() const { return m_ended; }
    std::function<void()> onEnded;

    const CardProject &project() const { return m_project; }
    const SystemSection &system() const { return m_system; }
    BackgroundPicture &background() { return *m_background; }
    // Null when the project has no album to show.
    AlbumShow *album() { return m_album.get(); }
    // The music files that exist, in play order, and the song playing (-1 none).
    const QStringList &musicFiles() const { return m_music; }
    int song() const { return m_song; }
    int musicPasses() const { return m_musicPasses; }
    bool voicePlaying() const { return m_voicePlaying; }

private:
    void listSounds();
    void playSong(int index);
    void songEnded();
    void voiceEnded();
    void checkPass();
    void finish();

    CardProject m_project;
    SystemSection m_system;
    std::unique_ptr<BackgroundPicture> m_background;
    std::unique_ptr<AlbumShow> m_album;
    std::unique_ptr<SoundChannel> m_musicChannel;
    std::unique_ptr<SoundChannel> m_voiceChannel;
    QStringList m_music;
    QString m_voice;
    int m_voiceMoment = 0;

    qint64 m_now = 0;
    bool m_paused = false;
    int m_song = -1;
    int m_musicPasses = 0;
    qint64 m_passStartedAt = 0;
    bool m_musicStopped = false;
    bool m_voicePlaying = false;
    bool m_startVoiceDone = true;
    bool m_endVoice = false;
    bool m_ended = false;
};

} // namespace ly::player
