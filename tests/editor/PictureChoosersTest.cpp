#include "control/widgets/LyFolderTree.h"
#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImgBtn.h"
#include "control/widgets/LyImagePanel.h"
#include "control/widgets/LyScrollboxImg.h"
#include "control/widgets/NewImage.h"
#include "editor/widgets/CreateDirUnit.h"
#include "editor/widgets/LoadMorePicUnit.h"
#include "editor/widgets/LoadOnePicUnit.h"
#include "editor/widgets/PreviewPicUnit.h"
#include "shared/Ini.h"
#include "shared/Paths.h"
#include "shared/Settings.h"
#include "shared/widgets/Notice.h"
#include "support/Modal.h"
#include "support/Sandbox.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {

using lytest::readFile;

std::vector<std::pair<int, QString>> g_notices;

using lytest::whenModalShows;

QByteArray jpegBytes(QSize size, const QColor &color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

class PictureChoosersTest : public lytest::SandboxTest
{
protected:
    void SetUp() override
    {
        g_notices.clear();
        ly::SetNoticeHook([](int kind, const QString &text) { g_notices.emplace_back(kind, text); });
        // Two libraries below the program folder and one user folder outside it.
        fill = sandbox.programDir() + "blk/Fill/";
        sandbox.writeFile("Program/blk/Fill/Sky.jpg", jpegBytes({300, 200}, Qt::blue));
        sandbox.writeFile("Program/blk/Fill/my photo [1].jpg", jpegBytes({40, 30}, Qt::red));
        sandbox.writeFile("Program/blk/Fill/notes.txt", "not a picture");
        QDir().mkpath(sandbox.programDir() + "blk/Empty");
        for (const QString &section : {QStringLiteral("DirBlkSet"), QStringLiteral("DirPicSet")}) {
            ly::EraseIniSection(section, ly::ConfigFile());
            ly::WriteConfig(section, "Number", "2");
            ly::WriteConfig(section, "Path_0", "\\blk\\Fill");
            ly::WriteConfig(section, "Name_0", "Fill pictures");
            ly::WriteConfig(section, "Path_1", "\\blk\\Empty");
            ly::WriteConfig(section, "Name_1", "Nothing yet");
        }
        user = sandbox.root() + "home/Pictures/";
        userPicture = sandbox.writeFile("home/Pictures/Night Sky.jpg", jpegBytes({64, 48}, Qt::darkBlue));
        QDir().mkpath(sandbox.root() + "project");
        target = sandbox.root() + "project/Picture";
    }
    void TearDown() override { ly::SetNoticeHook(nullptr); }

    // Waits until the browser has every tile of its folder.
    static void waitLoaded(TFrmLoadPicBase &chooser)
    {
        TlyScrollboxImg *browser = chooser.ScrollBoxImg1;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return browser->StopFlag() && browser->CreatedCount() == browser->PictureCount(); },
            10000));
        QApplication::processEvents();
    }

    // Clicks the tile of the file (left button) and returns whether there was one.
    static bool clickTile(TFrmLoadPicBase &chooser, const QString &fileName)
    {
        for (int i = 0; i < chooser.ScrollBoxImg1->CreatedCount(); ++i) {
            TLyImagePanel *tile = chooser.ScrollBoxImg1->Tile(i);
            if (QFileInfo(tile->lyImageFile()).fileName() == fileName) {
                QTest::mouseClick(tile->picture(), Qt::LeftButton);
                return true;
            }
        }
        return false;
    }

    static QStringList panelTexts(const TFrmLoadPicBase &chooser)
    {
        QStringList texts;
        for (const QLabel *panel : chooser.StatusPanels)
            texts << panel->text();
        return texts;
    }

    QString fill, user, userPicture, target;
};

// ---- One-picture chooser -------------------------------------------------------------------

TEST_F(PictureChoosersTest, OnePictureChooserOpensOnItsEntryWithItsTexts)
{
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.setInitialEntry(0);
    chooser.show();
    waitLoaded(chooser);

    EXPECT_EQ(chooser.ClientArea()->size(), QSize(800, 570));
    EXPECT_EQ(chooser.titleText(), "Select an Image");
    EXPECT_EQ(chooser.TextTop_Lbl->text(), "Open Images Directory");
    EXPECT_EQ(chooser.TextBtm_Lbl->text(), "Please Select an Image File");
    EXPECT_EQ(chooser.BtnOpen->text(), "&Open");
    EXPECT_EQ(chooser.BtnCancel->text(), "&Close");
    EXPECT_EQ(chooser.PageControl1->tabText(0), "Card Directory");
    EXPECT_EQ(chooser.PageControl1->tabText(1), "System Directory");
    EXPECT_EQ(chooser.BtnCreate->toolTip(), "Create Directory");
    EXPECT_EQ(chooser.PnlPreview->text(), "(Preview)");
    EXPECT_EQ(chooser.PageControl1->currentIndex(), 0);
    ASSERT_EQ(chooser.TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(chooser.TreeView1->currentItem(), chooser.TreeView1->topLevelItem(0));
    EXPECT_EQ(chooser.Panel_R_Top->text(), "Location:" + QDir::cleanPath(fill));
    EXPECT_EQ(chooser.StatusPanels[0]->text(), "Sum Files Num:2");
    EXPECT_FALSE(chooser.Gauge1->isVisible());
    EXPECT_TRUE(chooser.BtnOpen->isEnabled());
    // The file-system tree's first node, "Computer", is selected; it has no folder to show.
    EXPECT_EQ(chooser.ShellTreeView1->currentItem(), chooser.ShellTreeView1->topLevelItem(0));
    EXPECT_EQ(chooser.ShellTreeView1->currentItem()->text(0), "Computer");
}

TEST_F(PictureChoosersTest, AnInitialEntryBeyondTheLibraryShowsNothing)
{
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.setInitialEntry(5);
    chooser.show();
    QApplication::processEvents();
    EXPECT_EQ(chooser.Panel_R_Top->text(), "Location:");
    EXPECT_EQ(chooser.ScrollBoxImg1->PictureCount(), 0);
    EXPECT_EQ(chooser.TreeView1->currentItem(), nullptr);
    EXPECT_EQ(chooser.ShellTreeView1->currentItem(), nullptr);
}

TEST_F(PictureChoosersTest, ClickingATileFillsThePanelsAndTheEmptyAreaClearsThem)
{
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.show();
    waitLoaded(chooser);

    ASSERT_TRUE(clickTile(chooser, "Sky.jpg"));
    EXPECT_EQ(chooser.CurrentPicture(), fill + "Sky.jpg");
    const QStringList texts = panelTexts(chooser);
    EXPECT_EQ(texts.mid(2, 2), QStringList({"Sky.jpg", "300 X 200"}));
    EXPECT_TRUE(texts[5].startsWith("jpg Image"));
    for (int i = 1; i <= 5; ++i) {
        const QLabel *panel = chooser.StatusPanels[i];
        EXPECT_EQ(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text()) + 20);
    }
    EXPECT_EQ(chooser.PnlPreview->text(), QString());
    // The preview arrives from its reader: 300 x 200 fitted into the panel.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser.ImgPreview->pixmap().isNull(); }, 5000));
    const QRect shown = chooser.ImgPreview->geometry();
    EXPECT_TRUE(shown.width() == chooser.PnlPreview->width() || shown.height() == chooser.PnlPreview->height());
    EXPECT_EQ(shown.width() * 2 / shown.height(), 3);

    QTest::mouseClick(chooser.ScrollBoxImg1->widget(), Qt::LeftButton, {},
                      chooser.ScrollBoxImg1->widget()->rect().bottomRight() - QPoint(5, 5));
    EXPECT_EQ(chooser.CurrentPicture(), QString());
    EXPECT_EQ(chooser.PnlPreview->text(), "(Preview)");
    EXPECT_TRUE(chooser.ImgPreview->pixmap().isNull());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(chooser.StatusPanels[i]->text(), QString());
        EXPECT_EQ(chooser.StatusPanels[i]->width(), 0);
    }
}

TEST_F(PictureChoosersTest, TheActionButtonFollowsLoadingAlsoWhenALoadIsAbandoned)
{
    for (int i = 0; i < 40; ++i)
        sandbox.writeFile(QStringLiteral("Program/blk/Many/%1.jpg").arg(i), jpegBytes({50, 50}, Qt::green));
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.setInitialEntry(1); // the empty folder
    chooser.show();
    QApplication::processEvents();
    EXPECT_TRUE(chooser.BtnOpen->isEnabled());

    chooser.ShowFolder(sandbox.programDir() + "blk/Many");
    EXPECT_TRUE(QTest::qWaitFor([&] { return chooser.ScrollBoxImg1->CreatedCount() >= 1; }, 5000));
    EXPECT_TRUE(chooser.Gauge1->isVisible() || chooser.ScrollBoxImg1->StopFlag());
    if (!chooser.ScrollBoxImg1->StopFlag()) {
        EXPECT_FALSE(chooser.BtnOpen->isEnabled());
    }

    // An empty folder while the other still loads: nothing is loading any more.
    chooser.ShowFolder(sandbox.programDir() + "blk/Empty");
    EXPECT_TRUE(chooser.BtnOpen->isEnabled());
    EXPECT_FALSE(chooser.Gauge1->isVisible());
    EXPECT_EQ(chooser.StatusPanels[0]->text(), "Sum Files Num:0");

    // The gauge and the button follow the progress events.
    chooser.ScrollBoxImg1Progress(1, 3);
    EXPECT_FALSE(chooser.BtnOpen->isEnabled());
    EXPECT_EQ(chooser.Gauge1->value(), 1);
    EXPECT_EQ(chooser.Gauge1->maximum(), 3);
    chooser.ScrollBoxImg1Progress(3, 3);
    EXPECT_TRUE(chooser.BtnOpen->isEnabled());
    EXPECT_FALSE(chooser.Gauge1->isVisible());
}

TEST_F(PictureChoosersTest, OpeningALibraryPictureRenamesItInTheLibrary)
{
    const QByteArray bytes = readFile(fill + "my photo [1].jpg");
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.show();
    waitLoaded(chooser);
    ASSERT_TRUE(clickTile(chooser, "my photo [1].jpg"));
    QTest::mouseClick(chooser.BtnOpen, Qt::LeftButton);
    EXPECT_EQ(chooser.ChosenPath(), fill + "my_photo__1_.jpg");
    EXPECT_EQ(readFile(chooser.ChosenPath()), bytes);
    EXPECT_FALSE(QFileInfo::exists(fill + "my photo [1].jpg"));
    EXPECT_FALSE(chooser.isVisible());
}

TEST_F(PictureChoosersTest, OpeningAUsersPictureHandsBackACopyAndLeavesTheFile)
{
    const QByteArray bytes = readFile(userPicture);
    const QDateTime written = QFileInfo(userPicture).lastModified();
    // A library entry of the user's own folder is still the user's.
    ly::WriteConfig("DirBlkSet", "Path_1", QDir::cleanPath(user));
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.setInitialEntry(1);
    chooser.show();
    waitLoaded(chooser);
    ASSERT_TRUE(clickTile(chooser, "Night Sky.jpg"));
    QTest::mouseClick(chooser.BtnOpen, Qt::LeftButton);

    const QString chosen = chooser.ChosenPath();
    EXPECT_TRUE(chosen.startsWith(sandbox.tempDir())) << chosen.toStdString();
    EXPECT_EQ(QFileInfo(chosen).fileName(), "Night_Sky.jpg");
    EXPECT_EQ(readFile(chosen), bytes);
    EXPECT_EQ(readFile(userPicture), bytes);
    EXPECT_EQ(QFileInfo(userPicture).lastModified(), written);
    EXPECT_EQ(QDir(user).entryList(QDir::Files), QStringList({"Night Sky.jpg"}));
}

TEST_F(PictureChoosersTest, ClosingGivesNoPicture)
{
    for (const bool titleButton : {false, true}) {
        SCOPED_TRACE(titleButton);
        TFrmLoadOnePic chooser;
        chooser.setLibrarySection("DirBlkSet");
        chooser.show();
        waitLoaded(chooser);
        ASSERT_TRUE(clickTile(chooser, "Sky.jpg"));
        if (titleButton)
            chooser.Ttl_BtnExitClick();
        else
            QTest::mouseClick(chooser.BtnCancel, Qt::LeftButton);
        EXPECT_FALSE(chooser.isVisible());
        EXPECT_EQ(chooser.ChosenPath(), QString());
    }
}

TEST_F(PictureChoosersTest, ChooseRunsTheWholeModalUse)
{
    whenModalShows<TFrmLoadOnePic>([this](TFrmLoadOnePic *chooser) {
        waitLoaded(*chooser);
        if (clickTile(*chooser, "Sky.jpg"))
            QTest::mouseClick(chooser->BtnOpen, Qt::LeftButton);
        else
            chooser->close();
    });
    EXPECT_EQ(TFrmLoadOnePic::Choose(nullptr, "DirBlkSet", 0, ly::ALL_PICTURE_TYPES), fill + "Sky.jpg");
}

TEST_F(PictureChoosersTest, PictureTypesLimitTheListing)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::yellow);
    icon.save(fill + "Bell.ico", "ICO");
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection("DirBlkSet");
    chooser.setPictureTypes({false, false, false, false, true, false, false});
    chooser.show();
    waitLoaded(chooser);
    EXPECT_EQ(chooser.ScrollBoxImg1->Files(), QStringList({fill + "Bell.ico"}));
}

// ---- Library buttons -----------------------------------------------------------------------

TEST_F(PictureChoosersTest, CreateDirectoryOffersTheChoosersBaseFolder)
{
    TFrmLoadOnePic one;
    TFrmLoadMorePic more;
    const struct
    {
        TFrmLoadPicBase *chooser;
        const char *base;
        const char *section;
    } cases[] = {{&one, "\\blk\\", "DirBlkSet"}, {&more, "\\Picture\\", "DirPicSet"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.base);
        c.chooser->show();
        QApplication::processEvents();
        QString offered;
        whenModalShows<TFrmCreateDir>([&offered](TFrmCreateDir *dialog) {
            offered = dialog->EdtPath->text();
            dialog->EdtDir->setText("New");
            dialog->EdtText->setText("New pictures");
            dialog->BtnOKClick();
        });
        QTest::mouseClick(c.chooser->BtnCreate, Qt::LeftButton);
        EXPECT_EQ(offered, QLatin1String(c.base));
        EXPECT_EQ(ly::ReadConfig(QLatin1String(c.section), "Number"), "3");
        EXPECT_EQ(c.chooser->TreeView1->topLevelItemCount(), 3);
        c.chooser->close();
    }
}

TEST_F(PictureChoosersTest, DelDirectoryAsksFirst)
{
    TFrmLoadMorePic chooser;
    chooser.show();
    QApplication::processEvents();
    chooser.TreeView1->setCurrentItem(chooser.TreeView1->topLevelItem(1));
    for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
        QString question;
        whenModalShows<QMessageBox>([&](QMessageBox *box) {
            question = box->windowTitle() + "|" + box->text();
            box->button(button)->click();
        });
        QTest::mouseClick(chooser.BtnDelete, Qt::LeftButton);
        EXPECT_EQ(question, "Information|Do you really need to delete this Directory");
    }
    EXPECT_EQ(ly::ReadConfig("DirPicSet", "Number"), "1");
    EXPECT_EQ(chooser.TreeView1->topLevelItemCount(), 1);
}

// ---- Multi-picture chooser -----------------------------------------------------------------

class MorePicturesTest : public PictureChoosersTest
{
protected:
    void SetUp() override
    {
        PictureChoosersTest::SetUp();
        chooser.setLibrarySection("DirPicSet");
        chooser.setTargetFolder(target);
        // The album's add step: a picture of a file name already listed is not added again.
        chooser.setAddPicture([this](const QString &path) {
            for (const QString &listed : std::as_const(album))
                if (QFileInfo(listed).fileName() == QFileInfo(path).fileName())
                    return;
            album.append(path);
        });
        chooser.setIsListed([this](const QString &name) {
            return std::any_of(album.begin(), album.end(),
                               [&](const QString &p) { return QFileInfo(p).fileName() == name; });
        });
        chooser.show();
        QApplication::processEvents();
    }

    void add(const QString &folder, const QString &fileName)
    {
        chooser.ShowFolder(QDir::cleanPath(folder));
        waitLoaded(chooser);
        ASSERT_TRUE(clickTile(chooser, fileName));
        QTest::mouseClick(chooser.BtnOpen, Qt::LeftButton);
    }

    TFrmLoadMorePic chooser;
    QStringList album;
};

TEST_F(MorePicturesTest, OpensWithItsTextsOnTopAndStaysOpenWhileAdding)
{
    EXPECT_EQ(chooser.ClientArea()->size(), QSize(620, 520));
    EXPECT_EQ(chooser.titleText(), "Select a lot of Images");
    EXPECT_EQ(chooser.BtnOpen->text(), "&Add pictures");
    EXPECT_EQ(chooser.PageControl1->tabText(0), "MySoft list");
    EXPECT_EQ(chooser.PageControl1->tabText(1), "System list");
    EXPECT_EQ(chooser.Menu_AddPic->text(), "&Add pictures");
    EXPECT_EQ(chooser.Menu_ShowPic->text(), "Preview(100%)");
    EXPECT_TRUE(chooser.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(chooser.lyImgBtnMin->isVisibleTo(&chooser));
    EXPECT_TRUE(chooser.lyImgBtnMax->isVisibleTo(&chooser));
    EXPECT_EQ(chooser.TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(chooser.ScrollBoxImg1->lyImgPath(), ly::ProgramDir());

    add(fill, "Sky.jpg");
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_EQ(album, QStringList({target + "/Sky.jpg"}));
    // Only gif, jpg, jpeg and bmp are listed.
    sandbox.writeFile("Program/blk/Fill/x.ico", "ico");
    chooser.ShowFolder(QDir::cleanPath(sandbox.programDir() + "blk/Empty"));
    chooser.ShowFolder(QDir::cleanPath(fill));
    EXPECT_EQ(chooser.ScrollBoxImg1->PictureCount(), 2);
}

TEST_F(MorePicturesTest, AddingCopiesUnderTheStorableNameAndLeavesTheUsersFile)
{
    const QByteArray bytes = readFile(userPicture);
    add(user, "Night Sky.jpg");
    EXPECT_EQ(album, QStringList({target + "/Night_Sky.jpg"}));
    EXPECT_EQ(readFile(target + "/Night_Sky.jpg"), bytes);
    EXPECT_EQ(readFile(userPicture), bytes);
    EXPECT_EQ(QDir(user).entryList(QDir::Files), QStringList({"Night Sky.jpg"}));
    EXPECT_TRUE(g_notices.empty());
}

TEST_F(MorePicturesTest, TheSamePictureTwiceGivesOneFileAndOneRow)
{
    add(user, "Night Sky.jpg");
    add(user, "Night Sky.jpg");
    EXPECT_EQ(album, QStringList({target + "/Night_Sky.jpg"}));
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList({"Night_Sky.jpg"}));

    // Another picture of that name from elsewhere leaves the listed one as it is.
    const QByteArray listed = readFile(target + "/Night_Sky.jpg");
    sandbox.writeFile("other/Night Sky.jpg", jpegBytes({20, 20}, Qt::yellow));
    add(sandbox.root() + "other", "Night Sky.jpg");
    EXPECT_EQ(readFile(target + "/Night_Sky.jpg"), listed);
    EXPECT_EQ(album.size(), 1);
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList({"Night_Sky.jpg"}));

    // A picture already in the target folder stays intact.
    add(target, "Night_Sky.jpg");
    EXPECT_EQ(readFile(target + "/Night_Sky.jpg"), listed);
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList({"Night_Sky.jpg"}));
}

TEST_F(MorePicturesTest, AFailedCopyIsReportedAndNotAdded)
{
    // A file where the target folder should be: nothing can be copied into it.
    sandbox.writeFile("project/Picture", "in the way");
    add(user, "Night Sky.jpg");
    EXPECT_TRUE(album.isEmpty());
    ASSERT_EQ(g_notices.size(), 1u);
    EXPECT_EQ(g_notices[0].first, 1);
    EXPECT_TRUE(g_notices[0].second.contains("Night Sky.jpg"));
}

TEST_F(MorePicturesTest, TheContextMenuFollowsTheCurrentPicture)
{
    chooser.ShowFolder(QDir::cleanPath(fill));
    waitLoaded(chooser);
    chooser.PopupMenu1Popup(QPoint(5, 5));
    EXPECT_FALSE(chooser.Menu_AddPic->isEnabled());
    EXPECT_FALSE(chooser.Menu_ShowPic->isEnabled());
    chooser.PopupMenu1->close();
    ASSERT_TRUE(clickTile(chooser, "Sky.jpg"));
    chooser.PopupMenu1Popup(QPoint(5, 5));
    EXPECT_TRUE(chooser.Menu_AddPic->isEnabled());
    EXPECT_TRUE(chooser.Menu_ShowPic->isEnabled());
    chooser.PopupMenu1->close();
    chooser.Menu_AddPic->trigger();
    EXPECT_EQ(album, QStringList({target + "/Sky.jpg"}));
}

TEST_F(MorePicturesTest, ThePreviewOpensInFrontOfTheChooserAndClosesWithEscapeOrAClick)
{
    chooser.ShowFolder(QDir::cleanPath(fill));
    waitLoaded(chooser);
    ASSERT_TRUE(clickTile(chooser, "Sky.jpg"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !chooser.ImgPreview->pixmap().isNull(); }, 5000));
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape);
        bool onTop = false, inFront = false, shown = false;
        QString caption;
        whenModalShows<TFrmPreviewPic>([&](TFrmPreviewPic *preview) {
            onTop = preview->windowFlags() & Qt::WindowStaysOnTopHint;
            inFront = preview->parentWidget() == &chooser;
            caption = preview->windowTitle();
            shown = QTest::qWaitFor([&] { return !preview->Image1->pixmap().isNull(); }, 5000);
            if (escape)
                QTest::keyClick(preview, Qt::Key_Escape);
            else
                QTest::mouseClick(preview->Image1, Qt::LeftButton);
        });
        QTest::mouseClick(chooser.ImgPreview, Qt::LeftButton);
        EXPECT_TRUE(onTop);
        EXPECT_TRUE(inFront);
        EXPECT_TRUE(shown);
        EXPECT_EQ(caption, "..::::..");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(PictureChoosersTest, TheMultiPictureChooserSitsAtTheMainWindowsRightBelowItsTitle)
{
    QWidget main;
    main.setGeometry(100, 80, 900, 700);
    main.show();
    TFrmLoadMorePic chooser(&main);
    chooser.show();
    QApplication::processEvents();
    EXPECT_EQ(chooser.geometry().right(), main.geometry().right() - 4);
    EXPECT_EQ(chooser.geometry().top(), main.geometry().top() + 28);
}

} // namespace
