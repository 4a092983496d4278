#include "support/Sandbox.h"
#include "support/ToolRunner.h"

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

TEST_F(IniToolTest, FailureExitsOneWithTheMessage)
{
    const QString file = sandbox.root() + "missing/dir/t.ini";
    const lytest::ToolResult r = runTool({"ini", "set", file, "S", "k", "v"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, ("Unable to write to " + file + "\n").toUtf8());
}

} // namespace
