#include "MainFixture.h"

#include "control/widgets/LyFullPicture.h"
#include "editor/AlbumFiles.h"
#include "editor/BuilderUnit.h"
#include "editor/widgets/LoadMorePicUnit.h"
#include "editor/widgets/LoadOnePicUnit.h"
#include "editor/widgets/PictureUnit.h"
#include "editor/widgets/PreviewPicUnit.h"
#include "shared/FitRect.h"
#include "shared/Ini.h"
#include "support/Modal.h"
#include "support/PictureBytes.h"
#include "transitions/widgets/PicTransition.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using ly::ProjectEditorKind;

// The [FrmPicture] keys of a project file, in file order, with their values.
QStringList sectionLines(const QString &file)
{
    QStringList lines;
    for (const QString &key : ly::ini::keys(file, "FrmPicture"))
        lines.append(key + "=" + ly::ini::read(file, "FrmPicture", key));
    return lines;
}

class PictureUnitTest : public lytest::MainFixture
{
protected:
    PictureUnitTest()
    {
        sandbox.copyContent("BoxPicture");
        start();
        main->setEditorFactory(ProjectEditorKind::Album, DefaultEditorFactory(ProjectEditorKind::Album));
    }

    // A project as the check writes it: three pictures (JPEG, GIF, BMP), the project's frame,
    // a fill picture, show mode 2, "Full Reach" and an interval of 7 seconds.
    QString albumProject()
    {
        const QString file = projectWith("Rose", {"FrmPicture"});
        folder = QFileInfo(file).path() + "/";
        sandbox.writeFile(rel("Picture/One.jpg"), lytest::EncodedPicture({640, 480}, Qt::red, "JPG"));
        sandbox.writeFile(rel("Picture/Two.gif"), lytest::GifPicture({60, 40}));
        sandbox.writeFile(rel("Picture/Three.bmp"), lytest::EncodedPicture({200, 500}, Qt::green, "BMP"));
        sandbox.writeFile(rel("Res/Sky.jpg"), lytest::EncodedPicture({32, 32}, Qt::cyan, "JPG"));
        QDir().mkpath(folder + "PicBox");
        for (const char *piece : ly::kFramePieces)
            QFile::copy(ly::FrameSetsFolder() + "GoldLeaf/" + piece, folder + "PicBox/" + piece);
        const char *const lines[][2] = {
            {"ClientWidth", "520"},        {"ClientHeight", "360"},
            {"FillBoxPicFlag", "1"},       {"FillBoxPicName", "\\PicBox"},
            {"FillBlkPicFlag", "1"},       {"FillBlkPicName", "\\Res\\Sky.jpg"},
            {"DoPicRadio", "2"},           {"PicShowSecond", "7"},
            {"CheckScreen", "1"},          {"PicShowNum", "3"},
            {"Item0", "\\Picture\\One.jpg"},   {"StyleName0", "Random"},          {"StyleIndex0", "0"},
            {"Item1", "\\Picture\\Two.gif"},   {"StyleName1", "Rotational star"}, {"StyleIndex1", "1"},
            {"Item2", "\\Picture\\Three.bmp"}, {"StyleName2", "Fade"},            {"StyleIndex2", "33"},
        };
        for (const auto &line : lines)
            ly::WriteIni("FrmPicture", line[0], line[1], file);
        return file;
    }
    QString rel(const QString &inProject) const
    {
        return QString(folder).mid(sandbox.root().size()) + inProject;
    }

    TFrmPicture *open(const QString &file)
    {
        main->OpenProject(file);
        auto *album = dynamic_cast<TFrmPicture *>(main->Editor(ProjectEditorKind::Album));
        if (album)
            waitIdle(album);
        return album;
    }
    static void waitIdle(TFrmPicture *album)
    {
        EXPECT_TRUE(QTest::qWaitFor([album] { return !album->Loading(); }, 20000));
    }
    static void clickRow(TFrmPicture *album, int row)
    {
        QTreeWidgetItem *item = album->ListView1->topLevelItem(row);
        const QRect r = album->ListView1->visualItemRect(item);
        QTest::mouseClick(album->ListView1->viewport(), Qt::LeftButton, {}, r.center());
    }

    QString folder;
};

TEST_F(PictureUnitTest, AnAlbumOpensAsStoredAndSavesBackKeyForKey)
{
    const QString file = albumProject();
    const QStringList before = sectionLines(file);
    TFrmPicture *album = open(file);
    ASSERT_NE(album, nullptr);

    ASSERT_EQ(album->ListView1->topLevelItemCount(), 3);
    const QStringList names = {"One.jpg", "Two.gif", "Three.bmp"};
    const QStringList pixels = {"640 X 480", "60 X 40", "200 X 500"};
    const QStringList effects = {"Random", "Rotational star", "Fade"};
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem *row = album->ListView1->topLevelItem(i);
        EXPECT_EQ(row->text(TFrmPicture::ColName), names[i]);
        EXPECT_EQ(row->text(TFrmPicture::ColPixels), pixels[i]);
        EXPECT_EQ(row->text(TFrmPicture::ColEffect), effects[i]);
        EXPECT_FALSE(row->text(TFrmPicture::ColSize).isEmpty());
        EXPECT_EQ(row->text(TFrmPicture::ColFolder), folder + "Picture/");
        EXPECT_FALSE(album->RowMarked(i));
    }
    EXPECT_EQ(album->Edt_pix1->value(), 520);
    EXPECT_EQ(album->Edt_pix2->value(), 360);
    EXPECT_TRUE(album->RadioButton2->isChecked());
    EXPECT_TRUE(album->CheckScreen->isChecked());
    EXPECT_EQ(album->EdtSecond->value(), 7);
    EXPECT_EQ(album->ComboBoxEx->currentText(), QStringLiteral("PicBox"));
    EXPECT_EQ(album->Edit1->text(), folder + "Res/Sky.jpg");

    // The preview: the eight pieces around the fill area, the fill tiled in it.
    const QImage top(folder + "PicBox/Top.jpg");
    const QImage left(folder + "PicBox/Left.jpg");
    for (TLyFullPicture *piece : album->ImgPieces)
        EXPECT_TRUE(piece->isVisibleTo(album)) << piece->objectName().toStdString();
    EXPECT_EQ(album->PnlPicture->geometry().topLeft(), QPoint(left.width(), top.height()));
    EXPECT_EQ(album->ImgPieces[0]->geometry(), QRect(0, 0, TFrmPicture::kPreviewWidth, top.height()));
    EXPECT_FALSE(album->PnlPicture->LyLoadPicture().isNull());

    // A row click shows the picture fitted in the area, its path and its pixel size.
    clickRow(album, 2);
    EXPECT_TRUE(QTest::qWaitFor([album] { return album->PicTransition1->isVisible(); }, 10000));
    EXPECT_EQ(album->LblFilePath->text(), folder + "Picture/Three.bmp");
    EXPECT_EQ(album->LblPixel->text(), QStringLiteral("200 X 500"));
    EXPECT_EQ(album->PicTransition1->geometry(),
              ly::FitPictureRect({200, 500}, album->PnlPicture->size()));
    EXPECT_EQ(album->PicTransition1->Style(), 151 - 33);
    waitIdle(album);

    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    journal.clear();
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(journal.contains("save Background")) << journal.join(", ").toStdString();
    EXPECT_EQ(sectionLines(file), before);
}

TEST_F(PictureUnitTest, MoveUpMovesPictureEffectNameAndIndexTogether)
{
    const QString file = albumProject();
    TFrmPicture *album = open(file);
    ASSERT_NE(album, nullptr);
    clickRow(album, 2);
    ASSERT_TRUE(album->BtnUp->isEnabled());
    QTest::mouseClick(album->BtnUp, Qt::LeftButton);
    waitIdle(album);
    main->Save1Click();
    const auto key = [&file](const char *k) { return ly::ReadIni("FrmPicture", k, file); };
    EXPECT_EQ(key("Item1"), QStringLiteral("\\Picture\\Three.bmp"));
    EXPECT_EQ(key("StyleName1"), QStringLiteral("Fade"));
    EXPECT_EQ(key("StyleIndex1"), QStringLiteral("33"));
    EXPECT_EQ(key("Item2"), QStringLiteral("\\Picture\\Two.gif"));
    EXPECT_EQ(key("StyleName2"), QStringLiteral("Rotational star"));
    EXPECT_EQ(key("StyleIndex2"), QStringLiteral("1"));
    EXPECT_EQ(key("PicShowNum"), QStringLiteral("3"));
}

TEST_F(PictureUnitTest, AMissingPictureAndFramePieceDoNotStopTheLoadOrShrinkTheAlbum)
{
    const QString file = albumProject();
    QFile::remove(folder + "Picture/Two.gif");
    QFile::remove(folder + "PicBox/TopRight.jpg");
    sandbox.writeFile(rel("Picture/Three.bmp"), "damaged");
    TFrmPicture *album = open(file);
    ASSERT_NE(album, nullptr);
    ASSERT_EQ(album->ListView1->topLevelItemCount(), 3);
    EXPECT_FALSE(album->RowMarked(0));
    EXPECT_TRUE(album->RowMarked(1));
    EXPECT_TRUE(album->RowMarked(2));
    EXPECT_TRUE(album->ListView1->topLevelItem(1)->text(TFrmPicture::ColSize).isEmpty());
    EXPECT_FALSE(album->ImgPieces[5]->isVisibleTo(album));
    EXPECT_TRUE(album->ImgPieces[0]->isVisibleTo(album));

    // A click on the missing one shows its path and no picture.
    clickRow(album, 1);
    waitIdle(album);
    EXPECT_FALSE(album->PicTransition1->isVisible());

    main->Save1Click();
    EXPECT_EQ(ly::ReadIni("FrmPicture", "PicShowNum", file), QStringLiteral("3"));
    EXPECT_EQ(ly::ReadIni("FrmPicture", "Item1", file), QStringLiteral("\\Picture\\Two.gif"));
    EXPECT_EQ(ly::ReadIni("FrmPicture", "FillBoxPicFlag", file), QStringLiteral("1"));
    // The build's tidy keeps the pictures that are there.
    ly::TidyProjectFolder(file);
    EXPECT_TRUE(QFileInfo::exists(folder + "Picture/One.jpg"));
    EXPECT_TRUE(QFileInfo::exists(folder + "Picture/Three.bmp"));
}

TEST_F(PictureUnitTest, AddStepListsEachNameOnceWithTheRandomEffect)
{
    TFrmPicture *album = open(albumProject());
    ASSERT_NE(album, nullptr);
    const QString user = sandbox.writeFile("home/New.png", lytest::EncodedPicture({30, 20}, Qt::blue, "PNG"));
    const QString twin = sandbox.writeFile("other/one.JPG", lytest::EncodedPicture({10, 10}, Qt::blue, "JPG"));
    EXPECT_EQ(album->AddPicture(twin), nullptr); // "One.jpg" is listed already
    QTreeWidgetItem *row = album->AddPicture(user);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(album->AddPicture(user), nullptr);
    EXPECT_TRUE(album->Lists("new.PNG"));
    EXPECT_EQ(row->text(TFrmPicture::ColEffect), album->TreeView1->topLevelItem(0)->text(0));
    EXPECT_EQ(row->text(TFrmPicture::ColEffectIndex), QStringLiteral("0"));
    waitIdle(album);
    EXPECT_EQ(row->text(TFrmPicture::ColPixels), QStringLiteral("30 X 20"));

    // Saving copies the new picture into the project.
    main->Save1Click();
    EXPECT_EQ(lytest::readFile(folder + "Picture/New.png"), lytest::readFile(user));
    EXPECT_EQ(ly::ReadIni("FrmPicture", "Item3", main->CurrentProjectFile()),
              QStringLiteral("\\Picture\\New.png"));
}

TEST_F(PictureUnitTest, TheEffectPageMapsNodesToStylesAndReturnStoresTheChoice)
{
    TFrmPicture *album = open(albumProject());
    ASSERT_NE(album, nullptr);
    ASSERT_EQ(album->TreeView1->topLevelItemCount(), 151);
    clickRow(album, 0);
    QTest::mouseClick(album->BtnPicStyle, Qt::LeftButton);
    EXPECT_EQ(album->Notebook1->currentWidget(), album->StylePic);
    EXPECT_TRUE(album->TreeView1->topLevelItem(0)->isSelected());

    const struct { int node; int style; const char *name; } cases[] = {
        {1, 150, "Rotational star"}, {150, 1, "Expand from right"}, {33, 118, "Fade"}};
    for (const auto &c : cases) {
        album->TreeView1->setCurrentItem(album->TreeView1->topLevelItem(c.node));
        EXPECT_EQ(album->PicTransition1->Style(), c.style) << c.node;
    }
    QTest::mouseClick(album->BtnApply, Qt::LeftButton);
    EXPECT_EQ(album->Notebook1->currentWidget(), album->LoadPic);
    const QTreeWidgetItem *row = album->ListView1->topLevelItem(0);
    EXPECT_EQ(row->text(TFrmPicture::ColEffect), QStringLiteral("Fade"));
    EXPECT_EQ(row->text(TFrmPicture::ColEffectIndex), QStringLiteral("33"));

    // Node 0 draws a style at random at every click.
    album->TreeView1->setCurrentItem(album->TreeView1->topLevelItem(0));
    QSet<int> styles;
    for (int i = 0; i < 12; ++i) {
        album->TreeView1->clearSelection();
        album->TreeView1->topLevelItem(0)->setSelected(true);
        styles.insert(album->PicTransition1->Style());
    }
    EXPECT_GT(styles.size(), 1);
    waitIdle(album);
}

TEST_F(PictureUnitTest, AClickDuringATransitionStopsItAndPlaysTheNewPicture)
{
    TFrmPicture *album = open(albumProject());
    ASSERT_NE(album, nullptr);
    int stops = 0;
    album->PicTransition1->OnStop = [&stops](TCustomPicTransition *) { ++stops; };
    clickRow(album, 0);
    ASSERT_TRUE(QTest::qWaitFor([album] { return album->PicTransition1->Busy(); }, 10000));
    clickRow(album, 2);
    EXPECT_GE(stops, 1);
    EXPECT_EQ(album->LblFilePath->text(), folder + "Picture/Three.bmp");
    ASSERT_TRUE(QTest::qWaitFor([album] {
        return album->PicTransition1->Busy()
               && album->PicTransition1->geometry()
                      == ly::FitPictureRect({200, 500}, album->PnlPicture->size());
    }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([album] { return !album->PicTransition1->Busy(); }, 10000));

    // A click on the preview shows the picture full screen.
    QString shown;
    lytest::whenModalShows<TFrmPreviewPic>([&shown](TFrmPreviewPic *preview) {
        shown = preview->Picture();
        preview->close();
    });
    QTest::mouseClick(album->PicTransition1, Qt::LeftButton);
    EXPECT_EQ(shown, folder + "Picture/Three.bmp");
}

TEST_F(PictureUnitTest, AnIncompleteFrameSetIsRefusedAndNothingIsCopied)
{
    const QString file = projectWith("Lily", {"FrmPicture"});
    folder = QFileInfo(file).path() + "/";
    QDir().mkpath(ly::FrameSetsFolder() + "Broken");
    for (const char *piece : ly::kFramePieces)
        if (QLatin1String(piece) != QLatin1String("Left.jpg"))
            QFile::copy(ly::FrameSetsFolder() + "Silver/" + piece, ly::FrameSetsFolder() + "Broken/" + piece);
    TFrmPicture *album = open(file);
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->ComboBoxEx->itemText(0), QString());
    EXPECT_EQ(album->ComboBoxEx->currentIndex(), 0);
    const int broken = album->ComboBoxEx->findText("Broken");
    const int silver = album->ComboBoxEx->findText("Silver");
    ASSERT_GT(broken, 0);
    ASSERT_GT(silver, 0);
    album->ComboBoxEx->setCurrentIndex(silver);
    notices().clear();
    album->ComboBoxEx->setCurrentIndex(broken);
    ASSERT_EQ(notices().size(), 1);
    EXPECT_TRUE(notices().first().startsWith("2: ")) << notices().first().toStdString();
    EXPECT_EQ(album->ComboBoxEx->currentIndex(), silver);

    main->Save1Click();
    EXPECT_EQ(ly::ReadIni("FrmPicture", "FillBoxPicFlag", file), QStringLiteral("1"));
    EXPECT_EQ(QDir(folder + "PicBox").entryList(QDir::Files).size(), 8);
    EXPECT_EQ(lytest::readFile(folder + "PicBox/Left.jpg"),
              lytest::readFile(ly::FrameSetsFolder() + "Silver/Left.jpg"));
    // No frame: the flag goes to 0 and the name is not written again.
    album->ComboBoxEx->setCurrentIndex(0);
    main->Save1Click();
    EXPECT_EQ(ly::ReadIni("FrmPicture", "FillBoxPicFlag", file), QStringLiteral("0"));
    EXPECT_EQ(ly::ReadIni("FrmPicture", "DoPicRadio", file), QStringLiteral("1"));
    EXPECT_EQ(ly::ReadIni("FrmPicture", "ClientWidth", file), QStringLiteral("400"));
    EXPECT_EQ(ly::ReadIni("FrmPicture", "PicShowSecond", file), QStringLiteral("4"));
}

TEST_F(PictureUnitTest, DeleteAsksAndSelectsTheRowBefore)
{
    TFrmPicture *album = open(albumProject());
    ASSERT_NE(album, nullptr);
    clickRow(album, 1);
    QString question;
    lytest::whenModalShows<QMessageBox>([&question](QMessageBox *box) {
        question = box->windowTitle() + "|" + box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::mouseClick(album->BtnDelOne, Qt::LeftButton);
    EXPECT_EQ(question, QStringLiteral("Information|Do you really need to delete this document?"));
    ASSERT_EQ(album->ListView1->topLevelItemCount(), 2);
    EXPECT_TRUE(album->ListView1->topLevelItem(0)->isSelected());
    lytest::whenModalShows<QMessageBox>([&question](QMessageBox *box) {
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::mouseClick(album->BtnDelAll, Qt::LeftButton);
    EXPECT_EQ(question, QStringLiteral("Do you really need to delete All document"));
    EXPECT_EQ(album->ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(album->BtnDelAll->isEnabled());
    EXPECT_FALSE(album->BtnPicStyle->isEnabled());
    EXPECT_FALSE(album->PicTransition1->isVisible());
    EXPECT_TRUE(album->LblFilePath->text().isEmpty());
    waitIdle(album);
}

TEST_F(PictureUnitTest, FieldsHoldTheirRangesAndEveryControlHasAName)
{
    TFrmPicture *album = open(projectWith("Iris", {"FrmPicture"}));
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->Edt_pix1->minimum(), 1);
    EXPECT_EQ(album->Edt_pix1->maximum(), 9999);
    EXPECT_EQ(album->Edt_pix2->maximum(), 9999);
    EXPECT_EQ(album->EdtSecond->minimum(), 1);
    EXPECT_EQ(album->EdtSecond->maximum(), 3600);
    EXPECT_TRUE(album->RadioButton1->isChecked());
    EXPECT_EQ(album->ListView1->headerItem()->text(0), QStringLiteral("Filename:"));
    for (int c = TFrmPicture::ColFolder; c < TFrmPicture::ColumnCount; ++c)
        EXPECT_TRUE(album->ListView1->isColumnHidden(c));
    for (QWidget *w : album->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSpinBox *>(w)
                             || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w)
                             || qobject_cast<QTreeWidget *>(w) || qobject_cast<TLyFullPicture *>(w)
                             || qobject_cast<TPicTransition *>(w);
        if (!control || w->parentWidget() == nullptr || qobject_cast<QLineEdit *>(w->parentWidget())
            || qobject_cast<QAbstractSpinBox *>(w->parentWidget()) || qobject_cast<QComboBox *>(w->parentWidget()))
            continue;
        const auto *button = qobject_cast<QAbstractButton *>(w);
        const QString name = !w->accessibleName().isEmpty() ? w->accessibleName()
                             : button ? button->text() : QString();
        EXPECT_FALSE(name.isEmpty()) << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
}

TEST_F(PictureUnitTest, TheChoosersOpenOnTheAlbumsFoldersAndAClosedOneChangesNothing)
{
    TFrmPicture *album = open(albumProject());
    ASSERT_NE(album, nullptr);
    QString target;
    lytest::whenModalShows<TFrmLoadMorePic>([&target](TFrmLoadMorePic *chooser) {
        target = chooser->TargetFolder();
        chooser->close();
    });
    QTest::mouseClick(album->BtnPicAdd, Qt::LeftButton);
    EXPECT_EQ(target, folder + "Picture");

    bool shown = false;
    lytest::whenModalShows<TFrmLoadOnePic>([&shown](TFrmLoadOnePic *chooser) {
        shown = true;
        chooser->BtnCancel->click();
    });
    QTest::mouseClick(album->BtnPicDo, Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_EQ(album->Edit1->text(), folder + "Res/Sky.jpg");
    waitIdle(album);
}

// The main window's side: an editor whose section an earlier session wrote loads it, also
// when its module was off when the project was opened and comes back through Edit Project.
using EditorSectionLoadTest = lytest::MainFixture;

TEST_F(EditorSectionLoadTest, AnEditorLoadsItsSectionWheneverTheProjectHasIt)
{
    start();
    const QString file = projectWith("Tulip", {});
    ly::WriteIni("FrmPicture", "PicShowNum", "1", file);
    ly::WriteIni("FrmMovie", "Number", "0", file);
    main->OpenProject(file);
    ASSERT_FALSE(main->OpenMark(ly::ProjectModule::Album));
    journal.clear();
    main->PrepareProject(true, true, false, true); // Edit Project: album, Flash and movie on
    EXPECT_TRUE(journal.contains("load Album")) << journal.join(", ").toStdString();
    EXPECT_TRUE(journal.contains("load Movie")) << journal.join(", ").toStdString();
    // The Flash editor has no section in this file: nothing to load.
    EXPECT_TRUE(journal.contains("create Flash"));
    EXPECT_FALSE(journal.contains("load Flash"));
}

} // namespace
