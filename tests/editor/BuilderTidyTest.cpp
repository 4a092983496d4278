#include "BuilderFixtures.h"

#include "editor/BuilderUnit.h"
#include "card/Packer.h"

#include <QDir>
#include <QFile>

namespace {

using TidyTest = buildertest::BuilderTest;

QStringList filesIn(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

TEST_F(TidyTest, DeletesUnreferencedFilesOnlyWhenTheCountDiffers)
{
    const struct
    {
        const char *what;
        QByteArray ini;
        QStringList files;
        QStringList left;
    } cases[] = {
        {"three files, three items: kept, referenced or not",
         "MusicNumber=3\nMusicItem0=\\Music\\a.mp3\nMusicItem1=\\Music\\b.mp3\nMusicItem2=\\Music\\gone.mp3\n",
         {"a.mp3", "b.mp3", "stray.mp3"}, {"a.mp3", "b.mp3", "stray.mp3"}},
        {"four files, three items: the unreferenced one goes",
         "MusicNumber=3\nMusicItem0=\\Music\\a.mp3\nMusicItem1=\\Music\\b.mp3\nMusicItem2=\\Music\\c.mp3\n",
         {"a.mp3", "b.mp3", "c.mp3", "stray.mp3"}, {"a.mp3", "b.mp3", "c.mp3"}},
        {"Temp.wav stays",
         "MusicNumber=1\nMusicItem0=\\Music\\a.mp3\n",
         {"a.mp3", "Temp.wav", "stray.mp3"}, {"Temp.wav", "a.mp3"}},
        {"names match with their letter case",
         "MusicNumber=1\nMusicItem0=\\Music\\A.mp3\n",
         {"a.mp3", "A.mp3", "b.mp3"}, {"A.mp3"}},
        {"items above the count do not count",
         "MusicNumber=1\nMusicItem0=\\Music\\a.mp3\nMusicItem1=\\Music\\b.mp3\n",
         {"a.mp3", "b.mp3"}, {"a.mp3"}},
        {"an absent count is 0: every file goes, hidden ones and Thumbs.db too",
         "", {"a.mp3", ".hidden", "Thumbs.db"}, {}},
        {"a wild count reads only the keys there are",
         "MusicNumber=2000000000\nMusicItem0=\\Music\\a.mp3\nMusicItem01=\\Music\\b.mp3\n",
         {"a.mp3", "b.mp3"}, {"a.mp3"}},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString name = QString("T%1").arg(++n);
        QList<std::pair<QString, QByteArray>> media;
        for (const QString &file : c.files)
            media.append({"Music/" + file, QByteArray("x")});
        media.append({QString("Music/sub/kept.mp3"), QByteArray("subfolders are not entered")});
        const QString project = makeProject(name, "[FrmBlk]\nBlkCheckName=0\n" + c.ini, media);

        ly::TidyProjectFolder(project);

        QStringList expected = c.left;
        expected.sort();
        EXPECT_EQ(filesIn(folderOf(project) + "Music"), expected) << c.what;
        EXPECT_TRUE(QFile::exists(folderOf(project) + "Music/sub/kept.mp3")) << c.what;
    }
}

TEST_F(TidyTest, EachMediaFolderGoesByItsOwnListAndResByTheLinesThatNameIt)
{
    const QString project = makeProject("Rose", R"([FrmBlk]
BlkCheckName=3
BlkEdtPicName=\Res\fill.jpg
MusicNumber=1
MusicItem0=\Music\a.mp3
[FrmMovie]
Number=1
Item0=\Movie\a.avi
ItemPix0=480 X 320
[FrmFlash]
Number=1
SwfItem_0=\Flash\a.swf
Column_0=FileSize=1KB#FilePix=550 X 400#FrameCount=10#Rate=12
[FrmPicture]
FillBlkPicName=\RES\frame.jpg
PicShowNum=1
Item0=\Picture\a.jpg
[Pic1]
Pic_EdtPicture=\res\fill.jpg
[Ani1]
AniLbl_EdtText=\res\Ani1.txt
)",
                                        {{"Movie/a.avi", "m"}, {"Movie/old.avi", "m"},
                                         {"Flash/a.swf", "f"}, {"Flash/Flash.ocx", "f"},
                                         {"Picture/a.jpg", "p"}, {"Picture/old.jpg", "p"},
                                         {"Res/fill.jpg", "r"}, {"Res/frame.jpg", "r"},
                                         {"Res/Ani1.txt", "r"}, {"Res/old.jpg", "r"},
                                         {"Res/older.jpg", "r"}});
    // Four lines name Res files (fill.jpg twice) and the folder holds five files.
    ly::TidyProjectFolder(project);

    const QString folder = folderOf(project);
    EXPECT_EQ(filesIn(folder + "Movie"), QStringList({"a.avi"}));
    EXPECT_EQ(filesIn(folder + "Flash"), QStringList({"a.swf"}));
    EXPECT_EQ(filesIn(folder + "Picture"), QStringList({"a.jpg"}));
    EXPECT_EQ(filesIn(folder + "Res"), QStringList({"Ani1.txt", "fill.jpg", "frame.jpg"}));
}

TEST_F(TidyTest, AProjectFileThatCannotBeReadLeavesTheFolderAlone)
{
    const QString project = makeProject("Rose", "[FrmBlk]\nBlkCheckName=0\n",
                                        {{"Music/a.mp3", "a"}, {"Res/r.jpg", "r"}});
    QFile::remove(project);

    ly::TidyProjectFolder(project);

    EXPECT_EQ(filesIn(folderOf(project) + "Music"), QStringList({"a.mp3"}));
    EXPECT_EQ(filesIn(folderOf(project) + "Res"), QStringList({"r.jpg"}));
}

TEST_F(TidyTest, TheRecordedVoiceGoesWhenItIsNotChecked)
{
    const struct
    {
        const char *what;
        QByteArray keys;
        bool deleted;
    } cases[] = {
        {"flag 0", "RecordCheckFlag=0\nRecordEdtName=\\Music\\voice.wav\n", true},
        {"flag absent", "RecordEdtName=\\Music\\voice.wav\n", true},
        {"flag 1", "RecordCheckFlag=1\nRecordEdtName=\\Music\\voice.wav\n", false},
        // Only a path below the project folder is ever deleted.
        {"a path that leaves the project folder", "RecordEdtName=\\..\\outside.wav\n", false},
        {"a path that is not project-relative", "RecordEdtName=OUTSIDE\n", false},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString name = QString("V%1").arg(++n);
        // The voice is listed as music, so only the voice rule can delete it.
        const QString project = makeProject(
            name, "[FrmBlk]\nBlkCheckName=0\nMusicNumber=1\nMusicItem0=\\Music\\voice.wav\n" + c.keys,
            {{"Music/voice.wav", "voice"}});
        const QString outside = sandbox.writeFile("outside.wav", "not the project's");
        const QString relative = sandbox.writeFile(name + "/OUTSIDE", "not a stored path");

        ly::TidyProjectFolder(project);

        EXPECT_EQ(!QFile::exists(folderOf(project) + "Music/voice.wav"), c.deleted) << c.what;
        EXPECT_TRUE(QFile::exists(outside)) << c.what;
        EXPECT_TRUE(QFile::exists(relative)) << c.what;
    }
}

// The background editor stores the recording beside the songs, under its own name: it is one
// of the project's media, not a stray file.
TEST_F(TidyTest, ARecordingInUseStaysAndTravelsInTheCard)
{
    const QByteArray voice = "RecordCheckFlag=1\nRecordEdtName=\\Music\\Voice.wav\n";
    const struct
    {
        const char *what;
        QStringList files;
        QStringList left;
    } cases[] = {
        {"a song and the recording", {"a.mp3", "Voice.wav"}, {"Voice.wav", "a.mp3"}},
        {"and a stray file", {"a.mp3", "Voice.wav", "stray.mp3"}, {"Voice.wav", "a.mp3"}},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString name = QString("R%1").arg(++n);
        QList<std::pair<QString, QByteArray>> media;
        for (const QString &file : c.files)
            media.append({"Music/" + file, "sound of " + file.toUtf8()});
        const QString project = makeProject(
            name, "[FrmBlk]\nBlkCheckName=0\nMusicNumber=1\nMusicItem0=\\Music\\a.mp3\n" + voice,
            media);

        ly::TidyProjectFolder(project);
        EXPECT_EQ(filesIn(folderOf(project) + "Music"), c.left) << c.what;

        const QString output = outputFor(name);
        ASSERT_EQ(build(project, output), ly::CardBuilder::Outcome::Built) << c.what;
        cardtest::Card card;
        ASSERT_NO_FATAL_FAILURE(cardtest::parseCard(lytest::readFile(output), card));
        ASSERT_EQ(cardtest::idsOf(card), QList<QByteArray>({"Music", "zpj"})) << c.what;
        const QString package = sandbox.writeFile(name + "-Music.tmp", card.entries[0].data);
        ly::ExtractPackage(package, sandbox.root() + name + "-unpacked");
        EXPECT_EQ(lytest::readFile(sandbox.root() + name + "-unpacked/Voice.wav"),
                  "sound of Voice.wav")
            << c.what;
    }
}

} // namespace
