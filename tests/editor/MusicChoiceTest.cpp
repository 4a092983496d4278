#include "support/Sandbox.h"

#include "editor/MusicChoice.h"
#include "editor/VoiceRecording.h"
#include "platform/FakeMedia.h"
#include "platform/WaveFile.h"
#include "shared/FileText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

using ly::MusicColumn;
using ly::MusicFileRow;
using ly::TakenMusic;

class MusicChoiceTest : public lytest::SandboxTest
{
protected:
    void SetUp() override { QDir().mkpath(sandbox.root() + "Cards/Rose"); }

    QString folder() const { return sandbox.root() + "Songs/"; }
    QString music() const { return sandbox.root() + "Cards/Rose/Music"; }
};

TEST_F(MusicChoiceTest, ListingTakesTheFourMusicTypesInAnyCaseAndNothingElse)
{
    sandbox.writeFile("Songs/My Song.mp3", QByteArray(3000, 'a'));
    sandbox.writeFile("Songs/x.WMA", "b");
    sandbox.writeFile("Songs/a.txt", "c");
    sandbox.writeFile("Songs/.quiet.Mid", QByteArray(2048 * 1024, 'd'));
    sandbox.writeFile("Songs/wave", "no extension");
    QDir().mkpath(folder() + "Folder.mp3");
    QFile::link(folder() + "gone.mp3", folder() + "dangling.wav");
    ASSERT_EQ(mkfifo(QFile::encodeName(folder() + "pipe.wav").constData(), 0600), 0);

    QList<MusicFileRow> rows = ly::ListMusicFolder(folder());
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.name < b.name; });
    // A hidden file counts; a file that cannot be read shows an empty size and never blocks.
    const QList<MusicFileRow> expected = {
        {".quiet.Mid", "2MB", ".Mid"},
        {"My Song.mp3", "2KB", ".mp3"},
        {"dangling.wav", "", ".wav"},
        {"pipe.wav", "", ".wav"},
        {"x.WMA", "1KB", ".WMA"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(ly::ListMusicFolder(sandbox.root() + "nowhere").isEmpty());
    EXPECT_TRUE(ly::ListMusicFolder(QString()).isEmpty());
}

TEST(MusicSortTest, ColumnsCompareAsTheirTextsAndEqualRowsKeepTheirOrder)
{
    const QList<MusicFileRow> rows = {
        {"b.mp3", "9KB", ".mp3"}, {"A.wav", "10KB", ".wav"}, {"c.MID", "9KB", ".MID"},
        {"a2.wma", "10KB", ".mp3"},
    };
    struct Case
    {
        MusicColumn column;
        bool descending;
        QStringList names;
    } cases[] = {
        {MusicColumn::Name, false, {"A.wav", "a2.wma", "b.mp3", "c.MID"}},
        {MusicColumn::Name, true, {"c.MID", "b.mp3", "a2.wma", "A.wav"}},
        // Character by character: "10KB" before "9KB"; equal texts stay as they were.
        {MusicColumn::Size, false, {"A.wav", "a2.wma", "b.mp3", "c.MID"}},
        {MusicColumn::Size, true, {"b.mp3", "c.MID", "A.wav", "a2.wma"}},
        {MusicColumn::Type, false, {"c.MID", "b.mp3", "a2.wma", "A.wav"}},
    };
    for (const Case &c : cases) {
        QList<MusicFileRow> sorted = rows;
        ly::SortMusicRows(sorted, c.column, c.descending);
        QStringList names;
        for (const MusicFileRow &r : sorted)
            names << r.name;
        EXPECT_EQ(names, c.names) << int(c.column) << " " << c.descending;
    }
    // A strict ordering: no row comes before itself or before an equal one.
    for (MusicColumn column : {MusicColumn::Name, MusicColumn::Size, MusicColumn::Type}) {
        EXPECT_FALSE(ly::MusicRowBefore(column, rows[0], rows[0]));
        EXPECT_FALSE(ly::MusicRowBefore(column, {"X.mp3", "1KB", ".mp3"}, {"x.mp3", "1KB", ".mp3"}));
    }
}

TEST(MusicSortTest, HeaderClicksTurnTheDirectionAndMoveTheMark)
{
    ly::MusicSortState s;
    constexpr int down = ly::MusicSortState::kDescendingMark, up = ly::MusicSortState::kAscendingMark,
                  none = ly::MusicSortState::kNoMark;
    EXPECT_EQ(s.Mark(0), none);
    struct Step
    {
        int column;
        bool descending;
        std::array<int, 3> marks;
    } steps[] = {
        {0, true, {down, none, none}}, // the first column starts without a mark
        {0, false, {up, none, none}},
        {0, true, {down, none, none}},
        {2, false, {none, none, up}},
        {2, true, {none, none, down}},
        {1, false, {none, up, none}},
    };
    for (const Step &step : steps) {
        EXPECT_EQ(s.Click(step.column), step.descending) << step.column;
        EXPECT_EQ(s.LastColumn(), step.column);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(s.Mark(c), step.marks[size_t(c)]) << "column " << c << " after " << step.column;
    }
}

TEST_F(MusicChoiceTest, AnUnstorableNameIsCopiedIntoMusicAndTheUsersFileStays)
{
    const QString mine = sandbox.writeFile("Songs/My Song.mp3", "mine");
    const TakenMusic taken = ly::TakeMusicFile(mine, music(), {});
    ASSERT_EQ(taken.outcome, TakenMusic::Take) << taken.error.toStdString();
    EXPECT_EQ(taken.path, music() + "/My_Song.mp3");
    EXPECT_EQ(lytest::readFile(taken.path), QByteArray("mine"));
    EXPECT_EQ(lytest::readFile(mine), QByteArray("mine"));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"My Song.mp3"});

    // The same song again: the copy there is taken.
    EXPECT_EQ(ly::TakeMusicFile(mine, music(), {}).path, taken.path);
    // A storable name is taken where it lies; the project's save copies it.
    const QString plain = sandbox.writeFile("Songs/plain.wav", "p");
    const TakenMusic asItIs = ly::TakeMusicFile(plain, music(), {});
    EXPECT_EQ(asItIs.outcome, TakenMusic::Take);
    EXPECT_EQ(asItIs.path, plain);
    EXPECT_FALSE(QFileInfo::exists(music() + "/plain.wav"));
}

TEST_F(MusicChoiceTest, AListedNameIsSkippedBeforeAnythingIsCopied)
{
    const QString mine = sandbox.writeFile("Songs/My Song.mp3", "new song");
    const QString listedCopy = sandbox.writeFile("Cards/Rose/Music/My_Song.mp3", "listed song");
    QStringList asked;
    const TakenMusic taken = ly::TakeMusicFile(mine, music(), [&](const QString &name) {
        asked << name;
        return name == "My_Song.mp3";
    });
    EXPECT_EQ(taken.outcome, TakenMusic::Skip);
    EXPECT_EQ(asked, QStringList{"My_Song.mp3"});
    EXPECT_EQ(lytest::readFile(listedCopy), QByteArray("listed song"));
}

TEST_F(MusicChoiceTest, AFileThatCannotBeTakenIsAnErrorAndChangesNothing)
{
    const QString mine = sandbox.writeFile("Songs/My Song.mp3", "new song");
    const QString other = sandbox.writeFile("Cards/Rose/Music/My_Song.mp3", "the voice, say");
    const QString blocker = sandbox.writeFile("Cards/Blocked", "a file where the folder goes");
    struct Case
    {
        const char *what;
        QString file, musicFolder, error;
    } cases[] = {
        {"another file of that name", mine, music(),
         "Cannot copy the music \"" + mine + "\" to \"" + other
             + "\": another file of that name is already there."},
        {"no folder to copy to", mine, blocker + "/Music",
         "Cannot copy the music \"" + mine + "\" to \"" + blocker + "/Music/My_Song.mp3\"."},
        {"gone", folder() + "gone.mp3", music(),
         "The music \"" + folder() + "gone.mp3\" does not exist."},
    };
    for (const Case &c : cases) {
        const TakenMusic taken = ly::TakeMusicFile(c.file, c.musicFolder, {});
        EXPECT_EQ(taken.outcome, TakenMusic::Fail) << c.what;
        EXPECT_TRUE(taken.path.isEmpty()) << c.what;
        EXPECT_EQ(taken.error, c.error) << c.what;
    }
    EXPECT_EQ(lytest::readFile(other), QByteArray("the voice, say"));
    EXPECT_EQ(lytest::readFile(mine), QByteArray("new song"));
}

// ---- The recording's helpers ---------------------------------------------------------------

TEST_F(MusicChoiceTest, AFreshWorkingFileIsExactlyTheFortyFourByteHeader)
{
    const QString working = ly::VoiceWorkingFile();
    EXPECT_EQ(working, sandbox.tempDir() + "Temp.wav");
    sandbox.writeFile(QDir(sandbox.root()).relativeFilePath(working), QByteArray(5000, 'x'));
    ASSERT_TRUE(ly::PrepareVoiceFile(working));
    const QByteArray expected = QByteArray("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0"
                                           "\x11\x2B\0\0\x11\x2B\0\0\x01\0\x08\0data\0\0\0\0",
                                           44);
    EXPECT_EQ(lytest::readFile(working), expected);
    EXPECT_TRUE(ly::IsVoiceWorkingFile(working));
    EXPECT_TRUE(ly::IsVoiceWorkingFile(" " + sandbox.tempDir() + "./Temp.wav "));
    EXPECT_FALSE(ly::IsVoiceWorkingFile(sandbox.root() + "Temp.wav"));
    EXPECT_FALSE(ly::IsVoiceWorkingFile(QString()));

    QString why;
    EXPECT_FALSE(ly::PrepareVoiceFile(sandbox.root() + "no/such/folder/Temp.wav", &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(VoiceRecordingTest, SaveNamesGetWavOnlyWhenMissingAndTheLengthIsInWholeSeconds)
{
    EXPECT_EQ(ly::VoiceSaveTarget("/home/u/hello"), "/home/u/hello.wav");
    EXPECT_EQ(ly::VoiceSaveTarget("/home/u/hello.wav"), "/home/u/hello.wav");
    EXPECT_EQ(ly::VoiceSaveTarget("/home/u/hello.WAV"), "/home/u/hello.WAV");
    EXPECT_EQ(ly::VoiceSaveTarget("/home/u/hello.mp3"), "/home/u/hello.mp3.wav");

    ly::platform::FakeMediaDevice media;
    EXPECT_EQ(ly::RecordingSeconds(media), 0);
    media.addMedium("/v.wav", {2999, {}, {}});
    ASSERT_TRUE(media.open("/v.wav").ok());
    EXPECT_EQ(ly::RecordingSeconds(media), 2);
}

} // namespace
