#include "support/MediaFixtures.h"
#include "support/Sandbox.h"

#include "platform/WaveFile.h"

#include <QBuffer>

namespace {

using namespace ly::platform;

TEST(WaveFileTest, VoiceHeaderIsTheFortyFourBytesOfTheTable)
{
    const QByteArray expected("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x11\x2B\0\0"
                              "\x11\x2B\0\0\x01\0\x08\0data\0\0\0\0",
                              44);
    EXPECT_EQ(WaveHeader(kVoiceFormat, 0), expected);
    const QByteArray sized = WaveHeader(kVoiceFormat, 22050);
    EXPECT_EQ(sized.mid(4, 4), QByteArray("\x46\x56\0\0", 4)); // 36 + 22050
    EXPECT_EQ(sized.mid(40, 4), QByteArray("\x22\x56\0\0", 4));
}

QByteArray withDataSize(QByteArray file, uint32_t size)
{
    const int at = int(file.indexOf("data")) + 4;
    for (int i = 0; i < 4; ++i)
        file[at + i] = char((size >> (8 * i)) & 0xFF);
    return file;
}

std::optional<WaveInfo> infoOf(QByteArray bytes)
{
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    return ReadWaveInfo(b);
}

TEST(WaveFileTest, ReadsTheSamplesThatAreThere)
{
    struct Case
    {
        const char *what;
        QByteArray bytes;
        qint64 dataSize; // -1: not a wave file
    };
    const QByteArray odd = lytest::makeWave(11025, 8, 1, 33075); // padded to an even size
    const QByteArray stereo = lytest::makeWave(22050, 16, 2, 100);
    QByteArray withList = stereo;
    withList.insert(36, QByteArray("LIST\x03\0\0\0abc\0", 12)); // odd chunk before the data
    const Case cases[] = {
        {"odd count with pad byte", odd, 33075},
        {"header says 0", withDataSize(odd, 0), 33076},
        {"header says more than there is", withDataSize(odd, 99999999), 33076},
        {"stereo, whole frames only", withDataSize(stereo + "xy", 0), 400},
        {"padded chunk before the data", withList, 400},
        {"bare voice header", WaveHeader(kVoiceFormat, 0), 0},
        {"no RIFF", QByteArray("hello not audio"), -1},
        {"data before fmt", QByteArray("RIFF\x0c\0\0\0WAVEdata\0\0\0\0", 20), -1},
        {"cut in the fmt chunk", odd.left(30), -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<WaveInfo> info = infoOf(c.bytes);
        ASSERT_EQ(info.has_value(), c.dataSize >= 0);
        if (info) {
            EXPECT_EQ(info->dataSize, c.dataSize);
        }
    }
    const WaveInfo voice = *infoOf(odd);
    EXPECT_EQ(voice.format, kVoiceFormat);
    EXPECT_EQ(voice.dataOffset, 44);
    EXPECT_EQ(voice.lengthMs(), 3000);
    EXPECT_TRUE(voice.isPcm());
}

} // namespace
