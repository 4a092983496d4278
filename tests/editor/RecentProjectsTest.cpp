#include "support/Sandbox.h"

#include "editor/RecentProjects.h"
#include "shared/Ini.h"
#include "shared/Settings.h"

namespace {

class RecentProjectsTest : public lytest::SandboxTest
{
protected:
    // [Finished] as "Number | Item0 Item1 ..." up to the last filled item key.
    static QString finished()
    {
        QStringList items;
        for (int i = 0; i < 8; ++i)
            items.append(ly::ReadConfig("Finished", "Item" + QString::number(i)));
        while (!items.isEmpty() && items.last().isEmpty())
            items.removeLast();
        return ly::ReadConfig("Finished", "Number") + " | " + items.join(' ');
    }

    static void setList(const QString &number, const QStringList &items)
    {
        ly::EraseIniSection("Finished", ly::ConfigFile());
        if (!number.isNull())
            ly::WriteConfig("Finished", "Number", number);
        for (int i = 0; i < items.size(); ++i)
            ly::WriteConfig("Finished", "Item" + QString::number(i), items[i]);
    }
};

TEST_F(RecentProjectsTest, SavingPutsTheProjectOnTop)
{
    const struct { const char *name; QString number; QStringList items; const char *saved; const char *after; } cases[] = {
        {"new project on top, the oldest moves beyond the count", "3", {"A", "B", "C"}, "D", "3 | D A B C"},
        {"a listed project changes nothing", "3", {"A", "B", "C"}, "A", "3 | A B C"},
        {"a listed project further down changes nothing", "3", {"A", "B", "C"}, "C", "3 | A B C"},
        {"letter case counts", "3", {"A", "B"}, "a", "3 | a A B"},
        {"a short list grows", "3", {"A"}, "D", "3 | D A"},
        {"an empty list", "3", {}, "D", "3 | D"},
        {"the first gap ends the list", "4", {"A", "", "C"}, "D", "4 | D A C"},
        {"a project behind a gap is not seen", "4", {"A", "", "C"}, "C", "4 | C A C"},
        {"count 0", "0", {"A"}, "D", "0 | D"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setList(c.number, c.items);
        ly::AddRecentProjectFile(QLatin1String(c.saved));
        EXPECT_EQ(finished(), QLatin1String(c.after));
    }
}

TEST_F(RecentProjectsTest, WithoutCountNothingIsWritten)
{
    setList(QString(), {});
    const QByteArray before = lytest::readFile(ly::ConfigFile());
    ly::AddRecentProjectFile("/cards/D/D.zpj");
    EXPECT_EQ(lytest::readFile(ly::ConfigFile()), before);
    EXPECT_FALSE(ly::ini::keys(ly::ConfigFile(), "Finished").contains("Item0", Qt::CaseInsensitive));
}

TEST_F(RecentProjectsTest, TheListSkipsEmptyEntriesAndExpandsProgramRelativeOnes)
{
    setList("4", {"/cards/A/A.zpj", "", "\\Project\\Example\\Example.zpj", "/cards/D/D.zpj",
                  "/cards/beyond.zpj"});
    EXPECT_EQ(ly::RecentProjectFiles(),
              QStringList({"/cards/A/A.zpj", sandbox.programDir() + "Project/Example/Example.zpj",
                           "/cards/D/D.zpj"}));
    setList(QString(), {"/cards/A/A.zpj"});
    EXPECT_TRUE(ly::RecentProjectFiles().isEmpty());
    setList("none", {"/cards/A/A.zpj"});
    EXPECT_TRUE(ly::RecentProjectFiles().isEmpty());
}

} // namespace
