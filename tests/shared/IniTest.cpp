#include "support/Sandbox.h"

#include "shared/CodePage.h"
#include "shared/Error.h"
#include "shared/Ini.h"
#include "shared/Settings.h"

#include <QFile>

namespace {

using lytest::readFile;

class IniTest : public lytest::SandboxTest
{
protected:
    QString file(const QByteArray &bytes)
    {
        return sandbox.writeFile(QStringLiteral("a.ini"), bytes);
    }
};

struct ReadCase
{
    const char *name;
    QByteArray content;
    const char *section;
    const char *key;
    const char *expected;
};

TEST_F(IniTest, ReadsValuesByProfileRules)
{
    const ReadCase cases[] = {
        {"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"names ignore case", "[Sec]\r\nKey=v\r\n", "sEC", "kEY", "v"},
        {"value trimmed, after the first =", "[S]\r\n  k  =  a=b c  \r\n", "S", "k", "a=b c"},
        {"missing key gives the default", "[S]\r\nk=v\r\n", "S", "x", "dflt"},
        {"missing section gives the default", "[S]\r\nk=v\r\n", "T", "k", "dflt"},
        {"key of another section is not seen", "[S]\r\nk=v\r\n[T]\r\nj=w\r\n", "S", "j", "dflt"},
        {"comment is not a key", "[S]\r\n;k=v\r\n", "S", "k", "dflt"},
        {"first of duplicate keys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
        {"LF-only line ends", "[S]\nk=v\n", "S", "k", "v"},
        {"no line end at the end", "[S]\r\nk=v", "S", "k", "v"},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"odd lines ignored", "[S]\r\nnonsense\r\n=x\r\nk=v\r\n", "S", "k", "v"},
        {"section name trimmed", "[ S ]\r\nk=v\r\n", "S", "k", "v"},
        {"text after the closing bracket", "[S] ; note\r\nk=v\r\n", "S", "k", "v"},
        {"semicolon inside a value", "[S]\r\nk=a;b\r\n", "S", "k", "a;b"},
        {"tabs are blanks", "[S]\r\n\tk\t=\tv w \t\r\n", "S", "k", "v w"},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ly::ini::read(file(c.content), QString::fromLatin1(c.section),
                                QString::fromLatin1(c.key), QStringLiteral("dflt")),
                  QString::fromLatin1(c.expected));
    }
}

TEST_F(IniTest, ReadsAtMost2047Characters)
{
    const QByteArray longValue(3000, 'x');
    const QString path = file("[S]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(ly::ini::read(path, "S", "k"), QString(2047, QLatin1Char('x')));

    // A character outside the basic plane that the cut would split is left out whole.
    const QString clef = QStringLiteral("\U0001D11E");
    const QString split = file("[S]\r\nk=" + QByteArray(2046, 'y') + clef.toUtf8() + "z\r\n");
    EXPECT_EQ(ly::ini::read(split, "S", "k"), QString(2046, QLatin1Char('y')));
    const QString whole = file("[S]\r\nk=" + QByteArray(2045, 'y') + clef.toUtf8() + "z\r\n");
    EXPECT_EQ(ly::ini::read(whole, "S", "k"), QString(2045, QLatin1Char('y')) + clef);
}

TEST_F(IniTest, MissingFileReadsDefault)
{
    EXPECT_EQ(ly::ini::read(sandbox.root() + "none.ini", "S", "k", "d"), QStringLiteral("d"));
}

struct WriteCase
{
    const char *name;
    QByteArray before;
    const char *section;
    const char *key;
    const char *value;
    QByteArray after;
};

TEST_F(IniTest, WritesInPlaceAndAppends)
{
    const WriteCase cases[] = {
        {"replaces where the key stands, keeps the stored key name",
         "; c\r\n[S]\r\nKey = old\r\nz=1\r\n", "s", "KEY", "new",
         "; c\r\n[S]\r\nKey=new\r\nz=1\r\n"},
        {"appends at the end of its section, before the blank line",
         "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n", "A", "n", "v",
         "[A]\r\na=1\r\nn=v\r\n\r\n[B]\r\nb=2\r\n"},
        {"appends after the header of an empty section", "[A]\r\n[B]\r\n", "A", "n", "v",
         "[A]\r\nn=v\r\n[B]\r\n"},
        {"appends a missing section at the end", "[A]\r\na=1\r\n", "B", "b", "2",
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"ends an unterminated last line first", "[A]\r\na=1", "A", "b", "2",
         "[A]\r\na=1\r\nb=2\r\n"},
        {"keeps odd lines and LF line ends byte for byte", "x y z\n[A]\n;note\na=1\n", "A",
         "a", "2", "x y z\n[A]\n;note\na=2\r\n"},
        {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"a commented-out key is not the key", "[S]\r\n;k=old\r\nk=1\r\n", "S", "k", "2",
         "[S]\r\n;k=old\r\nk=2\r\n"},
        {"new section after an unterminated last line", "[A]\r\na=1", "B", "b", "2",
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"blanks around a value are written as given", "[S]\r\n", "S", "k", " v ",
         "[S]\r\nk= v \r\n"},
    };
    for (const WriteCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file(c.before);
        ly::ini::write(path, QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                       QString::fromLatin1(c.value));
        EXPECT_EQ(readFile(path), c.after);
    }
}

TEST_F(IniTest, WriteCreatesMissingFile)
{
    const QString path = sandbox.root() + "new.ini";
    ly::ini::write(path, "S", "k", "v");
    EXPECT_EQ(readFile(path), QByteArray("[S]\r\nk=v\r\n"));
}

TEST_F(IniTest, UnwritableValuesRaiseTheSystemText)
{
    const QString path = file("[S]\r\nk=v\r\n");
    const QString missingFolder = sandbox.root() + "no/such/dir/x.ini";
    try {
        ly::ini::write(missingFolder, "S", "k", "v");
        FAIL() << "no error raised";
    } catch (const ly::Error &e) {
        EXPECT_EQ(e.text(), "Unable to write to " + missingFolder);
    }
    // A line break would start a new line and inject keys.
    EXPECT_THROW(ly::ini::write(path, "S", "k", "a\r\nevil=1"), ly::Error);
    EXPECT_THROW(ly::ini::write(path, "S", "a=b", "v"), ly::Error);
    EXPECT_THROW(ly::ini::write(path, "S]", "k", "v"), ly::Error);
    EXPECT_EQ(readFile(path), QByteArray("[S]\r\nk=v\r\n"));
}

TEST_F(IniTest, EraseSectionRemovesItsLinesOnly)
{
    const QString path = file("; top\r\n[A]\r\na=1\r\n;in A\r\n\r\n[B]\r\nb=2\r\n");
    ly::ini::eraseSection(path, "a");
    EXPECT_EQ(readFile(path), QByteArray("; top\r\n[B]\r\nb=2\r\n"));
    ly::ini::eraseSection(path, "missing");
    EXPECT_EQ(readFile(path), QByteArray("; top\r\n[B]\r\nb=2\r\n"));
    EXPECT_FALSE(QFile::exists(sandbox.root() + "gone.ini"));
    ly::ini::eraseSection(sandbox.root() + "gone.ini", "A");
    EXPECT_FALSE(QFile::exists(sandbox.root() + "gone.ini"));

    // A section that appears twice goes with both its parts; the section between stays.
    const QString twice = file("[A]\r\na=1\r\n[B]\r\nb=2\r\n[a]\r\nc=3\r\n");
    ly::ini::eraseSection(twice, "A");
    EXPECT_EQ(readFile(twice), QByteArray("[B]\r\nb=2\r\n"));
    EXPECT_FALSE(ly::ini::hasSection(twice, "A"));
}

TEST_F(IniTest, ListsSectionsAndKeysInFileOrder)
{
    const QString path = file("[B]\r\nz=1\r\na=2\r\n[A]\r\n[b]\r\nq=3\r\n");
    EXPECT_EQ(ly::ini::sections(path), QStringList({"B", "A"}));
    EXPECT_EQ(ly::ini::keys(path, "b"), QStringList({"z", "a"}));
    EXPECT_TRUE(ly::ini::hasSection(path, "a"));
    EXPECT_FALSE(ly::ini::hasSection(path, "C"));
}

TEST_F(IniTest, ValuesGoThroughTheCodePage)
{
    ly::codepage::overrideName("WINDOWS-1252");
    const QString path = sandbox.root() + "cp.ini";
    ly::ini::write(path, "S", "k", QStringLiteral("caf\u00e9"));
    EXPECT_EQ(readFile(path), QByteArray("[S]\r\nk=caf\xe9\r\n"));
    EXPECT_EQ(ly::ini::read(path, "S", "k"), QStringLiteral("caf\u00e9"));
    ly::codepage::overrideName({});
}

TEST_F(IniTest, ConfigHelpersUseTheProgramFolder)
{
    EXPECT_EQ(ly::ReadConfig("NoSuchSection", "Key"), QString());
    ly::WriteConfig("Finished", "FinishedExe", "/tmp/card.exe");
    EXPECT_EQ(ly::ini::read(sandbox.programDir() + "config.ini", "Finished", "FinishedExe"),
              QStringLiteral("/tmp/card.exe"));
    QFile::remove(sandbox.programDir() + "config.ini");
    EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), QString());
}

} // namespace
