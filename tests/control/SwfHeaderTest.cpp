#include "support/Sandbox.h"
#include "support/SwfFixture.h"

#include "control/SwfHeader.h"
#include "shared/Error.h"
#include "shared/Settings.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTimeZone>

namespace {

using namespace ly;

using lytest::makeSwf;
using lytest::swfBody;
using lytest::zlibStream;
using Header = lytest::SwfFields;

// Texts that a read must leave alone where it does not get to them.
SwfHeaderInfo oldTexts(bool error)
{
    SwfHeaderInfo info;
    info.version = "old version";
    info.pixel = "old pixel";
    info.rate = "old rate";
    info.frameCount = "old frames";
    info.error = error;
    return info;
}

struct Texts
{
    QString version, pixel, rate, frameCount;
    bool error;
    bool operator==(const Texts &) const = default;
};

void PrintTo(const Texts &t, std::ostream *os)
{
    *os << "{" << t.version.toStdString() << " | " << t.pixel.toStdString() << " | "
        << t.rate.toStdString() << " | " << t.frameCount.toStdString() << " | " << t.error
        << "}";
}

Texts headerTexts(const SwfHeaderInfo &info)
{
    return {info.version, info.pixel, info.rate, info.frameCount, info.error};
}

Texts readBytes(const QByteArray &bytes, SwfHeaderInfo info = {})
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadSwfHeaderFrom(buffer, info);
    return headerTexts(info);
}

TEST(ReadBitsTest, ReadsUnsignedBigEndianBitStrings)
{
    const QByteArray data("\xA5\x0F\xF0\x80\x01", 5);
    const struct
    {
        int64_t start;
        int count;
        uint32_t value;
    } cases[] = {
        {0, 1, 1},   {1, 1, 0},     {0, 8, 0xA5},        {4, 8, 0x50},   {5, 3, 5},
        {12, 8, 0xFF}, {0, 0, 0},   {40, 0, 0},          {0, 32, 0xA50FF080},
        {8, 32, 0x0FF08001},        {39, 1, 1},          {20, 12, 0x080},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " " + std::to_string(c.count));
        EXPECT_EQ(ReadBits(data, c.start, c.count), c.value);
    }
    for (const auto &[start, count] : {std::pair{33, 8}, {40, 1}, {-1, 2}, {0, 33}, {0, -1}})
        EXPECT_THROW(ReadBits(data, start, count), Error) << start << " " << count;
    EXPECT_THROW(ReadBits(QByteArrayView(), 0, 1), Error);
}

TEST(SwfHeaderTest, ReadsTheHeaderFieldsOfBothKinds)
{
    const struct
    {
        const char *name;
        Header header;
        Texts texts;
    } cases[] = {
        {"550 x 400 with Nbits 15", {}, {"6", "550 X 400", "12.0", "1", false}},
        {"fractional rate",
         {.rateFraction = 128, .rateInteger = 24, .frames = 65535, .version = 255},
         {"255", "550 X 400", "24.128", "65535", false}},
        // A field with its top bit set is no negative number.
        {"16 bits", {.nbits = 16, .xmax = 0xFFFF, .ymax = 0x8000},
         {"6", "3276 X 1638", "12.0", "1", false}},
        {"31 bits",
         {.nbits = 31, .xmin = 0x7FFFFFFF, .xmax = 0x7FFFFFFF, .ymin = 1, .ymax = 0x40000000,
          .frames = 0x1234},
         {"6", "107374182 X 53687091", "12.0", "4660", false}},
        {"0 bits", {.nbits = 0, .rateInteger = 0, .frames = 0}, {"6", "0 X 0", "0.0", "0", false}},
        {"1 bit", {.nbits = 1, .xmax = 1, .ymax = 1, .rateFraction = 5, .rateInteger = 30},
         {"6", "0 X 0", "30.5", "1", false}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // Also right after the header (no tag bytes): the frame count is the last field.
        for (const int tail : {40, 0}) {
            EXPECT_EQ(readBytes(makeSwf(c.header, false, tail), oldTexts(true)), c.texts);
            EXPECT_EQ(readBytes(makeSwf(c.header, true, tail), oldTexts(true)), c.texts);
        }
    }
}

TEST(SwfHeaderTest, ShortOrDamagedDataSetsTheErrorAndKeepsWhatWasNotRead)
{
    const QByteArray fws = makeSwf(Header{}, false, 0); // 8 + RECT of 9 bytes + 4
    ASSERT_EQ(fws.size(), 21);
    const QByteArray cwsStream = zlibStream(swfBody(Header{}, 0));
    QByteArray damaged = makeSwf(Header{}, true);
    damaged.replace(8, 2, "\x78\x9C\xFF\xFF\xFF", 5); // a valid zlib header, then junk

    const Texts old = headerTexts(oldTexts(false));
    const struct
    {
        const char *name;
        QByteArray bytes;
        Texts texts;
    } cases[] = {
        {"empty file", "", {old.version, old.pixel, old.rate, old.frameCount, true}},
        {"two bytes", "FW", {old.version, old.pixel, old.rate, old.frameCount, true}},
        {"no version", "FWS", {old.version, old.pixel, old.rate, old.frameCount, true}},
        {"no RECT", fws.left(8), {"6", old.pixel, old.rate, old.frameCount, true}},
        {"RECT cut", fws.left(16), {"6", old.pixel, old.rate, old.frameCount, true}},
        {"no rate", fws.left(17), {"6", "550 X 400", old.rate, old.frameCount, true}},
        {"half a rate", fws.left(18), {"6", "550 X 400", old.rate, old.frameCount, true}},
        {"half a count", fws.left(20), {"6", "550 X 400", "12.0", old.frameCount, true}},
        {"Nbits past a short body", QByteArray("FWS\x06\0\0\0\0\xF8\xFF", 10),
         {"6", old.pixel, old.rate, old.frameCount, true}},
        {"damaged stream", damaged, {"6", old.pixel, old.rate, old.frameCount, true}},
        {"not zlib", QByteArray("CWS\x07\0\0\0\0", 8) + fws.mid(8),
         {"7", old.pixel, old.rate, old.frameCount, true}},
        {"stream cut inside the RECT", fws.left(8).replace(0, 1, "C") + cwsStream.left(4),
         {"6", old.pixel, old.rate, old.frameCount, true}},
        {"stream ends before the count", fws.left(8).replace(0, 1, "C")
                                             + zlibStream(swfBody(Header{}, 0).left(11)),
         {"6", "550 X 400", "12.0", old.frameCount, true}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readBytes(c.bytes, oldTexts(false)), c.texts);
    }
}

TEST(SwfHeaderTest, OnlyTheHeaderPartOfAStreamIsInflated)
{
    // The body's tag data after the header is damaged; the header still reads.
    QByteArray bytes = makeSwf(Header{}, true, 5000);
    for (qsizetype i = bytes.size() - 20; i < bytes.size(); ++i)
        bytes[i] = char(0xFF);
    EXPECT_EQ(readBytes(bytes), (Texts{"6", "550 X 400", "12.0", "1", false}));
}

TEST(SwfHeaderTest, OtherSignaturesLeaveTheHeaderTextsAndTheFlag)
{
    for (const bool error : {false, true}) {
        for (const QByteArray &bytes : {QByteArray("GIF89a\x01\0\x01\0\0\0\0", 13),
                                        QByteArray("fws\x06\0\0\0\0\x78\0\0\0\0", 13),
                                        QByteArray("ZWS\x0D", 4)}) {
            SCOPED_TRACE(bytes.left(3).toStdString());
            const SwfHeaderInfo old = oldTexts(error);
            EXPECT_EQ(readBytes(bytes, old), headerTexts(old));
        }
    }
}

using SwfFileTest = lytest::SandboxTest;

TEST_F(SwfFileTest, FileTextsAndHeader)
{
    const QString path = sandbox.writeFile("Movies/Flying Bird.swf", makeSwf(Header{}, true));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2021, 12, 31), QTime(17, 4, 5), QTimeZone::utc()),
                              QFileDevice::FileModificationTime));
    f.close();

    SwfHeaderInfo info = oldTexts(true);
    ReadSwfHeader(path, info);
    EXPECT_EQ(info.type, QStringLiteral("Shockwave Flash Object"));
    EXPECT_EQ(info.name, QStringLiteral("Flying Bird.swf"));
    EXPECT_EQ(info.size, QString::number(QFileInfo(path).size()) + "B");
    EXPECT_EQ(info.date, QStringLiteral("2022-01-01 01:04:05")); // UTC + 8 hours
    EXPECT_EQ(headerTexts(info), (Texts{"6", "550 X 400", "12.0", "1", false}));
}

TEST_F(SwfFileTest, SizeTextsOfFiles)
{
    const QString dot = QLocale::system().decimalPoint();
    // From the files themselves, SWF or not.
    for (const auto &[bytes, text] : {std::pair{1000, QString("1000B")}, {1536, "1" + dot + "5KB"},
                                      {2097152, QString("2MB")}}) {
        const QString path =
            sandbox.writeFile("size.swf", makeSwf(Header{}, false) + QByteArray(bytes - 61, 'x'));
        SwfHeaderInfo info;
        ReadSwfHeader(path, info);
        EXPECT_EQ(info.size, text);
        EXPECT_FALSE(info.error);
    }
}

TEST_F(SwfFileTest, MissingFileSetsTheError)
{
    SwfHeaderInfo info = oldTexts(false);
    ReadSwfHeader(sandbox.root() + "gone.swf", info);
    EXPECT_TRUE(info.error);
    EXPECT_EQ(info.name, QStringLiteral("gone.swf"));
    EXPECT_EQ(info.pixel, QStringLiteral("old pixel"));
    info.error = false;
    ReadSwfHeader(sandbox.root(), info); // a folder
    EXPECT_TRUE(info.error);
}

TEST_F(SwfFileTest, HintUsesTheConfiguredLabels)
{
    SwfHeaderInfo info;
    info.type = "Shockwave Flash Object";
    info.version = "6";
    info.pixel = "550 X 400";
    info.size = "1000B";
    info.rate = "12.0";
    info.frameCount = "1";
    info.date = "2022-01-01 01:04:05";
    info.name = "a.swf";
    EXPECT_EQ(SwfHint(info), QStringLiteral("\r\n"
                                            "[Type]:Shockwave Flash Object   \r\n"
                                            "[Version]:Flash 6   \r\n"
                                            "[Pixel]:550 X 400   \r\n"
                                            "[Size]:1000B   \r\n"
                                            "[Rate]:12.0   \r\n"
                                            "[Frames]:1   \r\n"
                                            "[Date]:2022-01-01 01:04:05   \r\n"
                                            "[Name]:a.swf\r\n"));

    // Without the labels the key names stand in; unset header texts leave their lines out.
    EraseIniSection("Control", ConfigFile());
    WriteConfig("Control", "FileName", "File");
    info.version.clear();
    info.pixel.clear();
    info.rate.clear();
    info.frameCount.clear();
    EXPECT_EQ(SwfHint(info), QStringLiteral("\r\n"
                                            "[FileType]:Shockwave Flash Object   \r\n"
                                            "[FileSize]:1000B   \r\n"
                                            "[FileDate]:2022-01-01 01:04:05   \r\n"
                                            "[File]:a.swf\r\n"));
}

} // namespace
