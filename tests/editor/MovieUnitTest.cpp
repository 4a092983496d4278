#include "MainFixture.h"

#include "card/FrmMovieSection.h"
#include "control/widgets/LyPanel.h"
#include "editor/MovieFiles.h"
#include "control/widgets/LyFontDialog.h"
#include "editor/widgets/MovieUnit.h"
#include "editor/widgets/PreviewmMovieUnit.h"
#include "control/widgets/LyTrackbar.h"
#include "platform/FakeMedia.h"
#include "platform/MediaDevice.h"
#include "platform/WaveOut.h"
#include "platform/widgets/GlobalHotKey.h"
#include "platform/widgets/MovieDisplay.h"
#include "shared/FileText.h"
#include "shared/Ini.h"
#include "support/MediaFixtures.h"
#include "support/Modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using ly::ProjectEditorKind;
using ly::platform::FakeMediaDevice;

// The [FrmMovie] keys of a project file, in file order, with their values.
QStringList sectionLines(const QString &file)
{
    QStringList lines;
    for (const QString &key : ly::ini::keys(file, "FrmMovie"))
        lines.append(key + "=" + ly::ini::read(file, "FrmMovie", key));
    return lines;
}

class MovieUnitTest : public lytest::MainFixture
{
protected:
    MovieUnitTest()
    {
        start();
        main->setEditorFactory(ProjectEditorKind::Movie, DefaultEditorFactory(ProjectEditorKind::Movie));
    }

    // A project with the movie module on and the given [FrmMovie] lines; `folder` is its folder.
    QString movieProject(const QList<std::pair<const char *, const char *>> &lines)
    {
        const QString file = projectWith("Rose", {"FrmMovie"});
        folder = QFileInfo(file).path() + "/";
        for (const auto &line : lines)
            ly::WriteIni("FrmMovie", line.first, line.second, file);
        return file;
    }
    TFrmMovie *open(const QString &file)
    {
        main->OpenProject(file);
        return dynamic_cast<TFrmMovie *>(main->Editor(ProjectEditorKind::Movie));
    }
    // The editor with a fake device that knows these movies (64 × 48, 3 s).
    FakeMediaDevice *fake(TFrmMovie *movie, const QStringList &files)
    {
        auto device = std::make_unique<FakeMediaDevice>();
        for (const QString &f : files)
            device->addMedium(f, {3000, QSize(64, 48), {}});
        FakeMediaDevice *raw = device.get();
        movie->setDevice(std::move(device));
        return raw;
    }
    static QStringList rowNames(const TFrmMovie *movie)
    {
        QStringList names;
        for (int i = 0; i < movie->ListView1->topLevelItemCount(); ++i)
            names.append(movie->ListView1->topLevelItem(i)->text(TFrmMovie::ColName));
        return names;
    }
    static void answerQuestions(QMessageBox::StandardButton answer)
    {
        lytest::whenModalShows<QMessageBox>([answer](QMessageBox *box) { box->button(answer)->click(); });
    }

    QString folder;
};

TEST_F(MovieUnitTest, AProjectOpensAsStoredAndSavesBackKeyForKey)
{
    // A missing movie and a damaged subtitle colour: the load goes on, the row stays.
    const QString file = movieProject({{"Number", "3"},
                                       {"Item0", "\\Movie\\one.avi"},
                                       {"ItemPix0", "320 X 240"},
                                       {"Item1", "\\Movie\\gone.wmv"},
                                       {"ItemPix1", "176 X 144"},
                                       {"Item2", "\\Movie\\three.mpg"},
                                       {"ItemPix2", "64 X 48"},
                                       {"PixWidth", "640"},
                                       {"PixHeight", "360"},
                                       {"CheckScreen", "1"},
                                       {"AniTextFlag", "1"},
                                       {"AniStyle", "1"},
                                       {"AniFont", "Color=clRed#Size=14#Name=DejaVu;Sans#Style=fsBold|"},
                                       {"AniColor", "$00123456"},
                                       {"AniText", "Happy trip"},
                                       {"AboutText", "Our summer"}});
    sandbox.writeFile(QString(folder).mid(sandbox.root().size()) + "Movie/one.avi",
                      lytest::readFile(lytest::mediaFixture("movie.avi")));
    sandbox.writeFile(QString(folder).mid(sandbox.root().size()) + "Movie/three.mpg",
                      lytest::readFile(lytest::mediaFixture("movie.mpg")));
    const QStringList before = sectionLines(file);

    TFrmMovie *movie = open(file);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(rowNames(movie), (QStringList{"one.avi", "gone.wmv", "three.mpg"}));
    const int icons[] = {2, 3, 5};
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem *row = movie->ListView1->topLevelItem(i);
        EXPECT_EQ(row->text(TFrmMovie::ColPath), folder + "Movie/");
        EXPECT_EQ(row->icon(0).cacheKey(), row->icon(0).cacheKey());
        EXPECT_EQ(ly::MovieIconIndex(row->text(0)), icons[i]);
    }
    EXPECT_FALSE(movie->ListView1->topLevelItem(0)->text(TFrmMovie::ColSize).isEmpty());
    EXPECT_TRUE(movie->ListView1->topLevelItem(1)->text(TFrmMovie::ColSize).isEmpty());
    EXPECT_EQ(movie->ListView1->topLevelItem(1)->text(TFrmMovie::ColPixels), QStringLiteral("176 X 144"));
    EXPECT_EQ(movie->Edt_pix1->value(), 640);
    EXPECT_EQ(movie->Edt_pix2->value(), 360);
    EXPECT_TRUE(movie->CheckScreen->isChecked());
    EXPECT_EQ(movie->EdtAbout->text(), QStringLiteral("Our summer"));
    EXPECT_TRUE(movie->CheckBox1->isChecked());
    EXPECT_TRUE(movie->LyPanel1->isVisibleTo(movie));
    EXPECT_EQ(movie->ComboBox2->currentIndex(), 1);
    EXPECT_EQ(movie->LyPanel1->geometry().bottom(), movie->PnlMovie->height() - 1);
    EXPECT_EQ(movie->LyPanel1->Color(), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(movie->LyPanel1->LyText().value(0), QStringLiteral("Happy trip"));
    EXPECT_EQ(movie->EdtAni->text(), QStringLiteral("Happy trip"));
    EXPECT_EQ(movie->LyPanel1->LyFontColor(), QColor(Qt::red));
    EXPECT_TRUE(movie->LyPanel1->LyFont().bold());
    EXPECT_EQ(movie->CurrentPath(), folder + "Movie/three.mpg");

    main->Save1Click();
    EXPECT_EQ(sectionLines(file), before);
}

TEST_F(MovieUnitTest, ADamagedFontOrColourKeepsThePanelsOwnAndEverythingElse)
{
    const QString file = movieProject({{"Number", "1"},
                                       {"Item0", "\\Movie\\one.avi"},
                                       {"PixWidth", "300"},
                                       {"PixHeight", "200"},
                                       {"CheckScreen", "0"},
                                       {"AniTextFlag", "1"},
                                       {"AniStyle", "0"},
                                       {"AniFont", "Color=clRed#Size=zz#Name=X#Style="},
                                       {"AniColor", "bright"},
                                       {"AniText", "Hi"},
                                       {"AboutText", "About"}});
    TFrmMovie *movie = open(file);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(rowNames(movie), QStringList{"one.avi"});
    EXPECT_EQ(movie->ListView1->topLevelItem(0)->text(TFrmMovie::ColPixels), QStringLiteral("480 X 320"));
    EXPECT_EQ(movie->Edt_pix1->value(), 300);
    EXPECT_EQ(movie->EdtAni->text(), QStringLiteral("Hi"));
    EXPECT_EQ(movie->EdtAbout->text(), QStringLiteral("About"));
    EXPECT_EQ(movie->LyPanel1->Color(), ly::ToQColor(ly::kMovieSubtitleColor));
    EXPECT_EQ(movie->LyPanel1->LyFontColor(), QColor(Qt::yellow));

    // The next save writes the settings the window shows.
    main->Save1Click();
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "PixWidth"), QStringLiteral("300"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "AniText"), QStringLiteral("Hi"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "AniColor"), QStringLiteral("$004080FF"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "ItemPix0"), QStringLiteral("480 X 320"));
}

TEST_F(MovieUnitTest, AnEmptyListSavesItsSettingsButReopeningRestoresNone)
{
    const QString file = movieProject({});
    TFrmMovie *movie = open(file);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->Edt_pix1->value(), 480);
    EXPECT_EQ(movie->Edt_pix2->value(), 420);
    EXPECT_EQ(movie->EdtAni->text(), QStringLiteral("How are You?"));
    EXPECT_FALSE(movie->LyPanel1->isVisibleTo(movie));
    movie->Edt_pix1->setValue(200);
    movie->CheckBox1->setChecked(true);
    movie->EdtAbout->setText(" About ");
    main->Save1Click();
    EXPECT_EQ(sectionLines(file),
              (QStringList{"Number=0", "PixWidth=200", "PixHeight=420", "CheckScreen=0", "AniTextFlag=1",
                           "AniStyle=0", "AniFont=" + ly::FontToString(ly::MovieSubtitleFont()),
                           "AniColor=$004080FF", "AniText=How are You?", "AboutText=About"}));
    static_cast<ly::ProjectWindow *>(main.get())->DestroyEditors();
    main->SbnRealPlayClick();
    movie = dynamic_cast<TFrmMovie *>(main->Editor(ProjectEditorKind::Movie));
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->Edt_pix1->value(), 480);
    EXPECT_FALSE(movie->CheckBox1->isChecked());
}

TEST_F(MovieUnitTest, SizeFieldsTakeWholeNumbersOnly)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    for (QSpinBox *field : {movie->Edt_pix1, movie->Edt_pix2}) {
        field->clear();
        QTest::keyClicks(field, "3a.5x");
        field->interpretText();
        EXPECT_EQ(field->value(), 35) << field->objectName().toStdString();
    }
}

TEST_F(MovieUnitTest, AddedMoviesAreCopiedUnderStorableNamesAndTheUsersFileStays)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    const QString mine = sandbox.writeFile("Home/my film [1].avi", "movie bytes");
    FakeMediaDevice *device = fake(movie, {mine});
    ASSERT_TRUE(movie->AddMovie(mine));
    EXPECT_TRUE(QFileInfo::exists(mine));
    EXPECT_EQ(rowNames(movie), QStringList{"my_film__1_.avi"});
    EXPECT_EQ(movie->ListView1->topLevelItem(0)->text(TFrmMovie::ColPixels), QStringLiteral("64 X 48"));
    EXPECT_EQ(movie->ListView1->topLevelItem(0)->text(TFrmMovie::ColPath), folder + "Movie/");
    EXPECT_EQ(lytest::readFile(folder + "Movie/my_film__1_.avi"), QByteArray("movie bytes"));
    EXPECT_EQ(movie->CurrentPath(), folder + "Movie/my_film__1_.avi");
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Playing);
    EXPECT_TRUE(movie->BtnDelAll->isEnabled());
    EXPECT_FALSE(movie->BtnPlay->isEnabled());
    EXPECT_TRUE(movie->BtnPause->isEnabled());
    EXPECT_TRUE(notices().isEmpty());
}

TEST_F(MovieUnitTest, AStaleCopyIsReplacedButAListedMovieNeverIs)
{
    const QString file = movieProject({{"Number", "1"}, {"Item0", "\\Movie\\keep.avi"}});
    const QString rel = QString(folder).mid(sandbox.root().size());
    sandbox.writeFile(rel + "Movie/keep.avi", "listed");
    sandbox.writeFile(rel + "Movie/old.avi", "removed earlier");
    TFrmMovie *movie = open(file);
    ASSERT_NE(movie, nullptr);
    const QString newOld = sandbox.writeFile("Home/old.avi", "new movie");
    const QString newKeep = sandbox.writeFile("Home/keep.avi", "another movie");
    fake(movie, {newOld, newKeep});

    ASSERT_TRUE(movie->AddMovie(newOld));
    EXPECT_EQ(lytest::readFile(folder + "Movie/old.avi"), QByteArray("new movie"));
    ASSERT_TRUE(movie->AddMovie(newKeep));
    EXPECT_EQ(lytest::readFile(folder + "Movie/keep.avi"), QByteArray("listed"));
    EXPECT_EQ(rowNames(movie), (QStringList{"keep.avi", "old.avi"}));
}

TEST_F(MovieUnitTest, AFileWithoutAPictureIsRefusedAndNothingIsAdded)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    const QString sound = sandbox.writeFile("Home/sound.avi", "sound only");
    const QString broken = sandbox.writeFile("Home/broken.avi", "not a movie");
    const QString flat = sandbox.writeFile("Home/flat.avi", "no size");
    auto device = std::make_unique<FakeMediaDevice>();
    device->addMedium(sound, {3000, QSize(), {}});
    device->addMedium(broken, {0, QSize(), QStringLiteral("Could not open")});
    device->addMedium(flat, {3000, QSize(-1, -1), {}});
    movie->setDevice(std::move(device));
    for (const QString &f : {sound, broken, flat}) {
        notices().clear();
        EXPECT_FALSE(movie->AddMovie(f));
        EXPECT_EQ(notices(), QStringList{"2: Can't open the movie."}) << f.toStdString();
    }
    EXPECT_EQ(movie->ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(folder + "Movie/sound.avi"));
    EXPECT_FALSE(QFileInfo::exists(folder + "Movie/broken.avi"));
}

TEST_F(MovieUnitTest, ThePreviewPlaysPausesStopsAndLoopsAtTheEnd)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    const QString a = sandbox.writeFile("Home/a.avi", "a");
    FakeMediaDevice *device = fake(movie, {a});
    ASSERT_TRUE(movie->AddMovie(a));
    EXPECT_EQ(movie->LblMovieTime->text(), ly::SecondsToHms(3));

    movie->BtnPause->click();
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Paused);
    EXPECT_TRUE(movie->BtnPlay->isEnabled());
    EXPECT_TRUE(movie->BtnStop->isEnabled());
    movie->BtnPlay->click();
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Playing);

    // The device stops just short of the length at its end: the preview starts again.
    device->advance(2990);
    movie->Timer1Timer();
    EXPECT_EQ(movie->PnlPostion->text(), ly::SecondsToHms(2));
    device->advance(5000);
    const qsizetype before = device->calls().size();
    movie->Timer1Timer();
    const QStringList after = device->calls().mid(before);
    EXPECT_TRUE(after.contains("seek 0")) << after.join(", ").toStdString();
    EXPECT_EQ(after.last(), QStringLiteral("play"));
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Playing);
    EXPECT_EQ(device->position(), 0);

    movie->BtnStop->click();
    EXPECT_EQ(device->position(), 0);
    EXPECT_FALSE(movie->BtnStop->isEnabled());
    EXPECT_FALSE(movie->Timer1.isActive());

    // A preview of the card stops the movie first.
    movie->BtnPlay->click();
    main->StopEditorMedia();
    EXPECT_NE(device->mode(), ly::platform::MediaMode::Playing);
}

TEST_F(MovieUnitTest, ThePositionBarSeeksAndTheVolumePanelSetsTheVolume)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    const QString a = sandbox.writeFile("Home/a.avi", "a");
    FakeMediaDevice *device = fake(movie, {a});
    ASSERT_TRUE(movie->AddMovie(a));
    device->advance(500);
    movie->Timer1Timer();
    EXPECT_EQ(movie->lyTrackbar1->maximum(), 3000);

    const QPoint middle = movie->lyTrackbar1->rect().center();
    QTest::mousePress(movie->lyTrackbar1, Qt::LeftButton, {}, middle);
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Paused);
    EXPECT_FALSE(movie->Timer1.isActive());
    QTest::mouseRelease(movie->lyTrackbar1, Qt::LeftButton, {}, middle);
    EXPECT_EQ(device->calls().last(2).first(), "seek " + QString::number(movie->lyTrackbar1->value()));
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Playing);
    EXPECT_TRUE(movie->Timer1.isActive());

    const ly::platform::WaveVolume volume = ly::platform::WaveOutVolume();
    movie->BtnVolume->click();
    EXPECT_TRUE(movie->PnlVolume->isVisible());
    movie->TrackBarVolume->setValue(55);
    EXPECT_EQ(ly::platform::WaveOutVolume(), (ly::platform::WaveVolume{200 * 256, 200 * 256}));
    movie->BtnVolumeClose->click();
    EXPECT_FALSE(movie->PnlVolume->isVisible());
    ly::platform::SetWaveOutVolume(volume);
}

TEST_F(MovieUnitTest, ListButtonsDeleteAndMoveRows)
{
    // A name stored twice makes one row.
    const QString file = movieProject({{"Number", "4"},
                                       {"Item0", "\\Movie\\a.avi"},
                                       {"Item1", "\\Movie\\b.mpg"},
                                       {"Item2", "\\Movie\\a.avi"},
                                       {"Item3", "\\Movie\\c.wmv"}});
    TFrmMovie *movie = open(file);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(rowNames(movie), (QStringList{"a.avi", "b.mpg", "c.wmv"}));
    movie->ListView1->setCurrentItem(movie->ListView1->topLevelItem(1));
    EXPECT_EQ(movie->CurrentPath(), folder + "Movie/b.mpg");
    EXPECT_TRUE(movie->BtnUp->isEnabled());
    // The movie files are missing: Play reports the player's error and the list stays.
    movie->BtnPlay->click();
    ASSERT_EQ(notices().size(), 1);
    EXPECT_TRUE(notices()[0].startsWith("1: ") && notices()[0].contains("b.mpg")) << notices()[0].toStdString();
    EXPECT_EQ(movie->ListView1->topLevelItemCount(), 3);
    EXPECT_TRUE(movie->BtnPlay->isEnabled());
    movie->BtnUp->click();
    main->Save1Click();
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "Item0"), QStringLiteral("\\Movie\\b.mpg"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "Item1"), QStringLiteral("\\Movie\\a.avi"));

    answerQuestions(QMessageBox::No);
    movie->BtnDelOne->click();
    EXPECT_EQ(movie->ListView1->topLevelItemCount(), 3);
    movie->ListView1->setCurrentItem(movie->ListView1->topLevelItem(1));
    answerQuestions(QMessageBox::Yes);
    movie->BtnDelOne->click();
    EXPECT_EQ(rowNames(movie), (QStringList{"b.mpg", "c.wmv"}));
    EXPECT_EQ(movie->CurrentPath(), folder + "Movie/b.mpg");
    answerQuestions(QMessageBox::Yes);
    movie->BtnDelAll->click();
    EXPECT_EQ(movie->ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(movie->BtnDelAll->isEnabled());
    EXPECT_FALSE(movie->BtnDelOne->isEnabled());
    EXPECT_TRUE(movie->LblMovieFile->text().isEmpty());
}

TEST_F(MovieUnitTest, TheSubtitleFollowsItsSwitchPositionTextAndFont)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    EXPECT_FALSE(movie->EdtAni->isEnabled());
    movie->CheckBox1->setChecked(true);
    EXPECT_TRUE(movie->EdtAni->isEnabled());
    EXPECT_TRUE(movie->ComboBox2->isEnabled());
    EXPECT_TRUE(movie->LyPanel1->isVisibleTo(movie));
    EXPECT_EQ(movie->LyPanel1->LyStyle(), TLyPanel::LyRToL);
    EXPECT_EQ(movie->LyPanel1->y(), 0);
    movie->ComboBox2->setCurrentIndex(1);
    EXPECT_EQ(movie->LyPanel1->geometry().bottom(), movie->PnlMovie->height() - 1);
    movie->EdtAni->setText("Hello there");
    EXPECT_EQ(movie->LyPanel1->LyText().value(0), QStringLiteral("Hello there"));

    TlyFontDialog::SetFontPicker([](QWidget *, ly::TFont &font) {
        font.Size = 30;
        return true;
    });
    movie->BtnFont->click();
    TlyFontDialog::SetFontPicker({});
    const QFont big = movie->LyPanel1->LyFont();
    EXPECT_EQ(movie->LyPanel1->height(), QFontMetrics(big).boundingRect("Hello there").height() + 10);
    EXPECT_EQ(movie->LyPanel1->geometry().bottom(), movie->PnlMovie->height() - 1);
}

TEST_F(MovieUnitTest, FullScreenPlaysInItsOwnWindowUntilEscape)
{
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    const QString a = sandbox.writeFile("Home/a.avi", "a");
    // After full screen the movie reopens from the project's copy.
    FakeMediaDevice *device = fake(movie, {a, folder + "Movie/a.avi"});
    ASSERT_TRUE(movie->AddMovie(a));
    bool shown = false;
    bool hotKey = false;
    lytest::whenModalShows<TFrmPreviewmMovie>([&](TFrmPreviewmMovie *preview) {
        shown = movie->Display().displayWindow() == preview;
        hotKey = ly::platform::GlobalHotKey::isRegistered("MyHotKey1");
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    {
        lytest::ModalGuard guard(movie);
        movie->BtnFull->trigger();
    }
    EXPECT_TRUE(shown);
    EXPECT_TRUE(hotKey);
    EXPECT_FALSE(ly::platform::GlobalHotKey::isRegistered("MyHotKey1"));
    EXPECT_EQ(movie->Display().displayWindow(), movie->PnlMovie);
    EXPECT_EQ(device->mode(), ly::platform::MediaMode::Playing);
    EXPECT_EQ(device->calls().filter("open ").last(), "open " + folder + "Movie/a.avi");
    EXPECT_TRUE(notices().isEmpty());
}

} // namespace

namespace {

#define REQUIRE_SOUND_DEVICES()                                                                   \
    if (!lytest::haveSoundDevices())                                                              \
    GTEST_SKIP() << "no sound device: run through ./test.sh, which starts a PulseAudio null sound server"

TEST_F(MovieUnitTest, RealMoviesOfEveryTypeGetTheirOwnSizeAndOthersAreRefused)
{
    REQUIRE_SOUND_DEVICES();
    TFrmMovie *movie = open(movieProject({}));
    ASSERT_NE(movie, nullptr);
    const QStringList media = lytest::writeMediaSet(sandbox.root() + "Media");
    QStringList movies;
    for (const QString &f : media)
        if (QFileInfo(f).baseName() == "movie")
            movies.append(f);
    ASSERT_EQ(movies.size(), int(ly::kMovieExtensions.size()));
    for (const QString &f : movies) {
        ASSERT_TRUE(movie->AddMovie(f)) << f.toStdString() << " " << notices().join(", ").toStdString();
        const QTreeWidgetItem *row = movie->ListView1->topLevelItem(movie->ListView1->topLevelItemCount() - 1);
        EXPECT_EQ(row->text(TFrmMovie::ColName), QFileInfo(f).fileName());
        EXPECT_EQ(row->text(TFrmMovie::ColPixels), QStringLiteral("64 X 48")) << f.toStdString();
        EXPECT_EQ(lytest::readFile(folder + "Movie/" + QFileInfo(f).fileName()), lytest::readFile(f));
    }
    // The picture reaches the preview panel.
    EXPECT_TRUE(QTest::qWaitFor([movie] { return !movie->Display().currentFrame().isNull(); }, 10000));

    // A row chosen and played reopens its copy while the position poll runs, plays it to its
    // end and starts it again.
    movie->ListView1->setCurrentItem(movie->ListView1->topLevelItem(0));
    movie->BtnPlay->click();
    EXPECT_TRUE(notices().isEmpty()) << notices().join(", ").toStdString();
    EXPECT_EQ(movie->Device().fileName(), folder + "Movie/" + movie->ListView1->topLevelItem(0)->text(0));
    qint64 highest = 0;
    const bool restarted = QTest::qWaitFor([&] {
        const qint64 p = movie->Device().position();
        highest = std::max(highest, p);
        return highest > 2000 && p < 1000 && movie->Device().mode() == ly::platform::MediaMode::Playing;
    }, 20000);
    EXPECT_TRUE(restarted) << "highest position " << highest;
    EXPECT_TRUE(notices().isEmpty()) << notices().join(", ").toStdString();

    // A text file and a sound file under a movie's name.
    const QString text = sandbox.writeFile("Home/letter.avi", "Dear friend,\r\nthis is no movie.\r\n");
    const QString sound = sandbox.root() + "Home/song.avi";
    ASSERT_TRUE(QFile::copy(lytest::mediaFixture("tone.mp3"), sound));
    for (const QString &f : {text, sound}) {
        notices().clear();
        EXPECT_FALSE(movie->AddMovie(f)) << f.toStdString();
        EXPECT_EQ(notices(), QStringList{"2: Can't open the movie."}) << f.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder + "Movie/" + QFileInfo(f).fileName()));
    }
    EXPECT_EQ(movie->ListView1->topLevelItemCount(), movies.size());
}

} // namespace
