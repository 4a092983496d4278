#include "PackageFixtures.h"

#include "card/CardFile.h"
#include "card/Package.h"
#include "shared/Error.h"
#include "support/Sandbox.h"

#include <QDir>

namespace {

using lytest::readFile;
using CardFileTest = lytest::SandboxTest;

// A card made by hand from the layout: the stub, the entries' data, the table and trailer.
QByteArray cardOf(const QByteArray &stub, const QList<std::pair<QByteArray, QByteArray>> &entries)
{
    QByteArray data;
    QByteArray table;
    for (const auto &[line, bytes] : entries) {
        data += bytes;
        table += line + "\r\n";
    }
    return stub + data + table + packagetest::le32(quint32(table.size() + 4));
}

TEST_F(CardFileTest, WritesTheTableAndTrailerTheLayoutDescribes)
{
    EXPECT_EQ(ly::card::entryLine("Music", "Music.Tmp", 512), "Id=Music#FileName=Music.Tmp#Size=512");
    EXPECT_EQ(ly::card::tableAndTrailer({"Id=zpj#FileName=a b.zpj#Size=7"}),
              QByteArray("Id=zpj#FileName=a b.zpj#Size=7\r\n") + packagetest::le32(36));
    EXPECT_EQ(ly::card::tableAndTrailer({}), packagetest::le32(4));
}

TEST_F(CardFileTest, ReadsAndExtractsTheEntriesBehindTheStub)
{
    const QString card = sandbox.writeFile(
        "Rose.exe", cardOf(QByteArray("STUB\0\0STUB", 10), {{"Id=Music#FileName=Music.Tmp#Size=5", "music"},
                                            {"Id=Movie#FileName=my film.avi#Size=0", ""},
                                            {"Id=zpj#FileName=Rose.zpj#Size=8", "[System]"}}));

    const QList<ly::card::Entry> entries = ly::card::readEntries(card);

    ASSERT_EQ(entries.size(), 3);
    const struct
    {
        const char *id, *name;
        qint64 offset, size;
    } expected[] = {{"Music", "Music.Tmp", 10, 5}, {"Movie", "my film.avi", 15, 0},
                    {"zpj", "Rose.zpj", 15, 8}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].id, expected[i].id);
        EXPECT_EQ(entries[i].fileName, expected[i].name);
        EXPECT_EQ(entries[i].offset, expected[i].offset) << expected[i].name;
        EXPECT_EQ(entries[i].size, expected[i].size) << expected[i].name;
    }

    ly::card::extractCard(card, sandbox.root() + "out");
    EXPECT_EQ(QDir(sandbox.root() + "out").entryList(QDir::Files, QDir::Name),
              QStringList({"Music.Tmp", "Rose.zpj", "my film.avi"}));
    EXPECT_EQ(readFile(sandbox.root() + "out/Music.Tmp"), "music");
    EXPECT_EQ(readFile(sandbox.root() + "out/my film.avi"), "");
    EXPECT_EQ(readFile(sandbox.root() + "out/Rose.zpj"), "[System]");
}

TEST_F(CardFileTest, RefusesTablesThatDoNotFitBeforeWritingAnything)
{
    const struct
    {
        const char *what;
        QByteArray line;
    } cases[] = {
        {"a name with a folder", "Id=zpj#FileName=../evil.zpj#Size=4"},
        {"a name with a backslash", "Id=zpj#FileName=..\\evil.zpj#Size=4"},
        {"a name that is the parent", "Id=zpj#FileName=..#Size=4"},
        {"no name", "Id=zpj#Size=4"},
        {"a size that is no number", "Id=zpj#FileName=a.zpj#Size=4x"},
        {"a negative size", "Id=zpj#FileName=a.zpj#Size=-4"},
        {"a size beyond the file's start", "Id=zpj#FileName=a.zpj#Size=400"},
    };
    for (const auto &c : cases) {
        // The good entry comes last, so it would be extracted first.
        const QString card = sandbox.writeFile(
            "bad.exe", cardOf("STUB", {{c.line, "data"}, {"Id=zpj#FileName=ok.zpj#Size=2", "ok"}}));
        EXPECT_THROW(ly::card::readEntries(card), ly::Error) << c.what;
        EXPECT_THROW(ly::card::extractCard(card, sandbox.root() + "dest/inner"), ly::Error) << c.what;
        EXPECT_TRUE(QDir(sandbox.root() + "dest/inner").isEmpty()) << c.what;
        EXPECT_FALSE(QFile::exists(sandbox.root() + "dest/evil.zpj")) << c.what;
    }

    const QString zero = sandbox.writeFile("zero.exe", QByteArray("STUB") + packagetest::le32(0));
    try {
        ly::card::readEntries(zero);
        ADD_FAILURE() << "a zero trailer was read";
    } catch (const ly::PackageError &e) {
        EXPECT_EQ(e.text(), ly::kZeroTrailerText);
    }
    EXPECT_THROW(ly::card::readEntries(sandbox.root() + "missing.exe"), ly::Error);
}

} // namespace
