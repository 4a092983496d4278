#include "MainFixture.h"

#include "card/Packer.h"
#include "control/widgets/LyChargeImg.h"
#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyFontDialog.h"
#include "editor/VoiceRecording.h"
#include "editor/widgets/BlkTextSetUnit.h"
#include "editor/widgets/BlkUnit.h"
#include "editor/widgets/LoadMusicUnit.h"
#include "platform/FakeMedia.h"
#include "platform/widgets/WebBrowser.h"
#include "shared/Ini.h"
#include "support/FakeWebView.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

using Kind = ly::FrmBlkSection::Kind;

// Every [FrmBlk] key, with a missing song, an unused top slot that holds its text and fonts,
// and keys of other kinds from an earlier save.
const QByteArray kEveryKey = R"([FrmBlk]
BlkIndex=4
BlkTmpName=SnowGreat.tmp
BlkShadeIndex=7
ColorFrom=clRed
ColorTo=$00336699
BlkEdtPicName=\Res\fill.png
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=2
MusicItem0=\Music\one.mp3
MusicItem1=\Music\gone.mid
RecordCheckFlag=1
RecordEdtName=\Music\voice.wav
RecordIndex=1
TextCheckFlag=1
LblCaptionFlag=1
LblTopFlag=0
LblBtmFlag=1
LblCaptionIndex=2
TextLblCaption=Moving
TextLblTop=Kept top
TextLblBtm=Bottom
TextLblCaptionFont=Color=clYellow#Size=14#Name=DejaVu;Sans#Style=fsBold|
TextLblCaptionColor=Color=clBlack#Size=14#Name=DejaVu;Sans#Style=fsBold|
TextLblTopFont=Color=clRed#Size=20#Name=DejaVu;Serif#Style=fsItalic|
TextLblTopColor=Color=clLime#Size=20#Name=DejaVu;Serif#Style=fsItalic|
TextLblBtmFont=Color=clWhite#Size=10#Name=DejaVu;Sans#Style=
TextLblBtmColor=Color=clNavy#Size=10#Name=DejaVu;Sans#Style=
TextLblCaptionFontFlag=1
TextLblTopFontFlag=1
TextLblBtmFontFlag=0
)";

class BlkUnitTest : public lytest::MainFixture
{
protected:
    // The main window with the real background editor and fake editors elsewhere; the
    // editor's choosers answer from the test.
    void startWith(const QStringList &arguments)
    {
        main = std::make_unique<TFrmMain>(arguments);
        for (int k = 1; k < 6; ++k) {
            const auto kind = ly::ProjectEditorKind(k);
            main->setEditorFactory(kind, [this, kind](TFrmMain &m) {
                return new lytest::FakeEditor(kind, journal, m.PnlDock);
            });
        }
        main->setEditorFactory(ly::ProjectEditorKind::Background, [this](TFrmMain &m) {
            auto *blk = new TFrmBlk(m);
            blk->setPictureChooser([this](QWidget *) {
                ++pictureChoosers;
                return pictureAnswer;
            });
            blk->setMusicChooser([this](QWidget *) { return musicAnswer; });
            blk->setRecordChooser([this](QWidget *) {
                ++recordChoosers;
                return QString();
            });
            blk->setQuestion([this](const QString &text) {
                questions.append(text);
                return true;
            });
            auto device = std::make_unique<ly::platform::FakeMediaDevice>();
            media = device.get();
            blk->setMediaDevice(std::move(device));
            blk->setRandomSeed(7);
            return blk;
        });
        main->setStartupAids([] {});
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }

    TFrmBlk *blk() { return static_cast<TFrmBlk *>(main->Editor(ly::ProjectEditorKind::Background)); }

    // A project whose folder holds the given files; [FrmBlk] from the text (LF becomes CR LF).
    QString project(const QByteArray &blkSection, const QStringList &files = {})
    {
        const QString file = projectWith("Rose", {});
        QByteArray text = lytest::readFile(file) + blkSection;
        text.replace("\r\n", "\n").replace("\n", "\r\n");
        QFile out(file);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(text);
        out.close();
        for (const QString &f : files)
            sandbox.writeFile("Cards/Rose/" + f, "bytes of " + f.toUtf8());
        return file;
    }

    // The shipped package of an animation entry, packed from a small page.
    void shipAnimation(const QString &name)
    {
        sandbox.writeFile("Pages/" + name + "/index.htm", "<html>" + name.toUtf8() + "</html>");
        ly::PackFolder(sandbox.root() + "Pages/" + name, 1);
        QDir().mkpath(sandbox.programDir() + "Blk");
        QFile::copy(sandbox.root() + "Pages/" + name + ".tmp",
                    sandbox.programDir() + "Blk/" + name + ".tmp");
    }

    static void click(QAbstractButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        button->click();
    }

    static QColor base(QWidget *w) { return w->palette().color(QPalette::Base); }

    QString key(const QString &file, const char *name)
    {
        return ly::ini::read(file, "FrmBlk", name);
    }

    lytest::FakeWebEngine web;
    ly::platform::FakeMediaDevice *media = nullptr;
    QString pictureAnswer;
    QStringList musicAnswer;
    int pictureChoosers = 0;
    int recordChoosers = 0;
    QStringList questions;
};

TEST_F(BlkUnitTest, ANewProjectStartsWithTheGradientAndTheDefaults)
{
    startWith({project("")});
    TFrmBlk *e = blk();
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->Shade_Check->isChecked());
    EXPECT_TRUE(e->LyChargeImg1->isVisible());
    EXPECT_EQ(e->LyChargeImg1->FromColor(), ly::clWhite);
    EXPECT_EQ(e->LyChargeImg1->ToColor(), ly::clNavy);
    EXPECT_EQ(e->LyChargeImg1->GradientFillType(), ly::rgsVertical);
    EXPECT_EQ(e->Cartoon_Com->currentText(), QStringLiteral("Computer Age"));
    EXPECT_EQ(e->Shade_Com->count(), 13);
    EXPECT_EQ(e->Shade_Com->currentText(), QStringLiteral("Shade Show1"));
    EXPECT_FALSE(e->Cartoon_Com->isEnabled());
    EXPECT_FALSE(e->Edit1->isEnabled());
    EXPECT_EQ(base(e->Edit1), QColor(0x80, 0x80, 0x80));
    EXPECT_FALSE(e->ListView1->isEnabled());
    EXPECT_FALSE(e->BtnAddText->isEnabled());
    EXPECT_TRUE(notices().isEmpty()) << notices().join("; ").toStdString();
}

TEST_F(BlkUnitTest, EachKindEnablesItsControlsAndShowsItsSurface)
{
    shipAnimation("ComputerAge");
    shipAnimation("BlastFire");
    const QString fill = sandbox.writeFile("Mine/fill.png", QByteArray());
    {
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(fill);
    }
    pictureAnswer = fill;
    startWith({project("")});
    TFrmBlk *e = blk();

    // Assistive technology toggles the radio button without a click: the kind follows.
    QAccessibleInterface *radio = QAccessible::queryAccessibleInterface(e->Cartoon_Check);
    ASSERT_TRUE(radio && radio->actionInterface());
    radio->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(e->Cartoon_Check->isChecked());
    EXPECT_TRUE(e->Cartoon_Com->isEnabled());
    EXPECT_FALSE(e->Shade_Com->isEnabled());
    EXPECT_FALSE(e->ColorBox1->isEnabled());
    EXPECT_TRUE(e->WebBrowser1->isVisible());
    EXPECT_FALSE(e->LyChargeImg1->isVisible());
    EXPECT_EQ(e->WebBrowser1->currentPage(), sandbox.tempDir() + "http/index.htm");
    EXPECT_EQ(lytest::readFile(sandbox.tempDir() + "http/index.htm"), QByteArray("<html>ComputerAge</html>"));
    EXPECT_TRUE(notices().isEmpty());

    // The last animation asks for a click on the page; no other entry does.
    e->Cartoon_Com->setCurrentIndex(12);
    Q_EMIT e->Cartoon_Com->activated(12);
    EXPECT_EQ(notices(), QStringList{"2: " + TFrmBlk::kBlastFireText});
    EXPECT_EQ(e->AnimationIndex(), 12);

    // The fill picture with an empty path asks for a picture at once.
    click(e->PictureFill_Check);
    EXPECT_EQ(pictureChoosers, 1);
    EXPECT_EQ(e->Edit1->text(), fill);
    EXPECT_EQ(base(e->Edit1), QColor(251, 236, 168));
    EXPECT_TRUE(e->ImgFill->isVisible());
    EXPECT_FALSE(e->ImgFill->pixmap().isNull());
    EXPECT_FALSE(e->WebBrowser1->isVisible());
    EXPECT_EQ(e->WebBrowser1->currentPage(), sandbox.programDir() + "blk/Index.htm");

    click(e->Shade_Check);
    EXPECT_EQ(base(e->Edit1), QColor(0x80, 0x80, 0x80));
    EXPECT_FALSE(e->ImgFill->isVisible());
    EXPECT_TRUE(e->LyChargeImg1->isVisible());
    e->Shade_Com->setCurrentIndex(12);
    Q_EMIT e->Shade_Com->activated(12);
    EXPECT_EQ(e->LyChargeImg1->GradientFillType(), ly::rgsNeo);

    // "Not BackGround" switches the captions off and shows no background.
    click(e->Text_Check);
    EXPECT_TRUE(e->FrmBlkTextSet->isVisible());
    click(e->FrmBlkTextSet->BtnCancel);
    click(e->RadioNoSet);
    EXPECT_FALSE(e->Text_Check->isChecked());
    EXPECT_FALSE(e->LyChargeImg1->isVisible());
    EXPECT_FALSE(e->Shade_Com->isEnabled());
    notices().clear();
    e->BtnAddTextClick();
    EXPECT_EQ(notices(), QStringList{"2: " + TFrmBlk::kChooseKindText});
    EXPECT_FALSE(e->FrmBlkTextSet->isVisible());
}

TEST_F(BlkUnitTest, EveryStoredKeyOpensAndSurvivesASave)
{
    const QString file = project(kEveryKey, {"Music/one.mp3", "Music/voice.wav", "Res/fill.png"});
    startWith({file});
    TFrmBlk *e = blk();
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->Shade_Check->isChecked());
    EXPECT_EQ(e->LyChargeImg1->FromColor(), ly::clRed);
    EXPECT_EQ(e->LyChargeImg1->ToColor(), 0x00336699u);
    EXPECT_EQ(e->LyChargeImg1->GradientFillType(), ly::rgsNWSW);
    ASSERT_EQ(e->ListView1->topLevelItemCount(), 2);
    EXPECT_EQ(e->ListView1->topLevelItem(0)->text(0), QStringLiteral("one.mp3"));
    EXPECT_EQ(e->ListView1->topLevelItem(0)->text(1), QStringLiteral("1KB"));
    // The missing song keeps its row, without a size.
    EXPECT_EQ(e->ListView1->topLevelItem(1)->text(0), QStringLiteral("gone.mid"));
    EXPECT_EQ(e->ListView1->topLevelItem(1)->text(1), QString());
    EXPECT_TRUE(e->AddMusic_Check->isChecked());
    EXPECT_TRUE(e->AddWAV_Check->isChecked());
    EXPECT_EQ(e->EdtRecordFile->text(), cards() + "Rose/Music/voice.wav");
    EXPECT_EQ(e->ComPlayStyle->currentIndex(), 1);
    EXPECT_EQ(recordChoosers, 0);
    EXPECT_TRUE(e->Text_Check->isChecked());
    EXPECT_TRUE(e->BtnAddText->isEnabled());
    EXPECT_FALSE(e->FrmBlkTextSet->isVisible());
    EXPECT_EQ(e->CaptionMode(), 2);
    EXPECT_TRUE(e->TimerCaption->isActive());
    EXPECT_EQ(e->TimerCaption->interval(), 60);
    EXPECT_TRUE(e->ShadeCaptions[0]->isVisible());
    EXPECT_EQ(e->ShadeCaptions[0]->text(), QStringLiteral("Moving"));
    EXPECT_TRUE(e->ShadeShadows[0]->isVisible());
    EXPECT_FALSE(e->ShadeCaptions[1]->isVisible());
    EXPECT_TRUE(e->ShadeCaptions[2]->isVisible());
    EXPECT_FALSE(e->ShadeShadows[2]->isVisible());
    EXPECT_FALSE(e->PagePanels[2]->isVisible());
    EXPECT_EQ(e->ShadeCaptions[2]->geometry().bottom(), 330 - 5 - 1);
    EXPECT_EQ(e->ShadeCaptions[2]->x(), 5);
    EXPECT_TRUE(notices().isEmpty()) << notices().join("; ").toStdString();

    const QByteArray before = lytest::readFile(file);
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    for (const QString &line : QString::fromLatin1(kEveryKey).split('\n', Qt::SkipEmptyParts)) {
        if (!line.contains('='))
            continue;
        const QString name = line.section('=', 0, 0);
        EXPECT_EQ(key(file, name.toLatin1().constData()), line.section('=', 1)) << name.toStdString();
    }
    EXPECT_NE(before, QByteArray());
}

TEST_F(BlkUnitTest, LoadingOpensNoDialogAndTakesNoProjectFolderAsPicture)
{
    const QString file = project("[FrmBlk]\nBlkCheckName=3\nBlkEdtPicName=\nRecordCheckFlag=1\n"
                                 "RecordEdtName=\nMusicCheckFlag=1\nMusicNumber=99999999\n"
                                 "MusicItem0=\\Music\\..\\..\\x.mp3\nTextCheckFlag=1\n");
    startWith({file});
    TFrmBlk *e = blk();
    EXPECT_TRUE(e->PictureFill_Check->isChecked());
    EXPECT_EQ(e->Edit1->text(), QString());
    EXPECT_EQ(pictureChoosers, 0);
    EXPECT_EQ(recordChoosers, 0);
    EXPECT_EQ(e->ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(e->FrmBlkTextSet->isVisible());

    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFileInfo::exists(cards() + "Rose/Res"));
    EXPECT_FALSE(QFileInfo::exists(cards() + "Rose/Music"));
    EXPECT_EQ(key(file, "MusicNumber"), QStringLiteral("0"));
}

TEST_F(BlkUnitTest, AMissingFillPictureAndRecordingOpenAndKeepTheirKeys)
{
    const QString file = project("[FrmBlk]\nBlkCheckName=3\nBlkEdtPicName=\\Res\\gone.jpg\n"
                                 "RecordCheckFlag=1\nRecordEdtName=\\Music\\gone.wav\nRecordIndex=1\n");
    startWith({file});
    TFrmBlk *e = blk();
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->PictureFill_Check->isChecked());
    EXPECT_EQ(e->Edit1->text(), cards() + "Rose/Res/gone.jpg");
    EXPECT_TRUE(e->ImgFill->pixmap().isNull());
    EXPECT_EQ(e->EdtRecordFile->text(), cards() + "Rose/Music/gone.wav");
    EXPECT_EQ(pictureChoosers + recordChoosers, 0);
    EXPECT_TRUE(notices().isEmpty()) << notices().join("; ").toStdString();

    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "BlkEdtPicName"), QStringLiteral("\\Res\\gone.jpg"));
    EXPECT_EQ(key(file, "RecordEdtName"), QStringLiteral("\\Music\\gone.wav"));
    EXPECT_EQ(key(file, "RecordIndex"), QStringLiteral("1"));
}

TEST_F(BlkUnitTest, ChoosingEachKindWritesItsKeysAndCopiesThePackage)
{
    shipAnimation("ComputerAge");
    const QString file = project("");
    startWith({file});
    TFrmBlk *e = blk();

    click(e->Cartoon_Check);
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "BlkCheckName"), QStringLiteral("1"));
    EXPECT_EQ(key(file, "BlkIndex"), QStringLiteral("10"));
    EXPECT_EQ(key(file, "BlkTmpName"), QStringLiteral("ComputerAge.tmp"));
    EXPECT_EQ(lytest::readFile(cards() + "Rose/BlkTmp/ComputerAge.tmp"),
              lytest::readFile(sandbox.programDir() + "Blk/ComputerAge.tmp"));

    click(e->Shade_Check);
    e->ColorBox1->setSelected(ly::clYellow);
    e->ColorBox1Change();
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "BlkCheckName"), QStringLiteral("2"));
    EXPECT_EQ(key(file, "BlkShadeIndex"), QStringLiteral("1"));
    EXPECT_EQ(key(file, "ColorFrom"), QStringLiteral("clYellow"));
    EXPECT_EQ(key(file, "ColorTo"), QStringLiteral("clNavy"));

    pictureAnswer = sandbox.writeFile("Mine/sky.jpg", "sky");
    click(e->PictureFill_Check);
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "BlkCheckName"), QStringLiteral("3"));
    EXPECT_EQ(key(file, "BlkEdtPicName"), QStringLiteral("\\Res\\sky.jpg"));
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Res/sky.jpg"), QByteArray("sky"));

    click(e->RadioNoSet);
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "BlkCheckName"), QStringLiteral("0"));
    EXPECT_EQ(key(file, "TextCheckFlag"), QStringLiteral("0"));
    // The keys of the earlier kinds stay.
    EXPECT_EQ(key(file, "BlkTmpName"), QStringLiteral("ComputerAge.tmp"));
}

TEST_F(BlkUnitTest, TheMusicListAddsListensMovesAndDeletes)
{
    const QString one = sandbox.writeFile("Mine/one.mp3", QByteArray(5000, 'a'));
    const QString two = sandbox.writeFile("Mine/two words#.WMA", "b");
    startWith({project("")});
    TFrmBlk *e = blk();
    click(e->AddMusic_Check);
    EXPECT_TRUE(e->ListView1->isEnabled());
    musicAnswer = {one, two, one, sandbox.root() + "Mine/missing.mp3"};
    click(e->AddMusic_Btn);
    ASSERT_EQ(e->ListView1->topLevelItemCount(), 2);
    EXPECT_EQ(e->ListView1->topLevelItem(0)->text(1), QStringLiteral("4KB"));
    // A name the card cannot store is taken as a copy under a storable name.
    const QString stored = e->ListView1->topLevelItem(1)->text(0);
    EXPECT_EQ(stored, QStringLiteral("two_words_.WMA"));
    EXPECT_TRUE(QFileInfo::exists(two));

    media->addMedium(one, {3000, {}, {}});
    QTreeWidgetItem *first = e->ListView1->topLevelItem(0);
    e->ListView1->setCurrentItem(first);
    Q_EMIT e->ListView1->itemClicked(first, 0);
    EXPECT_TRUE(e->BtnDel->isEnabled());
    EXPECT_EQ(media->fileName(), one);
    click(e->BtnPlay);
    EXPECT_TRUE(e->TimerPlay->isActive());
    media->advance(1000);
    e->TimerPlayTimer();
    EXPECT_EQ(e->Gauge1->maximum(), 3000);
    EXPECT_EQ(e->Gauge1->value(), 1000);
    media->advance(5000);
    e->TimerPlayTimer();
    EXPECT_FALSE(e->TimerPlay->isActive());

    click(e->BtnDown);
    EXPECT_EQ(e->ListView1->topLevelItem(1)->text(0), QStringLiteral("one.mp3"));
    click(e->BtnDel);
    EXPECT_EQ(questions, QStringList{"Do you really need to delete one.mp3this document?"});
    ASSERT_EQ(e->ListView1->topLevelItemCount(), 1);
    EXPECT_TRUE(media->fileName().isEmpty());
    EXPECT_FALSE(e->BtnDel->isEnabled());

    // Checking the recording with no path asks for one at once.
    click(e->AddWAV_Check);
    EXPECT_EQ(recordChoosers, 1);
    EXPECT_EQ(base(e->EdtRecordFile), QColor(251, 236, 168));
    e->StopMedia();
}

TEST_F(BlkUnitTest, TheMusicChooserAddsTheCheckedSongsAndLeavesTheUsersFiles)
{
    const QString mine = sandbox.root() + "home/Music/";
    sandbox.writeFile("home/Music/My Song.mp3", QByteArray(3000, 'm'));
    sandbox.writeFile("home/Music/x.WMA", QByteArray(12000, 'w'));
    sandbox.writeFile("home/Music/a.txt", "not music");
    ly::EraseIniSection("DirMusicSet", ly::ConfigFile());
    ly::WriteConfig("DirMusicSet", "Number", "1");
    ly::WriteConfig("DirMusicSet", "Path_0", mine);
    ly::WriteConfig("DirMusicSet", "Name_0", "My music");
    const QString file = project("");
    startWith({file});
    TFrmBlk *e = blk();
    e->setMusicChooser({}); // the real chooser
    click(e->AddMusic_Check);

    QStringList listedThere;
    const auto choose = [&](TFrmLoadMusic *chooser) {
        chooser->TreeView1->setCurrentItem(chooser->TreeView1->topLevelItem(0));
        for (int i = 0; i < chooser->recordList->topLevelItemCount(); ++i) {
            listedThere << chooser->recordList->topLevelItem(i)->text(0);
            chooser->recordList->topLevelItem(i)->setCheckState(0, Qt::Checked);
        }
        chooser->BtnOpen->click();
    };
    {
        lytest::ModalScript script;
        script.then<TFrmLoadMusic>(choose);
        lytest::ModalGuard guard(e);
        click(e->AddMusic_Btn);
        EXPECT_TRUE(script.finished());
    }
    listedThere.sort();
    EXPECT_EQ(listedThere, (QStringList{"My Song.mp3", "x.WMA"}));
    ASSERT_EQ(e->ListView1->topLevelItemCount(), 2);
    QStringList rows;
    for (int i = 0; i < 2; ++i) {
        const QTreeWidgetItem *row = e->ListView1->topLevelItem(i);
        rows << row->text(0) + " " + row->text(1) + " " + QDir(row->text(2)).absolutePath();
        EXPECT_FALSE(row->icon(0).isNull());
    }
    rows.sort();
    EXPECT_EQ(rows, (QStringList{"My_Song.mp3 2KB " + cards() + "Rose/Music",
                                 "x.WMA 11KB " + QDir(mine).absolutePath()}));
    EXPECT_EQ(QDir(mine).entryList(QDir::Files, QDir::Name),
              (QStringList{"My Song.mp3", "a.txt", "x.WMA"}));

    // Both again: the listed names are skipped, nothing is copied twice.
    {
        lytest::ModalScript script;
        script.then<TFrmLoadMusic>(choose);
        lytest::ModalGuard guard(e);
        click(e->AddMusic_Btn);
    }
    EXPECT_EQ(e->ListView1->topLevelItemCount(), 2);

    // The chooser has closed; the main window takes the keys again.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "MusicNumber"), QStringLiteral("2"));
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Music/x.WMA"), QByteArray(12000, 'w'));
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Music/My_Song.mp3"), QByteArray(3000, 'm'));
    EXPECT_TRUE(notices().isEmpty()) << notices().join("; ").toStdString();
}

TEST_F(BlkUnitTest, ASaveBringsTheWorkingRecordingUpToDateButNoOtherFile)
{
    const QString file = project("");
    startWith({file});
    TFrmBlk *e = blk();
    const QString working = ly::VoiceWorkingFile();
    const QString relative = QDir(sandbox.root()).relativeFilePath(working);
    sandbox.writeFile(relative, "first voice");
    e->SetRecordFile(working);
    click(e->AddWAV_Check);
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(key(file, "RecordEdtName"), QStringLiteral("\\Music\\Temp.wav"));
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Music/Temp.wav"), QByteArray("first voice"));

    // The voice recorded again reaches the card.
    sandbox.writeFile(relative, "second voice");
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Music/Temp.wav"), QByteArray("second voice"));

    // A recording kept under a name of its own is copied once and never replaced there.
    const QString kept = sandbox.writeFile("home/hello.wav", "kept voice");
    e->SetRecordFile(kept);
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    sandbox.writeFile("home/hello.wav", "changed");
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Music/hello.wav"), QByteArray("kept voice"));
    EXPECT_EQ(lytest::readFile(cards() + "Rose/Music/Temp.wav"), QByteArray("second voice"));
}

TEST_F(BlkUnitTest, TheCaptionDialogAppliesItsSlotsAndTheMovingCaptionScrolls)
{
    startWith({project("")});
    TFrmBlk *e = blk();
    TFrmBlkTextSet *d = e->FrmBlkTextSet;
    click(e->Text_Check);
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(d->ListView1->topLevelItem(0)->text(0), QStringLiteral("Add Move of the BackGround"));

    // An unused slot offers nothing to edit.
    d->ListView1->setCurrentItem(d->ListView1->topLevelItem(0));
    EXPECT_EQ(d->SelectedSlot(), 0);
    EXPECT_FALSE(d->EdtCaption->isEnabled());
    EXPECT_EQ(d->EdtCaption->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    d->ListView1->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(d->EdtCaption->isEnabled());
    EXPECT_TRUE(d->AniText_Radio1->isChecked());
    EXPECT_FALSE(d->BtnFont2->isEnabled());
    QTest::keyClicks(d->EdtCaption, "Hello");
    click(d->ChargeCheckBox);
    EXPECT_TRUE(d->BtnFont2->isEnabled());
    EXPECT_TRUE(d->LblFontExample1->isVisibleTo(d));
    EXPECT_EQ(d->LblFontExample1->pos(), d->LblFontExample->pos() + QPoint(1, 1));

    // The font dialog's choice goes to the text font and, but for its colour, to the shadow.
    TlyFontDialog::SetFontPicker([](QWidget *, ly::TFont &font) {
        font.Size = 16;
        font.Color = ly::clRed;
        return true;
    });
    click(d->BtnFont1);
    TlyFontDialog::SetFontPicker({});
    EXPECT_EQ(d->Slot(0).font.Size, 16);
    EXPECT_EQ(d->Slot(0).shadowFont.Size, 16);
    EXPECT_EQ(d->Slot(0).shadowFont.Color, ly::clBlack);
    TlyColorBox::SetColorPicker([](QWidget *, ly::TColor &color) {
        color = ly::clBlue;
        return true;
    });
    click(d->BtnFont2);
    TlyColorBox::SetColorPicker({});
    EXPECT_EQ(d->Slot(0).shadowFont.Color, ly::clBlue);
    click(d->AniText_Radio2);

    click(d->BtnOK);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(e->CaptionMode(), 2);
    EXPECT_EQ(e->TimerCaption->interval(), 60);
    QLabel *caption = e->ShadeCaptions[0];
    EXPECT_TRUE(caption->isVisible());
    EXPECT_EQ(caption->text(), QStringLiteral("Hello"));
    EXPECT_TRUE(e->ShadeShadows[0]->isVisible());
    EXPECT_EQ(e->ShadeShadows[0]->pos(), caption->pos() + QPoint(1, 1));

    // Plane move: two pixels left per tick, back at the right edge at a random height.
    const QPoint start = caption->pos();
    e->TimerCaptionTimer();
    EXPECT_EQ(caption->pos(), start - QPoint(2, 0));
    EXPECT_EQ(e->ShadeShadows[0]->pos(), caption->pos() + QPoint(1, 1));
    int ticks = 0;
    while (caption->x() != TFrmBlk::kPreviewWidth && ticks++ < 1000)
        e->TimerCaptionTimer();
    EXPECT_EQ(caption->x(), TFrmBlk::kPreviewWidth);
    EXPECT_GE(caption->y(), 0);
    EXPECT_LT(caption->y(), TFrmBlk::kPreviewHeight);
    EXPECT_TRUE(e->TimerCaption->isActive());

    // Over the animation page the caption sits on its black panel.
    click(e->Cartoon_Check);
    EXPECT_TRUE(e->PagePanels[0]->isVisible());
    EXPECT_FALSE(caption->isVisible());
    EXPECT_EQ(e->PagePanels[0]->size(),
              e->PageCaptions[0]->size() + QSize(1, 1));

    // Unchecking hides every caption and stops the animation.
    click(e->Text_Check);
    EXPECT_FALSE(e->PagePanels[0]->isVisible());
    EXPECT_FALSE(e->TimerCaption->isActive());
}

TEST_F(BlkUnitTest, EveryControlHasAnAccessibleName)
{
    startWith({project("")});
    TFrmBlk *e = blk();
    QStringList unnamed;
    // The inner parts of Qt's own controls (a list's viewport, a combo box's pop-up, the
    // browser's view) speak through their control.
    const auto inner = [](QWidget *w, QWidget *root) {
        for (QWidget *p = w->parentWidget(); p && p != root->parentWidget(); p = p->parentWidget())
            if (qobject_cast<QComboBox *>(p) || qobject_cast<QAbstractScrollArea *>(p)
                || qobject_cast<QAbstractSpinBox *>(p) || qobject_cast<ly::platform::WebBrowser *>(p))
                return true;
        return false;
    };
    const auto check = [&](QWidget *root) {
        for (QWidget *w : root->findChildren<QWidget *>()) {
            if (inner(w, root) || w->window() != root->window())
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.append(QString::fromLatin1(w->metaObject()->className()) + " "
                               + w->objectName());
        }
    };
    e->ApplyCaptions();
    check(e);
    check(e->FrmBlkTextSet->ClientArea());
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
}

} // namespace
