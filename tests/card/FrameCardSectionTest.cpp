#include "card/FrameCardSection.h"
#include "shared/CodePage.h"
#include "shared/Ini.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QFile>

namespace {

namespace fc = ly::framecard;
using fc::ComponentId;
using fc::Kind;

class FrameCardSectionTest : public lytest::SandboxTest
{
protected:
    QString project(const QByteArray &text = "[Application]\nFrmPictureText=1\n")
    {
        QByteArray ini = text;
        ini.replace("\n", "\r\n");
        return sandbox.writeFile("Rose/Rose.zpj", ini);
    }
    QString folder() const { return sandbox.root() + "Rose/"; }

    static QStringList lines(const QString &file, const QString &section)
    {
        QStringList out;
        for (const QString &key : ly::ini::keys(file, section))
            out.append(key + "=" + ly::ini::read(file, section, key));
        return out;
    }
};

TEST(FrameCardNamesTest, ComponentNamesAreKindAndSlot)
{
    struct Case
    {
        const char *name;
        bool ok;
        Kind kind;
        int slot;
    } cases[] = {
        {"SkinPic_1", true, Kind::SkinPic, 1},     {"Picture_3", true, Kind::Picture, 3},
        {"StaticText_20", true, Kind::StaticText, 20}, {"AniText_7", true, Kind::AniText, 7},
        {"UrlText_1", true, Kind::UrlText, 1},     {"Bevel_12", true, Kind::Bevel, 12},
        {"SkinPic_2", false, {}, 0},               {"Picture_21", false, {}, 0},
        {"Picture_25", false, {}, 0},              {"Picture_0", false, {}, 0},
        {"Picture_03", false, {}, 0},              {"Picture_", false, {}, 0},
        {"Picture_1x", false, {}, 0},              {"picture_1", false, {}, 0},
        {"System", false, {}, 0},                  {"PnlMain", false, {}, 0},
        {"Application_1", false, {}, 0},           {"", false, {}, 0},
    };
    for (const Case &c : cases) {
        const auto id = fc::ParseComponentName(c.name);
        ASSERT_EQ(id.has_value(), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(id->kind, c.kind) << c.name;
            EXPECT_EQ(id->slot, c.slot) << c.name;
            EXPECT_EQ(fc::ComponentName(*id), QString(c.name));
        }
    }
    EXPECT_EQ(fc::DisplayName({Kind::SkinPic, 1}), QStringLiteral("FormImage"));
    EXPECT_EQ(fc::DisplayName({Kind::UrlText, 4}), QStringLiteral("RULText4"));
    EXPECT_EQ(fc::DisplayName({Kind::AniText, 2}), QStringLiteral("MoveText2"));
}

TEST(FrameCardNamesTest, SlotsGiveTheLowestFreeNumber)
{
    fc::FrameSlots slots;
    for (int n = 1; n <= fc::kMaxSlots; ++n)
        ASSERT_TRUE(slots.take({Kind::Picture, slots.lowestFree(Kind::Picture)}));
    EXPECT_EQ(slots.lowestFree(Kind::Picture), 0);
    slots.release({Kind::Picture, 7});
    EXPECT_EQ(slots.lowestFree(Kind::Picture), 7);
    EXPECT_FALSE(slots.take({Kind::Picture, 8}));
    EXPECT_FALSE(slots.take({Kind::Picture, 21}));
    EXPECT_EQ(slots.lowestFree(Kind::SkinPic), 1);
    EXPECT_TRUE(slots.take({Kind::SkinPic, 1}));
    EXPECT_EQ(slots.lowestFree(Kind::SkinPic), 0);
}

TEST(FrameCardNamesTest, IndexMapsFollowThePageLists)
{
    const fc::BevelShape shapes[] = {fc::BevelShape::BottomLine, fc::BevelShape::Box,
                                     fc::BevelShape::Frame,      fc::BevelShape::LeftLine,
                                     fc::BevelShape::RightLine,  fc::BevelShape::Spacer,
                                     fc::BevelShape::TopLine};
    for (int i = 0; i < fc::kBevelShapes; ++i) {
        EXPECT_EQ(fc::BevelShapeOfIndex(i), shapes[i]) << i;
        EXPECT_EQ(fc::IndexOfBevelShape(shapes[i]), i);
    }
    EXPECT_EQ(fc::BevelShapeOfIndex(7), fc::BevelShape::Box);
    const fc::TextMotion motions[] = {fc::TextMotion::BottomToTop, fc::TextMotion::LeftToRight,
                                      fc::TextMotion::RightToLeft, fc::TextMotion::TopToBottom};
    for (int i = 0; i < fc::kTextMotions; ++i) {
        EXPECT_EQ(fc::TextMotionOfIndex(i), motions[i]) << i;
        EXPECT_EQ(fc::IndexOfTextMotion(motions[i]), i);
    }
}

TEST(FrameCardNamesTest, BareAddressesGetTheScheme)
{
    const char *const cases[][2] = {
        {"www.lyrabell.example", "http://www.lyrabell.example"},
        {"http://a.example", "http://a.example"},
        {"HTTP://A.example", "HTTP://A.example"},
        {"https://a.example/x", "https://a.example/x"},
        {"HTTPS://a.example", "HTTPS://a.example"},
        {"mailto:me@a.example", "mailto:me@a.example"},
        {"a.example:8080/x", "http://a.example:8080/x"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fc::StoredUrl(c[0]), QString(c[1])) << c[0];
}

TEST_F(FrameCardSectionTest, EmptyCardWritesNumberZeroAndTheNineWindowKeys)
{
    const QString file = project();
    fc::WritePictureText(file, {});
    fc::PnlMainSection s;
    s.title = "  Hello  ";
    fc::WritePnlMain(file, s);
    EXPECT_EQ(lines(file, "PictureText"), QStringList{"Number=0"});
    EXPECT_EQ(lines(file, "PnlMain"),
              (QStringList{"NoteMain_EdtWidth=320", "NoteMain_EdtHeight=240",
                           "NoteMain_ColorBox=clWhite", "NoteMain_ComStyle=0",
                           "NoteMain_EdtName=Hello", "NoteMain_ComStart=0",
                           "NoteMain_ComRadcom=0", "NoteMain_ComAni=0", "NoteMain_LblIco="}));
    EXPECT_TRUE(fc::ReadPictureTextItems(file).isEmpty());
}

TEST_F(FrameCardSectionTest, WindowValuesOutOfRangeReadAsDefaults)
{
    const QString file = project("[PnlMain]\nNoteMain_EdtWidth=0\nNoteMain_EdtHeight=x\n"
                                 "NoteMain_ColorBox=clBtnFace\nNoteMain_ComStyle=1\n"
                                 "NoteMain_EdtName=Card\nNoteMain_ComStart=9\nNoteMain_ComRadcom=1\n"
                                 "NoteMain_ComAni=2\nNoteMain_LblIco=\\Res\\..\\..\\x.ico\n");
    const fc::PnlMainSection s = fc::ReadPnlMain(file);
    EXPECT_EQ(s.width, 320);
    EXPECT_EQ(s.height, 240);
    EXPECT_EQ(s.color, ly::clWhite);
    EXPECT_EQ(s.style, 1);
    EXPECT_EQ(s.title, QStringLiteral("Card"));
    EXPECT_EQ(s.start, 0);
    EXPECT_EQ(s.random, 1);
    EXPECT_EQ(s.velocity, 2);
    EXPECT_EQ(s.icon, QString());
    ly::ini::write(file, "PnlMain", "NoteMain_LblIco", "\\Res\\bell.ico");
    EXPECT_EQ(fc::ReadPnlMain(file).icon, QStringLiteral("bell.ico"));
}

TEST_F(FrameCardSectionTest, ListedControlsComeBackInOrder)
{
    const QString file = project();
    const QList<fc::FrameItem> items = {{{Kind::Picture, 1}, "Image1"},
                                        {{Kind::StaticText, 1}, "StaticText1"},
                                        {{Kind::Bevel, 1}, "Bevel1"}};
    fc::WritePictureText(file, items);
    EXPECT_EQ(lines(file, "PictureText"),
              (QStringList{"Number=3", "ItemName0=Picture_1", "ItemClass0=TPicture",
                           "ItemCaption0=Image1", "ItemName1=StaticText_1",
                           "ItemClass1=TStaticText", "ItemCaption1=StaticText1",
                           "ItemName2=Bevel_1", "ItemClass2=TBevel", "ItemCaption2=Bevel1"}));
    const QList<fc::FrameItem> back = fc::ReadPictureTextItems(file);
    ASSERT_EQ(back.size(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(back[k].id, items[k].id);
        EXPECT_EQ(back[k].caption, items[k].caption);
    }
}

TEST_F(FrameCardSectionTest, OnlyKnownKindsWithAFreeSlotAndTheirClassAreListed)
{
    const QString file = project(
        "[PictureText]\nNumber=9\n"
        "ItemName0=System\nItemClass0=TPicture\nItemCaption0=x\n"
        "ItemName1=Picture_25\nItemClass1=TPicture\nItemCaption1=x\n"
        "ItemName2=Picture_2\nItemClass2=TBevel\nItemCaption2=x\n"
        "ItemName3=Picture_2\nItemClass3=TPicture\nItemCaption3=Image2\n"
        "ItemName4=Picture_2\nItemClass4=TPicture\nItemCaption4=again\n"
        "ItemName5=SkinPic_1\nItemClass5=TSkinPic\nItemCaption5=FormImage\n"
        "ItemName6=Bevel_1\nItemCaption6=Bevel1\n"
        "ItemName7=Bevel_2\nItemClass7=TBevel\nItemCaption7=Bevel2\n");
    const QList<fc::FrameItem> items = fc::ReadPictureTextItems(file);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].id, (ComponentId{Kind::Picture, 2}));
    EXPECT_EQ(items[0].caption, QStringLiteral("Image2"));
    EXPECT_EQ(items[1].id, (ComponentId{Kind::SkinPic, 1}));
}

TEST_F(FrameCardSectionTest, EveryKindWritesItsKeysInOrderAndReadsThemBack)
{
    const QString file = project();
    struct Case
    {
        fc::FrameControl control;
        QStringList expected;
    };
    std::vector<Case> cases;
    {
        fc::FrameControl c;
        c.id = {Kind::SkinPic, 1};
        c.top = 0; c.left = 0; c.width = 300; c.height = 200;
        c.name = "FormImage"; c.picture = "frame.gif"; c.transparentColor = ly::clFuchsia;
        cases.push_back({c, {"FrmPic_EdtTop=0", "FrmPic_EdtLeft=0", "FrmPic_EdtWidth=300",
                             "FrmPic_EdtHeight=200", "FrmPic_EdtName=FormImage",
                             "FrmPic_EdtPic=\\Res\\frame.gif", "FrmPic_ComColor=clFuchsia"}});
    }
    {
        fc::FrameControl c;
        c.id = {Kind::Picture, 3};
        c.top = -4; c.left = 16; c.width = 40; c.height = 30; c.name = "Image3";
        c.autoSize = 1; c.stretch = 0; c.pictureTrans = 1;
        cases.push_back({c, {"Pic_EdtTop=-4", "Pic_EdtLeft=16", "Pic_EdtWidth=40",
                             "Pic_EdtHeight=30", "Pic_EdtName=Image3", "Pic_EdtPicture=",
                             "Pic_ComAutosize=1", "Pic_ComStretch=0", "Pic_ComTrans=1"}});
    }
    {
        fc::FrameControl c;
        c.id = {Kind::StaticText, 2};
        c.top = 8; c.left = 9; c.width = 70; c.height = 13; c.caption = "Happy day";
        c.color = ly::clYellow; c.font = "Color=clRed#Size=12#Name=Serif#Style=fsBold|";
        c.name = "StaticText2"; c.transparent = 1;
        cases.push_back({c, {"StaticLbl_EdtTop=8", "StaticLbl_EdtLeft=9", "StaticLbl_EdtWidth=70",
                             "StaticLbl_EdtHeight=13", "StaticLbl_EdtCaption=Happy day",
                             "StaticLbl_ComColor=clYellow",
                             "StaticLbl_EdtFont=Color=clRed#Size=12#Name=Serif#Style=fsBold|",
                             "StaticLbl_EdtName=StaticText2", "StaticLbl_ComTransparent=1"}});
    }
    {
        fc::FrameControl c;
        c.id = {Kind::AniText, 1};
        c.text = "AniText_1.txt"; c.color = ly::clYellow; c.font = "Size=9";
        c.border = 1; c.enabled = 1; c.interval = 250; c.motion = 3; c.transparent = 1;
        c.top = 1; c.left = 2; c.width = 180; c.height = 100; c.name = "MoveText1";
        cases.push_back({c, {"AniLbl_EdtText=\\res\\AniText_1.txt", "AniLbl_ComColor=clYellow",
                             "AniLbl_EdtFont=Size=9", "AniLbl_ComBorder=1", "AniLbl_ComEnabled=1",
                             "AniLbl_EdtInterval=250", "AniLbl_ComAniStyle=3", "AniLbl_ComTrans=1",
                             "AniLbl_EdtTop=1", "AniLbl_EdtLeft=2", "AniLbl_EdtWidth=180",
                             "AniLbl_EdtHeight=100", "AniLbl_EdtName=MoveText1"}});
    }
    {
        fc::FrameControl c;
        c.id = {Kind::UrlText, 1};
        c.top = 50; c.left = 60; c.name = "RULText1"; c.caption = "Home";
        c.font = "Size=10"; c.url = "https://a.example";
        cases.push_back({c, {"URLLbl_EdtTop=50", "URLLbl_EdtLeft=60", "URLLbl_EdtName=RULText1",
                             "URLLbl_EdtCaption=Home", "URLLbl_Font=Size=10",
                             "URLLbl_ComLink=clRed", "URLLbl_ComHover=clBlue",
                             "URLLbl_EdtUrl=https://a.example"}});
    }
    {
        fc::FrameControl c;
        c.id = {Kind::Bevel, 1};
        c.top = 5; c.left = 6; c.width = 50; c.height = 50; c.name = "Bevel1";
        c.shape = 6; c.bevelStyle = 1;
        cases.push_back({c, {"Bevel_EdtTop=5", "Bevel_EdtLeft=6", "Bevel_EdtWidth=50",
                             "Bevel_EdtHeight=50", "Bevel_EdtName=Bevel1", "Bevel_ComShape=6",
                             "Bevel_ComStyle=1"}});
    }
    for (const Case &c : cases) {
        const QString section = fc::ComponentName(c.control.id);
        fc::WriteFrameControl(file, c.control);
        EXPECT_EQ(lines(file, section), c.expected) << section.toStdString();
        const fc::FrameControl back = fc::ReadFrameControl(file, c.control.id);
        for (const fc::KeyField &k : fc::KeysOf(c.control.id.kind))
            EXPECT_EQ(fc::StoredValue(back, k.field), fc::StoredValue(c.control, k.field)) << k.key;
        fc::EraseFrameControl(file, c.control.id);
        EXPECT_FALSE(ly::ini::hasSection(file, section));
    }
}

TEST_F(FrameCardSectionTest, MissingSectionGivesTheDefaults)
{
    const fc::FrameControl bevel = fc::ReadFrameControl(project(), {Kind::Bevel, 2});
    EXPECT_EQ(bevel.shape, 1);
    EXPECT_EQ(bevel.bevelStyle, 0);
    EXPECT_EQ(bevel.width, 0);
    const fc::FrameControl text = fc::ReadFrameControl(project(), {Kind::AniText, 2});
    EXPECT_EQ(text.interval, 100);
    EXPECT_EQ(text.text, QString());
}

TEST_F(FrameCardSectionTest, StoredPathsAreOnlyBareNamesInRes)
{
    const QString file = project();
    const struct
    {
        const char *stored;
        const char *name;
    } cases[] = {
        {"\\Res\\rose.gif", "rose.gif"},
        {"\\res\\rose.gif", "rose.gif"},
        {"\\Res\\..\\..\\home\\secret.gif", ""},
        {"\\Res\\sub\\rose.gif", ""},
        {"\\Music\\rose.gif", ""},
        {"/etc/passwd", ""},
        {"C:\\Res\\rose.gif", ""},
        {"\\Res\\..", ""},
    };
    for (const auto &c : cases) {
        ly::ini::write(file, "Picture_1", "Pic_EdtPicture", c.stored);
        ly::ini::write(file, "SkinPic_1", "FrmPic_EdtPic", c.stored);
        ly::ini::write(file, "AniText_1", "AniLbl_EdtText", c.stored);
        EXPECT_EQ(fc::ReadFrameControl(file, {Kind::Picture, 1}).picture, QString(c.name)) << c.stored;
        EXPECT_EQ(fc::ReadFrameControl(file, {Kind::SkinPic, 1}).picture, QString(c.name)) << c.stored;
        EXPECT_EQ(fc::ReadFrameControl(file, {Kind::AniText, 1}).text, QString(c.name)) << c.stored;
    }
    EXPECT_EQ(fc::ResolvedPath("/p/Rose/", ""), fc::kNoFile);
    EXPECT_EQ(fc::ResolvedPath("/p/Rose/", "a.txt"), QStringLiteral("/p/Rose/Res/a.txt"));
    EXPECT_EQ(fc::AniTextStored({Kind::AniText, 4}), QStringLiteral("\\res\\AniText_4.txt"));
}

TEST_F(FrameCardSectionTest, CopiesIntoResNeverReplaceAnotherPicture)
{
    project();
    const QString a = sandbox.writeFile("Library/rose.gif", "GIF89a-one");
    const QString b = sandbox.writeFile("Other/rose.gif", "GIF89a-two");
    EXPECT_EQ(fc::CopyIntoRes(a, folder()), QStringLiteral("rose.gif"));
    EXPECT_EQ(lytest::readFile(folder() + "Res/rose.gif"), QByteArray("GIF89a-one"));
    // The same bytes again, and the copy itself: nothing new.
    EXPECT_EQ(fc::CopyIntoRes(a, folder()), QStringLiteral("rose.gif"));
    EXPECT_EQ(fc::CopyIntoRes(folder() + "Res/rose.gif", folder()), QStringLiteral("rose.gif"));
    // Another picture of that name takes a free name; the first stays.
    EXPECT_EQ(fc::CopyIntoRes(b, folder()), QStringLiteral("rose_1.gif"));
    EXPECT_EQ(lytest::readFile(folder() + "Res/rose.gif"), QByteArray("GIF89a-one"));
    EXPECT_EQ(lytest::readFile(folder() + "Res/rose_1.gif"), QByteArray("GIF89a-two"));
    EXPECT_EQ(fc::CopyIntoRes(b, folder()), QStringLiteral("rose_1.gif"));
    EXPECT_EQ(QDir(folder() + "Res").entryList(QDir::Files).size(), 2);
    // A missing source keeps its name and changes nothing.
    EXPECT_EQ(fc::CopyIntoRes(sandbox.root() + "Gone/rose.gif", folder()), QStringLiteral("rose.gif"));
    EXPECT_EQ(lytest::readFile(folder() + "Res/rose.gif"), QByteArray("GIF89a-one"));
    EXPECT_EQ(fc::CopyIntoRes("", folder()), QString());
}

TEST_F(FrameCardSectionTest, TextLinesRoundTripInTheCodePage)
{
    project();
    const QString file = fc::ResFolder(folder()) + "AniText_1.txt";
    QDir().mkpath(fc::ResFolder(folder()));
    const QStringList text = {"Happy birthday", "", "grüße"};
    ASSERT_TRUE(fc::WriteTextLines(file, text));
    EXPECT_EQ(lytest::readFile(file),
              QByteArray("Happy birthday\r\n\r\n") + ly::codepage::fromUnicode(u"grüße") + "\r\n");
    EXPECT_EQ(fc::ReadTextLines(file), text);
    EXPECT_TRUE(fc::ReadTextLines(file + ".missing").isEmpty());
}

TEST(FrameCardNamesTest, BrokenFontStringsKeepTheBase)
{
    ly::TFont base;
    base.Size = 11;
    EXPECT_EQ(fc::FontOfString("", base), base);
    EXPECT_EQ(fc::FontOfString("Size=x#Name=Serif", base).Size, 11);
    EXPECT_EQ(fc::FontOfString("Color=clRed#Size=14#Name=Serif#Style=fsBold|", base).Size, 14);
}

TEST(FrameCardNamesTest, BuiltInPicturesAreThere)
{
    EXPECT_EQ(fc::BuiltInPicture(Kind::SkinPic).size(), QSize(320, 240));
    EXPECT_FALSE(fc::BuiltInPicture(Kind::Picture).isNull());
}

} // namespace
