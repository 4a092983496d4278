#include "support/MediaFixtures.h"
#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

namespace {

using lytest::runTool;

using MediaToolTest = lytest::SandboxTest;

TEST_F(MediaToolTest, PrintsTheLengthOfEverySoundAndMovieType)
{
    static const QRegularExpression line(QStringLiteral("^length_ms=(\\d+) tracks=1\n$"));
    for (const QString &file : lytest::writeMediaSet(sandbox.root() + "media")) {
        SCOPED_TRACE(file.toStdString());
        const lytest::ToolResult r = runTool({"media", file}, 10000);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QRegularExpressionMatch m = line.match(QString::fromUtf8(r.out));
        ASSERT_TRUE(m.hasMatch()) << r.out.toStdString();
        EXPECT_NEAR(m.captured(1).toDouble(), 3000.0, 150.0);
    }
}

TEST_F(MediaToolTest, AnUnplayableFileExitsOneWithTheErrorText)
{
    const QString text = sandbox.writeFile("letter.mp3", "Dear friend, this is no song.\n");
    const lytest::ToolResult r = runTool({"media", text}, 10000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Cannot play") && r.err.contains("letter.mp3")) << r.err.toStdString();

    const lytest::ToolResult missing = runTool({"media", sandbox.root() + "none.wav"}, 10000);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("does not exist")) << missing.err.toStdString();
}

TEST_F(MediaToolTest, RecordsTheDefaultInputForTheGivenTime)
{
    if (!lytest::haveSoundDevices())
        GTEST_SKIP() << "no sound device: run through ./test.sh, which starts a PulseAudio null source";
    const QString out = sandbox.root() + "out.wav";
    const lytest::ToolResult r = runTool({"record", "2", out}, 20000);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    // Read back by Python's own wave module.
    const lytest::ToolResult py = lytest::runProgram(
        "/usr/bin/python3",
        {"-c", "import sys, wave\n"
               "w = wave.open(sys.argv[1])\n"
               "print(w.getnchannels(), w.getsampwidth() * 8, w.getframerate(), w.getnframes())\n",
         out});
    ASSERT_EQ(py.exitCode, 0) << py.err.toStdString();
    const QStringList fields = QString::fromUtf8(py.out).split(' ');
    ASSERT_EQ(fields.size(), 4) << py.out.toStdString();
    EXPECT_EQ(fields[0], "1");
    EXPECT_EQ(fields[1], "8");
    EXPECT_EQ(fields[2], "11025");
    EXPECT_NEAR(fields[3].toDouble(), 22050.0, 2205.0);

    const QByteArray bytes = lytest::readFile(out);
    ASSERT_GE(bytes.size(), 44);
    const auto riffSize = qFromLittleEndian<uint32_t>(bytes.constData() + 4);
    EXPECT_EQ(riffSize, uint32_t(bytes.size() - 8));
}

TEST_F(MediaToolTest, RecordRefusesABadLength)
{
    for (const char *seconds : {"0", "-1", "two", "99999"}) {
        SCOPED_TRACE(seconds);
        const lytest::ToolResult r = runTool({"record", seconds, sandbox.root() + "x.wav"}, 10000);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("seconds")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(sandbox.root() + "x.wav"));
    }
    EXPECT_EQ(runTool({"record", "1"}).exitCode, 2);
}

} // namespace
