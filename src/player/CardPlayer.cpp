#include "player/CardPlayer.h"

#include "card/FrmPictureSection.h"
#include "player/AlbumShow.h"
#include "player/BackgroundPicture.h"
#include "player/Sound.h"

#include <QFileInfo>

namespace ly::player {

namespace {
// A pass of the music list that ends this quickly played nothing (every song failed); the
// list then stops instead of spinning.
constexpr qint64 kSilentPassMs = 200;
} // namespace

CardPlayer::CardPlayer(const CardProject &project, SoundOutput &sound, quint32 seed)
    : m_project(project), m_system(ReadSystemSection(project.projectFile))
{
    const FrmBlkSection blk = ReadFrmBlkSection(project.projectFile);
    m_background = std::make_unique<BackgroundPicture>(blk, project.projectFolder, seed);
    if (ProjectHasAlbum(project.projectFile)) {
        m_album = std::make_unique<AlbumShow>(ReadFrmPictureSection(project.projectFile),
                                              project.projectFolder, seed);
    }
    listSounds();
    m_musicChannel = sound.createChannel();
    m_voiceChannel = sound.createChannel();
    m_musicChannel->onEnded = [this] { songEnded(); };
    m_voiceChannel->onEnded = [this] { voiceEnded(); };
}

CardPlayer::~CardPlayer() = default;

void CardPlayer::listSounds()
{
    const FrmBlkSection &blk = m_background->section();
    const QString musicFolder = m_project.projectFolder + QStringLiteral("Music/");
    m_music.clear();
    if (blk.music)
        for (const QString &name : blk.musicItems)
            if (QFileInfo(musicFolder + name).isFile())
                m_music.append(musicFolder + name);
    m_voice.clear();
    if (blk.record && !blk.recordName.isEmpty() && QFileInfo(musicFolder + blk.recordName).isFile()) {
        m_voice = musicFolder + blk.recordName;
        m_voiceMoment = blk.recordIndex;
    }
}

void CardPlayer::start()
{
    // The music may have been unpacked after the windows were made.
    listSounds();
    if (!m_voice.isEmpty() && m_voiceMoment == 0) {
        m_startVoiceDone = false;
        m_voicePlaying = true;
        m_voiceChannel->play(m_voice);
    } else if (!m_music.isEmpty()) {
        playSong(0);
    }
}

void CardPlayer::advanceBy(qint64 ms)
{
    if (m_paused || ms <= 0)
        return;
    m_now += ms;
    m_musicChannel->advanceTo(m_now);
    m_voiceChannel->advanceTo(m_now);
    if (m_album)
        m_album->advanceTo(m_now);
    checkPass();
}

void CardPlayer::togglePause()
{
    m_paused = !m_paused;
    for (SoundChannel *channel : {m_musicChannel.get(), m_voiceChannel.get()}) {
        if (m_paused)
            channel->pause();
        else
            channel->resume();
    }
    // The music stays paused while the end voice speaks.
    if (!m_paused && m_endVoice && m_voicePlaying)
        m_musicChannel->pause();
}

void CardPlayer::next()
{
    if (m_album && !m_album->empty())
        m_album->next(m_now);
    else if (!m_music.isEmpty() && m_song >= 0)
        playSong((m_song + 1) % int(m_music.size()));
}

void CardPlayer::previous()
{
    if (m_album && !m_album->empty())
        m_album->previous(m_now);
    else if (!m_music.isEmpty() && m_song >= 0)
        playSong((m_song + int(m_music.size()) - 1) % int(m_music.size()));
}

void CardPlayer::playSong(int index)
{
    if (index == 0)
        m_passStartedAt = m_now;
    m_song = index;
    m_musicChannel->play(m_music.at(index));
    if (m_paused || (m_endVoice && m_voicePlaying))
        m_musicChannel->pause();
}

void CardPlayer::songEnded()
{
    if (m_song < 0 || m_musicStopped)
        return;
    const int next = (m_song + 1) % int(m_music.size());
    if (next == 0) {
        ++m_musicPasses;
        if (m_now - m_passStartedAt < kSilentPassMs) {
            m_musicStopped = true;
            m_song = -1;
            checkPass();
            return;
        }
    }
    playSong(next);
    checkPass();
}

void CardPlayer::voiceEnded()
{
    m_voicePlaying = false;
    if (!m_startVoiceDone) {
        m_startVoiceDone = true;
        if (!m_music.isEmpty())
            playSong(0);
        checkPass();
        return;
    }
    if (m_endVoice) {
        m_musicChannel->resume();
        finish();
    }
}

void CardPlayer::checkPass()
{
    if (m_endVoice || m_ended)
        return;
    const bool albumDone = !m_album || m_album->empty() || m_album->passes() > 0;
    const bool musicDone = m_music.isEmpty() || m_musicPasses > 0 || m_musicStopped;
    if (!albumDone || !musicDone || !m_startVoiceDone || m_now < kMinimumPassMs)
        return;
    if (!m_voice.isEmpty() && m_voiceMoment == 1) {
        m_endVoice = true;
        m_voicePlaying = true;
        m_musicChannel->pause();
        m_voiceChannel->play(m_voice);
        return;
    }
    m_endVoice = true;
    finish();
}

void CardPlayer::finish()
{
    if (m_ended)
        return;
    m_ended = true;
    if (onEnded)
        onEnded();
}

} // namespace ly::player
