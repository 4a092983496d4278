#include "MainFixture.h"

#include "control/widgets/LyImgBtn.h"
#include "editor/widgets/NewUnit.h"
#include "editor/widgets/ProcessUnit.h"
#include "shared/Log.h"
#include "shared/Paths.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

using ly::ProjectEditorKind;
using lytest::ModalScript;
using lytest::readFile;

class ProjectCommandsTest : public lytest::MainFixture
{
protected:
    // Fills the new-project dialog: location, name and the module boxes to click.
    static void fillNew(TFrmNew *dialog, const QString &location, const QString &name,
                        std::initializer_list<QCheckBox *> clicks = {})
    {
        dialog->EdtPath->setText(location);
        dialog->EdtFile->clear();
        QTest::keyClicks(dialog->EdtFile, name);
        for (QCheckBox *box : clicks)
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    static std::function<void(QMessageBox *)> answer(QMessageBox::StandardButton button,
                                                    QString *question = nullptr)
    {
        return [button, question](QMessageBox *box) {
            if (question)
                *question = box->windowTitle() + " | " + box->text();
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        };
    }

    // The template with these module keys set to "1".
    static QByteArray templateWith(const QStringList &modulesOn)
    {
        QByteArray bytes = ly::ProjectTemplate();
        for (const QString &key : modulesOn)
            bytes.replace(QByteArray("\r\n" + key.toLatin1() + "=0\r\n"),
                          QByteArray("\r\n" + key.toLatin1() + "=1\r\n"));
        return bytes;
    }

    // Today's log lines, without their times.
    static QStringList logged()
    {
        QStringList texts;
        const QString log = QString::fromUtf8(readFile(ly::LogFileOf(QDate::currentDate())));
        static const QRegularExpression line(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d    (.*)\\r$"));
        for (const QString &l : log.split('\n', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch m = line.match(l);
            texts.append(m.hasMatch() ? m.captured(1) : "malformed: " + l);
        }
        return texts;
    }

    void expectNoProject()
    {
        EXPECT_EQ(main->LblBtmText->text(), "");
        EXPECT_TRUE(main->PnlTop->isHidden());
        EXPECT_FALSE(main->Save1->isEnabled());
        EXPECT_FALSE(main->MemuClose->isEnabled());
        EXPECT_FALSE(main->Preview1->isEnabled());
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(main->Editor(ProjectEditorKind(k)), nullptr) << k;
    }
};

TEST_F(ProjectCommandsTest, NewWritesTheTemplateInItsFolderAndOpensTheProject)
{
    start();
    ModalScript script;
    script.then<TFrmNew>([this](TFrmNew *dialog) {
        EXPECT_EQ(dialog->Label36->text(), "Create Application");
        EXPECT_EQ(dialog->TextBtm_Lbl->text(), "Create New Project and Write Name of the Project...");
        EXPECT_EQ(dialog->LblPro->text(), "Project &Name:");
        // The defaults: the program's Project folder, "Project1", the background and the
        // modules that config.ini ticks (PictureCheck=1).
        EXPECT_EQ(dialog->EdtPath->text(), sandbox.programDir() + "Project");
        EXPECT_TRUE(dialog->EdtPath->isReadOnly());
        EXPECT_EQ(dialog->EdtFile->text(), "Project1");
        EXPECT_TRUE(dialog->CheckBlk->isChecked());
        EXPECT_TRUE(dialog->CheckPicture->isChecked());
        EXPECT_FALSE(dialog->CheckFlash->isChecked());
        EXPECT_FALSE(dialog->CheckMovie->isChecked());
        EXPECT_FALSE(dialog->CheckPicText->isChecked());
        // The background cannot be unticked.
        QTest::mouseClick(dialog->CheckBlk, Qt::LeftButton, {}, QPoint(6, 10));
        EXPECT_TRUE(dialog->CheckBlk->isChecked());

        fillNew(dialog, cards(), " Card1 ", {dialog->CheckMovie});
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton);
    });
    main->New1->trigger();
    ASSERT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
    EXPECT_TRUE(notices().isEmpty());

    const QString card = cards() + "Card1/Card1.zpj";
    EXPECT_EQ(readFile(card), templateWith({"FrmBlk", "FrmPicture", "FrmMovie"}));
    EXPECT_EQ(readFile(card + ".tmp"), readFile(card));
    EXPECT_EQ(main->CurrentProjectFile(), card);
    EXPECT_EQ(main->LblBtmText->text(), card);
    for (QAction *item : {main->AddProject1, main->Save1, main->MemuClose, main->Preview1,
                          main->Builder1, main->Album1, main->Filems1})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    EXPECT_FALSE(main->Flash1->isEnabled());
    // A new project has no open marks: its editors start empty.
    EXPECT_FALSE(journal.contains("load Album"));
    EXPECT_TRUE(journal.contains("load BuildSettings"));
}

TEST_F(ProjectCommandsTest, NewWarnsAboutAnEmptyNameAndAMissingModuleAndStaysOpen)
{
    ly::WriteConfig("System", "PictureCheck", "0");
    start();
    ModalScript script;
    script.then<TFrmNew>([this](TFrmNew *dialog) {
        EXPECT_FALSE(dialog->CheckPicture->isChecked());
        fillNew(dialog, cards(), "   ");
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton);
        EXPECT_EQ(notices(), QStringList({"2: Execuse me, please re- fill in the engineering."}));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), dialog->EdtFile);

        notices().clear();
        QTest::keyClicks(dialog->EdtFile, "Card2");
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton);
        EXPECT_EQ(notices(), QStringList({"2: Execuse me, for canning make an elegant greeting "
                                          "card, please choose at least two item."}));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->CheckPicture->isChecked()) << "the album is ticked for the user";
        EXPECT_FALSE(QFileInfo::exists(cards() + "Card2"));

        // A location that does not exist: the first warning again.
        notices().clear();
        dialog->EdtPath->setText(cards() + "missing");
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton);
        EXPECT_EQ(notices(), QStringList({"2: Execuse me, please re- fill in the engineering."}));
        EXPECT_TRUE(dialog->isVisible());

        notices().clear();
        dialog->EdtPath->setText(cards());
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton);
    });
    main->New1->trigger();
    ASSERT_TRUE(script.finished());
    EXPECT_TRUE(notices().isEmpty());
    EXPECT_EQ(readFile(cards() + "Card2/Card2.zpj"), templateWith({"FrmBlk", "FrmPicture"}));
}

TEST_F(ProjectCommandsTest, TitleBarCloseOfTheNewDialogActsAsOk)
{
    start();
    ModalScript script;
    script.then<TFrmNew>([this](TFrmNew *dialog) {
        fillNew(dialog, cards(), "Card3", {dialog->CheckPicText});
        QTest::mouseClick(dialog->Ttl_BtnExit, Qt::LeftButton, {}, QPoint(4, 4));
    });
    main->New1->trigger();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(readFile(cards() + "Card3/Card3.zpj"),
              templateWith({"FrmBlk", "FrmPicture", "FrmPictureText"}));
    EXPECT_EQ(main->LblBtmText->text(), cards() + "Card3/Card3.zpj");
}

TEST_F(ProjectCommandsTest, NewReplacesAnExistingProjectOnlyWhenTheUserAgrees)
{
    const QString card = projectWith("Card1", {"FrmFlash"});
    ly::WriteIni("FrmFlash", "SwfNumber", "3", card);
    const QByteArray before = readFile(card);
    start();

    QString question;
    ModalScript script;
    script.then<TFrmNew>([&](TFrmNew *dialog) {
        fillNew(dialog, cards(), "Card1");
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton); // answered No
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(readFile(card), before);
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton); // answered Yes
    });
    script.then<QMessageBox>(answer(QMessageBox::No, &question));
    script.then<QMessageBox>(answer(QMessageBox::Yes));
    main->New1->trigger();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(question, "Information | The project [Card1.zpj] already exists in this location. "
                        "Do you want to replace it with a new, empty project?");
    EXPECT_EQ(readFile(card), templateWith({"FrmBlk", "FrmPicture"}));
    EXPECT_EQ(readFile(card + ".tmp"), readFile(card));
}

TEST_F(ProjectCommandsTest, CancelAtThePromptOfNewLeavesEverythingUntouched)
{
    const QString card = projectWith("Card1", {"FrmPicture"});
    start({card});
    ly::WriteIni("FrmBlk", "Unsaved", "1", card); // an editor wrote since the last save
    const QByteArray project = readFile(card);
    const QByteArray workingCopy = readFile(card + ".tmp");
    EditorWindow *album = main->Editor(ProjectEditorKind::Album);
    journal.clear();

    QString question;
    ModalScript script;
    script.then<QMessageBox>(answer(QMessageBox::Cancel, &question));
    main->New1->trigger();

    ASSERT_TRUE(script.finished());
    EXPECT_EQ(question, "Information | Do you want to save this document [Card1.zpj]?");
    EXPECT_TRUE(script.unexpected.isEmpty()) << "no new-project dialog";
    EXPECT_TRUE(journal.isEmpty()) << journal.join(", ").toStdString();
    EXPECT_EQ(main->Editor(ProjectEditorKind::Album), album);
    EXPECT_EQ(readFile(card), project);
    EXPECT_EQ(readFile(card + ".tmp"), workingCopy);
    EXPECT_EQ(main->LblBtmText->text(), card);
    EXPECT_TRUE(main->Save1->isEnabled());
    EXPECT_TRUE(main->Modified());
}

TEST_F(ProjectCommandsTest, NoAtThePromptRestoresTheSavedStateAndClosesTheEditors)
{
    const QString card = projectWith("Card1", {"FrmPicture"});
    start({card});
    main->Save1->trigger();
    const QByteArray saved = readFile(card);
    main->SbnPhoto->click();
    ly::WriteIni("FrmPicture", "Unsaved", "1", card);
    journal.clear();

    ModalScript script;
    script.then<QMessageBox>(answer(QMessageBox::No));
    main->MemuClose->trigger();

    ASSERT_TRUE(script.finished());
    EXPECT_EQ(readFile(card), saved);
    EXPECT_FALSE(QFileInfo::exists(card + ".tmp"));
    EXPECT_EQ(journal, QStringList({"destroy Album", "destroy Background", "destroy BuildSettings"}));
    expectNoProject();
    EXPECT_EQ(main->CurrentProjectFile(), card) << "kept after Close All";
}

TEST_F(ProjectCommandsTest, YesAtThePromptSavesBeforeClosing)
{
    const QString card = projectWith("Card1", {});
    start({card});
    journal.clear();

    ModalScript script;
    script.then<QMessageBox>(answer(QMessageBox::Yes));
    main->MemuClose->trigger();

    ASSERT_TRUE(script.finished());
    EXPECT_EQ(journal, QStringList({"save Background", "save BuildSettings",
                                    "destroy Background", "destroy BuildSettings"}));
    EXPECT_EQ(ly::ReadIni("SavedBackground", "Count", card), "1");
    EXPECT_FALSE(QFileInfo::exists(card + ".tmp"));
    expectNoProject();
}

TEST_F(ProjectCommandsTest, SaveRunsEveryEditorInOrderRefreshesTheWorkingCopyAndTheRecentList)
{
    const QString card = projectWith("Card1", {"FrmPicture", "FrmFlash", "FrmMovie", "FrmPictureText"});
    start({card});
    journal.clear();

    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(journal, QStringList({"save Background", "save Album", "save Flash", "save Movie",
                                    "save FrameCard", "save BuildSettings"}));
    EXPECT_FALSE(main->Modified());
    EXPECT_EQ(readFile(card + ".tmp"), readFile(card));
    EXPECT_EQ(ly::ReadIni("SavedFrameCard", "Count", card), "1");
    EXPECT_EQ(ly::ReadConfig("Finished", "Item0"), card);

    // Nothing changed since: closing asks nothing.
    ModalScript script;
    main->MemuClose->trigger();
    EXPECT_TRUE(script.unexpected.isEmpty());
    expectNoProject();
}

TEST_F(ProjectCommandsTest, OpenStartsInTheProjectFolderAndOpensTheChosenFile)
{
    const QString card = projectWith("Card1", {"FrmMovie"});
    const struct { const char *openDir; QString folder; } cases[] = {
        {"", sandbox.programDir() + "Project"},
        {"\\Cards", sandbox.programDir() + "Cards"},
        {"/elsewhere/Cards", "/elsewhere/Cards"},
    };
    start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.openDir);
        ly::WriteConfig("System", "OpenDir", c.openDir);
        QString asked;
        main->setOpenFilePicker([&](QWidget *, const QString &folder) {
            asked = folder;
            return card;
        });
        ModalScript script; // a project saved just before: no question
        main->Open1->trigger();
        EXPECT_EQ(asked, c.folder);
        EXPECT_EQ(main->LblBtmText->text(), card);
        EXPECT_NE(main->Editor(ProjectEditorKind::Movie), nullptr);
        main->Save1->trigger();
    }

    // Nothing chosen: the open project is closed all the same.
    main->setOpenFilePicker([](QWidget *, const QString &) { return QString(); });
    ModalScript script;
    main->Open1->trigger();
    expectNoProject();
}

TEST_F(ProjectCommandsTest, ReopenItemsListTheRecentProjectsAndOpenThem)
{
    const QString rock = projectWith("R&B", {"FrmPicture"});
    const QString example = projectWith("Example", {});
    QDir().rename(QFileInfo(example).path(), sandbox.programDir() + "Example");
    ly::WriteConfig("Finished", "Number", "3");
    ly::WriteConfig("Finished", "Item0", rock);
    ly::WriteConfig("Finished", "Item1", "");
    ly::WriteConfig("Finished", "Item2", "\\Example\\Example.zpj");
    ly::WriteConfig("Finished", "Item3", "/beyond/the/count.zpj");
    start();

    const QList<QAction *> items = main->Repont1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QString(rock).replace("&", "&&"));
    EXPECT_EQ(items[0]->toolTip(), rock);
    EXPECT_EQ(items[1]->toolTip(), sandbox.programDir() + "Example/Example.zpj");

    items[1]->trigger();
    EXPECT_EQ(main->LblBtmText->text(), sandbox.programDir() + "Example/Example.zpj");
    ModalScript script;
    script.then<QMessageBox>(answer(QMessageBox::No));
    items[0]->trigger();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(main->LblBtmText->text(), rock);
    EXPECT_NE(main->Editor(ProjectEditorKind::Album), nullptr);
}

TEST_F(ProjectCommandsTest, AnErrorInACommandIsLoggedAndTheProgramGoesOn)
{
    sandbox.writeFile("Program/Faultnote.exe", "#!/bin/sh\nexit 0\n");
    QFile(sandbox.programDir() + "Faultnote.exe")
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString card = projectWith("Card1", {"FrmPicture"});
    start({card});
    editor(ProjectEditorKind::Album)->failWith = "Unable to write to " + card;

    ModalScript script;
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(logged(), QStringList({"Unable to write to " + card}));
    EXPECT_EQ(launcher.started,
              QStringList({sandbox.programDir() + "Faultnote.exe | Lyrabell v3.50"}));
    EXPECT_TRUE(notices().isEmpty());
    EXPECT_TRUE(script.unexpected.isEmpty()) << "no message box";
    EXPECT_TRUE(main->Modified()) << "the save stopped where it failed";

    // The program goes on.
    editor(ProjectEditorKind::Album)->failWith.clear();
    main->SbnPhoto->click();
    EXPECT_EQ(main->PageType, 2);
    main->Save1->trigger();
    EXPECT_FALSE(main->Modified());
    EXPECT_EQ(logged().size(), 1);
}

// A project whose editor cannot load leaves no half-open project behind: the command stops,
// the error is logged, and the window is as it was before.
TEST_F(ProjectCommandsTest, AFailedOpenLeavesNoHalfOpenProject)
{
    const QString card = projectWith("Card1", {"FrmPicture"});
    loadFailures[ProjectEditorKind::Album] = "[FrmPicture] cannot be read";
    start({card});

    EXPECT_EQ(logged(), QStringList({"[FrmPicture] cannot be read"}));
    ASSERT_NE(main->FrmProcess, nullptr);
    EXPECT_FALSE(main->FrmProcess->isVisible());
    expectNoProject();
    EXPECT_TRUE(main->New1->isEnabled());
}

TEST_F(ProjectCommandsTest, TitleBarExitAsksFirstThenDeletesTheWorkingCopy)
{
    const QString card = projectWith("Card1", {});
    start({card});
    main->Save1->trigger();
    const QByteArray saved = readFile(card);
    main->SbnBlk->click();
    ly::WriteIni("FrmBlk", "Unsaved", "1", card);
    sandbox.writeFile("Program/auto.bat", "attrib +s \"x\"\r\n");

    {
        ModalScript script;
        script.then<QMessageBox>(answer(QMessageBox::Cancel));
        QTest::mouseClick(main->Ttl_BtnExit, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(QFileInfo::exists(card + ".tmp"));
    }
    ModalScript script;
    script.then<QMessageBox>(answer(QMessageBox::No));
    QTest::mouseClick(main->Ttl_BtnExit, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(readFile(card), saved);
    EXPECT_FALSE(QFileInfo::exists(card + ".tmp"));
    EXPECT_FALSE(QFileInfo::exists(sandbox.programDir() + "auto.bat"));
}

// "Exit Program" ends the program at once: no prompt, nothing saved, the working copy left
// for the next opening of the project.
TEST_F(ProjectCommandsTest, ExitProgramEndsAtOnceWithoutThePrompt)
{
    const QString card = projectWith("Card1", {});
    start({card});
    main->Save1->trigger();
    main->SbnBlk->click();
    ly::WriteIni("FrmBlk", "Unsaved", "1", card);
    const QByteArray changed = readFile(card);
    const qsizetype saves = journal.filter("save ").size();

    ModalScript script;
    QTimer::singleShot(0, main.get(), [this] { main->Exit1->trigger(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(' ').toStdString();
    EXPECT_EQ(journal.filter("save ").size(), saves);
    EXPECT_EQ(readFile(card), changed);
    EXPECT_TRUE(QFileInfo::exists(card + ".tmp"));
}

} // namespace
