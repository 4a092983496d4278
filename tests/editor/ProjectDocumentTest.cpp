#include "FakeEditor.h"

#include "support/Sandbox.h"

#include "editor/ProjectDocument.h"
#include "shared/Error.h"
#include "shared/Ini.h"
#include "shared/Maker.h"
#include "shared/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <map>
#include <memory>

namespace {

using ly::ModuleChoice;
using ly::NewProjectResult;
using ly::ProjectDocument;
using ly::ProjectEditorKind;
using ly::ProjectModule;
using ly::SaveAnswer;
using lytest::readFile;

ProjectEditorKind editorOf(ProjectModule module)
{
    return ProjectEditorKind(int(module));
}

using lytest::FakeEditor;

// The main window's side, as the document sees it: editors are created when their module is
// prepared as chosen and live until DestroyEditors.
class FakeWindow : public ly::ProjectWindow
{
public:
    ly::SaveAnswer AskSaveProject(const QString &projectFileName) override
    {
        events.append("ask " + projectFileName);
        return answer;
    }
    void PrepareModule(ProjectModule module, bool chosen) override
    {
        events.append(QStringLiteral("prepare %1 %2").arg(ly::ModuleKey(module)).arg(chosen));
        if (onPrepare)
            onPrepare(module, chosen);
        if (chosen)
            create(editorOf(module));
    }
    void ModulesPrepared() override
    {
        events.append("prepared");
        create(ProjectEditorKind::BuildSettings);
    }
    ly::ProjectEditor *ExistingEditor(ProjectEditorKind kind) override
    {
        const auto it = editors.find(kind);
        return it == editors.end() ? nullptr : it->second.get();
    }
    void AddRecentProject(const QString &projectFile) override
    {
        events.append("recent " + projectFile);
    }
    void DestroyEditors() override
    {
        events.append("destroy");
        editors.clear();
    }

    FakeEditor *editor(ProjectEditorKind kind)
    {
        return static_cast<FakeEditor *>(ExistingEditor(kind));
    }

    SaveAnswer answer = SaveAnswer::Yes;
    QStringList events;
    std::map<ProjectEditorKind, std::unique_ptr<FakeEditor>> editors;
    std::function<void(ProjectModule, bool)> onPrepare;

private:
    void create(ProjectEditorKind kind)
    {
        if (!editors.count(kind))
            editors[kind] = std::make_unique<FakeEditor>(kind, events, nullptr,
                                                         FakeEditor::Lifetime::Unrecorded);
    }
};

class ProjectDocumentTest : public lytest::SandboxTest
{
protected:
    QString location() const { return sandbox.root() + "Cards"; }

    // A created project with album and movie, its events forgotten.
    QString createCard1()
    {
        QDir().mkpath(location());
        EXPECT_EQ(project.CreateProject(location(), "Card1", {.album = true, .movie = true}),
                  NewProjectResult::Created);
        project.PrepareProject(true, false, false, true);
        window.events.clear();
        return project.CurrentProjectFile();
    }

    QString applicationKey(ProjectModule module) const
    {
        return ly::ReadIni("Application", ly::ModuleKey(module), project.CurrentProjectFile());
    }

    FakeWindow window;
    ProjectDocument project{window};
};

TEST_F(ProjectDocumentTest, NewProjectPathsWithAndWithoutTrailingSeparator)
{
    for (const QString &where : {QStringLiteral("/d/Cards"), QStringLiteral("/d/Cards/"),
                                 QStringLiteral("  /d/Cards/  ")}) {
        SCOPED_TRACE(where.toStdString());
        const ly::NewProjectPaths paths = ly::NewProjectPathsOf(where, " Card1 ");
        EXPECT_EQ(paths.folder, QStringLiteral("/d/Cards/Card1/"));
        EXPECT_EQ(paths.projectFile, QStringLiteral("/d/Cards/Card1/Card1.zpj"));
        EXPECT_EQ(ly::WorkingCopyOf(paths.projectFile), QStringLiteral("/d/Cards/Card1/Card1.zpj.tmp"));
    }
}

TEST_F(ProjectDocumentTest, CreatesCard1InALocationWithOrWithoutSeparator)
{
    for (const QString &suffix : {QString(), QStringLiteral("/")}) {
        SCOPED_TRACE(suffix.toStdString());
        const QString where = sandbox.root() + (suffix.isEmpty() ? "A" : "B");
        QDir().mkpath(where);
        FakeWindow w;
        ProjectDocument doc(w);
        ASSERT_EQ(doc.CreateProject(where + suffix, "Card1", {.album = true}),
                  NewProjectResult::Created);
        EXPECT_EQ(doc.CurrentProjectFile(), where + "/Card1/Card1.zpj");
        EXPECT_EQ(doc.ProjectFolder(), where + "/Card1/");
        EXPECT_EQ(doc.ProjectFileName(), QStringLiteral("Card1.zpj"));
        EXPECT_EQ(doc.WorkingCopyFile(), where + "/Card1/Card1.zpj.tmp");
        EXPECT_TRUE(QFileInfo(doc.CurrentProjectFile()).isFile());
    }
}

TEST_F(ProjectDocumentTest, TemplateHasItsExactLines)
{
    const QByteArray bytes = ly::ProjectTemplate();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    ASSERT_EQ(lines.size(), 27);
    for (QByteArray &line : lines) {
        ASSERT_TRUE(line.endsWith('\r')) << "every line ends with CR LF";
        line.chop(1);
        ASSERT_FALSE(line.contains('\r'));
    }
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(lines[i].size(), 59);
        if (i >= 1 && i <= 6) {
            EXPECT_TRUE(lines[i].startsWith(';'));
            EXPECT_TRUE(lines[i].endsWith(';'));
        }
    }
    EXPECT_EQ(lines[0], ";" + QByteArray(58, '='));
    EXPECT_TRUE(lines[1].startsWith(";            Welcome you use the Lyrabell! "));
    EXPECT_TRUE(lines[2].startsWith("; Software: Lyrabell "));
    const auto head = [](const char *label, const char *text) {
        return QByteArray(QByteArray(label) + text + ' ');
    };
    EXPECT_TRUE(lines[3].startsWith(head("; producer: ", ly::maker::kName)));
    EXPECT_TRUE(lines[4].startsWith("; WorkDate: 2005-05-01 "));
    EXPECT_TRUE(lines[5].startsWith(head("; Homepage: ", ly::maker::kHomePage)));
    EXPECT_TRUE(lines[6].startsWith(head("; HomeMail: ", ly::maker::kMailAddresses)));
    EXPECT_EQ(lines[7], QByteArray(59, '='));
    const QList<QByteArray> rest(lines.begin() + 8, lines.end());
    EXPECT_EQ(rest, (QList<QByteArray>{"", "", "[Application]", "FrmBlk=0", "FrmPicture=0",
                                       "FrmFlash=0", "FrmMovie=0", "FrmPictureText=0", "",
                                       "[System]", "AutoRun=0", "ShowMsg=", "OpenHttp=http://",
                                       "SendMail=", "ShowMsgFlag=0", "OpenHttpFlag=0",
                                       "SendMailFlag=0", "FlashOcxFlag=0", "ArrowPanelFlag=1"}));
}

TEST_F(ProjectDocumentTest, NewWritesTheTemplateThenPreparesTheModules)
{
    QDir().mkpath(location());
    QStringList keysWhenOpened;
    window.onPrepare = [&](ProjectModule module, bool) {
        keysWhenOpened.append(applicationKey(module));
    };
    ASSERT_EQ(project.CreateProject(location(), "Card1", {.album = true, .movie = true}),
              NewProjectResult::Created);
    EXPECT_EQ(readFile(project.CurrentProjectFile()), ly::ProjectTemplate());
    EXPECT_FALSE(project.IsOpen());
    EXPECT_TRUE(window.events.isEmpty());

    project.PrepareProject(true, false, false, true);
    EXPECT_EQ(window.events,
              (QStringList{"prepare FrmBlk 1", "prepare FrmPicture 1", "prepare FrmFlash 0",
                           "prepare FrmMovie 1", "prepare FrmPictureText 0", "prepared"}));
    EXPECT_EQ(keysWhenOpened, (QStringList{"1", "1", "0", "1", "0"}))
        << "each key is written before its editor opens";
    QByteArray expected = ly::ProjectTemplate();
    expected.replace("FrmBlk=0", "FrmBlk=1");
    expected.replace("FrmPicture=0", "FrmPicture=1");
    expected.replace("FrmMovie=0", "FrmMovie=1");
    EXPECT_EQ(readFile(project.CurrentProjectFile()), expected);
    EXPECT_EQ(readFile(project.WorkingCopyFile()), expected);
    EXPECT_TRUE(project.IsOpen());
    EXPECT_TRUE(project.Modified());
    EXPECT_EQ(project.Modules(), (ModuleChoice{.album = true, .movie = true}));
}

TEST_F(ProjectDocumentTest, CreateRefusesWithoutTouchingAnything)
{
    QDir().mkpath(location());
    const struct
    {
        const char *name;
        QString location;
        QString projectName;
        ModuleChoice modules;
        NewProjectResult result;
    } cases[] = {
        {"empty name", location(), "   ", {.album = true}, NewProjectResult::EmptyName},
        {"no module", location(), "Card1", {}, NewProjectResult::NoModule},
        {"missing location", location() + "/not/there", "Card1", {.flash = true},
         NewProjectResult::CannotWrite},
        {"empty location", "", "Card1", {.flash = true}, NewProjectResult::CannotWrite},
        {"name with a folder", location(), "x/Card1", {.flash = true},
         NewProjectResult::CannotWrite},
        {"name that climbs out", location(), "..", {.flash = true},
         NewProjectResult::CannotWrite},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(project.CreateProject(c.location, c.projectName, c.modules), c.result);
        EXPECT_FALSE(project.IsOpen());
        EXPECT_EQ(project.CurrentProjectFile(), QString());
        EXPECT_TRUE(window.events.isEmpty());
    }
    EXPECT_TRUE(QDir(location()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(sandbox.root() + "Card1.zpj"));
}

TEST_F(ProjectDocumentTest, AnExistingProjectIsReplacedOnlyWhenAskedTo)
{
    const QString file = createCard1();
    ly::WriteIni("FrmBlk", "Mine", "precious", file);
    const QByteArray before = readFile(file);

    FakeWindow otherWindow;
    ProjectDocument other(otherWindow);
    EXPECT_EQ(other.CreateProject(location() + "/", "Card1", {.flash = true}),
              NewProjectResult::AlreadyExists);
    EXPECT_EQ(readFile(file), before);
    EXPECT_FALSE(other.IsOpen());
    EXPECT_TRUE(otherWindow.events.isEmpty());

    EXPECT_EQ(other.CreateProject(location(), "Card1", {.flash = true}, ly::ExistingProject::Replace),
              NewProjectResult::Created);
    EXPECT_EQ(readFile(file), ly::ProjectTemplate());
}

TEST_F(ProjectDocumentTest, OnlyOneOpensAModule)
{
    const struct
    {
        const char *name;
        QByteArray content;
        bool flash;
    } cases[] = {
        {"missing [Application]", "[System]\r\nAutoRun=0\r\n", false},
        {"yes", "[Application]\r\nFrmFlash=yes\r\n", false},
        {"2", "[Application]\r\nFrmFlash=2\r\n", false},
        {"empty", "[Application]\r\nFrmFlash=\r\n", false},
        {"1", "[Application]\r\nFrmFlash=1\r\n", true},
        {"1 with blanks", "[application]\r\nfrmflash = 1 \r\n", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = sandbox.writeFile(QString("p/%1/Card.zpj").arg(c.name), c.content);
        FakeWindow w;
        ProjectDocument doc(w);
        doc.OpenProject(file);
        QStringList expected{"prepare FrmBlk 1", "prepare FrmPicture 0",
                             QStringLiteral("prepare FrmFlash %1").arg(c.flash),
                             "prepare FrmMovie 0", "prepare FrmPictureText 0", "prepared"};
        EXPECT_EQ(w.events, expected);
        EXPECT_TRUE(doc.OpenMark(ProjectModule::Background));
        EXPECT_EQ(doc.OpenMark(ProjectModule::Flash), c.flash);
        EXPECT_FALSE(doc.OpenMark(ProjectModule::Album));
        EXPECT_EQ(doc.Modules(), (ModuleChoice{.flash = c.flash}));
        EXPECT_EQ(ly::ReadModuleKey(file, ProjectModule::Flash), c.flash);
        EXPECT_EQ(ly::ReadIni("Application", "FrmBlk", file), QStringLiteral("1"));
        EXPECT_TRUE(doc.IsOpen());
        EXPECT_EQ(readFile(doc.WorkingCopyFile()), readFile(file));
    }
}

TEST_F(ProjectDocumentTest, OpenKeepsAnOldWorkingCopyUntilTheModulesArePrepared)
{
    const QString file = sandbox.writeFile("Cards/Card1/Card1.zpj",
                                           "[Application]\r\nFrmPicture=1\r\n[FrmPicture]\r\nk=new\r\n");
    const QString workingCopy = sandbox.writeFile("Cards/Card1/Card1.zpj.tmp", "left by Exit Program");
    QList<QByteArray> seen;
    window.onPrepare = [&](ProjectModule, bool) { seen.append(readFile(workingCopy)); };
    project.OpenProject(file);
    ASSERT_EQ(seen.size(), 5);
    EXPECT_EQ(seen.last(), QByteArray("left by Exit Program"));
    EXPECT_EQ(readFile(workingCopy), readFile(file));
    EXPECT_TRUE(project.OpenMark(ProjectModule::Album));
}

TEST_F(ProjectDocumentTest, AMissingProjectFileOpensAsOnlyItsModuleKeys)
{
    QDir().mkpath(location());
    const QString file = location() + "/Gone.zpj";
    EXPECT_NO_THROW(project.OpenProject(file));
    EXPECT_EQ(readFile(file), QByteArray("[Application]\r\nFrmBlk=1\r\nFrmPicture=0\r\nFrmFlash=0\r\n"
                                         "FrmMovie=0\r\nFrmPictureText=0\r\n"));
    EXPECT_EQ(project.CurrentProjectFile(), file);
    EXPECT_TRUE(project.IsOpen());
}

TEST_F(ProjectDocumentTest, SaveRunsTheEditorsInOrderAndRefreshesTheWorkingCopy)
{
    const QString file = createCard1();
    project.Save1Click();
    EXPECT_EQ(window.events, (QStringList{"save Background", "save Album", "save Movie",
                                          "save BuildSettings", "recent " + file}));
    EXPECT_FALSE(project.Modified());
    EXPECT_EQ(ly::ReadIni("SavedAlbum", "Count", file), QStringLiteral("1"));
    EXPECT_EQ(readFile(project.WorkingCopyFile()), readFile(file));

    // Without a working copy neither the copy nor the recent list is touched.
    QFile::remove(project.WorkingCopyFile());
    window.events.clear();
    project.Save1Click();
    EXPECT_EQ(window.events.filter("recent").size(), 0);
    EXPECT_FALSE(QFileInfo::exists(project.WorkingCopyFile()));
}

TEST_F(ProjectDocumentTest, AFailingSaveStepLeavesTheLastSaveInTheWorkingCopy)
{
    const QString file = createCard1();
    project.Save1Click();
    const QByteArray saved = readFile(file);
    window.editor(ProjectEditorKind::Movie)->failWith = "Unable to write to somewhere";
    project.SetModified(true);
    EXPECT_THROW(project.Save1Click(), ly::Error);
    EXPECT_TRUE(project.Modified());
    EXPECT_EQ(readFile(project.WorkingCopyFile()), saved);
}

TEST_F(ProjectDocumentTest, SaveThenChangeThenNoRestoresTheSavedState)
{
    const QString file = createCard1();
    project.Save1Click();
    const QByteArray saved = readFile(file);
    // Changes an editor wrote into the project file after the save.
    ly::WriteIni("FrmBlk", "Music", "\\Music\\new.mp3", file);
    project.SetModified(true);
    window.events.clear();

    window.answer = SaveAnswer::No;
    project.MemuCloseClick();
    EXPECT_EQ(readFile(file), saved);
    EXPECT_FALSE(QFileInfo::exists(ly::WorkingCopyOf(file)));
    EXPECT_EQ(window.events.first(), QStringLiteral("ask Card1.zpj"));
    EXPECT_FALSE(project.IsOpen());
    EXPECT_EQ(project.CurrentProjectFile(), file) << "the path stays after Close";
}

TEST_F(ProjectDocumentTest, CancelStopsTheCommandAndTouchesNothing)
{
    const QString file = createCard1();
    ly::WriteIni("FrmBlk", "Music", "changed", file);
    const QByteArray current = readFile(file);
    const QByteArray workingCopy = readFile(project.WorkingCopyFile());

    window.answer = SaveAnswer::Cancel;
    EXPECT_THROW(project.MemuCloseClick(), ly::SilentAbort);
    EXPECT_EQ(window.events, QStringList{"ask Card1.zpj"}) << "no editor destroyed";
    EXPECT_TRUE(project.IsOpen());
    EXPECT_EQ(readFile(file), current);
    EXPECT_EQ(readFile(project.WorkingCopyFile()), workingCopy);
}

TEST_F(ProjectDocumentTest, YesAtCloseSavesThenClears)
{
    const QString file = createCard1();
    window.answer = SaveAnswer::Yes;
    project.MemuCloseClick();
    EXPECT_EQ(window.events,
              (QStringList{"ask Card1.zpj", "save Background", "save Album", "save Movie",
                           "save BuildSettings", "recent " + file, "destroy"}));
    EXPECT_FALSE(QFileInfo::exists(ly::WorkingCopyOf(file)));
    EXPECT_EQ(ly::ReadIni("SavedBackground", "Count", file), QStringLiteral("1"));
    EXPECT_TRUE(window.editors.empty());
}

// Yes at the prompt saves; when a save step fails, the command that asked stops there: the
// project stays open with its editors, and the working copy still holds the last save.
TEST_F(ProjectDocumentTest, AFailingSaveAtYesStopsTheClose)
{
    const QString file = createCard1();
    project.Save1Click();
    const QByteArray saved = readFile(file);
    window.editor(ProjectEditorKind::Album)->failWith = "Unable to write to somewhere";
    project.SetModified(true);
    window.answer = SaveAnswer::Yes;
    window.events.clear();
    EXPECT_THROW(project.MemuCloseClick(), ly::Error);
    EXPECT_EQ(window.events, (QStringList{"ask Card1.zpj", "save Background", "save Album"}));
    EXPECT_TRUE(project.Modified());
    EXPECT_TRUE(project.IsOpen());
    EXPECT_FALSE(window.editors.empty());
    EXPECT_EQ(project.CurrentProjectFile(), file);
    EXPECT_EQ(readFile(project.WorkingCopyFile()), saved);

    EXPECT_THROW(project.LeaveByExitButton(), ly::Error);
    EXPECT_EQ(readFile(project.WorkingCopyFile()), saved);
}

TEST_F(ProjectDocumentTest, ThePromptComesOnlyForAnOpenModifiedProject)
{
    project.QuerySaveProject(); // nothing open
    EXPECT_TRUE(window.events.isEmpty());
    createCard1();
    project.Save1Click();
    window.events.clear();
    project.QuerySaveProject(); // saved
    EXPECT_TRUE(window.events.isEmpty());

    // Opening a project and closing it asks, because entering the pages marked it modified.
    const QString file = project.CurrentProjectFile();
    project.MemuCloseClick();
    project.OpenProject(file);
    window.events.clear();
    window.answer = SaveAnswer::No;
    project.MemuCloseClick();
    EXPECT_EQ(window.events, (QStringList{"ask Card1.zpj", "destroy"}));
}

TEST_F(ProjectDocumentTest, EditProjectTurnsAModuleOffButItsSectionStays)
{
    const QString file = createCard1();
    project.Save1Click();
    project.PrepareProject(false, false, false, true);
    EXPECT_EQ(applicationKey(ProjectModule::Album), QStringLiteral("0"));
    EXPECT_TRUE(ly::ini::hasSection(file, "SavedAlbum"));
    project.Save1Click();
    EXPECT_EQ(ly::ReadIni("SavedAlbum", "Count", file), QStringLiteral("2"))
        << "the album editor still writes its section";
    EXPECT_EQ(project.Modules(), (ModuleChoice{.movie = true}));
}

TEST_F(ProjectDocumentTest, LeavingByTheExitButtonDeletesTheWorkingCopy)
{
    const QString file = createCard1();
    window.answer = SaveAnswer::Yes;
    project.LeaveByExitButton();
    EXPECT_EQ(window.events.first(), QStringLiteral("ask Card1.zpj"));
    EXPECT_FALSE(QFileInfo::exists(ly::WorkingCopyOf(file)));
    EXPECT_TRUE(QFileInfo::exists(file));
}

TEST_F(ProjectDocumentTest, NoStopsWhenTheSavedStateCannotBeRestored)
{
    const QString file = createCard1();
    project.Save1Click();
    const QByteArray saved = readFile(project.WorkingCopyFile());
    // Something stands where the project file was, so the saved state cannot go back there.
    QFile::remove(file);
    QDir().mkpath(file);
    project.SetModified(true);
    window.events.clear();

    window.answer = SaveAnswer::No;
    try {
        project.MemuCloseClick();
        FAIL() << "the failed restore was not reported";
    } catch (const ly::Error &e) {
        EXPECT_EQ(e.text(), "Unable to write to " + file);
    }
    EXPECT_EQ(readFile(ly::WorkingCopyOf(file)), saved) << "the only copy of the saved state";
    EXPECT_TRUE(project.IsOpen());
    EXPECT_EQ(window.events, QStringList{"ask Card1.zpj"}) << "no editor destroyed";
}

TEST_F(ProjectDocumentTest, DefaultLocationFollowsOpenDir)
{
    const struct
    {
        const char *openDir;
        QString location;
    } cases[] = {
        {"", sandbox.programDir() + "Project"},
        {"\\MyCards", sandbox.programDir() + "MyCards"},
        {"/srv/cards", "/srv/cards"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.openDir);
        ly::WriteConfig("System", "OpenDir", c.openDir);
        EXPECT_EQ(ly::DefaultProjectLocation(), c.location);
    }
}

TEST(SaveProjectQuestionTest, NamesTheFile)
{
    EXPECT_EQ(ly::SaveProjectQuestion("Card1.zpj"),
              QStringLiteral("Do you want to save this document [Card1.zpj]?"));
}

} // namespace
