#include "support/MediaFixtures.h"
#include "support/Sandbox.h"

#include "platform/FakeMedia.h"
#include "platform/MediaPlayer.h"
#include "platform/Wait.h"
#include "platform/WaveOut.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

using namespace ly::platform;

class MediaPlayerTest : public lytest::SandboxTest
{
protected:
    ~MediaPlayerTest() override { SetWaveOutVolume({}); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        return sandbox.writeFile(name, bytes);
    }
};

#define REQUIRE_SOUND_DEVICES()                                                                   \
    if (!lytest::haveSoundDevices())                                                              \
    GTEST_SKIP() << "no sound device: run through ./test.sh, which starts a PulseAudio null sink"

TEST_F(MediaPlayerTest, EveryTypeReportsItsLengthRightAfterOpen)
{
    MediaPlayer player;
    for (const QString &file : lytest::writeMediaSet(sandbox.root() + "media")) {
        SCOPED_TRACE(file.toStdString());
        const MediaResult r = player.open(file);
        ASSERT_TRUE(r.ok()) << r.error().toStdString();
        EXPECT_NEAR(double(player.length()), 3000.0, 150.0);
        EXPECT_EQ(player.trackCount(), 1);
        EXPECT_EQ(player.trackLength(1), player.length());
        EXPECT_EQ(player.trackLength(2), 0);
        EXPECT_EQ(player.mode(), MediaMode::Stopped);
        EXPECT_EQ(player.position(), 0);
        EXPECT_EQ(player.fileName(), file);
        if (QFileInfo(file).baseName() == "movie" && lytest::haveSoundDevices()) {
            EXPECT_EQ(player.videoSize(), QSize(64, 48));
        }
        if (QFileInfo(file).baseName() == "tone") {
            EXPECT_EQ(player.videoSize(), QSize());
        }
    }
    player.close();
    EXPECT_EQ(player.mode(), MediaMode::NotReady);
    EXPECT_EQ(player.trackCount(), 0);
    EXPECT_EQ(player.length(), 0);
}

TEST_F(MediaPlayerTest, ReopeningTheSamePathReadsTheNewFile)
{
    MediaPlayer player;
    for (const auto &make : {+[](int ms) { return lytest::makeWave(22050, 16, 1, 22050 * ms / 1000); },
                             +[](int ms) { return lytest::makeMidi(ms); }}) {
        const QString file = write("again.bin", make(3000));
        ASSERT_TRUE(player.open(file).ok());
        EXPECT_NEAR(double(player.length()), 3000.0, 100.0);
        write("again.bin", make(1000));
        ASSERT_TRUE(player.open(file).ok());
        EXPECT_NEAR(double(player.length()), 1000.0, 100.0);
    }
}

TEST_F(MediaPlayerTest, UnplayableFilesAreErrorsWithATextNeverAHang)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"text.mp3", "hello, I am not a song\n"},
        {"empty.wav", ""},
        {"noise.avi", QByteArray(4000, '\x5A')},
        {"cut.mid", lytest::makeMidi(3000).left(10)},
        {"header only.wma", QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c")},
    };
    MediaPlayer player;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = write(c.name, c.bytes);
        const MediaResult r = player.open(file);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.error().contains(file)) << r.error().toStdString();
        EXPECT_EQ(player.mode(), MediaMode::NotReady);
        EXPECT_EQ(player.length(), 0);
        EXPECT_FALSE(player.play().ok());
    }
    const MediaResult missing = player.open(sandbox.root() + "missing.mp3");
    EXPECT_TRUE(missing.error().contains("does not exist")) << missing.error().toStdString();
    // A named pipe that nobody writes would keep a reader waiting for ever.
    const QString fifo = sandbox.root() + "stuck.wav";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const MediaResult pipe = player.open(fifo);
    EXPECT_TRUE(pipe.error().contains("is not a file")) << pipe.error().toStdString();
}

// Plays, pauses, resumes, stops and plays to the end; both devices.
TEST_F(MediaPlayerTest, PlayPauseStopAndTheEnd)
{
    REQUIRE_SOUND_DEVICES();
    const QString files[] = {write("short.wav", lytest::makeWave(11025, 8, 1, 5513)),
                             lytest::mediaFixture("tone.mp3")};
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        MediaPlayer player;
        ASSERT_TRUE(player.open(file).ok());
        ASSERT_TRUE(player.play().ok());
        EXPECT_EQ(player.mode(), MediaMode::Playing);
        ASSERT_TRUE(WaitBounded([&] { return player.position() > 100; }, 5000));

        player.pause();
        EXPECT_EQ(player.mode(), MediaMode::Paused);
        const qint64 paused = player.position();
        player.pause(); // toggles back
        EXPECT_EQ(player.mode(), MediaMode::Playing);
        ASSERT_TRUE(WaitBounded([&] { return player.position() > paused; }, 5000));

        player.stop();
        EXPECT_EQ(player.mode(), MediaMode::Stopped);
        player.pause(); // nothing when stopped
        EXPECT_EQ(player.mode(), MediaMode::Stopped);
        const qint64 stopped = player.position();
        EXPECT_GT(stopped, 0);

        ASSERT_TRUE(player.play().ok()); // on from where it stopped
        ASSERT_TRUE(WaitBounded([&] { return player.mode() == MediaMode::Stopped; }, 8000));
        EXPECT_EQ(player.position(), player.length());

        player.seek(200);
        EXPECT_NEAR(double(player.position()), 200.0, 50.0);
        ASSERT_TRUE(player.play().ok());
        EXPECT_EQ(player.mode(), MediaMode::Playing);
    }
}

TEST_F(MediaPlayerTest, TheWaveOutVolumeAppliesToEveryPlayer)
{
    REQUIRE_SOUND_DEVICES();
    MediaPlayer wave;
    MediaPlayer song;
    ASSERT_TRUE(wave.open(write("v.wav", lytest::makeWave(11025, 8, 1, 11025))).ok());
    ASSERT_TRUE(wave.play().ok());
    ASSERT_TRUE(song.open(lytest::mediaFixture("tone.mp3")).ok());

    SetWaveOutVolume(WaveVolume::fromPacked(0x80008000));
    EXPECT_NEAR(wave.volume(), 0.5, 0.01);
    EXPECT_NEAR(song.volume(), 0.5, 0.01);

    SetWaveOutVolume({0x0000, 0x4000}); // the louder channel counts
    EXPECT_NEAR(wave.volume(), 0.25, 0.01);
    EXPECT_NEAR(song.volume(), 0.25, 0.01);

    MediaPlayer later; // a player made afterwards starts at the volume
    ASSERT_TRUE(later.open(lytest::mediaFixture("tone.wma")).ok());
    EXPECT_NEAR(later.volume(), 0.25, 0.01);
}

} // namespace

namespace {

// The fake that window tests drive keeps the real player's rules.
TEST(FakeMediaDeviceTest, FollowsThePlayersRules)
{
    FakeMediaDevice device;
    device.addMedium("/m/a.avi", {3000, QSize(64, 48), {}});
    device.addMedium("/m/bad.mp3", {0, {}, "Cannot play \"/m/bad.mp3\": no sound"});
    EXPECT_FALSE(device.open("/m/none.wav").ok());
    EXPECT_EQ(device.open("/m/bad.mp3").error(), "Cannot play \"/m/bad.mp3\": no sound");
    EXPECT_EQ(device.mode(), MediaMode::NotReady);

    ASSERT_TRUE(device.open("/m/a.avi").ok());
    EXPECT_EQ(device.trackLength(device.trackCount()), 3000);
    EXPECT_EQ(device.videoSize(), QSize(64, 48));
    device.advance(500); // time stands while stopped
    EXPECT_EQ(device.position(), 0);
    ASSERT_TRUE(device.play().ok());
    device.advance(500);
    device.pause();
    device.advance(500);
    EXPECT_EQ(device.position(), 500);
    EXPECT_EQ(device.mode(), MediaMode::Paused);
    device.pause();
    device.advance(5000);
    EXPECT_EQ(device.position(), 3000);
    EXPECT_EQ(device.mode(), MediaMode::Stopped);
    ASSERT_TRUE(device.play().ok()); // from the start again
    EXPECT_EQ(device.position(), 0);
    EXPECT_EQ(device.calls(), QStringList({"open /m/none.wav", "open /m/bad.mp3", "open /m/a.avi",
                                           "play", "pause", "pause", "play"}));
}

} // namespace
