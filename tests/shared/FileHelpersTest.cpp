#include "support/Sandbox.h"

#include "shared/FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using lytest::readFile;

using FileHelpersTest = lytest::SandboxTest;

TEST_F(FileHelpersTest, SanitizeFileNameRenamesOnlyTheNamePart)
{
    const struct
    {
        const char *folder;
        const char *name;
        const char *expected;
    } cases[] = {
        {"My Music [old]/", "a b[1]#2.mp3", "a_b_1__2.mp3"},
        {"plain/", "song.mp3", "song.mp3"},
        {"with space/", "x.mp3", "x.mp3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = sandbox.root() + c.folder;
        const QString original = sandbox.writeFile(QString(c.folder) + c.name, "data");
        const QString result = ly::SanitizeFileName(original);
        EXPECT_EQ(result, folder + c.expected);
        EXPECT_EQ(readFile(result), QByteArray("data"));
        EXPECT_EQ(QFileInfo::exists(original), result == original);
    }
}

TEST_F(FileHelpersTest, SanitizeFileNameNeverReturnsAnotherFile)
{
    // "a_b.mp3" already exists: the renamed file must not be confused with it.
    const QString taken = sandbox.writeFile("m/a_b.mp3", "other");
    const QString original = sandbox.writeFile("m/a b.mp3", "mine");
    const QString result = ly::SanitizeFileName(original);
    EXPECT_EQ(result, sandbox.root() + "m/a_b_1.mp3");
    EXPECT_EQ(readFile(result), QByteArray("mine"));
    EXPECT_EQ(readFile(taken), QByteArray("other"));
}

TEST_F(FileHelpersTest, SanitizeFileNameWithoutFileStillGivesTheNewPath)
{
    EXPECT_EQ(ly::SanitizeFileName(QString()), QString());
    EXPECT_EQ(ly::SanitizeFileName(sandbox.root() + "gone#1.wav"), sandbox.root() + "gone_1.wav");
}

TEST_F(FileHelpersTest, DeleteFolderTree)
{
    sandbox.writeFile("tree/a.txt", "a");
    sandbox.writeFile("tree/sub/deeper/b.txt", "b");
    const QString outside = sandbox.writeFile("outside/keep.txt", "keep");
    // A link inside the tree goes, the folder it points to stays.
    ASSERT_TRUE(QFile::link(sandbox.root() + "outside", sandbox.root() + "tree/sub/link"));

    EXPECT_TRUE(ly::DeleteFolderTree(sandbox.root() + "tree"));
    EXPECT_FALSE(QFileInfo::exists(sandbox.root() + "tree"));
    EXPECT_EQ(readFile(outside), QByteArray("keep"));

    EXPECT_FALSE(ly::DeleteFolderTree(sandbox.root() + "tree"));
    EXPECT_FALSE(ly::DeleteFolderTree(QString())) << "an empty path is not the current folder";
    EXPECT_FALSE(ly::DeleteFolderTree(outside)) << "a file is not a folder";
    EXPECT_TRUE(QFileInfo::exists(outside));
}

TEST_F(FileHelpersTest, CopyFileReplacingAndIfAbsent)
{
    const QString from = sandbox.writeFile("from.txt", "new");
    const QString to = sandbox.writeFile("to.txt", "old content");

    EXPECT_FALSE(ly::CopyFileIfAbsent(from, to));
    EXPECT_EQ(readFile(to), QByteArray("old content"));
    EXPECT_TRUE(ly::CopyFileReplacing(from, to));
    EXPECT_EQ(readFile(to), QByteArray("new"));

    EXPECT_FALSE(ly::CopyFileReplacing(sandbox.root() + "missing", to));
    EXPECT_EQ(readFile(to), QByteArray("new")) << "a failed copy leaves the target";

    const QString fresh = sandbox.root() + "fresh.txt";
    EXPECT_TRUE(ly::CopyFileIfAbsent(from, fresh));
    EXPECT_EQ(readFile(fresh), QByteArray("new"));
    // No temporary files stay behind.
    EXPECT_EQ(QDir(sandbox.root()).entryList(QDir::Files).size(), 3);
}

} // namespace
