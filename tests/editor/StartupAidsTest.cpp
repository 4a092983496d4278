#include "support/Sandbox.h"

#include "editor/RecentProjects.h"
#include "editor/StartupAids.h"
#include "shared/Ini.h"
#include "shared/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class StartupAidsTest : public lytest::SandboxTest
{
protected:
    // Steps that note what runs; the quick start answers `choice`.
    ly::StartupAidSteps recordingSteps(const QString &choice)
    {
        ly::StartupAidSteps steps;
        steps.quickStart = [this, choice] {
            ran.append("quick start");
            return choice;
        };
        steps.newProject = [this] { ran.append("new"); };
        steps.openProject = [this] { ran.append("open"); };
        steps.openProjectFile = [this](const QString &path) { ran.append("open " + path); };
        steps.tips = [this] { ran.append("tips"); };
        steps.materialDownload = [this] { ran.append("download"); };
        return steps;
    }

    QStringList ran;
};

TEST_F(StartupAidsTest, RunInOrderWhenTheirFlagsAreExactlyOne)
{
    const struct { const char *autoFlag, *everyStudy, *softUpdate, *choice; QStringList ran; } cases[] = {
        {"1", "1", "1", "New", {"quick start", "new", "tips", "download"}},
        {"1", "0", "0", "Open", {"quick start", "open"}},
        {"1", "1", "0", "/cards/A/A.zpj", {"quick start", "open /cards/A/A.zpj", "tips"}},
        {"1", "1", "0", "", {"quick start", "tips"}},
        {"0", "1", "1", "New", {"tips", "download"}},
        {"", "", "1", "New", {"download"}},
        {"yes", "01", "true", "New", {}},
        {"0", "0", "0", "New", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.autoFlag) + "/" + c.everyStudy + "/" + c.softUpdate);
        ly::WriteConfig("System", "AutoFlag", c.autoFlag);
        ly::WriteConfig("System", "EveryStudy", c.everyStudy);
        ly::WriteConfig("System", "SoftUpdate", c.softUpdate);
        ran.clear();
        ly::RunStartupAids(recordingSteps(c.choice));
        EXPECT_EQ(ran, c.ran);
    }
}

TEST_F(StartupAidsTest, EachFlagIsReadWhenItsStepComes)
{
    ly::WriteConfig("System", "AutoFlag", "1");
    ly::WriteConfig("System", "EveryStudy", "0");
    ly::StartupAidSteps steps = recordingSteps("New");
    // The new project dialog's time is long enough for the setting to change.
    steps.newProject = [this] {
        ran.append("new");
        ly::WriteConfig("System", "EveryStudy", "1");
    };
    ly::RunStartupAids(steps);
    EXPECT_EQ(ran, QStringList({"quick start", "new", "tips"}));
}

TEST_F(StartupAidsTest, SystemFlagsAreWrittenAsOneAndZero)
{
    ly::WriteSystemFlag("AutoFlag", false);
    EXPECT_EQ(ly::ReadConfig("System", "AutoFlag"), "0");
    EXPECT_FALSE(ly::SystemFlagOn("AutoFlag"));
    ly::WriteSystemFlag("AutoFlag", true);
    EXPECT_EQ(ly::ReadConfig("System", "AutoFlag"), "1");
    EXPECT_TRUE(ly::SystemFlagOn("AutoFlag"));
}

TEST_F(StartupAidsTest, TipLinesEndWithAnyLineEndAndKeepEmptyLines)
{
    const struct { const char *name; QByteArray bytes; QStringList lines; } cases[] = {
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"LF", "one\ntwo\n", {"one", "two"}},
        {"CR", "one\rtwo\r", {"one", "two"}},
        {"mixed, no final line end", "one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
        {"empty lines count", "one\r\n\r\nthree\r\n", {"one", "", "three"}},
        {"LF CR is two line ends", "one\n\rtwo", {"one", "", "two"}},
        {"an empty line alone", "\r\n", {""}},
        {"no lines", "", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ly::TipLines(c.bytes), c.lines);
    }
}

TEST_F(StartupAidsTest, LoadTipsTellsAMissingFileFromAnEmptyOne)
{
    QFile::remove(ly::TipsFile());
    EXPECT_FALSE(ly::LoadTips(ly::TipsFile()).has_value());
    const QString file = sandbox.writeFile("tips.crd", "");
    ASSERT_TRUE(ly::LoadTips(file).has_value());
    EXPECT_TRUE(ly::LoadTips(file)->isEmpty());
    EXPECT_EQ(ly::TipsFile(), sandbox.programDir() + "text/Message.crd");
}

TEST_F(StartupAidsTest, NextTipWrapsRoundAfterTheLast)
{
    const struct { int index, count, next; } cases[] = {
        {0, 3, 1}, {1, 3, 2}, {2, 3, 0}, {0, 1, 0}, {0, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ly::NextTipIndex(c.index, c.count), c.next) << c.index << " of " << c.count;
}

TEST_F(StartupAidsTest, FolderPrefixesShowForProgramRelativeFoldersAndGoOnlyFromTheFront)
{
    const struct { const char *stored, *prefix, *field; } shown[] = {
        {"\\Project", "(Bin)", "(Bin)\\Project"},
        {"\\Output", "(Builder)", "(Builder)\\Output"},
        {"/home/me/cards", "(Bin)", "/home/me/cards"},
        {"", "(Bin)", ""},
    };
    for (const auto &c : shown)
        EXPECT_EQ(ly::FolderFieldText(c.stored, c.prefix), c.field) << c.stored;

    const struct { const char *field, *prefix, *stored; } saved[] = {
        {"(Bin)\\Project", "(Bin)", "\\Project"},
        {"  (Builder)\\Output  ", "(Builder)", "\\Output"},
        {"/home/me/cards", "(Bin)", "/home/me/cards"},
        // A folder that only contains the prefix keeps all of its name.
        {"/home/me/(Bin)cards", "(Bin)", "/home/me/(Bin)cards"},
        {"/x/(Builder)", "(Builder)", "/x/(Builder)"},
        {"(Builder)\\Output", "(Bin)", "(Builder)\\Output"},
        {"   ", "(Bin)", ""},
    };
    for (const auto &c : saved)
        EXPECT_EQ(ly::FolderFromField(c.field, c.prefix), c.stored) << c.field;
}

TEST_F(StartupAidsTest, RecentEntriesKeepTheirItemPositionsPastEmptyItems)
{
    ly::EraseIniSection("Finished", ly::ConfigFile());
    ly::WriteConfig("Finished", "Number", "4");
    ly::WriteConfig("Finished", "Item0", "");
    ly::WriteConfig("Finished", "Item1", "\\Project\\A\\A.zpj");
    ly::WriteConfig("Finished", "Item3", "/cards/B/B.zpj");
    ly::WriteConfig("Finished", "Item4", "/beyond/the/count.zpj");
    const QList<ly::RecentProjectEntry> entries = ly::RecentProjectEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].item, 1);
    EXPECT_EQ(entries[0].stored, "\\Project\\A\\A.zpj");
    EXPECT_EQ(entries[1].item, 3);
    EXPECT_EQ(entries[1].stored, "/cards/B/B.zpj");
    EXPECT_EQ(ly::RecentProjectFiles(),
              QStringList({sandbox.programDir() + "Project/A/A.zpj", "/cards/B/B.zpj"}));

    ly::WriteConfig("Finished", "Number", "");
    EXPECT_TRUE(ly::RecentProjectEntries().isEmpty());
}

TEST_F(StartupAidsTest, ShippedTipsAreAboutTwentyLinesOfText)
{
    QFile in(lytest::contentDir() + "text/Message.crd");
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "CR LF line ends";
    const QStringList tips = ly::TipLines(bytes);
    EXPECT_GE(tips.size(), 18);
    EXPECT_LE(tips.size(), 25);
    for (const QString &tip : tips)
        EXPECT_GT(tip.trimmed().size(), 20) << tip.toStdString();
}

} // namespace
