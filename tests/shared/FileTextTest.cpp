#include "support/Sandbox.h"

#include "shared/Error.h"
#include "shared/FileText.h"
#include "shared/Log.h"

#include <QDate>
#include <QLocale>

namespace {

using FileTextTest = lytest::SandboxTest;

TEST_F(FileTextTest, SizeTexts)
{
    const QString dot = QLocale::system().decimalPoint();
    const struct
    {
        uint32_t bytes;
        QString text;
    } cases[] = {
        {0, "1KB"},           {1023, "1KB"},          {1024, "1KB"},
        {1048575, "1023KB"},  {1048576, "1MB"},        {1536 * 1024, "1" + dot + "5MB"},
        {2048 * 1024, "2MB"}, {0xFFFFFFFFu, "4096MB"},
        // 1075 KB = 1.0498 MB gives 1MB; halves go to the even neighbour: 1280 KB = 1.25 MB,
        // 1792 KB = 1.75 MB.
        {1075 * 1024, "1MB"}, {1280 * 1024, "1" + dot + "2MB"}, {1792 * 1024, "1" + dot + "8MB"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ly::SizeTextOf(c.bytes), c.text);
    }
    const QString file = sandbox.writeFile("f.bin", QByteArray(1500, 'x'));
    EXPECT_EQ(ly::SizeText(file), QStringLiteral("1KB"));
    EXPECT_EQ(ly::ByteCountText(file), QStringLiteral("1500"));
    EXPECT_THROW(ly::FileSizeOf(sandbox.root() + "missing"), ly::Error);
}

TEST(DetailSizeTextTest, BytesKilobytesMegabytes)
{
    const QString dot = QLocale::system().decimalPoint();
    const struct
    {
        uint32_t bytes;
        QString text;
    } cases[] = {
        {0, "0B"},
        {37, "37B"},
        {1000, "1000B"},
        {1023, "1023B"},
        {1024, "1KB"},
        {1075, "1KB"}, // 1.0498
        {1536, "1" + dot + "5KB"},
        // Halves go to the even neighbour: 1.25 KB and 1.75 KB.
        {1280, "1" + dot + "2KB"},
        {1792, "1" + dot + "8KB"},
        {12 * 1024 + 20, "12KB"},
        {1000000, "976" + dot + "6KB"},
        {1048575, "1024KB"},
        {1048576, "1MB"},
        {2097152, "2MB"},
        {3 * 1048576, "3MB"},
        {0xFFFFFFFFu, "4096MB"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ly::DetailSizeText(c.bytes), c.text);
    }
}

TEST(SecondsToHmsTest, NoLeadingZeros)
{
    EXPECT_EQ(ly::SecondsToHms(3725), QStringLiteral("1:2:5"));
    EXPECT_EQ(ly::SecondsToHms(59), QStringLiteral("0:0:59"));
    EXPECT_EQ(ly::SecondsToHms(3600), QStringLiteral("1:0:0"));
}

TEST_F(FileTextTest, LogAppendsTimedLines)
{
    ly::WriteLog("first");
    ly::WriteLog("second");
    const QByteArray log = lytest::readFile(ly::LogFileOf(QDate::currentDate()));
    const QList<QByteArray> lines = log.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("    first\r"));
    EXPECT_TRUE(lines[1].endsWith("    second\r"));
    EXPECT_EQ(lines[0].indexOf("    "), 8); // "hh:mm:ss"
    EXPECT_TRUE(lines[2].isEmpty());
}

} // namespace
