#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QDir>

namespace {

using lytest::readFile;
using lytest::runTool;

using PackageToolTest = lytest::SandboxTest;

TEST_F(PackageToolTest, PacksListsAndUnpacksAFolder)
{
    sandbox.writeFile("Music/b song.mp3", QByteArray("music ").repeated(1000));
    sandbox.writeFile("Music/a.wav", QByteArray(5000, '\x80'));
    sandbox.writeFile("Music/Thumbs.db", "cache");

    const lytest::ToolResult packed = runTool({"pack", sandbox.root() + "Music/"});
    ASSERT_EQ(packed.exitCode, 0) << packed.err.toStdString();
    const QString package = sandbox.root() + "Music.tmp";
    EXPECT_EQ(packed.out, (package + "\n").toUtf8());

    const lytest::ToolResult listed = runTool({"list", package});
    EXPECT_EQ(listed.exitCode, 0);
    const QList<QByteArray> lines = listed.out.split('\n');
    ASSERT_EQ(lines.size(), 3) << listed.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("FileName=a.wav.tmp#FileSize="));
    EXPECT_TRUE(lines[1].startsWith("FileName=b song.mp3.tmp#FileSize="));
    EXPECT_EQ(lines[2], QByteArray());
    EXPECT_FALSE(listed.out.contains('\r'));

    const lytest::ToolResult unpacked = runTool({"unpack", package, sandbox.root() + "out"});
    EXPECT_EQ(unpacked.exitCode, 0) << unpacked.err.toStdString();
    EXPECT_EQ(QDir(sandbox.root() + "out").entryList(QDir::Files),
              QStringList({"a.wav", "b song.mp3"}));
    EXPECT_EQ(readFile(sandbox.root() + "out/b song.mp3"), readFile(sandbox.root() + "Music/b song.mp3"));
}

TEST_F(PackageToolTest, FailuresExitOneWithTheMessage)
{
    const QString zero = sandbox.writeFile("zero.tmp", QByteArray(8, '\0'));
    const QString escaping = sandbox.writeFile(
        "escaping.tmp", QByteArray("xxxxxxxxxxxFileName=../x.tmp#FileSize=11\r\n") + '\x23'
                            + QByteArray(3, '\0'));
    const QString dest = sandbox.root() + "dest";
    const struct
    {
        QStringList args;
        QByteArray err;
    } cases[] = {
        {{"unpack", sandbox.root() + "none.tmp", dest}, "Did not find out this material document.\n"},
        {{"unpack", zero, dest}, "The procedure carried out the illegal operation, will soon close.\n"},
        {{"list", zero}, "The procedure carried out the illegal operation, will soon close.\n"},
        {{"unpack", escaping, dest},
         "Execuse me, the procedure want for document, may read to put to have the mistake.\n"},
        {{"pack", sandbox.root() + "no folder"}, {}},
    };
    for (const auto &c : cases) {
        const lytest::ToolResult r = runTool(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args.join(' ').toStdString();
        if (!c.err.isEmpty()) {
            EXPECT_EQ(r.err, c.err) << c.args.join(' ').toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(sandbox.root() + "x"));
}

TEST(PackageToolUsageTest, WrongArgumentsExitTwo)
{
    const struct
    {
        QStringList args;
        QByteArray usage;
    } cases[] = {
        {{"pack"}, "usage: lyrabell-tool pack FOLDER\n"},
        {{"unpack", "p.tmp"}, "usage: lyrabell-tool unpack PACKAGE DEST\n"},
        {{"list", "a", "b"}, "usage: lyrabell-tool list FILE\n"},
    };
    for (const auto &c : cases) {
        const lytest::ToolResult r = runTool(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, c.usage);
    }
}

} // namespace
