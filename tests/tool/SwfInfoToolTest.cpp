#include "support/Sandbox.h"
#include "support/SwfFixture.h"
#include "support/ToolRunner.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

namespace {

using lytest::runTool;

class SwfInfoToolTest : public lytest::SandboxTest
{
protected:
    // Writes the file with a known last-write time, 2020-02-29 23:59:30 UTC.
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = sandbox.writeFile(name, bytes);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite));
        EXPECT_TRUE(f.setFileTime(QDateTime(QDate(2020, 2, 29), QTime(23, 59, 30),
                                            QTimeZone::utc()),
                                  QFileDevice::FileModificationTime));
        return path;
    }
};

TEST_F(SwfInfoToolTest, PrintsTheNineTexts)
{
    lytest::SwfFields fields;
    fields.rateInteger = 24;
    fields.rateFraction = 128;
    fields.frames = 300;
    fields.version = 8;
    const QByteArray fws = lytest::makeSwf(fields, false, 1000 - 21); // 1000 bytes
    ASSERT_EQ(fws.size(), 1000);
    const QByteArray expected("type=Shockwave Flash Object\n"
                              "pixel=550 X 400\n"
                              "version=8\n"
                              "size=1000B\n"
                              "rate=24.128\n"
                              "frames=300\n"
                              "date=2020-03-01 07:59:30\n"
                              "name=movie clip.swf\n"
                              "error=0\n");
    lytest::ToolResult r = runTool({"swfinfo", write("movie clip.swf", fws)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, expected);

    // The compressed twin differs only in its size.
    const QByteArray cws = lytest::makeSwf(fields, true, 1000 - 21);
    r = runTool({"swfinfo", write("sub/movie clip.swf", cws)});
    const QByteArray size = "size=" + QByteArray::number(cws.size()) + "B";
    EXPECT_EQ(r.out, QByteArray(expected).replace("size=1000B", size));
}

TEST_F(SwfInfoToolTest, NoSwfAndDamagedFiles)
{
    const QString gifFile = write("p.gif", QByteArray("GIF89a\x01\0\x01\0", 10));
    const lytest::ToolResult gif = runTool({"swfinfo", gifFile});
    EXPECT_EQ(gif.exitCode, 0);
    EXPECT_EQ(gif.out, QByteArray("type=Shockwave Flash Object\n"
                                  "pixel=\n"
                                  "version=\n"
                                  "size=10B\n"
                                  "rate=\n"
                                  "frames=\n"
                                  "date=2020-03-01 07:59:30\n"
                                  "name=p.gif\n"
                                  "error=0\n"));

    const QByteArray damaged = QByteArray("CWS\x09\0\0\0\0", 8) + QByteArray(64, '\xEE');
    const lytest::ToolResult bad = runTool({"swfinfo", write("bad.swf", damaged)});
    EXPECT_EQ(bad.exitCode, 0);
    EXPECT_TRUE(bad.out.contains("\nversion=9\n"));
    EXPECT_TRUE(bad.out.contains("\npixel=\n"));
    EXPECT_TRUE(bad.out.endsWith("\nerror=1\n"));
}

TEST_F(SwfInfoToolTest, MissingFileAndWrongUsage)
{
    const QString missing = sandbox.root() + "none.swf";
    const lytest::ToolResult r = runTool({"swfinfo", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, ("Cannot open file \"" + missing + "\"\n").toUtf8());
    EXPECT_EQ(runTool({"swfinfo"}).exitCode, 2);
    EXPECT_EQ(runTool({"swfinfo", missing, missing}).exitCode, 2);
}

} // namespace
