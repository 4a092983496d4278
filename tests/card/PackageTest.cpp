#include "PackageFixtures.h"

#include "card/Package.h"
#include "support/Sandbox.h"

#include "shared/CodePage.h"

#include <QDir>
#include <QFile>

namespace {

using namespace packagetest;
using lytest::readFile;

using PackageTest = lytest::SandboxTest;

TEST_F(PackageTest, CompressFileWritesLengthAndZlibStreamAtTheLevelOfTheIndex)
{
    const QByteArray data = QByteArray("an example text, an example text, ").repeated(40)
                            + randomBytes(300, 1);
    const QString source = sandbox.writeFile("a.txt", data);
    const QString target = sandbox.writeFile("a.txt.tmp", "an older, longer file to be replaced");
    const struct
    {
        int levelIndex;
        int zlibLevel;
    } cases[] = {{0, 0}, {1, 1}, {2, Z_DEFAULT_COMPRESSION}, {3, 9}};
    for (const auto &c : cases) {
        ly::CompressFile(source, target, c.levelIndex);
        EXPECT_EQ(readFile(target), le64(data.size()) + zlibStream(data, c.zlibLevel))
            << "level index " << c.levelIndex;
    }
    EXPECT_THROW(ly::CompressFile(source, target, 4), ly::Error);
    EXPECT_THROW(ly::CompressFile(sandbox.root() + "missing", target, 3), ly::Error);
}

TEST_F(PackageTest, DecompressFileRestoresTheFileAndReplacesTheTarget)
{
    const QByteArray data = randomBytes(70000, 2) + QByteArray(50000, 'x');
    const QString source = sandbox.writeFile("m.tmp", member(data));
    const QString target = sandbox.writeFile("out.bin", QByteArray(200000, 'o'));
    ly::DecompressFile(source, target);
    EXPECT_EQ(readFile(target), data);

    const QString empty = sandbox.writeFile("e.tmp", member(QByteArray()));
    ly::DecompressFile(empty, target);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(readFile(target), QByteArray());
}

TEST_F(PackageTest, DecompressFileRefusesAMemberThatDoesNotMatchItsLengthAndKeepsTheTarget)
{
    const QByteArray data = QByteArray("payload ").repeated(1000);
    const QByteArray stream = zlibStream(data);
    QByteArray corrupt = member(data);
    corrupt[20] = char(corrupt[20] ^ 0x55);
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"length one too large", le64(data.size() + 1) + stream},
        {"length one too small", le64(data.size() - 1) + stream},
        {"huge length", le64(qint64(1) << 62) + stream},
        {"negative length", le64(-1) + stream},
        {"stream cut short", le64(data.size()) + stream.chopped(5)},
        {"bytes after the stream's end", le64(data.size()) + stream + "extra"},
        {"corrupt stream", corrupt},
        {"no stream", le64(0)},
        {"shorter than the length", QByteArray("\x05\0\0", 3)},
        {"raw deflate instead of zlib", le64(data.size()) + stream.mid(2)},
    };
    const QString target = sandbox.writeFile("out.bin", "kept");
    for (const auto &c : cases) {
        const QString source = sandbox.writeFile("bad.tmp", c.bytes);
        EXPECT_THROW(ly::DecompressFile(source, target), ly::Error) << c.what;
        EXPECT_EQ(readFile(target), QByteArray("kept")) << c.what;
    }
    EXPECT_EQ(QDir(sandbox.root()).entryList(QDir::Files).size(), 2); // no scratch files left
}

TEST_F(PackageTest, AppendFileAppendsTheWholeSourceOrLeavesTheTargetAsItWas)
{
    const QByteArray data = randomBytes(3 * 1024 * 1024 + 17, 3);
    const QString source = sandbox.writeFile("source", data);
    const QString target = sandbox.writeFile("target", "head");
    EXPECT_TRUE(ly::AppendFile(source, target));
    EXPECT_EQ(readFile(target), "head" + data);

    EXPECT_TRUE(ly::AppendFile(sandbox.writeFile("empty", {}), target));
    EXPECT_EQ(readFile(target).size(), 4 + data.size());

    const QString missing = sandbox.root() + "missing";
    EXPECT_FALSE(ly::AppendFile(source, missing));
    EXPECT_FALSE(QFile::exists(missing)) << "the target must exist; it is not created";
    EXPECT_FALSE(ly::AppendFile(missing, target));
    EXPECT_FALSE(ly::AppendFile(sandbox.root(), target)) << "a folder is no source";
    EXPECT_EQ(readFile(target).size(), 4 + data.size());
}

TEST(PackageIndexTest, SplitLinesEndsLinesAtCrLfCrOrLf)
{
    const struct
    {
        const char *text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\n", {"a", "b", "c"}},
        {"\r\n", {""}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ly::package::splitLines(QString::fromLatin1(c.text)), c.lines) << c.text;
}

TEST(PackageIndexTest, ItemValueFindsTheFirstItemOfTheKeyWhateverItsCase)
{
    const QString line = QStringLiteral("FileName=a=b.mp3.tmp#filesize=12#FileSize=99#junk");
    EXPECT_EQ(ly::package::itemValue(line, u"FileName"), QStringLiteral("a=b.mp3.tmp"));
    EXPECT_EQ(ly::package::itemValue(line, u"FILESIZE"), QStringLiteral("12"));
    EXPECT_TRUE(ly::package::itemValue(line, u"junk").isNull());
    EXPECT_TRUE(ly::package::itemValue(line, u"Size").isNull());
    EXPECT_EQ(ly::package::itemValue(QStringLiteral("Id=Music#FileName="), u"FileName"),
              QString(""));
}

TEST(PackageIndexTest, OnlyNamesTheIndexCanHoldAreStorable)
{
    EXPECT_TRUE(ly::package::isStorableName(QStringLiteral("my song [1].mp3")));
    EXPECT_FALSE(ly::package::isStorableName(QStringLiteral("song #1.mp3")));
    EXPECT_FALSE(ly::package::isStorableName(QStringLiteral("two\nlines")));
    EXPECT_FALSE(ly::package::isStorableName(QStringLiteral("carriage\rreturn")));
    ly::codepage::overrideName("WINDOWS-1252");
    EXPECT_TRUE(ly::package::isStorableName(QStringLiteral("caf\u00e9.jpg")));
    EXPECT_FALSE(ly::package::isStorableName(QStringLiteral("\u6f22.jpg")));
    ly::codepage::overrideName({});
}

} // namespace
