#include "support/MediaFixtures.h"
#include "support/Sandbox.h"

#include "platform/FakeMedia.h"
#include "platform/MediaPlayer.h"
#include "platform/SoundRecorder.h"
#include "platform/Wait.h"
#include "platform/WaveFile.h"

#include <QFile>
#include <QtEndian>

#include <cmath>

namespace {

using namespace ly::platform;

class SoundRecorderTest : public lytest::SandboxTest
{
protected:
    // Checks the header against the file: voice format, RIFF size = file size - 8, data size
    // = file size - 44 and even; returns the samples.
    static QByteArray checkedSamples(const QString &path)
    {
        const QByteArray f = lytest::readFile(path);
        EXPECT_GE(f.size(), 44);
        if (f.size() < 44)
            return {};
        EXPECT_EQ(f.left(44).mid(8, 28), WaveHeader(kVoiceFormat, 0).mid(8, 28));
        EXPECT_EQ(qFromLittleEndian<uint32_t>(f.constData() + 4), uint32_t(f.size() - 8));
        EXPECT_EQ(qFromLittleEndian<uint32_t>(f.constData() + 40), uint32_t(f.size() - 44));
        EXPECT_EQ(f.size() % 2, 0);
        return f.mid(44);
    }

    QString prepared(const QString &name)
    {
        return sandbox.writeFile(name, WaveHeader(kVoiceFormat, 0));
    }
};

#define REQUIRE_SOUND_DEVICES()                                                                   \
    if (!lytest::haveSoundDevices())                                                              \
    GTEST_SKIP() << "no sound device: run through ./test.sh, which starts a PulseAudio null source"

TEST_F(SoundRecorderTest, RecordsTheDefaultInputIntoThePreparedFileAndAppendsOnTheNextStart)
{
    REQUIRE_SOUND_DEVICES();
    const QString file = prepared("Temp.wav");
    AudioSourceRecorder recorder;
    ASSERT_TRUE(recorder.start(file).ok());
    EXPECT_EQ(recorder.mode(), MediaMode::Recording);
    ASSERT_TRUE(WaitBounded([&] { return recorder.recordedMs() >= 300; }, 5000));
    ASSERT_TRUE(recorder.stop().ok());
    EXPECT_EQ(recorder.mode(), MediaMode::Stopped);
    const QByteArray first = checkedSamples(file);
    EXPECT_GE(first.size(), 3300);
    // The null source is silent: the midpoint of 8-bit samples.
    EXPECT_EQ(first.count('\x80'), first.size());

    ASSERT_TRUE(recorder.start(file).ok());
    ASSERT_TRUE(WaitBounded([&] { return recorder.recordedMs() * 11025 / 1000 >= first.size() + 2000; }, 5000));
    ASSERT_TRUE(recorder.stop().ok());
    const QByteArray both = checkedSamples(file);
    EXPECT_TRUE(both.startsWith(first));
    EXPECT_GT(both.size(), first.size());

    // The player times it from the header.
    MediaPlayer player;
    ASSERT_TRUE(player.open(file).ok());
    EXPECT_EQ(player.length(), qint64(both.size()) * 1000 / 11025);
}

TEST_F(SoundRecorderTest, WhatIsNotAVoiceFileIsReplacedAndAnUnwritablePathIsAnError)
{
    // The rules are shared by the real recorder and the fake; the fake needs no device.
    FakeSoundRecorder recorder;
    const QString stereo = sandbox.writeFile("other.wav", lytest::makeWave(22050, 16, 2, 100));
    ASSERT_TRUE(recorder.start(stereo).ok());
    recorder.feed(QByteArray(5, '\x90'));
    ASSERT_TRUE(recorder.stop().ok());
    EXPECT_EQ(checkedSamples(stereo), QByteArray("\x90\x90\x90\x90\x90\x80", 6)); // evened out

    const QString text = sandbox.writeFile("notes.wav", "some text");
    ASSERT_TRUE(recorder.start(text).ok());
    ASSERT_TRUE(recorder.stop().ok());
    EXPECT_EQ(lytest::readFile(text), WaveHeader(kVoiceFormat, 0));

    // A header that says 0 after a crash keeps the samples that reached the file.
    const QString crashed = sandbox.writeFile("crashed.wav", WaveHeader(kVoiceFormat, 0) + "\x70\x71\x72\x73");
    ASSERT_TRUE(recorder.start(crashed).ok());
    recorder.feed("\x74\x75");
    ASSERT_TRUE(recorder.stop().ok());
    EXPECT_EQ(checkedSamples(crashed), QByteArray("\x70\x71\x72\x73\x74\x75"));

    EXPECT_FALSE(recorder.start(sandbox.root() + "no/such/folder/x.wav").ok());
    AudioSourceRecorder real;
    const MediaResult r = real.start(sandbox.root() + "no/such/folder/x.wav");
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(real.isRecording());
}

QByteArray int16Stereo(int rate, int frames)
{
    QByteArray out;
    for (int i = 0; i < frames; ++i) {
        const auto left = int16_t(std::lround(std::sin(2 * M_PI * 300.0 * i / rate) * 16000));
        const int16_t right = int16_t(-left / 2);
        char b[4];
        qToLittleEndian(left, b);
        qToLittleEndian(right, b + 2);
        out.append(b, 4);
    }
    return out;
}

TEST(VoiceConverterTest, OtherFormatsBecomeMonoEightBitsAt11025)
{
    QAudioFormat from;
    from.setSampleRate(48000);
    from.setChannelCount(2);
    from.setSampleFormat(QAudioFormat::Int16);
    const QByteArray input = int16Stereo(48000, 48000);

    VoiceConverter whole(from);
    const QByteArray once = whole.convert(input);
    EXPECT_NEAR(double(once.size()), 11025.0, 1.0);

    // Chunks that split frames give the same samples.
    VoiceConverter chunked(from);
    QByteArray pieces;
    for (qsizetype at = 0; at < input.size(); at += 1001)
        pieces += chunked.convert(input.mid(at, 1001));
    EXPECT_EQ(pieces, once);

    // The mix of +x and -x/2 is x/4: a 300 Hz wave of amplitude 4000/32768 around 128.
    const auto [lo, hi] = std::minmax_element(once.begin(), once.end(), [](char a, char b) {
        return uint8_t(a) < uint8_t(b);
    });
    EXPECT_NEAR(uint8_t(*hi), 128 + 15, 2);
    EXPECT_NEAR(uint8_t(*lo), 128 - 15, 2);

    QAudioFormat floats;
    floats.setSampleRate(8000);
    floats.setChannelCount(1);
    floats.setSampleFormat(QAudioFormat::Float);
    const float one[] = {1.0f, -1.0f, NAN, 0.0f};
    VoiceConverter up(floats);
    const QByteArray raised = up.convert(QByteArrayView(reinterpret_cast<const char *>(one), sizeof one));
    EXPECT_EQ(raised.size(), 5); // 4 frames at 8000 span 5 samples at 11025
    EXPECT_EQ(uint8_t(raised[0]), 255);
}

} // namespace
