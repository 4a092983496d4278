#include "BuilderFixtures.h"
#include "MainFixture.h"

#include "card/FrameCardSection.h"
#include "card/Package.h"
#include "editor/BuilderUnit.h"
#include "control/widgets/LyBevel.h"
#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyControlSize.h"
#include "control/widgets/LyFontDialog.h"
#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImage.h"
#include "control/widgets/LyLinkLabel.h"
#include "control/widgets/LyPanel.h"
#include "control/widgets/RzLabel.h"
#include "editor/widgets/ControlUnit.h"
#include "editor/widgets/LoadTextUnit.h"
#include "editor/widgets/PictureTextUnit.h"
#include "shared/Ini.h"
#include "support/Modal.h"
#include "support/PictureBytes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

namespace fc = ly::framecard;
using fc::Kind;
using ly::ProjectEditorKind;

// The keys of a section, in file order, with their values.
QStringList sectionLines(const QString &file, const QString &section)
{
    QStringList lines;
    for (const QString &key : ly::ini::keys(file, section))
        lines.append(key + "=" + ly::ini::read(file, section, key));
    return lines;
}

class PictureTextUnitTest : public lytest::MainFixture
{
protected:
    PictureTextUnitTest()
    {
        start();
        main->setEditorFactory(ProjectEditorKind::FrameCard,
                               DefaultEditorFactory(ProjectEditorKind::FrameCard));
    }
    ~PictureTextUnitTest() override { main.reset(); }

    QString rel(const QString &inProject) const
    {
        return QString(folder).mid(sandbox.root().size()) + inProject;
    }
    void write(const QString &section, const QStringList &lines)
    {
        for (const QString &line : lines) {
            const qsizetype eq = line.indexOf('=');
            ly::WriteIni(section, line.left(eq), line.mid(eq + 1), file);
        }
    }

    // The project of the check: one control of each kind, a frame picture, an icon.
    void cardProject()
    {
        file = projectWith("Rose", {"FrmPictureText"});
        folder = QFileInfo(file).path() + "/";
        sandbox.writeFile(rel("Res/frame.gif"), lytest::GifPicture({200, 150}, 1));
        sandbox.writeFile(rel("Res/rose.gif"), lytest::GifPicture({40, 30}, 3));
        sandbox.writeFile(rel("Res/AniText_1.txt"), "Happy birthday\r\nto you\r\n");
        sandbox.writeFile(rel("Res/bell.ico"), lytest::EncodedPicture({16, 16}, Qt::yellow, "PNG"));
        write("PictureText",
              {"Number=6", "ItemName0=SkinPic_1", "ItemClass0=TSkinPic", "ItemCaption0=FormImage",
               "ItemName1=Picture_1", "ItemClass1=TPicture", "ItemCaption1=Image1",
               "ItemName2=StaticText_1", "ItemClass2=TStaticText", "ItemCaption2=StaticText1",
               "ItemName3=AniText_1", "ItemClass3=TAniText", "ItemCaption3=MoveText1",
               "ItemName4=UrlText_1", "ItemClass4=TUrlText", "ItemCaption4=RULText1",
               "ItemName5=Bevel_1", "ItemClass5=TBevel", "ItemCaption5=Bevel1"});
        write("PnlMain",
              {"NoteMain_EdtWidth=200", "NoteMain_EdtHeight=150", "NoteMain_ColorBox=clYellow",
               "NoteMain_ComStyle=1", "NoteMain_EdtName=For Rose", "NoteMain_ComStart=2",
               "NoteMain_ComRadcom=1", "NoteMain_ComAni=2", "NoteMain_LblIco=\\Res\\bell.ico"});
        write("SkinPic_1", {"FrmPic_EdtTop=0", "FrmPic_EdtLeft=0", "FrmPic_EdtWidth=200",
                            "FrmPic_EdtHeight=150", "FrmPic_EdtName=FormImage",
                            "FrmPic_EdtPic=\\Res\\frame.gif", "FrmPic_ComColor=clFuchsia"});
        write("Picture_1", {"Pic_EdtTop=16", "Pic_EdtLeft=24", "Pic_EdtWidth=40",
                            "Pic_EdtHeight=30", "Pic_EdtName=Image1",
                            "Pic_EdtPicture=\\Res\\rose.gif", "Pic_ComAutosize=1",
                            "Pic_ComStretch=0", "Pic_ComTrans=0"});
        write("StaticText_1",
              {"StaticLbl_EdtTop=60", "StaticLbl_EdtLeft=10", "StaticLbl_EdtWidth=90",
               "StaticLbl_EdtHeight=20", "StaticLbl_EdtCaption=Dear Rose",
               "StaticLbl_ComColor=clWhite",
               "StaticLbl_EdtFont=Color=clRed#Size=12#Name=DejaVu;Sans#Style=fsBold|",
               "StaticLbl_EdtName=StaticText1", "StaticLbl_ComTransparent=0"});
        write("AniText_1",
              {"AniLbl_EdtText=\\res\\AniText_1.txt", "AniLbl_ComColor=clYellow",
               "AniLbl_EdtFont=Color=clNavy#Size=9#Name=DejaVu;Sans#Style=",
               "AniLbl_ComBorder=1", "AniLbl_ComEnabled=1", "AniLbl_EdtInterval=150",
               "AniLbl_ComAniStyle=2", "AniLbl_ComTrans=1", "AniLbl_EdtTop=80",
               "AniLbl_EdtLeft=100", "AniLbl_EdtWidth=96", "AniLbl_EdtHeight=48",
               "AniLbl_EdtName=MoveText1"});
        write("UrlText_1",
              {"URLLbl_EdtTop=130", "URLLbl_EdtLeft=8", "URLLbl_EdtName=RULText1",
               "URLLbl_EdtCaption=Our page",
               "URLLbl_Font=Color=clBlue#Size=9#Name=DejaVu;Sans#Style=fsUnderline|",
               "URLLbl_ComLink=clRed", "URLLbl_ComHover=clBlue",
               "URLLbl_EdtUrl=https://rose.example/"});
        write("Bevel_1", {"Bevel_EdtTop=8", "Bevel_EdtLeft=120", "Bevel_EdtWidth=64",
                          "Bevel_EdtHeight=40", "Bevel_EdtName=Bevel1", "Bevel_ComShape=6",
                          "Bevel_ComStyle=1"});
    }

    // A project without frame card sections yet.
    void emptyProject()
    {
        file = projectWith("Rose", {"FrmPictureText"});
        folder = QFileInfo(file).path() + "/";
    }

    TFrmPictureText *open()
    {
        main->OpenProject(file);
        designer = dynamic_cast<TFrmPictureText *>(main->Editor(ProjectEditorKind::FrameCard));
        if (!designer)
            return nullptr;
        main->SbnPicTextClick();
        surface = designer->Surface();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(surface));
        return designer;
    }

    QStringList allSections() const
    {
        QStringList lines;
        for (const QString &section : ly::ini::sections(file))
            if (section != "Application" && !section.startsWith("Saved"))
                for (const QString &line : sectionLines(file, section))
                    lines.append(section + ": " + line);
        return lines;
    }

    // A click on the surface at a point of its client area, with the tool of that kind image.
    void clickWithTool(int tool, QPoint clientPos)
    {
        designer->SetTool(tool);
        QTest::mouseClick(surface->PnlMain, Qt::LeftButton, {}, clientPos);
    }
    void clickRow(const QString &componentName)
    {
        QTreeWidget *list = designer->ListViewTitle;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            QTreeWidgetItem *item = list->topLevelItem(row);
            if (item->text(TFrmPictureText::ColName) == componentName) {
                list->scrollToItem(item);
                const QRect r = list->visualItemRect(item);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
                return;
            }
        }
        ADD_FAILURE() << "no row " << componentName.toStdString();
    }
    template <class W>
    W *field(const char *key) const
    {
        return qobject_cast<W *>(designer->PageControl(QLatin1String(key)));
    }
    QStringList captions() const
    {
        QStringList out;
        for (int row = 0; row < designer->ListViewTitle->topLevelItemCount(); ++row)
            out.append(designer->ListViewTitle->topLevelItem(row)->text(0));
        return out;
    }

    QString file;
    QString folder;
    TFrmPictureText *designer = nullptr;
    TFrmControl *surface = nullptr;
};

TEST_F(PictureTextUnitTest, StoredCardComesBackAndKeepsEveryKeyThroughSaveAndMoves)
{
    cardProject();
    ASSERT_TRUE(open());
    const QStringList before = allSections();

    // The list in stacking order: the front-most control first, "Background" last.
    EXPECT_EQ(designer->RowNames(),
              (QStringList{"Bevel_1", "UrlText_1", "AniText_1", "StaticText_1", "Picture_1",
                           "SkinPic_1", "PnlMain"}));
    EXPECT_EQ(captions(), (QStringList{"Bevel1", "RULText1", "MoveText1", "StaticText1", "Image1",
                                       "FormImage", "Background"}));
    EXPECT_EQ(designer->ListViewTitle->findItems("Y", Qt::MatchExactly, TFrmPictureText::ColMark)
                  .size(), 0);
    // The card window.
    EXPECT_EQ(surface->ClientSize(), QSize(200, 150));
    EXPECT_EQ(surface->WindowStyle(), 1);
    EXPECT_EQ(surface->Title(), QStringLiteral("For Rose"));
    EXPECT_EQ(surface->CardColor(), ly::clYellow);
    EXPECT_EQ(designer->NoteMain_ComStart->currentIndex(), 2);
    EXPECT_EQ(designer->NoteMain_ComAni->currentIndex(), 2);
    EXPECT_EQ(designer->EdtIco->text(), folder + "Res/bell.ico");
    // The controls.
    auto *picture = qobject_cast<TLyImage *>(surface->Control("Picture_1"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->geometry(), QRect(24, 16, 40, 30));
    EXPECT_TRUE(picture->Animated());
    auto *text = qobject_cast<TLyPanel *>(surface->Control("AniText_1"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->LyText(), (QStringList{"Happy birthday", "to you"}));
    EXPECT_EQ(text->LyStyle(), TLyPanel::LyRToL);
    EXPECT_FALSE(text->LyEnabled());
    EXPECT_TRUE(text->SingleBorder());
    EXPECT_EQ(text->LyInterval(), 150);
    auto *bevel = qobject_cast<TlyBevel *>(surface->Control("Bevel_1"));
    ASSERT_TRUE(bevel);
    EXPECT_EQ(bevel->Shape(), TlyBevel::bsTopLine);
    EXPECT_EQ(bevel->Style(), TlyBevel::bsRaised);
    EXPECT_EQ(surface->Control("SkinPic_1")->geometry(), QRect(0, 0, 200, 150));
    // Text controls are known by their captions, the others by their names.
    EXPECT_EQ(surface->Control("StaticText_1")->accessibleName(), QStringLiteral("Dear Rose"));
    EXPECT_EQ(surface->Control("UrlText_1")->accessibleName(), QStringLiteral("Our page"));
    EXPECT_EQ(surface->Control("Bevel_1")->accessibleName(), QStringLiteral("Bevel_1"));

    // The pages show what the sections name.
    clickRow("AniText_1");
    EXPECT_EQ(designer->Notebook->currentWidget()->objectName(), QStringLiteral("AniText"));
    EXPECT_EQ(field<QLineEdit>("AniLbl_EdtText")->text(), QStringLiteral("Happy birthday"));
    EXPECT_EQ(field<QComboBox>("AniLbl_ComAniStyle")->currentIndex(), 2);
    EXPECT_EQ(field<QSpinBox>("AniLbl_EdtInterval")->value(), 150);
    clickRow("UrlText_1");
    EXPECT_EQ(field<QLineEdit>("URLLbl_EdtUrl")->text(), QStringLiteral("https://rose.example/"));
    EXPECT_EQ(field<QLineEdit>("URLLbl_EdtCaption")->text(), QStringLiteral("Our page"));
    clickRow("Picture_1");
    EXPECT_EQ(field<QLineEdit>("Pic_EdtPicture")->text(), folder + "Res/rose.gif");
    EXPECT_EQ(field<QSpinBox>("Pic_EdtLeft")->value(), 24);
    clickRow("PnlMain");
    EXPECT_EQ(designer->Notebook->currentWidget()->objectName(), QStringLiteral("NoteMain"));

    // Save, then every control one pixel right and back by the arrow keys.
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(allSections(), before);
    for (const QString &name : designer->RowNames()) {
        if (name == "PnlMain")
            continue;
        clickRow(name);
        ASSERT_EQ(surface->Selected(), surface->Control(name)) << name.toStdString();
        TlyControlSize *handles = surface->Handles();
        const QRect was = surface->Control(name)->geometry();
        QTest::keyClick(handles, Qt::Key_Right);
        if (name != "SkinPic_1") {
            EXPECT_EQ(ly::ini::read(file, name, fc::KeyOf(fc::ParseComponentName(name)->kind,
                                                          fc::Field::Left)),
                      QString::number(was.x() + 1))
                << name.toStdString();
        }
        QTest::keyClick(handles, Qt::Key_Left);
    }
    EXPECT_EQ(allSections(), before);
}

TEST_F(PictureTextUnitTest, ClicksCreateControlsThatSaveInStackingOrder)
{
    emptyProject();
    ASSERT_TRUE(open());
    clickWithTool(TFrmPictureText::ToolPic, {40, 40});
    // The tool goes back to Select; the new row is on top and marked; its section is written.
    EXPECT_EQ(designer->CurrentTool(), int(TFrmPictureText::ToolSelect));
    EXPECT_EQ(designer->RowNames(), (QStringList{"Picture_1", "PnlMain"}));
    EXPECT_EQ(designer->ListViewTitle->topLevelItem(0)->text(TFrmPictureText::ColMark),
              QStringLiteral("Y"));
    EXPECT_EQ(surface->Selected(), surface->Control("Picture_1"));
    EXPECT_EQ(surface->Control("Picture_1")->pos(), QPoint(40, 40) + surface->PnlMain->pos()
                                                        - TFrmControl::kPlaceOffset);
    EXPECT_EQ(ly::ini::read(file, "Picture_1", "Pic_EdtName"), QStringLiteral("Image1"));
    EXPECT_EQ(ly::ini::read(file, "Picture_1", "Pic_ComAutosize"), QStringLiteral("1"));
    EXPECT_EQ(ly::ini::read(file, "Picture_1", "Pic_ComStretch"), QStringLiteral("0"));
    EXPECT_EQ(ly::ini::read(file, "Picture_1", "Pic_EdtPicture"), QString());
    EXPECT_EQ(designer->Notebook->currentWidget()->objectName(), QStringLiteral("Picture"));
    clickWithTool(TFrmPictureText::ToolText, {150, 40});
    clickWithTool(TFrmPictureText::ToolBevel, {60, 120});
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_ComShape"), QStringLiteral("1"));
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_EdtWidth"), QStringLiteral("50"));
    EXPECT_EQ(ly::ini::read(file, "StaticText_1", "StaticLbl_EdtCaption"),
              QStringLiteral("StaticText1"));
    main->Save1Click();
    EXPECT_EQ(sectionLines(file, "PictureText"),
              (QStringList{"Number=3", "ItemName0=Picture_1", "ItemClass0=TPicture",
                           "ItemCaption0=Image1", "ItemName1=StaticText_1",
                           "ItemClass1=TStaticText", "ItemCaption1=StaticText1",
                           "ItemName2=Bevel_1", "ItemClass2=TBevel", "ItemCaption2=Bevel1"}));
    EXPECT_EQ(ly::ini::keys(file, "PnlMain").size(), 9);

    // Reopened: the bevel is in front again.
    main->MemuCloseClick();
    ASSERT_TRUE(open());
    EXPECT_EQ(designer->RowNames(), (QStringList{"Bevel_1", "StaticText_1", "Picture_1", "PnlMain"}));
    const QObjectList children = surface->PnlMain->children();
    EXPECT_GT(children.indexOf(surface->Control("Bevel_1")),
              children.indexOf(surface->Control("Picture_1")));
}

TEST_F(PictureTextUnitTest, SlotsAreReusedAndAFullKindIsRefused)
{
    emptyProject();
    ASSERT_TRUE(open());
    for (int n = 0; n < fc::kMaxSlots; ++n)
        clickWithTool(TFrmPictureText::ToolPic, {10 + n * 8, 40});
    ASSERT_TRUE(surface->Control("Picture_20"));
    // A 21st: the warning, and the tool stays down.
    clickWithTool(TFrmPictureText::ToolPic, {20, 150});
    EXPECT_EQ(notices().value(0), "2: " + TFrmControl::kNoRoomText);
    EXPECT_EQ(designer->CurrentTool(), int(TFrmPictureText::ToolPic));
    EXPECT_EQ(designer->RowNames().size(), fc::kMaxSlots + 1);

    // Deleting Picture_7 erases its section; the next picture takes its slot and the top row.
    designer->SetTool(TFrmPictureText::ToolSelect);
    clickRow("Picture_7");
    ASSERT_EQ(surface->Selected(), surface->Control("Picture_7"));
    QTest::keyClick(surface->Handles(), Qt::Key_Delete);
    EXPECT_FALSE(ly::ini::hasSection(file, "Picture_7"));
    EXPECT_FALSE(designer->RowNames().contains("Picture_7"));
    EXPECT_EQ(surface->Selected(), nullptr);
    clickWithTool(TFrmPictureText::ToolPic, {200, 150});
    EXPECT_EQ(designer->RowNames().first(), QStringLiteral("Picture_7"));
    EXPECT_EQ(designer->ListViewTitle->topLevelItem(0)->text(0), QStringLiteral("Image7"));

    // A second frame picture is refused too.
    notices().clear();
    clickWithTool(TFrmPictureText::ToolFrameBmp, {5, 30});
    clickWithTool(TFrmPictureText::ToolFrameBmp, {50, 60});
    EXPECT_EQ(notices(), QStringList{"2: " + TFrmControl::kNoRoomText});
}

TEST_F(PictureTextUnitTest, AControlWhosePictureIsMissingIsRebuiltWithTheBuiltInOne)
{
    cardProject();
    QFile::remove(folder + "Res/frame.gif");
    ASSERT_TRUE(open());
    EXPECT_EQ(designer->RowNames().size(), 7);
    for (const char *name : {"SkinPic_1", "Picture_1", "StaticText_1", "AniText_1", "UrlText_1", "Bevel_1"})
        EXPECT_TRUE(surface->Control(name)) << name;
    auto *frame = qobject_cast<TLyImage *>(surface->Control("SkinPic_1"));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->PictureSize(), fc::BuiltInPicture(Kind::SkinPic).size());
    main->Save1Click();
    EXPECT_EQ(ly::ini::read(file, "PictureText", "Number"), QStringLiteral("6"));
    // Selected and moved, it keeps its stored path.
    clickRow("SkinPic_1");
    QTest::keyClick(surface->Handles(), Qt::Key_Down);
    EXPECT_EQ(ly::ini::read(file, "SkinPic_1", "FrmPic_EdtPic"), QStringLiteral("\\Res\\frame.gif"));
}

TEST_F(PictureTextUnitTest, NamesAndPathsFromAStrangerStayInsideTheCard)
{
    emptyProject();
    const QString secret = sandbox.writeFile("Secret/diary.gif", lytest::GifPicture({8, 8}, 1));
    write("PictureText",
          {"Number=3", "ItemName0=System", "ItemClass0=TPicture", "ItemCaption0=Evil",
           "ItemName1=Picture_25", "ItemClass1=TPicture", "ItemCaption1=Evil",
           "ItemName2=Picture_1", "ItemClass2=TPicture", "ItemCaption2=Image1"});
    write("PnlMain", {"NoteMain_EdtWidth=300", "NoteMain_LblIco=\\Res\\..\\..\\Secret\\diary.gif"});
    write("System", {"Keep=1"});
    write("Picture_1", {"Pic_EdtWidth=20", "Pic_EdtHeight=20",
                        "Pic_EdtPicture=\\Res\\..\\..\\Secret\\diary.gif"});
    ASSERT_TRUE(open());
    EXPECT_EQ(designer->RowNames(), (QStringList{"Picture_1", "PnlMain"}));
    EXPECT_EQ(designer->EdtIco->text(), QString());
    clickRow("Picture_1");
    EXPECT_EQ(field<QLineEdit>("Pic_EdtPicture")->text(), QString());
    QTest::keyClick(surface->Handles(), Qt::Key_Right);
    designer->BtnDelete->click();
    main->Save1Click();
    EXPECT_EQ(ly::ini::read(file, "System", "Keep"), QStringLiteral("1"));
    EXPECT_FALSE(QFileInfo::exists(folder + "Res/diary.gif"));
    EXPECT_EQ(ly::ini::read(file, "PnlMain", "NoteMain_LblIco"), QString());
    Q_UNUSED(secret);
}

TEST_F(PictureTextUnitTest, ChangesActOnUserEditsOfTheSelectedControlOnly)
{
    cardProject();
    ASSERT_TRUE(open());
    const QStringList before = allSections();
    // Showing pages fills them without writing.
    for (const QString &name : designer->RowNames())
        clickRow(name);
    EXPECT_EQ(allSections(), before);

    clickRow("Bevel_1");
    auto *shape = field<QComboBox>("Bevel_ComShape");
    shape->setCurrentIndex(2);
    Q_EMIT shape->activated(2);
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_ComShape"), QStringLiteral("2"));
    EXPECT_EQ(static_cast<TlyBevel *>(surface->Control("Bevel_1"))->Shape(), TlyBevel::bsFrame);
    auto *top = field<QSpinBox>("Bevel_EdtTop");
    top->setValue(33);
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_EdtTop"), QStringLiteral("33"));
    EXPECT_EQ(surface->Control("Bevel_1")->y(), 33);

    clickRow("UrlText_1");
    auto *url = field<QLineEdit>("URLLbl_EdtUrl");
    url->selectAll();
    QTest::keyClicks(url, "www.rose.example");
    EXPECT_EQ(ly::ini::read(file, "UrlText_1", "URLLbl_EdtUrl"),
              QStringLiteral("http://www.rose.example"));
    url->selectAll();
    QTest::keyClicks(url, "HTTPS://rose.example");
    EXPECT_EQ(ly::ini::read(file, "UrlText_1", "URLLbl_EdtUrl"), QStringLiteral("HTTPS://rose.example"));

    // The font button: the control takes the font, its key the font string.
    clickRow("StaticText_1");
    TlyFontDialog::SetFontPicker([](QWidget *, ly::TFont &font) {
        font.Size = 20;
        return true;
    });
    field<QToolButton>("StaticLbl_BtnFont")->click();
    TlyFontDialog::SetFontPicker(nullptr);
    EXPECT_EQ(ly::ini::read(file, "StaticText_1", "StaticLbl_EdtFont"),
              QStringLiteral("Color=clRed#Size=20#Name=DejaVu;Sans#Style=fsBold|"));
    EXPECT_EQ(surface->Control("StaticText_1")->font().pointSize(), 20);

    // Without a selected control nothing changes; a deleted control's page changes nothing.
    QTest::keyClick(surface->Handles(), Qt::Key_Delete);
    EXPECT_FALSE(ly::ini::hasSection(file, "StaticText_1"));
    auto *caption = field<QLineEdit>("StaticLbl_EdtCaption");
    QTest::keyClicks(caption, "more");
    field<QSpinBox>("StaticLbl_EdtLeft")->setValue(77);
    EXPECT_FALSE(ly::ini::hasSection(file, "StaticText_1"));
    designer->ToolGroup->button(TFrmPictureText::ToolSelect)->click();
    EXPECT_EQ(surface->Selected(), nullptr);
    field<QSpinBox>("Bevel_EdtTop")->setValue(55);
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_EdtTop"), QStringLiteral("33"));
}

TEST_F(PictureTextUnitTest, UpAndDownRestackTheSurfaceAsTheListSays)
{
    cardProject();
    ASSERT_TRUE(open());
    const auto stackIndex = [this](const char *name) {
        return surface->PnlMain->children().indexOf(surface->Control(name));
    };
    clickRow("Picture_1");
    designer->BtnUp->click();
    designer->BtnUp->click();
    EXPECT_EQ(designer->RowNames(),
              (QStringList{"Bevel_1", "UrlText_1", "Picture_1", "AniText_1", "StaticText_1",
                           "SkinPic_1", "PnlMain"}));
    EXPECT_GT(stackIndex("Picture_1"), stackIndex("AniText_1"));
    EXPECT_LT(stackIndex("Picture_1"), stackIndex("UrlText_1"));
    // Down stops above "Background"; Up stops at the top.
    for (int i = 0; i < 10; ++i)
        designer->BtnDown->click();
    EXPECT_EQ(designer->RowNames().mid(4), (QStringList{"SkinPic_1", "Picture_1", "PnlMain"}));
    EXPECT_FALSE(designer->BtnDown->isEnabled());
    EXPECT_LT(stackIndex("Picture_1"), stackIndex("SkinPic_1"));
    EXPECT_LT(stackIndex("SkinPic_1"), stackIndex("StaticText_1"));
    main->Save1Click();
    EXPECT_EQ(ly::ini::read(file, "PictureText", "ItemName0"), QStringLiteral("Picture_1"));
    EXPECT_EQ(ly::ini::read(file, "PictureText", "ItemName1"), QStringLiteral("SkinPic_1"));
}

TEST_F(PictureTextUnitTest, AFramePictureShapesTheCardOrIsRefused)
{
    emptyProject();
    const QString broken = sandbox.writeFile("Library/broken.gif", "GIF89a not really");
    const QString good = sandbox.writeFile("Library/frame.gif", lytest::GifPicture({180, 120}, 1));
    // Another picture of that name is in Res already; it stays.
    sandbox.writeFile(rel("Res/frame.gif"), lytest::GifPicture({10, 10}, 1));
    QString chosen;
    int entry = -1;
    ASSERT_TRUE(open());
    designer->setPictureChooser([&](QWidget *, int initialEntry, const ly::PictureTypes &types) {
        entry = initialEntry;
        EXPECT_FALSE(types[4]); // no icons
        return chosen;
    });
    clickWithTool(TFrmPictureText::ToolPic, {100, 100});
    clickWithTool(TFrmPictureText::ToolFrameBmp, {60, 60});
    const QStringList before = allSections();
    chosen = broken;
    field<QToolButton>("FrmPic_BtnPic")->click();
    EXPECT_EQ(entry, 2);
    EXPECT_EQ(notices(), QStringList{"1: Invalid document"});
    EXPECT_EQ(allSections(), before);
    EXPECT_EQ(surface->WindowStyle(), 0);

    chosen = good;
    field<QToolButton>("FrmPic_BtnPic")->click();
    EXPECT_EQ(surface->WindowStyle(), 1);
    EXPECT_EQ(surface->ClientSize(), QSize(180, 120));
    EXPECT_EQ(surface->Control("SkinPic_1")->geometry(), QRect(0, 0, 180, 120));
    EXPECT_EQ(designer->NoteMain_EdtWidth->value(), 180);
    EXPECT_EQ(designer->NoteMain_ComStyle->currentIndex(), 1);
    EXPECT_EQ(ly::ini::read(file, "SkinPic_1", "FrmPic_EdtPic"), QStringLiteral("\\Res\\frame_1.gif"));
    EXPECT_EQ(lytest::readFile(folder + "Res/frame_1.gif"), lytest::readFile(good));
    EXPECT_EQ(lytest::readFile(folder + "Res/frame.gif"), lytest::GifPicture({10, 10}, 1));
    EXPECT_EQ(designer->RowNames(), (QStringList{"Picture_1", "SkinPic_1", "PnlMain"}));
    const QObjectList children = surface->PnlMain->children();
    EXPECT_LT(children.indexOf(surface->Control("SkinPic_1")),
              children.indexOf(surface->Control("Picture_1")));
}

TEST_F(PictureTextUnitTest, PicturesRefuseWhatCannotBeLoadedAndAnimatedGifsPlay)
{
    emptyProject();
    const QString broken = sandbox.writeFile("Library/broken.gif", "GIF89a not really");
    const QString rose = sandbox.writeFile("Library/rose.gif", lytest::GifPicture({30, 20}, 2));
    QString chosen = broken;
    ASSERT_TRUE(open());
    designer->setPictureChooser([&](QWidget *, int, const ly::PictureTypes &) { return chosen; });
    clickWithTool(TFrmPictureText::ToolPic, {40, 40});
    field<QToolButton>("Pic_BtnPicture")->click();
    EXPECT_EQ(notices(), QStringList{"1: Invalid document"});
    EXPECT_EQ(ly::ini::read(file, "Picture_1", "Pic_EdtPicture"), QString());
    EXPECT_FALSE(QFileInfo::exists(folder + "Res/broken.gif"));

    chosen = rose;
    field<QToolButton>("Pic_BtnPicture")->click();
    EXPECT_EQ(ly::ini::read(file, "Picture_1", "Pic_EdtPicture"), QStringLiteral("\\Res\\rose.gif"));
    EXPECT_TRUE(QFileInfo::exists(folder + "Res/rose.gif"));
    auto *image = qobject_cast<TLyImage *>(surface->Control("Picture_1"));
    ASSERT_TRUE(image);
    ASSERT_TRUE(image->Animated());
    const QImage first = image->Picture();
    EXPECT_TRUE(QTest::qWaitFor([&] { return image->Picture() != first; }, 5000));
}

TEST_F(PictureTextUnitTest, AnimatedTextsLiveInResAndReachTheBuiltCard)
{
    emptyProject();
    sandbox.writeFile("Program/Cardstub.dll", "card player stub");
    const QString rose = sandbox.writeFile("Library/rose.gif", lytest::GifPicture({30, 20}, 2));
    ASSERT_TRUE(open());
    designer->setPictureChooser([&](QWidget *, int, const ly::PictureTypes &) { return rose; });
    clickWithTool(TFrmPictureText::ToolLyText, {40, 40});
    EXPECT_EQ(ly::ini::read(file, "AniText_1", "AniLbl_EdtText"), QStringLiteral("\\res\\AniText_1.txt"));
    EXPECT_EQ(fc::ReadTextLines(folder + "Res/AniText_1.txt"),
              QStringList{"Please input to bless the language!"});

    // The wish text: an empty one is refused, then the text is taken.
    lytest::ModalScript script;
    script.then<TFrmLoadText_English>([](TFrmLoadText_English *dialog) {
        dialog->Memo1->clear();
        dialog->BtnOpen->click();
        EXPECT_TRUE(dialog->isVisible());
        dialog->Memo1->setPlainText("Happy day\nDear Rose");
        dialog->BtnOpen->click();
    });
    field<QToolButton>("AniLbl_BtnText")->click();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(notices(), QStringList{"2: Please input some wish languages"});
    EXPECT_EQ(fc::ReadTextLines(folder + "Res/AniText_1.txt"), (QStringList{"Happy day", "Dear Rose"}));
    EXPECT_EQ(field<QLineEdit>("AniLbl_EdtText")->text(), QStringLiteral("Happy day"));
    EXPECT_FALSE(QFileInfo::exists(folder + "res"));

    // Cancel keeps the text.
    lytest::ModalScript cancel;
    cancel.then<TFrmLoadText_English>([](TFrmLoadText_English *dialog) { dialog->BtnCancel->click(); });
    field<QToolButton>("AniLbl_BtnText")->click();
    EXPECT_EQ(static_cast<TLyPanel *>(surface->Control("AniText_1"))->LyText(),
              (QStringList{"Happy day", "Dear Rose"}));

    clickWithTool(TFrmPictureText::ToolPic, {120, 40});
    field<QToolButton>("Pic_BtnPicture")->click();
    main->Save1Click();

    const QString output = cards() + "Rose.exe";
    buildertest::ProgressRecorder progress;
    ly::StartCard(file, output);
    ASSERT_EQ(ly::CardBuilder(file, output, progress).Build(), ly::CardBuilder::Outcome::Built);
    cardtest::Card card;
    ASSERT_NO_FATAL_FAILURE(cardtest::parseCard(lytest::readFile(output), card));
    QStringList names;
    for (const cardtest::Entry &entry : card.entries)
        if (entry.id == "Res") {
            const QString package = sandbox.writeFile("Res.package", entry.data);
            for (const QString &line : ly::package::readIndex(package).lines)
                names.append(ly::package::memberFileName(line));
        }
    names.sort();
    EXPECT_EQ(names, (QStringList{"AniText_1.txt", "rose.gif"}));
}

TEST_F(PictureTextUnitTest, TheSurfaceMenuCopiesPastesAndDeletes)
{
    emptyProject();
    ASSERT_TRUE(open());
    clickWithTool(TFrmPictureText::ToolBevel, {60, 60});
    ASSERT_EQ(surface->Selected(), surface->Control("Bevel_1"));
    surface->Copy1->trigger();
    surface->Paste1->trigger();
    EXPECT_TRUE(surface->Control("Bevel_2"));
    EXPECT_EQ(designer->CurrentTool(), int(TFrmPictureText::ToolSelect));
    // Ctrl+X deletes the selected control.
    ASSERT_EQ(surface->Selected(), surface->Control("Bevel_2"));
    QTest::keyClick(surface->Handles(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(ly::ini::hasSection(file, "Bevel_2"));
    EXPECT_EQ(designer->RowNames(), (QStringList{"Bevel_1", "PnlMain"}));
    EXPECT_EQ(surface->Selected(), nullptr);
}

TEST_F(PictureTextUnitTest, TheCardWindowPageShapesTheSurfaceAndPreviewSavesFirst)
{
    emptyProject();
    ASSERT_TRUE(open());
    designer->NoteMain_EdtWidth->setValue(260);
    EXPECT_EQ(surface->ClientSize().width(), 260);
    designer->NoteMain_EdtName->selectAll();
    QTest::keyClicks(designer->NoteMain_EdtName, "Rose");
    EXPECT_EQ(surface->Title(), QStringLiteral("Rose"));
    EXPECT_EQ(surface->Label35->text(), QStringLiteral("Rose"));
    designer->NoteMain_ComStyle->setCurrentIndex(1);
    Q_EMIT designer->NoteMain_ComStyle->activated(1);
    EXPECT_EQ(surface->WindowStyle(), 1);
    EXPECT_FALSE(surface->PnlTitle->isVisible());
    EXPECT_EQ(surface->ClientSize().width(), 260);
    const QString bell = sandbox.writeFile("Library/bell.png",
                                           lytest::EncodedPicture({16, 16}, Qt::yellow, "PNG"));
    int entry = -1;
    designer->setPictureChooser([&](QWidget *, int initialEntry, const ly::PictureTypes &types) {
        entry = initialEntry;
        EXPECT_EQ(types, (ly::PictureTypes{false, false, false, false, true, false, false}));
        return bell;
    });
    designer->BtnIco->click();
    EXPECT_EQ(entry, 1);
    EXPECT_EQ(designer->EdtIco->text(), bell);
    EXPECT_EQ(surface->ImgIcon->pixmap().toImage().pixelColor(1, 1), QColor(Qt::yellow));
    // Nothing of the card window is written before the save; Preview saves first.
    EXPECT_FALSE(ly::ini::hasSection(file, "PnlMain"));
    journal.clear();
    designer->BtnPreview->click();
    EXPECT_TRUE(journal.contains("save Background"));
    EXPECT_EQ(ly::ini::read(file, "PnlMain", "NoteMain_EdtWidth"), QStringLiteral("260"));
    EXPECT_EQ(ly::ini::read(file, "PnlMain", "NoteMain_EdtName"), QStringLiteral("Rose"));
    EXPECT_EQ(ly::ini::read(file, "PnlMain", "NoteMain_ComStyle"), QStringLiteral("1"));
    EXPECT_EQ(ly::ini::read(file, "PnlMain", "NoteMain_LblIco"), QStringLiteral("\\Res\\bell.png"));
    EXPECT_EQ(lytest::readFile(folder + "Res/bell.png"), lytest::readFile(bell));
    // Another page hides the surface.
    main->SbnBlkClick();
    EXPECT_FALSE(surface->isVisible());
}

TEST_F(PictureTextUnitTest, DraggingTheHandlesWritesTheSnappedPlace)
{
    emptyProject();
    ASSERT_TRUE(open());
    clickWithTool(TFrmPictureText::ToolBevel, {45, 60});
    QWidget *bevel = surface->Control("Bevel_1");
    ASSERT_EQ(surface->Selected(), bevel);
    TlyControlSize *handles = surface->Handles();
    const QPoint before = bevel->pos();
    const QPoint from = bevel->geometry().center() - handles->pos();
    QTest::mousePress(handles, Qt::LeftButton, {}, from);
    QTest::mouseMove(handles, from + QPoint(30, 21));
    QTest::mouseRelease(handles, Qt::LeftButton, {}, from + QPoint(30, 21));
    EXPECT_EQ(bevel->x() % TFrmControl::kGrid, 0);
    EXPECT_EQ(bevel->y() % TFrmControl::kGrid, 0);
    EXPECT_NE(bevel->pos(), before);
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_EdtLeft"), QString::number(bevel->x()));
    EXPECT_EQ(ly::ini::read(file, "Bevel_1", "Bevel_EdtTop"), QString::number(bevel->y()));
    EXPECT_EQ(field<QSpinBox>("Bevel_EdtLeft")->value(), bevel->x());
    EXPECT_EQ(designer->ListViewTitle->topLevelItem(0)->text(TFrmPictureText::ColMark),
              QStringLiteral("Y"));
}

TEST_F(PictureTextUnitTest, TheWishTextDialogLoadsATextFileAndCancelGivesItsOwnLine)
{
    const QString text = sandbox.writeFile("Texts/wish.txt", "Many happy returns\r\nof the day\r\n");
    TFrmLoadText_English::SetTextFilePicker([text](QWidget *) { return text; });
    TFrmLoadText_English dialog({"old"});
    EXPECT_EQ(dialog.Memo1->toPlainText(), QStringLiteral("old"));
    dialog.BtnLoad->click();
    TFrmLoadText_English::SetTextFilePicker(nullptr);
    EXPECT_EQ(dialog.Memo1->toPlainText(), QStringLiteral("Many happy returns\nof the day"));
    dialog.BtnOpen->click();
    EXPECT_EQ(dialog.ModalResult(), int(Tly_Form::mrOk));
    EXPECT_EQ(dialog.Result(), (QStringList{"Many happy returns", "of the day"}));

    TFrmLoadText_English closed({"old"});
    closed.show();
    closed.close();
    EXPECT_EQ(closed.Result(), QStringList{TFrmLoadText_English::kCancelledText});
    EXPECT_NE(closed.ModalResult(), int(Tly_Form::mrOk));
}

} // namespace
