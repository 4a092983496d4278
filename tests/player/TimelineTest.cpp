#include "player/AlbumShow.h"
#include "player/CardPlayer.h"
#include "player/Sound.h"
#include "support/Sandbox.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>

namespace {

using ly::player::CardPlayer;
using ly::player::CardProject;

// Cards played in the process on the virtual clock, with media lengths the test decides.
class TimelineTest : public lytest::SandboxTest
{
protected:
    CardProject project(const QByteArray &ini, const QStringList &media = {})
    {
        QByteArray text = ini;
        text.replace("\n", "\r\n");
        const QString file = sandbox.writeFile("Rose/Rose.zpj", text);
        for (const QString &m : media)
            sandbox.writeFile("Rose/" + m, m.endsWith(".png") ? pngOf(m) : QByteArray("sound"));
        return {file, QFileInfo(file).absolutePath() + "/", false};
    }

    static QByteArray pngOf(const QString &)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // Lengths by bare file name; anything else cannot be played.
    ly::player::VirtualSoundOutput sound{[this](const QString &file) {
        return lengths.value(QFileInfo(file).fileName(), -1);
    }};
    QHash<QString, qint64> lengths;

    static void runTo(CardPlayer &player, qint64 ms)
    {
        while (player.now() < ms)
            player.advanceBy(std::min<qint64>(20, ms - player.now()));
    }
};

const QByteArray kMusicAndStartVoice = R"([FrmBlk]
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=2
MusicItem0=\Music\a.mp3
MusicItem1=\Music\b.mp3
RecordCheckFlag=1
RecordEdtName=\Music\voice.wav
RecordIndex=0
)";

TEST_F(TimelineTest, StartVoiceFirstThenTheMusicListLoopsAndTheCardEndsAfterItsMinimum)
{
    lengths = {{"a.mp3", 3000}, {"b.mp3", 2000}, {"voice.wav", 1000}};
    CardPlayer player(project(kMusicAndStartVoice, {"Music/a.mp3", "Music/b.mp3", "Music/voice.wav"}),
                      sound, 1);
    int ends = 0;
    player.onEnded = [&] { ++ends; };
    player.start();
    EXPECT_TRUE(player.voicePlaying());
    EXPECT_EQ(player.song(), -1);
    runTo(player, 1020);
    EXPECT_FALSE(player.voicePlaying());
    EXPECT_EQ(player.song(), 0);
    runTo(player, 4020);
    EXPECT_EQ(player.song(), 1);
    runTo(player, 6020);
    EXPECT_EQ(player.song(), 0); // looped
    EXPECT_EQ(player.musicPasses(), 1);
    EXPECT_FALSE(player.ended()); // at least ten seconds
    runTo(player, CardPlayer::kMinimumPassMs + 20);
    EXPECT_TRUE(player.ended());
    runTo(player, 30000);
    EXPECT_EQ(ends, 1);
    EXPECT_GE(player.musicPasses(), 4); // the music goes on after the end
}

TEST_F(TimelineTest, EndVoiceSpeaksOverPausedMusicBeforeTheEndActions)
{
    QByteArray ini = kMusicAndStartVoice;
    ini.replace("RecordIndex=0", "RecordIndex=1");
    lengths = {{"a.mp3", 6000}, {"b.mp3", 6000}, {"voice.wav", 1500}};
    CardPlayer player(project(ini, {"Music/a.mp3", "Music/b.mp3", "Music/voice.wav"}), sound, 1);
    player.start();
    EXPECT_EQ(player.song(), 0);
    runTo(player, 12020); // the music list's pass ends at 12 s
    EXPECT_TRUE(player.voicePlaying());
    EXPECT_FALSE(player.ended());
    runTo(player, 13000);
    EXPECT_EQ(player.song(), 0); // paused meanwhile, not moved on
    runTo(player, 13600);
    EXPECT_TRUE(player.ended());
    EXPECT_FALSE(player.voicePlaying());
}

TEST_F(TimelineTest, AlbumPassLongerThanTheMusicDecidesTheEnd)
{
    const QByteArray ini = R"([Application]
FrmPicture=1
[FrmBlk]
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=1
MusicItem0=\Music\a.mp3
[FrmPicture]
DoPicRadio=1
PicShowSecond=3
PicShowNum=4
Item0=\Picture\p0.png
Item1=\Picture\p1.png
Item2=\Picture\p2.png
Item3=\Picture\p3.png
)";
    lengths = {{"a.mp3", 2000}};
    CardPlayer player(project(ini, {"Music/a.mp3", "Picture/p0.png", "Picture/p1.png",
                                    "Picture/p2.png", "Picture/p3.png"}),
                      sound, 1);
    ASSERT_NE(player.album(), nullptr);
    ASSERT_EQ(player.album()->count(), 4);
    player.start();
    runTo(player, 4 * 4000 - 20);
    EXPECT_EQ(player.album()->index(), 3);
    EXPECT_FALSE(player.ended());
    runTo(player, 4 * 4000 + 20);
    EXPECT_EQ(player.album()->index(), 0);
    EXPECT_TRUE(player.ended());
}

TEST_F(TimelineTest, SongsThatCannotPlayDoNotSpinAndPauseStopsTheClock)
{
    lengths = {};
    CardPlayer player(project(kMusicAndStartVoice, {"Music/a.mp3", "Music/b.mp3"}), sound, 1);
    player.start(); // the voice file is missing, so the music starts at once
    runTo(player, 200);
    EXPECT_EQ(player.song(), -1);
    player.togglePause();
    player.advanceBy(60000);
    EXPECT_EQ(player.now(), 200);
    player.togglePause();
    runTo(player, CardPlayer::kMinimumPassMs + 20);
    EXPECT_TRUE(player.ended());
}

TEST_F(TimelineTest, AlbumStylesProgressAndPlaces)
{
    const QByteArray ini = R"([Application]
FrmPicture=1
[FrmPicture]
ClientWidth=300
ClientHeight=200
DoPicRadio=2
PicShowSecond=1
PicShowNum=2
Item0=\Picture\p0.png
StyleIndex0=1
Item1=\Picture\p1.png
StyleIndex1=0
)";
    CardPlayer player(project(ini, {"Picture/p0.png", "Picture/p1.png"}), sound, 7);
    ly::player::AlbumShow &album = *player.album();
    EXPECT_EQ(album.style(), 150);
    EXPECT_EQ(album.progressAt(0), 0);
    EXPECT_EQ(album.progressAt(500), 50);
    EXPECT_EQ(album.progressAt(5000), 100);
    const QRect screen(0, 0, 1000, 800);
    const QRect first = album.windowRect(screen, 0);
    EXPECT_TRUE(screen.contains(first));
    album.advanceTo(2000);
    EXPECT_GE(album.style(), 1);
    EXPECT_LE(album.style(), 150);
    EXPECT_TRUE(screen.contains(album.windowRect(screen, 2000)));
    EXPECT_EQ(album.windowRect(screen, 2000), album.windowRect(screen, 2500)); // same picture, same place
    EXPECT_EQ(album.render(QSize(300, 200), 2500).size(), QSize(300, 200));
}

} // namespace
