#include "support/Sandbox.h"

#include "shared/Paths.h"

#include <QDir>

namespace {

using PathsTest = lytest::SandboxTest;

TEST_F(PathsTest, FoldersPointIntoTheSandbox)
{
    EXPECT_EQ(ly::ProgramDir(), sandbox.programDir());
    EXPECT_EQ(ly::TempDir(), sandbox.tempDir());
    EXPECT_EQ(ly::SystemDir() + "/", sandbox.systemDir());
}

TEST_F(PathsTest, AddTrailingBackslash)
{
    EXPECT_EQ(ly::AddTrailingBackslash("/a/b"), QStringLiteral("/a/b/"));
    EXPECT_EQ(ly::AddTrailingBackslash("/a/b/"), QStringLiteral("/a/b/"));
    EXPECT_EQ(ly::AddTrailingBackslash("/"), QStringLiteral("/"));
}

TEST_F(PathsTest, EnsureDirMakesOneLevelOnly)
{
    ly::EnsureDir(sandbox.root() + "one");
    EXPECT_TRUE(QDir(sandbox.root() + "one").exists());
    ly::EnsureDir(sandbox.root() + "two/three");
    EXPECT_FALSE(QDir(sandbox.root() + "two").exists());
}

TEST_F(PathsTest, StoredPathsConvertBothWays)
{
    const QString project = "/home/u/Cards/Card1/";
    EXPECT_EQ(ly::StoredToNative("\\Music\\song.mp3", project),
              QStringLiteral("/home/u/Cards/Card1/Music/song.mp3"));
    EXPECT_EQ(ly::StoredToNative("\\Music\\song.mp3", "/home/u/Cards/Card1"),
              QStringLiteral("/home/u/Cards/Card1/Music/song.mp3"));
    EXPECT_EQ(ly::StoredToNative("/elsewhere/a.mp3", project), QStringLiteral("/elsewhere/a.mp3"));
    EXPECT_EQ(ly::NativeToStored("/home/u/Cards/Card1/Music/song.mp3", project),
              QStringLiteral("\\Music\\song.mp3"));
    EXPECT_EQ(ly::NativeToStored("/home/u/Cards/Card10/x.mp3", project),
              QStringLiteral("/home/u/Cards/Card10/x.mp3"));
    EXPECT_EQ(ly::ProgramPathToNative("\\Project"), sandbox.programDir() + "Project");
    EXPECT_EQ(ly::NativeToProgramPath(sandbox.programDir() + "Blk/a.tmp"),
              QStringLiteral("\\Blk\\a.tmp"));
}

} // namespace
