#include "support/Sandbox.h"

#include "shared/CodePage.h"
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

TEST_F(FileHelpersTest, SanitizedNamesHoldNothingTheStoredFormatsCannot)
{
    ly::codepage::overrideName("windows-1252");
    const struct
    {
        QString name, expected;
    } cases[] = {
        {"a b[1]#2.jpg", "a_b_1__2.jpg"},
        {"line\rbreak\n.jpg", "line_break_.jpg"},
        {QString("tab\tbell") + QChar(7) + QChar(0x7F) + QChar(0x85) + ".gif", "tab_bell___.gif"},
        {"back\\slash.bmp", "back_slash.bmp"},
        {QString::fromUtf8("caf\u00e9 \u00a0no.jpg"), QString::fromUtf8("caf\u00e9__no.jpg")},
        {QString::fromUtf8("\u65e5\u672c.jpg"), "__.jpg"},     // outside the code page
        {QString::fromUtf8("\U0001F600.jpg"), "_.jpg"},          // one character, one "_"
        {QString(QChar(0xD800)) + ".jpg", "_.jpg"},               // a lone surrogate
        {"plain.jpg", "plain.jpg"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(ly::SanitizedFileName(c.name), c.expected);
    }
    ly::codepage::overrideName({});
}

TEST_F(FileHelpersTest, SameFileContentComparesTheBytes)
{
    const QString a = sandbox.writeFile("a", "same bytes");
    const QString b = sandbox.writeFile("b", "same bytes");
    const QString c = sandbox.writeFile("c", "same bytez");
    EXPECT_TRUE(ly::SameFileContent(a, b));
    EXPECT_FALSE(ly::SameFileContent(a, c));
    EXPECT_FALSE(ly::SameFileContent(a, sandbox.writeFile("d", "same")));
    EXPECT_FALSE(ly::SameFileContent(a, sandbox.root() + "missing"));
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
