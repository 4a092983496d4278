#include "card/FrmBlkSection.h"
#include "card/FrmPictureSection.h"
#include "card/StoredPath.h"
#include "card/SystemSection.h"
#include "shared/Ini.h"
#include "support/Sandbox.h"

namespace {

class ProjectSectionsTest : public lytest::SandboxTest
{
protected:
    QString project(const QByteArray &text)
    {
        QByteArray ini = text;
        ini.replace("\n", "\r\n");
        return sandbox.writeFile("Rose/Rose.zpj", ini);
    }
};

TEST(StoredPathTest, TakesOnlyTheFormTheEditorsWrite)
{
    struct Case
    {
        const char *stored;
        const char *name; // empty: refused
    } cases[] = {
        {"\\Music\\song.mp3", "song.mp3"},
        {"\\music\\my song.mp3", "my song.mp3"},
        {"\\Music\\..", ""},
        {"\\Music\\..\\..\\etc\\passwd", ""},
        {"\\Music\\sub\\song.mp3", ""},
        {"\\Music\\a/b.mp3", ""},
        {"/etc/passwd", ""},
        {"C:\\Music\\song.mp3", ""},
        {"\\Res\\song.mp3", ""},
        {"\\Music\\", ""},
        {"Music\\song.mp3", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ly::storedpath::bareName(c.stored, ly::storedpath::kMusic), QString(c.name))
            << c.stored;
    EXPECT_EQ(ly::storedpath::toNative("\\Music\\a.mp3", "Music", "/p/Rose"),
              QStringLiteral("/p/Rose/Music/a.mp3"));
    EXPECT_TRUE(ly::storedpath::isPicBoxFolder("\\PicBox"));
    EXPECT_FALSE(ly::storedpath::isPicBoxFolder("\\PicBox\\..\\.."));
}

TEST_F(ProjectSectionsTest, BackgroundWrittenIsReadBack)
{
    const QString file = project("[Application]\nFrmBlk=1\n");
    ly::FrmBlkSection s;
    s.kind = ly::FrmBlkSection::Kind::Gradient;
    s.shadeIndex = 7;
    s.colorFrom = ly::clRed;
    s.colorTo = 0x00123456;
    s.music = true;
    s.musicItems = {"a.mp3", "b c.wav"};
    s.record = true;
    s.recordName = "Temp.wav";
    s.recordIndex = 1;
    s.text = true;
    s.captionIndex = 3;
    s.slots[1].used = true;
    s.slots[1].text = "Happy day";
    s.slots[1].font.Color = ly::clYellow;
    s.slots[1].font.Size = 20;
    s.slots[1].shadowFont = s.slots[1].font;
    s.slots[1].shadowFont.Color = ly::clRed;
    s.slots[1].shadow = true;
    ly::WriteFrmBlkSection(file, s);

    EXPECT_EQ(ly::ini::read(file, "FrmBlk", "MusicItem1"), QStringLiteral("\\Music\\b c.wav"));
    EXPECT_EQ(ly::ini::read(file, "FrmBlk", "ColorFrom"), QStringLiteral("clRed"));
    const ly::FrmBlkSection r = ly::ReadFrmBlkSection(file);
    EXPECT_EQ(r.kind, s.kind);
    EXPECT_EQ(r.shadeIndex, 7);
    EXPECT_EQ(r.colorFrom, ly::clRed);
    EXPECT_EQ(r.colorTo, 0x00123456u);
    EXPECT_EQ(r.musicItems, s.musicItems);
    EXPECT_TRUE(r.record);
    EXPECT_EQ(r.recordName, QStringLiteral("Temp.wav"));
    EXPECT_EQ(r.recordIndex, 1);
    EXPECT_EQ(r.captionIndex, 3);
    EXPECT_FALSE(r.slots[0].used);
    EXPECT_TRUE(r.slots[1].used);
    EXPECT_EQ(r.slots[1].text, QStringLiteral("Happy day"));
    EXPECT_EQ(r.slots[1].font, s.slots[1].font);
    EXPECT_EQ(r.slots[1].shadowFont, s.slots[1].shadowFont);
    EXPECT_TRUE(r.slots[1].shadow);
}

TEST_F(ProjectSectionsTest, BackgroundGoesByItsFlagsCountsAndRanges)
{
    // Stale keys of earlier saves, a count larger than the keys there, hostile paths and
    // values out of range.
    const QString file = project(R"([FrmBlk]
BlkIndex=4
BlkTmpName=../evil.tmp
BlkShadeIndex=99
ColorFrom=$7F000000
ColorTo=nonsense
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=100000000
MusicItem0=\Music\one.mp3
MusicItem1=\Music\..\..\x.mp3
MusicItem2=\Music\three.mp3
RecordCheckFlag=0
RecordEdtName=\Music\voice.wav
TextCheckFlag=1
LblCaptionFlag=1
LblCaptionIndex=9
TextLblCaption=Hi
TextLblCaptionFont=Color=clRed#Size=zz#Name=X#Style=
)");
    const ly::FrmBlkSection r = ly::ReadFrmBlkSection(file);
    EXPECT_EQ(r.kind, ly::FrmBlkSection::Kind::Gradient);
    EXPECT_TRUE(r.blkTmpName.isEmpty());
    EXPECT_EQ(r.shadeIndex, 0);
    EXPECT_EQ(r.colorFrom, ly::clWhite);
    EXPECT_EQ(r.colorTo, ly::clNavy);
    EXPECT_EQ(r.musicItems, (QStringList{"one.mp3", "three.mp3"}));
    EXPECT_FALSE(r.record);
    EXPECT_EQ(r.captionIndex, 1);
    EXPECT_EQ(r.slots[0].text, QStringLiteral("Hi"));
    EXPECT_EQ(r.slots[0].font, ly::FrmBlkSection().slots[0].font);

    const QString none = project("[FrmBlk]\nBlkCheckName=7\nMusicCheckFlag=0\nMusicNumber=1\n"
                                 "MusicItem0=\\Music\\a.mp3\n");
    const ly::FrmBlkSection n = ly::ReadFrmBlkSection(none);
    EXPECT_EQ(n.kind, ly::FrmBlkSection::Kind::None);
    EXPECT_FALSE(n.music);
    EXPECT_TRUE(n.musicItems.isEmpty());
}

TEST_F(ProjectSectionsTest, BackgroundKeepsUnusedCaptionSlotsAndTheRecordFlag)
{
    // The top slot is switched off but holds its text and fonts from an earlier save; the
    // recording is checked but names a path outside the Music folder.
    const QString file = project(R"([FrmBlk]
BlkCheckName=2
RecordCheckFlag=1
RecordEdtName=\Music\..\..\voice.wav
RecordIndex=1
TextCheckFlag=1
LblCaptionFlag=1
LblTopFlag=0
LblBtmFlag=0
LblCaptionIndex=2
TextLblCaption=Moving
TextLblTop=Kept
TextLblTopFont=Color=clRed#Size=20#Name=Serif#Style=fsBold|
TextLblTopColor=Color=clLime#Size=8#Name=X#Style=
TextLblTopFontFlag=1
)");
    const ly::FrmBlkSection r = ly::ReadFrmBlkSection(file);
    EXPECT_TRUE(r.record);
    EXPECT_TRUE(r.recordName.isEmpty());
    EXPECT_TRUE(r.slots[0].used);
    EXPECT_FALSE(r.slots[1].used);
    EXPECT_EQ(r.slots[1].text, QStringLiteral("Kept"));
    EXPECT_EQ(r.slots[1].font.Size, 20);
    EXPECT_EQ(r.slots[1].shadowFont.Name, QStringLiteral("Serif"));
    EXPECT_EQ(r.slots[1].shadowFont.Color, ly::clLime);
    EXPECT_TRUE(r.slots[1].shadow);

    ly::WriteFrmBlkSection(file, r);
    EXPECT_EQ(ly::ini::read(file, "FrmBlk", "TextLblTop"), QStringLiteral("Kept"));
    EXPECT_EQ(ly::ini::read(file, "FrmBlk", "TextLblTopFont"),
              QStringLiteral("Color=clRed#Size=20#Name=Serif#Style=fsBold|"));
    EXPECT_EQ(ly::ini::read(file, "FrmBlk", "LblTopFlag"), QStringLiteral("0"));
    // A recording without a name leaves the stored keys as they were.
    EXPECT_EQ(ly::ini::read(file, "FrmBlk", "RecordEdtName"),
              QStringLiteral("\\Music\\..\\..\\voice.wav"));
}

TEST_F(ProjectSectionsTest, AlbumWrittenIsReadBackAndCheckedOnRead)
{
    const QString file = project("[Application]\nFrmPicture=1\n");
    ly::FrmPictureSection s;
    s.clientWidth = 640;
    s.clientHeight = 480;
    s.frame = true;
    s.fillPicture = "fill.jpg";
    s.showMode = 2;
    s.seconds = 2;
    s.fullScreen = true;
    s.pictures = {{"a.jpg", "Random", 0}, {"b.png", "Rotational star", 1}};
    ly::WriteFrmPictureSection(file, s);
    EXPECT_EQ(ly::ini::read(file, "FrmPicture", "FillBoxPicName"), QStringLiteral("\\PicBox"));
    const ly::FrmPictureSection r = ly::ReadFrmPictureSection(file);
    EXPECT_EQ(r.clientWidth, 640);
    EXPECT_TRUE(r.frame);
    EXPECT_EQ(r.fillPicture, QStringLiteral("fill.jpg"));
    EXPECT_EQ(r.showMode, 2);
    EXPECT_EQ(r.seconds, 2);
    EXPECT_TRUE(r.fullScreen);
    ASSERT_EQ(r.pictures.size(), 2);
    EXPECT_EQ(r.pictures[1].name, QStringLiteral("b.png"));
    EXPECT_EQ(ly::AlbumStyleOfIndex(r.pictures[1].styleIndex), 150);
    EXPECT_EQ(ly::AlbumStyleOfIndex(150), 1);
    EXPECT_EQ(ly::AlbumStyleOfIndex(0), 0);
    EXPECT_TRUE(ly::ProjectHasAlbum(file));

    const QString hostile = project(R"([FrmPicture]
ClientWidth=999999
ClientHeight=-5
FillBoxPicFlag=1
FillBoxPicName=\PicBox\..
DoPicRadio=3
PicShowSecond=0
PicShowNum=5
Item0=\Picture\ok.jpg
StyleIndex0=151
Item1=/etc/passwd
)");
    const ly::FrmPictureSection h = ly::ReadFrmPictureSection(hostile);
    EXPECT_EQ(h.clientWidth, 400);
    EXPECT_EQ(h.clientHeight, 320);
    EXPECT_FALSE(h.frame);
    EXPECT_EQ(h.seconds, 4);
    ASSERT_EQ(h.pictures.size(), 1);
    EXPECT_EQ(h.pictures[0].styleIndex, 0);

    // Without a show mode, or with one out of range, the pictures still load, as mode 1: an
    // album that read as empty would be saved empty and its pictures tidied away.
    for (const char *mode : {"", "DoPicRadio=0\n", "DoPicRadio=7\n", "DoPicRadio=x\n"}) {
        const QString file = project(QByteArray("[FrmPicture]\n") + mode
                                     + "PicShowNum=2\nItem0=\\Picture\\a.jpg\n"
                                       "Item1=\\Picture\\b.jpg\nStyleName1=Fade\nStyleIndex1=33\n");
        const ly::FrmPictureSection m = ly::ReadFrmPictureSection(file);
        EXPECT_EQ(m.showMode, 1) << mode;
        ASSERT_EQ(m.pictures.size(), 2) << mode;
        EXPECT_EQ(m.pictures[0].styleName, QStringLiteral("Random"));
        EXPECT_EQ(m.pictures[1].styleName, QStringLiteral("Fade"));
        EXPECT_EQ(m.pictures[1].styleIndex, 33);
    }

    // An effect index that names no node falls back to the random effect and its name, so
    // the name shown never belongs to another effect; sizes keep the fields' ranges.
    const QString odd = project("[FrmPicture]\nClientWidth=9999\nClientHeight=1\nDoPicRadio=2\n"
                                "PicShowSecond=3601\nPicShowNum=3\nItem0=\\Picture\\a.jpg\n"
                                "StyleName0=Fade\nStyleIndex0=-1\nItem1=\\Picture\\b.jpg\n"
                                "StyleName1=Fade\nStyleIndex1=1x\nItem2=\\Picture\\c.jpg\n"
                                "StyleName2=Rotational star\nStyleIndex2=1\n");
    const ly::FrmPictureSection o = ly::ReadFrmPictureSection(odd);
    EXPECT_EQ(o.clientWidth, 9999);
    EXPECT_EQ(o.clientHeight, 1);
    EXPECT_EQ(o.seconds, 4);
    ASSERT_EQ(o.pictures.size(), 3);
    for (int i : {0, 1}) {
        EXPECT_EQ(o.pictures[i].styleIndex, 0) << i;
        EXPECT_EQ(o.pictures[i].styleName, QStringLiteral("Random")) << i;
    }
    EXPECT_EQ(o.pictures[2].styleName, QStringLiteral("Rotational star"));
    EXPECT_EQ(ly::AlbumIndexOfStyle(150), 1);
    EXPECT_EQ(ly::AlbumIndexOfStyle(1), 150);
    EXPECT_EQ(ly::AlbumIndexOfStyle(151), 0);
}

TEST_F(ProjectSectionsTest, SystemKeysAreOnOnlyWhenExactlyOne)
{
    const QString file = project("[System]\nAutoRun=yes\nShowMsgFlag=1\nShowMsg=Bye\n"
                                 "ArrowPanelFlag=0\nOpenHttpFlag=1\nOpenHttp=http://\n");
    const ly::SystemSection s = ly::ReadSystemSection(file);
    EXPECT_FALSE(s.autoRun);
    EXPECT_TRUE(s.showMsgFlag);
    EXPECT_EQ(s.showMsg, QStringLiteral("Bye"));
    EXPECT_FALSE(s.arrowPanelFlag);
    ly::SystemSection w = s;
    w.sendMail = "  a@b.example  ";
    ly::WriteSystemSection(file, w);
    EXPECT_EQ(ly::ini::read(file, "System", "SendMail"), QStringLiteral("a@b.example"));
    EXPECT_EQ(ly::ini::read(file, "System", "AutoRun"), QStringLiteral("0"));
}

} // namespace
