#include "MainFixture.h"

#include "control/widgets/LyImgBtn.h"
#include "control/widgets/NewImage.h"
#include "editor/widgets/AddProUnit.h"
#include "editor/widgets/ProcessUnit.h"
#include "platform/FileAssociation.h"
#include "platform/widgets/HtmlHelp.h"
#include "shared/Paths.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

namespace {

using ly::ProjectEditorKind;
using lytest::readFile;

class MainUnitTest : public lytest::MainFixture
{
protected:
    QStringList menuBarCaptions() const
    {
        QStringList captions;
        for (QAction *action : main->ToolBar1->actions())
            if (auto *button = qobject_cast<QToolButton *>(main->ToolBar1->widgetForAction(action)))
                captions.append(button->text());
        return captions;
    }

    // The page buttons that show, with their places.
    QStringList pageButtons() const
    {
        QStringList shown;
        for (QToolButton *b : {main->SbnBlk, main->SbnPhoto, main->SbnFlash, main->SbnRealPlay,
                               main->SbnPicText, main->SbnBuilder, main->SbnEmail})
            if (!b->isHidden())
                shown.append(QStringLiteral("%1@%2").arg(b->text()).arg(b->x()));
        return shown;
    }

    void expectNoProjectState()
    {
        EXPECT_TRUE(main->New1->isEnabled());
        EXPECT_TRUE(main->Open1->isEnabled());
        EXPECT_TRUE(main->Repont1->isEnabled());
        EXPECT_FALSE(main->AddProject1->isEnabled());
        EXPECT_FALSE(main->Save1->isEnabled());
        EXPECT_FALSE(main->MemuClose->isEnabled());
        for (QAction *item : {main->Background1, main->Album1, main->Flash1, main->Filems1,
                              main->Frame1, main->Preview1, main->Builder1})
            EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
        EXPECT_TRUE(main->SendMail1->isEnabled());
        EXPECT_TRUE(main->PnlTop->isHidden());
        EXPECT_EQ(main->LblBtmText->text(), "");
    }
};

TEST_F(MainUnitTest, StartsWithItsTextsAndWithoutProject)
{
    start();
    EXPECT_EQ(main->windowTitle(), "ly_Lyrabell");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Lyrabell ");
    EXPECT_EQ(main->size(), QSize(800, 570));
    EXPECT_EQ(menuBarCaptions(), QStringList({" &File ", " &Setting ", " &Project ", " &Help "}));
    EXPECT_EQ(main->LblTitle->text(), "Lyrabell v3.50");
    EXPECT_EQ(main->Lbl_Title2->text(), "Lyrabell v3.50");
    EXPECT_EQ(main->LblHelpTitle->text(), "Click Here==>>");
    EXPECT_EQ(main->Ttl_BtnHelp->toolTip(), "Help");
    EXPECT_EQ(main->Ttl_BtnMin->toolTip(), "Minimize");
    EXPECT_EQ(main->Ttl_BtnExit->toolTip(), "Exit");
    EXPECT_EQ(main->BtnDownLoad->toolTip(), "Download Materials");
    EXPECT_EQ(main->Repont1->title(), "Reopet Project");
    EXPECT_EQ(main->SysHomePage->text(), "Lyrabell &Home Page");
    EXPECT_EQ(main->SysAbout->text(), "&About Soft");
    EXPECT_EQ(main->PopuQuickHelp->text(), "Quick Help");
    EXPECT_EQ(main->PopuUpdate->text(), "Download Materials");
    EXPECT_EQ(main->MenuQuillpost->text(), "Run my Quillpost to send out the mail");
    // The Flash and movie items carry the file-type icons that follow the 23 menu icons.
    ASSERT_EQ(main->LstImgMenu.size(), 25);
    EXPECT_EQ(main->Flash1->icon().cacheKey(), main->LstImgMenu[23].cacheKey());
    EXPECT_EQ(main->Filems1->icon().cacheKey(), main->LstImgMenu[24].cacheKey());
    expectNoProjectState();
    EXPECT_TRUE(main->TimerBlink->isActive());

    // The file type is registered for the desktop.
    EXPECT_TRUE(QFileInfo::exists(ly::platform::DesktopEntryFile("zpjProject")));
}

// Started with no argument or with two: the start-up aids run once the window is up, and the
// program folder is customised. Started with one: that project opens instead.
TEST_F(MainUnitTest, StartUpAidsRunUnlessOneProjectIsGiven)
{
    const QString card = projectWith("Card1", {"FrmPicture"});
    const struct { QStringList arguments; bool aids; } cases[] = {
        {{}, true},
        {{card, "--other"}, true},
        {{card}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QFile::remove(sandbox.programDir() + "desktop.ini");
        QFile::remove(sandbox.programDir() + "auto.bat");
        startupAidsRuns = 0;
        startupAidsSawTheWindow = false;
        start(c.arguments);
        QCoreApplication::processEvents();
        EXPECT_EQ(startupAidsRuns, c.aids ? 1 : 0);
        EXPECT_EQ(startupAidsSawTheWindow, c.aids) << "they run once the window is up";
        EXPECT_EQ(QFileInfo::exists(sandbox.programDir() + "desktop.ini"), c.aids);
        EXPECT_EQ(QFileInfo::exists(sandbox.programDir() + "auto.bat"), c.aids);
        EXPECT_EQ(main->LblBtmText->text(), c.aids ? QString() : card);
        if (!c.aids) {
            EXPECT_TRUE(QFileInfo::exists(card + ".tmp"));
            EXPECT_NE(main->Editor(ProjectEditorKind::Album), nullptr);
        }
        main.reset();
    }
}

TEST_F(MainUnitTest, AlbumAndMovieProjectPlacesItsButtonsAndEndsOnTheBackground)
{
    const QString card = projectWith("Card1", {"FrmPicture", "FrmMovie"});
    start({card});

    EXPECT_EQ(pageButtons(), QStringList({"Backdrop@0", "Fly Album@64", "Set Movie@128",
                                          "Builder@192", "Send Mail@256"}));
    EXPECT_FALSE(main->Flash1->isEnabled());
    EXPECT_FALSE(main->Frame1->isEnabled());
    for (QAction *item : {main->Background1, main->Album1, main->Filems1, main->Preview1,
                          main->Builder1, main->Save1, main->MemuClose, main->AddProject1})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();

    // Each editor once, in page order; those with an open mark load; the background page ends
    // in front.
    EXPECT_EQ(journal, QStringList({"create Background", "load Background", "show Background",
                                    "create Album", "load Album", "show Album",
                                    "create Movie", "load Movie", "show Movie",
                                    "create BuildSettings", "load BuildSettings",
                                    "show BuildSettings", "show Background"}));
    EXPECT_EQ(main->PageType, 1);
    EXPECT_TRUE(main->SbnBlk->isChecked());
    const QPoint middle = main->PnlDock->rect().center();
    EXPECT_EQ(main->PnlDock->childAt(middle), editor(ProjectEditorKind::Background));
    EXPECT_TRUE(main->Modified());

    // The module keys, and a working copy equal to the project file.
    EXPECT_EQ(ly::ReadIni("Application", "FrmBlk", card), "1");
    EXPECT_EQ(ly::ReadIni("Application", "FrmPicture", card), "1");
    EXPECT_EQ(ly::ReadIni("Application", "FrmFlash", card), "0");
    EXPECT_EQ(ly::ReadIni("Application", "FrmMovie", card), "1");
    EXPECT_EQ(ly::ReadIni("Application", "FrmPictureText", card), "0");
    EXPECT_EQ(readFile(card + ".tmp"), readFile(card));

    // The progress window is done and out of sight.
    ASSERT_NE(main->FrmProcess, nullptr);
    EXPECT_FALSE(main->FrmProcess->isVisible());
    EXPECT_TRUE(main->FrmProcess->Finished());
}

TEST_F(MainUnitTest, PageButtonsAndSettingsItemsOpenTheirPagesOnce)
{
    const QString card = projectWith("Card1", {"FrmPictureText"});
    start({card});
    journal.clear();

    // The Settings item presses the button and holds it down.
    main->Frame1->trigger();
    EXPECT_TRUE(main->SbnPicText->isChecked());
    EXPECT_EQ(main->PageType, 5);
    main->SbnPicText->click();
    EXPECT_EQ(journal, QStringList({"show FrameCard", "show FrameCard"}))
        << "created once, when the project was opened";

    // Any other page hides the frame card's floating surface; help does too.
    journal.clear();
    main->Background1->trigger();
    EXPECT_EQ(journal, QStringList({"hide floating FrameCard", "show Background"}));
    EXPECT_EQ(main->PageType, 1);

    // Pages mark the project modified, the pop-up buttons do not.
    main->Save1->trigger();
    EXPECT_FALSE(main->Modified());
    main->SbnSystem->click();
    EXPECT_EQ(main->PageType, 0);
    main->PopupMenu2->hide();
    main->SbnEmail->click();
    EXPECT_EQ(main->PageType, 6);
    main->PopupMenu_Mail->hide();
    EXPECT_FALSE(main->Modified());
    main->SbnBlk->click();
    EXPECT_TRUE(main->Modified());
}

TEST_F(MainUnitTest, EditProjectChangesTheModulesAndKeepsSwitchedOffEditors)
{
    const QString card = projectWith("Card1", {"FrmPicture"});
    start({card});
    journal.clear();

    lytest::ModalScript script;
    script.then<TFrmAddPro>([](TFrmAddPro *dialog) {
        EXPECT_EQ(dialog->Label35->text(), "Modify the project model");
        QStringList entries;
        for (int i = 0; i < dialog->ListView1->count(); ++i)
            entries.append(dialog->ListView1->item(i)->text()
                           + (dialog->ListView1->item(i)->checkState() == Qt::Checked ? "+" : "-"));
        EXPECT_EQ(entries, QStringList({"Fly Album+", "Add Flash-", "Add Movie-", "Set Frame-"}));
        dialog->ListView1->item(0)->setCheckState(Qt::Unchecked);
        dialog->ListView1->item(3)->setCheckState(Qt::Checked);
        QTest::mouseClick(dialog->BtnOk, Qt::LeftButton);
    });
    main->AddProject1->trigger();
    EXPECT_TRUE(script.finished());

    EXPECT_EQ(pageButtons(), QStringList({"Backdrop@0", "Set Frame@64", "Builder@128",
                                          "Send Mail@192"}));
    EXPECT_EQ(ly::ReadIni("Application", "FrmPicture", card), "0");
    EXPECT_EQ(ly::ReadIni("Application", "FrmPictureText", card), "1");
    EXPECT_FALSE(main->Album1->isEnabled());
    EXPECT_TRUE(main->Frame1->isEnabled());
    // The album editor stays and still saves its section.
    ASSERT_NE(editor(ProjectEditorKind::Album), nullptr);
    main->Save1->trigger();
    EXPECT_EQ(ly::ReadIni("SavedAlbum", "Count", card), "1");
    EXPECT_EQ(main->LblBtmText->text(), card);
}

TEST_F(MainUnitTest, HelpCommandsShowThePageOfTheCurrentPage)
{
    QStringList topics;
    ly::platform::SetHelpLibraryLoader([&topics](const QString &) {
        struct Library : ly::platform::HelpLibrary
        {
            QStringList *topics;
            ly::platform::HtmlHelpFunction function(const QByteArray &) override
            {
                return [this](QWidget *, const QString &topic, unsigned command, quintptr) {
                    if (command == ly::platform::HH_DISPLAY_TOPIC)
                        topics->append(topic);
                    return quintptr(0);
                };
            }
        };
        auto library = std::make_unique<Library>();
        library->topics = &topics;
        return library;
    });
    start();
    const QString guide = sandbox.programDir() + "Guidebook.chm";
    const struct { int pageType; const char *page; } pages[] = {
        {1, "CardBlk.htm"}, {2, "CardPicture.htm"}, {3, "CardFlash.htm"},
        {4, "CardMovie.htm"}, {5, "CardForm.htm"}, {6, "quick.htm"},
    };
    for (const auto &p : pages) {
        main->PageType = p.pageType;
        main->Ttl_BtnHelpClick();
    }
    QStringList expected;
    for (const auto &p : pages)
        expected.append(guide + "::/" + p.page);
    EXPECT_EQ(topics, expected);

    // Quick Help is the build page's help and stays so.
    topics.clear();
    main->PageType = 2;
    main->Index->trigger();
    EXPECT_EQ(main->PageType, 6);
    main->Ttl_BtnHelpClick();
    EXPECT_EQ(topics, QStringList({guide + "::/quick.htm", guide + "::/quick.htm"}));

    // Without a page the whole guide opens through the shell, as "Help" does.
    sandbox.copyContent("Guidebook");
    main->PageType = 0;
    main->Ttl_BtnHelpClick();
    main->Help->trigger();
    const QString index = QUrl::fromLocalFile(sandbox.programDir() + "Guidebook/index.htm").toString();
    EXPECT_EQ(launcher.opened, QStringList({index, index}));
    ly::CloseHtmlHelp();
    ly::platform::SetHelpLibraryLoader({});
}

TEST_F(MainUnitTest, MakerDownloadAndMailProgramCommandsOpenWhatTheyName)
{
    start();
    main->MainHttp->trigger();
    main->MyMail->trigger();
    main->UpdateSoft->trigger();
    main->PopuUpdate->trigger();
    QTest::mouseClick(main->BtnDownLoad, Qt::LeftButton, {}, QPoint(4, 4));
    main->SendMail1->trigger();
    main->MenuQuillpost->trigger();
    const QString fetchkit = QUrl::fromLocalFile(sandbox.programDir() + "Fetchkit.exe").toString();
    const QString quillpost = QUrl::fromLocalFile(sandbox.programDir() + "Quillpost.exe").toString();
    EXPECT_EQ(launcher.opened,
              QStringList({"http://www.lyrabell.example/",
                           "mailto:help@lyrabell.example?Subject=Lyrabell ", fetchkit, fetchkit,
                           fetchkit, quillpost, quillpost}));
    // The system menu's home page is the Help menu's.
    EXPECT_TRUE(main->HandleAppMessage(TFrmMain::kSysHomePage));
    EXPECT_EQ(launcher.opened.last(), "http://www.lyrabell.example/");
    EXPECT_FALSE(main->HandleAppMessage(98));
}

TEST_F(MainUnitTest, AboutShowsTheSplashWindowUntilClicked)
{
    start();
    for (QAction *command : {main->About, main->SysAbout}) {
        SCOPED_TRACE(command->text().toStdString());
        lytest::ModalScript script;
        script.then<TFrmShow>([](TFrmShow *about) {
            EXPECT_FALSE(about->Timer1->isActive());
            EXPECT_EQ(about->LblVersion->text(), "Lyrabell v3.50");
            EXPECT_EQ(about->size(), QSize(430, 290));
            // No timer of the window runs, so nothing but the click can close it.
            QCoreApplication::processEvents();
            for (const QTimer *timer : about->findChildren<QTimer *>()) {
                EXPECT_FALSE(timer->isActive()) << timer->objectName().toStdString();
            }
            EXPECT_TRUE(about->isVisible());
            QTest::mouseClick(about->Image1, Qt::LeftButton);
        });
        command->trigger();
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty());
    }
}

TEST_F(MainUnitTest, StopEditorMediaStopsTheBackgroundFlashAndMovieEditors)
{
    const QString card = projectWith("Card1", {"FrmPicture", "FrmFlash", "FrmMovie", "FrmPictureText"});
    start({card});
    journal.clear();
    main->StopEditorMedia();
    EXPECT_EQ(journal, QStringList({"stop Background", "stop Flash", "stop Movie"}));
}

TEST_F(MainUnitTest, BlinkLabelTurnsYellowAndBlackAgain)
{
    start();
    const auto colour = [this] { return main->LblHelpTitle->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(Qt::black));
    main->TimerBlinkTimer();
    EXPECT_EQ(colour(), QColor(Qt::yellow));
    main->TimerBlinkTimer();
    EXPECT_EQ(colour(), QColor(Qt::black));
}

} // namespace
