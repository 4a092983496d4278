#include "MainFixture.h"

#include "card/CardFixtures.h"
#include "editor/BuilderUnit.h"
#include "editor/CardMail.h"
#include "card/Packer.h"
#include "editor/widgets/BuilderSetUnit.h"
#include "editor/widgets/BuilderUnit.h"
#include "control/widgets/LyImgBtn.h"
#include "shared/FileText.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStackedWidget>

namespace {

using ly::ProjectEditorKind;
using lytest::ModalScript;
using lytest::readFile;

// Waits, at most ten seconds, until the condition holds.
bool waitUntil(const std::function<bool()> &condition)
{
    QDeadlineTimer deadline(10000);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(10);
    return condition();
}

void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

const QByteArray kSong = "[FrmBlk]\nBlkCheckName=0\nMusicNumber=1\nMusicItem0=\\Music\\a.mp3\n";

class BuilderWizardTest : public lytest::MainFixture
{
protected:
    // A stub the shell runs as a program.
    const QByteArray stub = "#!/bin/sh\nexit 0\n" + QByteArray(4000, '#');

    BuilderWizardTest() { sandbox.writeFile("Program/Cardstub.dll", stub); }

    // The main window with the real build settings page, and a project of these [FrmBlk] ...
    // sections (LF becomes CR LF) and media files open in it; returns the project file.
    QString openProject(const QString &name, const QByteArray &sections = kSong,
                        const QList<std::pair<QString, QByteArray>> &media = {{"Music/a.mp3", "song"}},
                        const QList<std::pair<const char *, QString>> &system = {})
    {
        start();
        main->setEditorFactory(ProjectEditorKind::BuildSettings,
                               DefaultEditorFactory(ProjectEditorKind::BuildSettings));
        const QString file = projectWith(name, {"FrmBlk"});
        QByteArray text = readFile(file) + sections;
        text.replace("\r\n", "\n").replace("\n", "\r\n");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        out.close();
        for (const auto &[path, bytes] : media)
            sandbox.writeFile("Cards/" + name + "/" + path, bytes);
        for (const auto &[key, value] : system)
            ly::WriteIni("System", QLatin1String(key), value, file);
        main->OpenProject(file);
        return file;
    }

    QString folderOf(const QString &project) const { return QFileInfo(project).absolutePath() + "/"; }

    TFrmBuilderSet *settingsPage() const
    {
        return dynamic_cast<TFrmBuilderSet *>(main->Editor(ProjectEditorKind::BuildSettings));
    }

    // Runs the Build command; `act` works the wizard during its modal run.
    void runWizard(const std::function<void(TFrmBuilder *)> &act)
    {
        ModalScript script;
        script.then<TFrmBuilder>(act);
        main->Builder1->trigger();
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(script.unexpected, QStringList());
        EXPECT_EQ(main->findChild<TFrmBuilder *>(), nullptr) << "the wizard is destroyed";
    }

    // From Begin to SaveFile with this output file in the box.
    static void toSaveFile(TFrmBuilder *w, const QString &output)
    {
        click(w->Btn_BeginNext);
        EXPECT_EQ(w->ActivePage(), "SaveFile");
        w->EdtFileExeName->setText(output);
    }

    static QStringList packagesIn(const QString &folder)
    {
        QStringList left;
        for (const char *name : {"Flash.tmp", "Music.tmp", "PicBox.tmp", "Picture.tmp", "Res.tmp"})
            if (QFile::exists(folder + name))
                left.append(QString::fromLatin1(name));
        return left;
    }
};

TEST_F(BuilderWizardTest, SettingsPageLoadsFollowsItsCheckBoxesAndSavesTheNineKeys)
{
    const QString project = openProject(
        "Rose", kSong, {{"Music/a.mp3", "song"}},
        {{"AutoRun", "1"}, {"ShowMsgFlag", "1"}, {"ShowMsg", "Hello there"}, {"OpenHttpFlag", "0"},
         {"OpenHttp", "http://x"}, {"SendMailFlag", "1"}, {"SendMail", "me@example.org"},
         {"FlashOcxFlag", "0"}, {"ArrowPanelFlag", "0"}});
    TFrmBuilderSet *page = settingsPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->parentWidget(), main->PnlDock);
    EXPECT_EQ(page->GroupBox3->title(), "The greeting card be over action");
    EXPECT_EQ(page->CheckBoxFlash->text(), "Pack join the Flash to broadcast to control the piece");
    EXPECT_EQ(page->BtnPreview->text(), "&Preview...");
    EXPECT_EQ(page->BtnBuilder->text(), "&Builder(*.exe)");
    EXPECT_EQ(page->BtnSendMail->text(), "&SendMail");
    EXPECT_EQ(page->EdtDialog->accessibleName(), "EdtDialog");

    const QColor white(Qt::white);
    const QColor silver(12632256 & 0xFF, (12632256 >> 8) & 0xFF, (12632256 >> 16) & 0xFF);
    const struct
    {
        QCheckBox *box;
        QLineEdit *edit;
        bool on;
        QString text;
    } rows[] = {
        {page->CheckBoxDialog, page->EdtDialog, true, "Hello there"},
        {page->CheckBoxHttp, page->EdtHttp, false, "http://x"},
        {page->CheckBoxEMail, page->EdtEMail, true, "me@example.org"},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(r.box->isChecked(), r.on) << r.box->text().toStdString();
        EXPECT_EQ(r.edit->isEnabled(), r.on) << r.box->text().toStdString();
        EXPECT_EQ(r.edit->palette().color(QPalette::Base), r.on ? white : silver);
        EXPECT_EQ(r.edit->text(), r.text);
    }
    EXPECT_TRUE(page->CheckBoxRun->isChecked());
    EXPECT_FALSE(page->CheckBoxFlash->isChecked());
    EXPECT_FALSE(page->CheckBoxArrow->isChecked());
    EXPECT_TRUE(page->ImgArrow->isHidden());

    // The user changes the page; Save writes it.
    main->SbnBuilder->click();
    click(page->CheckBoxHttp);
    EXPECT_TRUE(page->EdtHttp->isEnabled());
    EXPECT_EQ(page->EdtHttp->palette().color(QPalette::Base), white);
    click(page->CheckBoxDialog);
    EXPECT_FALSE(page->EdtDialog->isEnabled());
    EXPECT_EQ(page->EdtDialog->palette().color(QPalette::Base), silver);
    click(page->CheckBoxArrow);
    EXPECT_FALSE(page->ImgArrow->isHidden());
    click(page->CheckBoxRun);
    page->EdtHttp->setText("  http://www.example.org/  ");
    main->Save1->trigger();

    const struct { const char *key; const char *value; } saved[] = {
        {"AutoRun", "0"},       {"ShowMsgFlag", "0"},  {"ShowMsg", "Hello there"},
        {"OpenHttpFlag", "1"},  {"OpenHttp", "http://www.example.org/"},
        {"SendMailFlag", "1"},  {"SendMail", "me@example.org"},
        {"FlashOcxFlag", "0"},  {"ArrowPanelFlag", "1"},
    };
    for (const auto &s : saved)
        EXPECT_EQ(ly::ReadIni("System", s.key, project), s.value) << s.key;
}

TEST_F(BuilderWizardTest, BuildsTheCardIntoTheChosenFile)
{
    const QString project = openProject(
        "Rose", kSong,
        {{"Music/a.mp3", "song"}, {"Music/stray.mp3", "not listed"}, {"Res/r.gif", "gif"}},
        {{"SaveToFileName", "/earlier/Rose.exe"}});
    const QString folder = folderOf(project);
    ly::WriteConfig("Finished", "FinishedExe", "earlier.exe");
    const QString output = cards() + "Rose.exe";
    QString browsedFolder, browsedName;

    runWizard([&](TFrmBuilder *w) {
        EXPECT_EQ(w->Label35->text(), "Lyrabell - Set up the guide");
        EXPECT_EQ(w->ActivePage(), "Begin");
        EXPECT_EQ(w->LblZipShow->text(), "");
        EXPECT_EQ(w->LblFileShow->text(), "");
        EXPECT_EQ(w->Btn_BeginNext->text(), "&Next >");

        click(w->Btn_BeginNext);
        EXPECT_EQ(w->ActivePage(), "SaveFile");
        EXPECT_EQ(w->EdtFileExeName->text(), "/earlier/Rose.exe");
        EXPECT_FALSE(QFile::exists(folder + "Music/stray.mp3")) << "the tidy ran";
        click(w->Btn_SaveBack);
        EXPECT_EQ(w->ActivePage(), "Begin");
        click(w->Btn_BeginNext);

        // The browse dialog's answer gets ".exe" unless it ends in it.
        w->setSaveFilePicker([&](QWidget *, const QString &f, const QString &name) {
            browsedFolder = f;
            browsedName = name;
            return QString(cards() + "Rose");
        });
        click(w->Btn_SaveBrow);
        EXPECT_EQ(w->EdtFileExeName->text(), output);

        click(w->Btn_SaveNext);
        EXPECT_EQ(w->ActivePage(), "Create");
        ASSERT_TRUE(waitUntil([w] { return w->ActivePage() == "End"; }));
        EXPECT_EQ(w->LblExePath->text(), output);
        EXPECT_EQ(w->LblExeSize->text(), ly::SizeText(output));
        EXPECT_EQ(w->ProgressBarFile->value(), 15);
        EXPECT_EQ(w->ProgressBarFile->maximum(), 15);
        EXPECT_EQ(w->LblFileShow->text(), "Born success of greeting card");
        EXPECT_EQ(w->LblZipShow->text(), "");
        EXPECT_EQ(w->ProgressBarZip->value(), w->ProgressBarZip->maximum()) << "moved by the packer";

        click(w->BtnFinishPath);
        click(w->BtnFinished);
    });

    EXPECT_EQ(QDir::cleanPath(browsedFolder), QDir::cleanPath(folder));
    EXPECT_EQ(browsedName, "Rose");
    EXPECT_EQ(notices(), QStringList());
    cardtest::Card card;
    ASSERT_NO_FATAL_FAILURE(cardtest::parseCard(readFile(output), card));
    // The tidy took the Res file that no line of the project names.
    EXPECT_EQ(cardtest::idsOf(card), QList<QByteArray>({"Music", "zpj"}));
    EXPECT_FALSE(QFile::exists(folder + "Res/r.gif"));
    EXPECT_EQ(card.front, stub);
    EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), output);
    EXPECT_EQ(ly::ReadIni("System", "SaveToFileName", project), output);
    EXPECT_EQ(ly::ReadIni("System", "BuilderDate", project),
              QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_TRUE(readFile(cards() + "readme.txt").startsWith("Elucidation:\r\n\r\nThis application procedure [Rose.exe]"));
    EXPECT_EQ(packagesIn(folder), QStringList());
    EXPECT_EQ(ly::ProgressWindow, nullptr);
    EXPECT_TRUE(launcher.opened.contains(QUrl::fromLocalFile(QDir::cleanPath(cards())).toString()))
        << launcher.opened.join(", ").toStdString();
}

TEST_F(BuilderWizardTest, OutputChecksKeepTheWizardOnItsPageOrCloseItWithoutAStub)
{
    const QString project = openProject("Rose");
    const QString folder = folderOf(project);
    const QString warning = "2: Execuse me, ask you to save the greeting card document";
    const QStringList refused = {
        cards() + "card.exe.txt",         // ".exe" inside the name is not its end
        cards() + "card",
        sandbox.root() + "Missing/card.exe",
        folder + "Music/card.exe",        // the card would be packed into itself
        "card.exe",
    };
    runWizard([&](TFrmBuilder *w) {
        click(w->Btn_BeginNext);
        for (const QString &path : refused) {
            notices().clear();
            w->EdtFileExeName->setText(path);
            click(w->Btn_SaveNext);
            EXPECT_EQ(notices(), QStringList({warning})) << path.toStdString();
            EXPECT_EQ(w->EdtFileExeName->text(), "") << path.toStdString();
            EXPECT_EQ(w->ActivePage(), "SaveFile") << path.toStdString();
        }
        notices().clear();
        QFile::remove(ly::CardStubFile());
        w->EdtFileExeName->setText(cards() + "card.exe");
        click(w->Btn_SaveNext);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(notices(), QStringList({"1: The system is in need of the document, withdrawing unusually"}));
    for (const QString &path : refused + QStringList{cards() + "card.exe"})
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    EXPECT_EQ(ly::ReadIni("System", "SaveToFileName", project), "");
}

// However the wizard is closed while the card is being built, the build stops after the step in
// hand: no card, no packages, FinishedExe as it was, and the wizard goes only once the build has
// returned.
TEST_F(BuilderWizardTest, ClosingTheWizardDuringTheBuildCancelsIt)
{
    const struct
    {
        const char *way;
        bool beforeTheBuild;
        std::function<void(TFrmBuilder *)> close;
    } ways[] = {
        {"Cancel", false, [](TFrmBuilder *w) { click(w->Button2); }},
        {"title bar exit", false,
         [](TFrmBuilder *w) { QTest::mouseClick(w->Ttl_BtnExit, Qt::LeftButton, {}, QPoint(8, 8)); }},
        {"window system close", false, [](TFrmBuilder *w) { w->close(); }},
        {"hidden", false, [](TFrmBuilder *w) { w->hide(); }},
        {"closed before the build began", true, [](TFrmBuilder *w) { w->close(); }},
    };
    int n = 0;
    for (const auto &way : ways) {
        const QString name = QString("C%1").arg(++n);
        main.reset();
        const QString project = openProject(
            name, kSong + "[FrmPicture]\nPicShowNum=1\nItem0=\\Picture\\p.jpg\n",
            {{"Music/a.mp3", "song"}, {"Picture/p.jpg", "jpeg"}, {"Flash/f.swf", "swf"}});
        ly::WriteConfig("Finished", "FinishedExe", "earlier.exe");
        const QString output = cards() + name + ".exe";
        bool closedWhileBuilding = false;
        QString lastStep;

        runWizard([&](TFrmBuilder *w) {
            toSaveFile(w, output);
            QTimer watch;
            if (!way.beforeTheBuild) {
                // Closes the wizard once the first entry is in the card.
                QObject::connect(&watch, &QTimer::timeout, [&] {
                    if (w->Building() && !w->LblFileShow->text().isEmpty()) {
                        watch.stop();
                        closedWhileBuilding = true;
                        way.close(w);
                    }
                });
                watch.start(0);
            }
            click(w->Btn_SaveNext);
            if (way.beforeTheBuild)
                way.close(w);
            EXPECT_TRUE(waitUntil([w] { return !w->isVisible() && !w->Building(); }));
            lastStep = w->LblFileShow->text();
        });

        EXPECT_EQ(closedWhileBuilding, !way.beforeTheBuild) << way.way;
        EXPECT_EQ(lastStep, way.beforeTheBuild ? "" : "Join music  document success") << way.way;
        EXPECT_EQ(notices(), QStringList()) << way.way;
        EXPECT_FALSE(QFile::exists(output)) << way.way;
        EXPECT_EQ(packagesIn(folderOf(project)), QStringList()) << way.way;
        EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), "earlier.exe") << way.way;
        EXPECT_EQ(ly::ProgressWindow, nullptr) << way.way;
        EXPECT_EQ(ly::StopRequest, 0) << way.way;
    }
}

TEST_F(BuilderWizardTest, AFailedBuildShowsWhyAndReturnsToSaveFile)
{
    // The project lists a movie that is not there.
    const QString project = openProject("Rose", kSong + "[FrmMovie]\nNumber=1\nItem0=\\Movie\\gone.avi\n",
                                        {{"Music/a.mp3", "song"}, {"Movie/other.avi", "movie"}});
    ly::WriteConfig("Finished", "FinishedExe", "earlier.exe");
    const QString output = cards() + "Rose.exe";
    runWizard([&](TFrmBuilder *w) {
        toSaveFile(w, output);
        click(w->Btn_SaveNext);
        ASSERT_TRUE(waitUntil([] { return !notices().isEmpty(); }));
        EXPECT_EQ(w->ActivePage(), "SaveFile");
        EXPECT_TRUE(w->isVisible());
        click(w->Btn_SaveCancel);
    });
    ASSERT_EQ(notices().size(), 1);
    EXPECT_TRUE(notices()[0].startsWith("1: The greeting card was not built. Did not find the file"))
        << notices()[0].toStdString();
    EXPECT_TRUE(notices()[0].contains("gone.avi"));
    EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), "earlier.exe");
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(packagesIn(folderOf(project)), QStringList());
}

TEST_F(BuilderWizardTest, PreviewSavesStopsMediaAndRunsTheStubCopy)
{
    const QString project = openProject("Rose");
    const QString folder = folderOf(project);
    main->SbnBuilder->click();
    for (QAbstractButton *startPreview : std::initializer_list<QAbstractButton *>{nullptr, settingsPage()->BtnPreview}) {
        journal.clear();
        launcher.started.clear();
        if (startPreview)
            click(startPreview);
        else
            main->Preview1->trigger();
        EXPECT_TRUE(journal.contains("save Background"));
        EXPECT_LT(journal.indexOf("save Background"), journal.indexOf("stop Background"));
        EXPECT_EQ(launcher.started, QStringList({folder + "Preview.exe | "}));
        EXPECT_EQ(readFile(folder + "Preview.qrj"), "Rose.zpj\r\n");
        EXPECT_EQ(ly::ReadIni("System", "BuilderDate", project),
                  QDate::currentDate().toString("yyyy-MM-dd"));
    }
    EXPECT_EQ(notices(), QStringList());
    // Nothing runs the preview here: its clean-up deletes it at once.
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(folder + "Preview.exe"); }));

    // Without the stub nothing starts, and the user learns why.
    launcher.started.clear();
    QFile::remove(ly::CardStubFile());
    main->Preview1->trigger();
    EXPECT_EQ(notices(), QStringList({"1: The system is in need of the document, withdrawing unusually"}));
    EXPECT_EQ(launcher.started, QStringList());
}

TEST_F(BuilderWizardTest, PreviewAndBuildWantABackground)
{
    const QString project = openProject("Rose", "[FrmBlk]\nMusicNumber=0\n", {});
    for (QAction *command : {main->Preview1, main->Builder1}) {
        notices().clear();
        main->SbnBuilder->click();
        ModalScript noWizard;
        command->trigger();
        EXPECT_EQ(noWizard.unexpected, QStringList());
        EXPECT_EQ(notices(), QStringList({"2: Please choose the good background constitution"}));
        EXPECT_EQ(main->PageType, 1) << "the background page is in front";
        EXPECT_TRUE(main->SbnBlk->isChecked());
    }
    EXPECT_EQ(launcher.started, QStringList());
    EXPECT_FALSE(QFile::exists(folderOf(project) + "Preview.exe"));
}

// The hand-off of the last card to the mail program, seen by a fake xdg-email first on PATH.
class CardMailTest : public BuilderWizardTest
{
protected:
    CardMailTest() : m_path(qgetenv("PATH")) {}
    ~CardMailTest() override { qputenv("PATH", m_path); }

    // Puts a fake xdg-email first on PATH; it writes its arguments, each ended by NUL, to
    // args().
    void installFakeXdgEmail()
    {
        const QString fake = sandbox.writeFile(
            "bin/xdg-email", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$0.part\"\n"
                             "mv \"$0.part\" \"$0.args\"\n");
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (sandbox.root() + "bin:").toUtf8() + m_path);
    }
    QString argsFile() const { return sandbox.root() + "bin/xdg-email.args"; }

    // The arguments of the next hand-off.
    QStringList handedOff()
    {
        if (!waitUntil([this] { return QFile::exists(argsFile()); }))
            return {"no hand-off"};
        QStringList args = QString::fromUtf8(readFile(argsFile())).split(QChar(0));
        args.removeLast();
        QFile::remove(argsFile());
        return args;
    }

private:
    QByteArray m_path;
};

TEST_F(CardMailTest, TheOutlookCommandHandsTheCardToXdgEmail)
{
    openProject("Rose");
    installFakeXdgEmail();
    const QString body =
        "Hello\r\n\r\n    Please delete this, fill in your wish phrase\r\n\r\n    This line of fill "
        "in the enclosure in the greeting card of the document, to remind your friend, call "
        "her( he) download this machine and circulate\r\n\r\n" + QString(26, ' ');
    EXPECT_EQ(ly::CardMailBody(), body);
    const QStringList mail = {"--utf8", "--subject", "Your Lyrabell is Coming", "--body", body};

    const QString card = sandbox.writeFile("Cards/My card.exe", "a card");
    ly::WriteConfig("Finished", "FinishedExe", card);
    main->MenuOutlook->trigger();
    EXPECT_EQ(handedOff(), mail + QStringList({"--attach", card}));

    // A card that is gone any more is left out: the mail program would refuse the mail.
    ly::WriteConfig("Finished", "FinishedExe", cards() + "Gone.exe");
    main->MenuOutlook->trigger();
    EXPECT_EQ(handedOff(), mail);

    ly::WriteConfig("Finished", "FinishedExe", "");
    main->MenuOutlook->trigger();
    EXPECT_EQ(handedOff(), mail);

    // Without xdg-email nothing is said (the hand-off finds no program to start).
    qputenv("PATH", (sandbox.root() + "nothing").toUtf8());
    QFile::remove(sandbox.root() + "bin/xdg-email");
    main->MenuOutlook->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(notices(), QStringList());
}

TEST_F(CardMailTest, SendMailButtonStartsTheMailProgram)
{
    openProject("Rose");
    main->SbnBuilder->click();
    launcher.opened.clear();
    launcher.started.clear();
    click(settingsPage()->BtnSendMail);
    const QStringList both = launcher.started + launcher.opened;
    ASSERT_EQ(both.size(), 1);
    EXPECT_TRUE(both[0].contains("Quillpost.exe")) << both[0].toStdString();
}

} // namespace
