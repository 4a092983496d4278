#include "control/widgets/LyFolderTree.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/widgets/CreateDirUnit.h"
#include "editor/widgets/LoadMusicUnit.h"
#include "platform/FakeMedia.h"
#include "platform/widgets/MediaPlayerBar.h"
#include "shared/Ini.h"
#include "shared/Settings.h"
#include "shared/widgets/Notice.h"
#include "support/Modal.h"
#include "support/Sandbox.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

using Bar = ly::platform::MediaPlayerBar;

QStringList g_notices;

class LoadMusicUnitTest : public lytest::SandboxTest
{
protected:
    void SetUp() override
    {
        g_notices.clear();
        ly::SetNoticeHook([](int kind, const QString &text) {
            g_notices.append(QString::number(kind) + ": " + text);
        });
        // The library names the user's own music folder and an empty one of the program.
        songs = sandbox.root() + "home/Music/";
        mySong = sandbox.writeFile("home/Music/My Song.mp3", QByteArray(3000, 'm'));
        wma = sandbox.writeFile("home/Music/x.WMA", QByteArray(12000, 'w'));
        sandbox.writeFile("home/Music/a.txt", "not music");
        QDir().mkpath(sandbox.programDir() + "Music/Empty");
        ly::EraseIniSection("DirMusicSet", ly::ConfigFile());
        ly::WriteConfig("DirMusicSet", "Number", "2");
        ly::WriteConfig("DirMusicSet", "Path_0", songs);
        ly::WriteConfig("DirMusicSet", "Name_0", "My music");
        ly::WriteConfig("DirMusicSet", "Path_1", "\\Music\\Empty");
        ly::WriteConfig("DirMusicSet", "Name_1", "Nothing yet");
        QDir().mkpath(sandbox.root() + "Cards/Rose");
        musicFolder = sandbox.root() + "Cards/Rose/Music";

        chooser = std::make_unique<TFrmLoadMusic>();
        auto device = std::make_unique<ly::platform::FakeMediaDevice>();
        media = device.get();
        chooser->setMediaDevice(std::move(device));
        chooser->setMusicFolder(musicFolder);
        chooser->setIsListed([this](const QString &name) { return listed.contains(name); });
    }
    void TearDown() override
    {
        chooser.reset();
        ly::SetNoticeHook(nullptr);
    }

    void showOnLibraryEntry(int index)
    {
        chooser->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
        chooser->TreeView1->setCurrentItem(chooser->TreeView1->topLevelItem(index));
    }

    QStringList names() const
    {
        QStringList n;
        for (int i = 0; i < chooser->recordList->topLevelItemCount(); ++i)
            n << chooser->recordList->topLevelItem(i)->text(0);
        return n;
    }

    void check(const QString &name)
    {
        QTreeWidgetItem *row = chooser->Row(name);
        ASSERT_TRUE(row) << name.toStdString();
        row->setCheckState(0, Qt::Checked);
    }

    void selectRow(const QString &name)
    {
        QTreeWidgetItem *row = chooser->Row(name);
        ASSERT_TRUE(row);
        chooser->recordList->setCurrentItem(row);
        Q_EMIT chooser->recordList->itemClicked(row, 0);
    }

    bool enabled(Bar::Button b) const { return chooser->MediaPlayer1->isButtonEnabled(b); }

    std::unique_ptr<TFrmLoadMusic> chooser;
    ly::platform::FakeMediaDevice *media = nullptr;
    QString songs, mySong, wma, musicFolder;
    QStringList listed;
};

TEST_F(LoadMusicUnitTest, OpensOnTheLibraryWithItsTextsAndAnIdlePlayer)
{
    chooser->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
    EXPECT_EQ(chooser->titleText(), "Open a lot of Music Files");
    EXPECT_EQ(chooser->TextTop_Lbl->text(), "Open Music Directory");
    EXPECT_EQ(chooser->TextBtm_Lbl->text(), "Open a lot of Music Files, mp3/wav/mid...");
    EXPECT_EQ(chooser->PageControl1->currentIndex(), 0);
    EXPECT_EQ(chooser->PageControl1->tabText(0), "Card List");
    EXPECT_EQ(chooser->PageControl1->tabText(1), "System List");
    EXPECT_EQ(chooser->GroupBox_Music->title(), "Play Music");
    EXPECT_EQ(chooser->BtnOpen->text(), "&Open");
    EXPECT_EQ(chooser->BtnCancel->text(), "&Cancel");
    EXPECT_EQ(chooser->BtnCreate->toolTip(), "Create Directory");
    EXPECT_EQ(chooser->recordList->headerItem()->text(2), "FileType");
    ASSERT_EQ(chooser->TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(chooser->TreeView1->topLevelItem(1)->text(0), "Nothing yet");
    EXPECT_EQ(chooser->ShellTreeView1->currentItem(), chooser->ShellTreeView1->topLevelItem(0));
    EXPECT_FALSE(chooser->TreeView1->currentItem());
    EXPECT_EQ(chooser->recordList->topLevelItemCount(), 0);
    for (Bar::Button b : {Bar::Play, Bar::Pause, Bar::Stop})
        EXPECT_FALSE(enabled(b));
    EXPECT_TRUE(chooser->MediaPlayer1->button(Bar::Pause)->isVisible());
    EXPECT_FALSE(chooser->MediaPlayer1->button(Bar::Record)->isVisible());

    // Every control can be found by assistive technology (the inner parts of Qt's lists and
    // page control speak through their control; plain containers are not controls).
    QStringList unnamed;
    for (QWidget *w : chooser->ClientArea()->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(chooser.get()) || w->metaObject() == &QWidget::staticMetaObject
            || qobject_cast<QTabBar *>(w) || qobject_cast<QStackedWidget *>(w))
            continue;
        bool inner = false;
        for (QWidget *p = w->parentWidget(); p; p = p->parentWidget())
            inner = inner || qobject_cast<QAbstractScrollArea *>(p);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        if (!inner && (!a || a->text(QAccessible::Name).trimmed().isEmpty()))
            unnamed << QString::fromLatin1(w->metaObject()->className()) + " " + w->objectName();
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
}

TEST_F(LoadMusicUnitTest, ALibraryEntryListsItsMusicFilesWithSizeAndType)
{
    showOnLibraryEntry(0);
    EXPECT_EQ(chooser->CurrentFolder(), songs);
    QStringList shown = names();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"My Song.mp3", "x.WMA"}));
    QTreeWidgetItem *song = chooser->Row("My Song.mp3");
    QTreeWidgetItem *w = chooser->Row("x.WMA");
    ASSERT_TRUE(song && w);
    EXPECT_EQ(song->text(1), "2KB");
    EXPECT_EQ(song->text(2), ".mp3");
    EXPECT_EQ(w->text(1), "11KB");
    EXPECT_EQ(w->text(2), ".WMA");
    EXPECT_EQ(w->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(w->icon(0).isNull());
    EXPECT_EQ(chooser->StatusPanel0->text(), "Sum Files Num:2");
    EXPECT_EQ(chooser->Panel_R_Top->text(), "Location:" + songs);

    // The program-relative entry and a folder of the file-system page.
    chooser->TreeView1->setCurrentItem(chooser->TreeView1->topLevelItem(1));
    EXPECT_EQ(chooser->CurrentFolder(), sandbox.programDir() + "Music/Empty");
    EXPECT_EQ(chooser->StatusPanel0->text(), "Sum Files Num:0");
    ASSERT_TRUE(chooser->ShellTreeView1->SelectPath(songs));
    EXPECT_EQ(QDir(chooser->CurrentFolder()), QDir(songs));
    EXPECT_EQ(chooser->recordList->topLevelItemCount(), 2);
}

TEST_F(LoadMusicUnitTest, HeaderClicksSortAndMarkTheColumns)
{
    sandbox.writeFile("home/Music/b.mid", QByteArray(9 * 1024, 'b'));
    sandbox.writeFile("home/Music/C.wav", QByteArray(10 * 1024, 'c'));
    showOnLibraryEntry(0);
    check("C.wav");
    QHeaderView *header = chooser->recordList->header();
    // The first click on "Filename" sorts descending.
    Q_EMIT header->sectionClicked(0);
    EXPECT_EQ(names(), (QStringList{"x.WMA", "My Song.mp3", "C.wav", "b.mid"}));
    EXPECT_EQ(chooser->SortMark(0), 0);
    EXPECT_FALSE(chooser->recordList->headerItem()->icon(0).isNull());
    Q_EMIT header->sectionClicked(0);
    EXPECT_EQ(names(), (QStringList{"b.mid", "C.wav", "My Song.mp3", "x.WMA"}));
    EXPECT_EQ(chooser->SortMark(0), 1);
    // Sizes as texts: "10KB" and "11KB" before "2KB" and "9KB".
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(names(), (QStringList{"C.wav", "x.WMA", "My Song.mp3", "b.mid"}));
    EXPECT_EQ(chooser->SortMark(0), -1);
    EXPECT_TRUE(chooser->recordList->headerItem()->icon(0).isNull());
    EXPECT_EQ(chooser->SortMark(1), 1);
    Q_EMIT header->sectionClicked(2);
    EXPECT_EQ(names(), (QStringList{"x.WMA", "b.mid", "My Song.mp3", "C.wav"}));
    // Rows move with their check marks.
    EXPECT_EQ(chooser->Row("C.wav")->checkState(0), Qt::Checked);
    EXPECT_EQ(chooser->Row("b.mid")->checkState(0), Qt::Unchecked);

    // Without rows a click changes nothing.
    chooser->TreeView1->setCurrentItem(chooser->TreeView1->topLevelItem(1));
    Q_EMIT header->sectionClicked(0);
    EXPECT_EQ(chooser->SortMark(2), 1);
    EXPECT_EQ(chooser->SortMark(0), -1);
}

TEST_F(LoadMusicUnitTest, ListeningPlaysPausesResumesAndStops)
{
    showOnLibraryEntry(0);
    media->addMedium(songs + "My Song.mp3", {4000, {}, {}});
    selectRow("My Song.mp3");
    EXPECT_EQ(chooser->MusicName_Lbl->text(), songs + "My Song.mp3");
    EXPECT_TRUE(enabled(Bar::Play));
    EXPECT_FALSE(enabled(Bar::Stop));
    EXPECT_FALSE(enabled(Bar::Pause));

    chooser->MediaPlayer1->button(Bar::Play)->click();
    EXPECT_EQ(media->fileName(), songs + "My Song.mp3");
    EXPECT_EQ(media->mode(), ly::platform::MediaMode::Playing);
    EXPECT_TRUE(chooser->TimerPlay->isActive());
    EXPECT_FALSE(enabled(Bar::Play));
    EXPECT_TRUE(enabled(Bar::Stop) && enabled(Bar::Pause));
    media->advance(1500);
    chooser->TimerPlayTimer();
    EXPECT_EQ(chooser->MediaPlayer1->Gauge->maximum(), 4000);
    EXPECT_EQ(chooser->MediaPlayer1->Gauge->value(), 1500);

    chooser->MediaPlayer1->button(Bar::Pause)->click();
    EXPECT_EQ(media->mode(), ly::platform::MediaMode::Paused);
    EXPECT_FALSE(chooser->TimerPlay->isActive());
    EXPECT_TRUE(enabled(Bar::Play) && enabled(Bar::Stop));
    EXPECT_FALSE(enabled(Bar::Pause));
    // Play after Pause goes on where it paused, in the same file.
    const int opens = int(media->calls().filter("open ").size());
    chooser->MediaPlayer1->button(Bar::Play)->click();
    EXPECT_EQ(media->calls().filter("open ").size(), opens);
    EXPECT_EQ(media->position(), 1500);
    EXPECT_EQ(media->mode(), ly::platform::MediaMode::Playing);

    chooser->MediaPlayer1->button(Bar::Stop)->click();
    EXPECT_EQ(media->mode(), ly::platform::MediaMode::Stopped);
    EXPECT_TRUE(enabled(Bar::Play));
    EXPECT_FALSE(enabled(Bar::Stop) || enabled(Bar::Pause));

    // The poll ends with the song; a double click plays the row from the start.
    media->addMedium(songs + "x.WMA", {1000, {}, {}});
    Q_EMIT chooser->recordList->itemDoubleClicked(chooser->Row("x.WMA"), 0);
    EXPECT_EQ(media->fileName(), songs + "x.WMA");
    media->advance(2000);
    chooser->TimerPlayTimer();
    EXPECT_FALSE(chooser->TimerPlay->isActive());
    EXPECT_EQ(chooser->MediaPlayer1->Gauge->value(), 1000);

    // No selected row: nothing to play.
    chooser->recordList->clearSelection();
    EXPECT_FALSE(enabled(Bar::Play));
}

TEST_F(LoadMusicUnitTest, OpenWithoutACheckedRowWarnsAndStaysOpen)
{
    showOnLibraryEntry(0);
    chooser->BtnOpen->click();
    EXPECT_EQ(g_notices, QStringList{"2: Please select a document!"});
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_TRUE(chooser->ChosenFiles().isEmpty());
}

TEST_F(LoadMusicUnitTest, OpenTakesTheCheckedFilesAndCopiesOnlyWhatMustBeRenamed)
{
    showOnLibraryEntry(0);
    media->addMedium(mySong, {4000, {}, {}});
    selectRow("My Song.mp3");
    chooser->MediaPlayer1->button(Bar::Play)->click();
    check("My Song.mp3");
    check("x.WMA");
    chooser->BtnOpen->click();
    EXPECT_TRUE(g_notices.isEmpty()) << g_notices.join("; ").toStdString();
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(chooser->ModalResult(), Tly_Form::mrOk);
    EXPECT_NE(media->mode(), ly::platform::MediaMode::Playing) << "the song stops first";
    QStringList chosen = chooser->ChosenFiles();
    chosen.sort();
    EXPECT_EQ(chosen, (QStringList{musicFolder + "/My_Song.mp3", wma}));
    // The user's files are as they were; the copy has their bytes.
    EXPECT_EQ(QDir(songs).entryList(QDir::Files, QDir::Name),
              (QStringList{"My Song.mp3", "a.txt", "x.WMA"}));
    EXPECT_EQ(lytest::readFile(musicFolder + "/My_Song.mp3"), lytest::readFile(mySong));
    EXPECT_EQ(QDir(musicFolder).entryList(QDir::Files), QStringList{"My_Song.mp3"});
}

TEST_F(LoadMusicUnitTest, ListedNamesAreSkippedAndAFailedCopyIsAnError)
{
    // "My_Song.mp3" in the user's folder and "My Song.mp3" would both be "My_Song.mp3": the
    // first checked one wins and nothing of the second is copied.
    sandbox.writeFile("home/Music/My_Song.mp3", "another song");
    listed = {"x.WMA"};
    showOnLibraryEntry(0);
    Q_EMIT chooser->recordList->header()->sectionClicked(0); // descending: x, My_Song, My Song
    check("x.WMA");
    check("My_Song.mp3");
    check("My Song.mp3");
    chooser->BtnOpen->click();
    EXPECT_EQ(chooser->ChosenFiles(), QStringList{songs + "My_Song.mp3"});
    EXPECT_FALSE(QFileInfo::exists(musicFolder));

    // A different file of the storable name already lies in Music: never replaced.
    auto second = std::make_unique<TFrmLoadMusic>();
    const QString voice = sandbox.writeFile("Cards/Rose/Music/My_Song.mp3", "kept");
    second->setMusicFolder(musicFolder);
    second->show();
    second->ShowFolder(songs);
    second->Row("My Song.mp3")->setCheckState(0, Qt::Checked);
    second->BtnOpen->click();
    ASSERT_EQ(g_notices.size(), 1);
    EXPECT_TRUE(g_notices[0].startsWith("1: Cannot copy the music \"" + mySong + "\""))
        << g_notices[0].toStdString();
    EXPECT_TRUE(second->ChosenFiles().isEmpty());
    EXPECT_EQ(lytest::readFile(voice), QByteArray("kept"));
}

TEST_F(LoadMusicUnitTest, CancelAndTheCloseButtonTakeNothing)
{
    showOnLibraryEntry(0);
    check("x.WMA");
    chooser->BtnCancel->click();
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_TRUE(chooser->ChosenFiles().isEmpty());
    EXPECT_EQ(chooser->ModalResult(), Tly_Form::mrCancel);
}

TEST_F(LoadMusicUnitTest, TheLibraryButtonsOfferTheMusicFolderAndAskBeforeDeleting)
{
    showOnLibraryEntry(1);
    QString offered;
    {
        lytest::ModalScript script;
        script.then<TFrmCreateDir>([&](TFrmCreateDir *d) {
            offered = d->EdtPath->text();
            d->close();
        });
        chooser->BtnCreate->click();
    }
    EXPECT_EQ(offered, "\\Music\\");
    {
        lytest::ModalScript no;
        no.then<QMessageBox>([](QMessageBox *box) {
            EXPECT_EQ(box->text(), "Do you really need to delete this Directory");
            box->button(QMessageBox::No)->click();
        });
        chooser->BtnDelete->click();
    }
    EXPECT_EQ(chooser->TreeView1->topLevelItemCount(), 2);
    {
        lytest::ModalScript yes;
        yes.then<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        chooser->BtnDelete->click();
    }
    EXPECT_EQ(chooser->TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(ly::ReadConfig("DirMusicSet", "Number"), "1");

    chooser->TreeView1->topLevelItem(0)->setText(0, "Songs of mine");
    chooser->TreeView1->setCurrentItem(chooser->TreeView1->topLevelItem(0));
    chooser->BtnRename->click();
    EXPECT_EQ(ly::ReadConfig("DirMusicSet", "Name_0"), "Songs of mine");
}

} // namespace
