#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QFile>

namespace {

using lytest::runTool;

TEST(ToolTest, HelpListsEveryCommand)
{
    const lytest::ToolResult r = runTool({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("ini "));
}

TEST(ToolTest, WrongUsageExitsTwo)
{
    EXPECT_EQ(runTool({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(runTool({}).exitCode, 2);
    const lytest::ToolResult r = runTool({"ini", "get", "only-a-file"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("usage: lyrabell-tool ini"));
}

using IniToolTest = lytest::SandboxTest;

TEST_F(IniToolTest, SetGetErase)
{
    const QString file = sandbox.root() + "t.ini";
    EXPECT_EQ(runTool({"ini", "set", file, "S", "k", "some value"}).exitCode, 0);
    EXPECT_EQ(runTool({"ini", "get", file, "s", "K"}).out, QByteArray("some value\n"));
    EXPECT_EQ(runTool({"ini", "get", file, "S", "missing", "dflt"}).out, QByteArray("dflt\n"));
    EXPECT_EQ(runTool({"ini", "erase", file, "S"}).exitCode, 0);
    EXPECT_EQ(lytest::readFile(file), QByteArray());
}

TEST_F(IniToolTest, CodePageFromTheEnvironment)
{
    const QString file = sandbox.root() + "cp.ini";
    const QByteArray before = qgetenv("LYRABELL_CODEPAGE");
    const bool had = qEnvironmentVariableIsSet("LYRABELL_CODEPAGE");
    const struct
    {
        const char *codepage;
        QByteArray stored;
    } cases[] = {
        {"windows-1252", QByteArray("[S]\r\nk=caf\xe9\r\n")},
        {"utf-8", QByteArray("[S]\r\nk=caf\xc3\xa9\r\n")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.codepage);
        QFile::remove(file);
        qputenv("LYRABELL_CODEPAGE", c.codepage);
        const int code = runTool({"ini", "set", file, "S", "k", QStringLiteral("caf\u00e9")}).exitCode;
        EXPECT_EQ(code, 0);
        EXPECT_EQ(lytest::readFile(file), c.stored);
    }
    if (had)
        qputenv("LYRABELL_CODEPAGE", before);
    else
        qunsetenv("LYRABELL_CODEPAGE");
}

TEST_F(IniToolTest, FailureExitsOneWithTheMessage)
{
    const QString file = sandbox.root() + "missing/dir/t.ini";
    const lytest::ToolResult r = runTool({"ini", "set", file, "S", "k", "v"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, ("Unable to write to " + file + "\n").toUtf8());
}

} // namespace
