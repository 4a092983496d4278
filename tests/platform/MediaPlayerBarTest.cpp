#include "support/Sandbox.h"

#include "platform/FakeMedia.h"
#include "platform/WaveFile.h"
#include "platform/widgets/MediaPlayerBar.h"

#include <QProgressBar>
#include <QToolButton>
#include <QtEndian>

namespace {

using namespace ly::platform;
using Bar = MediaPlayerBar;

class MediaPlayerBarTest : public lytest::SandboxTest
{
protected:
    void SetUp() override
    {
        auto device = std::make_unique<FakeMediaDevice>();
        media = device.get();
        bar.setDevice(std::move(device));
        auto recorder = std::make_unique<FakeSoundRecorder>();
        this->recorder = recorder.get();
        bar.setRecorder(std::move(recorder));
        QObject::connect(&bar, &Bar::Click, [this](Bar::Button b, bool &doDefault) {
            journal << "click " + QString::number(b);
            doDefault = !skip.contains(b);
        });
        QObject::connect(&bar, &Bar::Done, [this](Bar::Button b, const MediaResult &r) {
            journal << "done " + QString::number(b) + (r.ok() ? QString() : " " + r.error());
        });
    }

    Bar bar;
    FakeMediaDevice *media = nullptr;
    FakeSoundRecorder *recorder = nullptr;
    QStringList journal;
    QList<Bar::Button> skip;
};

TEST_F(MediaPlayerBarTest, APressGoesToTheOwnerFirstAndOnlyEnabledButtonsAct)
{
    const QString song = sandbox.writeFile("song.mp3", "x");
    media->addMedium(song, {3000, {}, {}});
    ASSERT_TRUE(bar.open(song).ok());
    for (int b = 0; b < Bar::kButtonCount; ++b)
        EXPECT_FALSE(bar.isButtonEnabled(Bar::Button(b))) << "the bar enables nothing itself";

    bar.button(Bar::Play)->click();
    EXPECT_TRUE(journal.isEmpty());
    EXPECT_EQ(media->mode(), MediaMode::Stopped);

    bar.setEnabledButtons({Bar::Play, Bar::Pause, Bar::Stop});
    bar.button(Bar::Play)->click();
    EXPECT_EQ(media->mode(), MediaMode::Playing);
    bar.button(Bar::Pause)->click();
    EXPECT_EQ(media->mode(), MediaMode::Paused);
    bar.button(Bar::Pause)->click();
    EXPECT_EQ(media->mode(), MediaMode::Playing);
    skip = {Bar::Stop};
    bar.button(Bar::Stop)->click();
    EXPECT_EQ(media->mode(), MediaMode::Playing) << "the owner cancelled the stop";
    EXPECT_EQ(journal, (QStringList{"click 0", "done 0", "click 1", "done 1", "click 1", "done 1",
                                    "click 2"}));
}

TEST_F(MediaPlayerBarTest, RecordThenStopWritesTheSizesAndReopensAndRecordAgainAppends)
{
    const QString voice = sandbox.writeFile("Temp.wav", WaveHeader(kVoiceFormat, 0));
    media->addMedium(voice, {0, {}, {}});
    ASSERT_TRUE(bar.open(voice).ok());
    bar.setEnabledButtons({Bar::Record, Bar::Stop});

    bar.Press(Bar::Record);
    EXPECT_EQ(bar.mode(), MediaMode::Recording);
    EXPECT_TRUE(media->fileName().isEmpty()) << "the device lets go of the file meanwhile";
    recorder->feed(QByteArray(1001, '\x90'));
    bar.Press(Bar::Stop);
    EXPECT_FALSE(bar.isRecording());
    EXPECT_EQ(media->fileName(), voice);
    QByteArray f = lytest::readFile(voice);
    ASSERT_EQ(f.size(), 44 + 1002) << "an odd count gets a silent sample";
    EXPECT_EQ(qFromLittleEndian<uint32_t>(f.constData() + 4), 36u + 1002);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(f.constData() + 40), 1002u);

    bar.Press(Bar::Record);
    recorder->feed(QByteArray(200, '\x70'));
    bar.close();
    f = lytest::readFile(voice);
    EXPECT_EQ(f.size(), 44 + 1202) << "closing ends the recording and keeps both parts";
    EXPECT_EQ(f.mid(44 + 1002, 200), QByteArray(200, '\x70'));
    EXPECT_EQ(qFromLittleEndian<uint32_t>(f.constData() + 40), 1202u);
    EXPECT_TRUE(bar.fileName().isEmpty());
}

TEST_F(MediaPlayerBarTest, ARecordingThatCannotStartIsReportedAndNothingRecords)
{
    bar.setEnabledButtons({Bar::Record});
    bar.Press(Bar::Record);
    recorder->failNextStart("no input");
    const QString voice = sandbox.writeFile("Temp.wav", WaveHeader(kVoiceFormat, 0));
    (void)bar.open(voice);
    bar.Press(Bar::Record);
    EXPECT_EQ(journal, (QStringList{"click 3", "done 3 No file is open for recording", "click 3",
                                    "done 3 no input"}));
    EXPECT_FALSE(bar.isRecording());
}

TEST(ShowPlayProgressTest, TheGaugeFollowsThePositionUntilTheEndAStopOrAPause)
{
    struct Case
    {
        const char *what;
        qint64 advance;
        bool pause, stop;
        int value;
        bool goesOn;
    } cases[] = {
        {"playing", 1000, false, false, 1000, true},
        {"at the end", 5000, false, false, 3000, false},
        {"paused", 500, true, false, 500, false},
        {"stopped", 500, false, true, 500, false},
    };
    for (const Case &c : cases) {
        FakeMediaDevice media;
        media.addMedium("/a.mp3", {3000, {}, {}});
        ASSERT_TRUE(media.open("/a.mp3").ok());
        ASSERT_TRUE(media.play().ok());
        media.advance(c.advance);
        if (c.pause)
            media.pause();
        if (c.stop)
            media.stop();
        QProgressBar gauge;
        EXPECT_EQ(ShowPlayProgress(&gauge, media), c.goesOn) << c.what;
        EXPECT_EQ(gauge.maximum(), 3000) << c.what;
        EXPECT_EQ(gauge.value(), c.value) << c.what;
    }
    // Nothing open: an empty gauge, not a busy one, and no poll.
    FakeMediaDevice none;
    QProgressBar gauge;
    EXPECT_FALSE(ShowPlayProgress(&gauge, none));
    EXPECT_EQ(gauge.maximum(), 1);
    EXPECT_EQ(gauge.value(), 0);
}

} // namespace
