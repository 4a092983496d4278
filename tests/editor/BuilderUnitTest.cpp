#include "BuilderFixtures.h"
#include "card/PackageFixtures.h"

#include "editor/BuilderUnit.h"
#include "card/Packer.h"
#include "shared/Error.h"
#include "shared/Settings.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <sys/resource.h>

#include <csignal>

namespace {

using buildertest::ProgressRecorder;
using cardtest::Card;
using cardtest::parseCard;
using lytest::readFile;
using Files = QMap<QString, QByteArray>;
using Outcome = ly::CardBuilder::Outcome;

const QString kToday = QDate::currentDate().toString("yyyy-MM-dd");

class CardBuilderTest : public buildertest::BuilderTest
{
protected:
    ~CardBuilderTest() override { ly::ProgressWindow = nullptr; }

    static Files filesIn(const QString &folder)
    {
        Files files;
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, readFile(folder + "/" + name));
        return files;
    }

    // The files of a package entry, read by the independent package reader.
    Files unpacked(const QByteArray &package)
    {
        static int n = 0;
        const QString dest = sandbox.root() + QString("unpacked%1").arg(++n);
        QDir().mkpath(dest);
        const QString file = sandbox.writeFile(QString("entry%1.tmp").arg(n), package);
        packagetest::runPackagePy({"read", file, dest});
        return filesIn(dest);
    }
};

const QByteArray kMusicProject = R"([Application]
FrmBlk=1
[FrmBlk]
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=2
MusicItem0=\Music\a.mp3
MusicItem1=\Music\b song.mp3
RecordCheckFlag=0
[System]
FlashOcxFlag=0
)";

TEST_F(CardBuilderTest, AMusicOnlyProjectGivesTheStubAMusicPackageAndTheProjectFile)
{
    const QString project = makeProject("Rose", kMusicProject,
                                        {{"Music/a.mp3", packagetest::randomBytes(5000, 7)},
                                         {"Music/b song.mp3", QByteArray("la ").repeated(900)}});
    const QString output = outputFor("Rose");
    ProgressRecorder progress;

    EXPECT_EQ(build(project, output, progress), Outcome::Built);

    Card card;
    ASSERT_NO_FATAL_FAILURE(parseCard(readFile(output), card));
    EXPECT_EQ(card.front, stub); // so the stub, the entries, the table and 4 fill the file
    EXPECT_EQ(cardtest::idsOf(card), QList<QByteArray>({"Music", "zpj"}));
    EXPECT_EQ(cardtest::namesOf(card), QList<QByteArray>({"Music.Tmp", "Rose.zpj"}));
    ASSERT_EQ(card.entries.size(), 2);
    EXPECT_EQ(unpacked(card.entries[0].data), filesIn(folderOf(project) + "Music"));
    EXPECT_EQ(card.entries[1].data, readFile(project));
    EXPECT_TRUE(card.entries[1].data.contains(("SaveToFileName=" + output).toUtf8()));
    EXPECT_TRUE(card.entries[1].data.contains(("BuilderDate=" + kToday).toUtf8()));

    EXPECT_EQ(progress.events,
              QStringList({"bar:0", "zip:Compress the music document", "bar:2", "bar:3",
                           "file:Join music  document success",
                           "zip:The check installs the document", "bar:14",
                           "file:Join to install the document success", "bar:15",
                           "file:Born success of greeting card", "zip:"}));
    EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), output);
    EXPECT_EQ(readFile(sandbox.root() + "Cards/readme.txt"),
              "Elucidation:\r\n\r\nThis application procedure [Rose.exe] have already packed all "
              "materials, it can computing in the other on board circulate alone\r\n");
    EXPECT_EQ(packageFilesIn(folderOf(project)), QStringList());
    EXPECT_TRUE(QFileInfo(output).isExecutable());
}

TEST_F(CardBuilderTest, WritesEveryKindInOrderWithItsStepsAndBarPositions)
{
    const QByteArray animation = packagetest::packageOf({{"index.htm", "<html>snow</html>"}});
    const QByteArray filmA = packagetest::randomBytes(3000, 1);
    const QByteArray filmB = packagetest::randomBytes(2000, 2);
    const QString project = makeProject("All", R"([FrmBlk]
BlkCheckName=1
BlkTmpName=Snow Great.tmp
MusicNumber=1
MusicItem0=\Music\a.mp3
[FrmPicture]
FillBoxPicFlag=1
PicShowNum=1
Item0=\Picture\p.jpg
[FrmFlash]
Number=1
SwfItem_0=\Flash\f.swf
[FrmMovie]
Number=2
Item0=\Movie\a.avi
Item1=\Movie\b film.wmv
[PictureText]
Pic=\Res\r.jpg
)",
                                        {{"BlkTmp/Snow Great.tmp", animation},
                                         {"Music/a.mp3", "music"},
                                         {"Picture/p.jpg", "picture"},
                                         {"Res/r.jpg", "resource"},
                                         {"Flash/f.swf", "FWS flash"},
                                         {"PicBox/TopLeft.bmp", "frame piece"},
                                         {"Movie/a.avi", filmA},
                                         {"Movie/b film.wmv", filmB}});
    const QString folder = folderOf(project);
    const QString output = outputFor("All");
    ProgressRecorder progress;

    EXPECT_EQ(build(project, output, progress), Outcome::Built);

    Card card;
    ASSERT_NO_FATAL_FAILURE(parseCard(readFile(output), card));
    EXPECT_EQ(card.front, stub);
    EXPECT_EQ(cardtest::idsOf(card),
              QList<QByteArray>({"BlkTmp", "Music", "Picture", "Res", "Flash", "PicBox", "Movie",
                                 "Movie", "zpj"}));
    EXPECT_EQ(cardtest::namesOf(card),
              QList<QByteArray>({"Snow Great.tmp", "Music.Tmp", "Picture.Tmp", "Res.Tmp",
                                 "Flash.Tmp", "PicBox.Tmp", "a.avi", "b film.wmv", "All.zpj"}));
    ASSERT_EQ(card.entries.size(), 9);
    EXPECT_EQ(card.entries[0].data, animation);
    const char *const folders[] = {"Music", "Picture", "Res", "Flash", "PicBox"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(unpacked(card.entries[1 + i].data), filesIn(folder + folders[i])) << folders[i];
    EXPECT_EQ(card.entries[6].data, filmA);
    EXPECT_EQ(card.entries[7].data, filmB);
    EXPECT_EQ(card.entries[8].data, readFile(project));

    EXPECT_EQ(progress.eventsOf("bar:"),
              QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                           "13", "12", "13", "14", "15"}));
    EXPECT_EQ(progress.eventsOf("zip:"),
              QStringList({"Compress the background animation", "Compress the music document",
                           "Compress the greeting card picture", "Compress the resources document",
                           "Compress the animation of Flash", "Compress the frame picture",
                           "Compress the film", "The check installs the document", ""}));
    EXPECT_EQ(progress.eventsOf("file:"),
              QStringList({"Join the background animation success", "Join music  document success",
                           "Join the greeting card picture success",
                           "Join the resources document success", "Join the Flash animation success",
                           "Join the frame picture success", "Join the film success",
                           "Join the film success", "Join to install the document success",
                           "Born success of greeting card"}));
    EXPECT_EQ(packageFilesIn(folder), QStringList());
}

TEST_F(CardBuilderTest, EachKindIsWrittenExactlyWhenItsConditionHolds)
{
    const struct
    {
        const char *what;
        QByteArray ini;
        QList<std::pair<QString, QByteArray>> media;
        QList<QByteArray> ids;
        QByteArray firstData = {}; // when given: the data of the first entry
    } cases[] = {
        {"PicShowNum 0", "[FrmBlk]\nBlkCheckName=0\n[FrmPicture]\nPicShowNum=0\n",
         {{"Picture/p.jpg", "p"}}, {"zpj"}},
        {"PicShowNum absent", "[FrmBlk]\nBlkCheckName=0\n", {{"Picture/p.jpg", "p"}},
         {"Picture", "zpj"}},
        {"Flash Number 0", "[FrmBlk]\nBlkCheckName=0\n[FrmFlash]\nNumber=0\n",
         {{"Flash/f.swf", "f"}}, {"zpj"}},
        {"FillBoxPicFlag 0", "[FrmBlk]\nBlkCheckName=0\n[FrmPicture]\nFillBoxPicFlag=0\n",
         {{"PicBox/a.bmp", "a"}}, {"zpj"}},
        {"FillBoxPicFlag absent", "[FrmBlk]\nBlkCheckName=0\n", {{"PicBox/a.bmp", "a"}},
         {"PicBox", "zpj"}},
        {"animation package without the animation kind",
         "[FrmBlk]\nBlkCheckName=2\nBlkTmpName=Clock.tmp\n", {{"BlkTmp/Clock.tmp", "x"}},
         {"zpj"}},
        {"movies with Number 0", "[FrmBlk]\nBlkCheckName=0\n[FrmMovie]\nNumber=0\nItem0=\\Movie\\a.avi\n",
         {{"Movie/a.avi", "a"}}, {"zpj"}},
        {"movie listed, folder empty", "[FrmBlk]\nBlkCheckName=0\n[FrmMovie]\nNumber=1\nItem0=\\Movie\\a.avi\n",
         {{"Movie/sub/a.avi", "a"}}, {"zpj"}},
        {"Res and Music go by their folders alone", "[FrmBlk]\nBlkCheckName=0\nMusicNumber=0\n",
         {{"Res/r.txt", "r"}, {"Music/m.mid", "m"}}, {"Music", "Res", "zpj"}},
        {"a media folder holding only Thumbs.db gives an empty package",
         "[FrmBlk]\nBlkCheckName=0\n", {{"Music/Thumbs.db", "cache"}}, {"Music", "zpj"},
         packagetest::le32(4)},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString name = QString("P%1").arg(++n);
        const QString project = makeProject(name, c.ini, c.media);
        const QString output = outputFor(name);
        EXPECT_EQ(build(project, output), Outcome::Built) << c.what;
        Card card;
        ASSERT_NO_FATAL_FAILURE(parseCard(readFile(output), card)) << c.what;
        EXPECT_EQ(cardtest::idsOf(card), c.ids) << c.what;
        if (!c.firstData.isEmpty()) {
            EXPECT_EQ(card.entries.first().data, c.firstData) << c.what;
        }
    }
}

TEST_F(CardBuilderTest, BuildingTwiceIntoTheSameFileReplacesTheFirstCard)
{
    const QString project = makeProject("Rose", kMusicProject,
                                        {{"Music/a.mp3", packagetest::randomBytes(50000, 3)},
                                         {"Music/b song.mp3", "b"}});
    const QString output = outputFor("Rose");
    ASSERT_EQ(build(project, output), Outcome::Built);
    const qint64 firstSize = QFileInfo(output).size();
    QDir(folderOf(project) + "Music").removeRecursively();

    ASSERT_EQ(build(project, output), Outcome::Built);

    Card card;
    ASSERT_NO_FATAL_FAILURE(parseCard(readFile(output), card));
    EXPECT_EQ(card.front, stub);
    EXPECT_EQ(cardtest::idsOf(card), QList<QByteArray>({"zpj"}));
    EXPECT_LT(QFileInfo(output).size(), firstSize);
    EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), output);
}

// A failed build says why, leaves no half card and no package behind, and FinishedExe keeps
// naming the last card that was completed.
TEST_F(CardBuilderTest, AFailedBuildRemovesTheHalfWrittenCardAndKeepsFinishedExe)
{
    const QString earlier = sandbox.root() + "Cards/Earlier.exe";
    ly::WriteConfig("Finished", "FinishedExe", earlier);
    const QByteArray music = "[FrmBlk]\nBlkCheckName=1\nMusicNumber=1\nMusicItem0=\\Music\\a.mp3\n";
    const struct
    {
        const char *what;
        QByteArray ini;
        QList<std::pair<QString, QByteArray>> media;
        const char *reason;
        bool sparseMovie = false;     // a movie of 2 GiB, sparse on disk
        bool limitFileSize = false;   // the disk refuses to grow the card past 64 KiB
    } cases[] = {
        {"a listed movie is missing",
         music + "[FrmMovie]\nNumber=2\nItem0=\\Movie\\a.avi\nItem1=\\Movie\\gone.avi\n",
         {{"Music/a.mp3", "a"}, {"Movie/a.avi", "film"}}, "Did not find the file"},
        {"the background package is missing", music + "BlkTmpName=Clock.tmp\n",
         {{"Music/a.mp3", "a"}, {"BlkTmp/Snow.tmp", "x"}}, "Did not find the file"},
        {"the background package name leaves its folder", music + "BlkTmpName=../secret.txt\n",
         {{"Music/a.mp3", "a"}, {"BlkTmp/Snow.tmp", "x"}, {"secret.txt", "s"}},
         "cannot be stored in the card"},
        {"a media file name the package index cannot hold", music,
         {{"Music/a.mp3", "a"}, {"Music/song#2.mp3", "b"}}, "cannot be stored in a package"},
        {"the append fails", music + "[FrmMovie]\nNumber=1\nItem0=\\Movie\\big.avi\n",
         {{"Music/a.mp3", "a"}, {"Movie/big.avi", packagetest::randomBytes(256 * 1024, 9)}},
         "Could not join", false, true},
        {"the card would reach 2 GB", music + "[FrmMovie]\nNumber=1\nItem0=\\Movie\\huge.avi\n",
         {{"Music/a.mp3", "a"}}, "The card would reach 2 GB.", true},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString name = QString("F%1").arg(++n);
        const QString project = makeProject(name, c.ini, c.media);
        if (c.sparseMovie) {
            QDir().mkpath(folderOf(project) + "Movie");
            QFile huge(folderOf(project) + "Movie/huge.avi");
            ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 31));
        }
        const QString output = outputFor(name);
        ly::StartCard(project, output);
        ProgressRecorder progress;
        ly::CardBuilder builder(project, output, progress);

        rlimit saved{};
        if (c.limitFileSize) {
            std::signal(SIGXFSZ, SIG_IGN); // a refused write then fails with EFBIG
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limited = saved;
            limited.rlim_cur = 64 * 1024;
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        QString error;
        try {
            builder.Build();
        } catch (const ly::Error &e) {
            error = e.text();
        }
        if (c.limitFileSize)
            setrlimit(RLIMIT_FSIZE, &saved);

        EXPECT_TRUE(error.startsWith("The greeting card was not built. ")) << c.what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(c.reason)) << c.what << ": " << error.toStdString();
        EXPECT_FALSE(QFile::exists(output)) << c.what;
        EXPECT_FALSE(QFile::exists(sandbox.root() + "Cards/readme.txt")) << c.what;
        EXPECT_EQ(packageFilesIn(folderOf(project)), QStringList()) << c.what;
        EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), earlier) << c.what;
    }
}

// Receives the packer's progress notices and cancels the build at the first one.
class CancelOnPackProgress : public QObject
{
public:
    ly::CardBuilder *builder = nullptr;

    bool event(QEvent *e) override
    {
        if (e->type() != ly::WM_PACKPROGRESS)
            return QObject::event(e);
        if (builder)
            builder->Cancel();
        builder = nullptr;
        return true;
    }
};

TEST_F(CardBuilderTest, CancelStopsTheBuildBeforeItsNextStepAndLeavesNoHalfCard)
{
    ly::WriteConfig("Finished", "FinishedExe", "earlier.exe");
    const QByteArray ini = "[FrmBlk]\nBlkCheckName=2\nMusicNumber=3\n";
    const QList<std::pair<QString, QByteArray>> media = {
        {"Music/a.mp3", "a"}, {"Music/b.mp3", "b"}, {"Music/c.mp3", "c"}, {"Picture/p.jpg", "p"}};
    enum How { CancelBeforeTheBuild, CancelWhilePacking, CancelAfterTheMusic, StopRequestAfterTheMusic };
    const struct
    {
        const char *what;
        How how;
        qsizetype linesWritten;
    } cases[] = {
        {"Cancel before the build starts", CancelBeforeTheBuild, 0},
        {"Cancel while the music is being packed", CancelWhilePacking, 0},
        {"Cancel once the music has been joined", CancelAfterTheMusic, 1},
        {"StopRequest alone, once the music has been joined", StopRequestAfterTheMusic, 1},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString name = QString("C%1").arg(++n);
        const QString project = makeProject(name, ini, media);
        const QString output = outputFor(name);
        ly::StartCard(project, output);
        ProgressRecorder progress;
        ly::CardBuilder builder(project, output, progress);
        CancelOnPackProgress receiver;
        if (c.how == CancelBeforeTheBuild)
            builder.Cancel();
        if (c.how == CancelWhilePacking) {
            receiver.builder = &builder;
            ly::ProgressWindow = &receiver;
        }
        progress.onEvent = [&](const QString &event) {
            if (event != "file:Join music  document success")
                return;
            if (c.how == CancelAfterTheMusic)
                builder.Cancel();
            if (c.how == StopRequestAfterTheMusic)
                ly::StopRequest = 1;
        };

        EXPECT_EQ(builder.Build(), Outcome::Cancelled) << c.what;

        EXPECT_EQ(builder.EntryTable().size(), c.linesWritten) << c.what;
        EXPECT_FALSE(progress.events.contains("zip:Compress the greeting card picture")) << c.what;
        EXPECT_FALSE(QFile::exists(output)) << c.what;
        EXPECT_EQ(packageFilesIn(folderOf(project)), QStringList()) << c.what;
        ly::ProgressWindow = nullptr;
        ly::StopRequest = 0;
    }
    EXPECT_EQ(ly::ReadConfig("Finished", "FinishedExe"), "earlier.exe");

    // A flag left over from an earlier stop does not cancel a new build.
    const QString project = makeProject("Stale", ini, media);
    ly::StartCard(project, outputFor("Stale"));
    ly::StopRequest = 1;
    ProgressRecorder progress;
    EXPECT_EQ(ly::CardBuilder(project, outputFor("Stale"), progress).Build(), Outcome::Built);
}

TEST_F(CardBuilderTest, OutputChecks)
{
    QDir().mkpath(sandbox.root() + "Cards");
    const QString cards = sandbox.root() + "Cards/";
    const QString project = makeProject("Rose", "[FrmBlk]\nBlkCheckName=0\n",
                                        {{"Music/a.mp3", "song"}, {"Res/deep/b.gif", "gif"}});
    const QString folder = folderOf(project);
    QDir().mkpath(folder + "Movie");
    const struct
    {
        QString path;
        ly::BuilderCheck check;
    } cases[] = {
        {cards + "Rose.exe", ly::BuilderCheck::Ok},
        {cards + "Rose.EXE", ly::BuilderCheck::Ok},
        {folder + "Rose.exe", ly::BuilderCheck::Ok}, // the project folder itself is not packed
        {cards + "Rose.exe.card", ly::BuilderCheck::BadOutputPath}, // ".exe" is not its end
        {cards + "card.exe.txt", ly::BuilderCheck::BadOutputPath},
        // A card in a media folder would be packed into itself.
        {folder + "Music/Rose.exe", ly::BuilderCheck::BadOutputPath},
        {folder + "Movie/Rose.exe", ly::BuilderCheck::BadOutputPath},
        {folder + "Res/deep/Rose.exe", ly::BuilderCheck::BadOutputPath},
        {folder + "Music/../Rose.exe", ly::BuilderCheck::Ok},
        {cards + "Rose", ly::BuilderCheck::BadOutputPath},
        {cards + "Rose.ex", ly::BuilderCheck::BadOutputPath},
        {sandbox.root() + "Missing/Rose.exe", ly::BuilderCheck::BadOutputPath},
        {"Rose.exe", ly::BuilderCheck::BadOutputPath},
        {cards + "x.exe/", ly::BuilderCheck::BadOutputPath},
        {"", ly::BuilderCheck::BadOutputPath},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ly::CheckOutput(project, c.path), c.check) << c.path.toStdString();

    // The folder link leads into Music all the same.
    ASSERT_TRUE(QFile::link(folder + "Music", cards + "Songs"));
    EXPECT_EQ(ly::CheckOutput(project, cards + "Songs/Rose.exe"), ly::BuilderCheck::BadOutputPath);

    QFile::remove(ly::CardStubFile());
    EXPECT_EQ(ly::CheckOutput(project, cards + "Rose.exe"), ly::BuilderCheck::StubMissing);
    EXPECT_EQ(ly::CheckOutput(project, cards + "Rose"), ly::BuilderCheck::BadOutputPath);

    EXPECT_EQ(ly::BuilderCheckText(ly::BuilderCheck::BadOutputPath),
              "Execuse me, ask you to save the greeting card document");
    EXPECT_EQ(ly::BuilderCheckKind(ly::BuilderCheck::BadOutputPath), 2);
    EXPECT_EQ(ly::BuilderCheckText(ly::BuilderCheck::StubMissing),
              "The system is in need of the document, withdrawing unusually");
    EXPECT_EQ(ly::BuilderCheckKind(ly::BuilderCheck::StubMissing), 1);
    EXPECT_EQ(ly::BuilderCheckText(ly::BuilderCheck::NoBackground),
              "Please choose the good background constitution");
    EXPECT_EQ(ly::BuilderCheckKind(ly::BuilderCheck::NoBackground), 2);
}

TEST_F(CardBuilderTest, StartCardRecordsTheOutputCopiesTheFlashControlAndStartsFromTheStub)
{
    const QString project = makeProject("Rose", "[FrmBlk]\nBlkCheckName=0\n[System]\nFlashOcxFlag=1\n",
                                        {{"Flash/Flash.ocx", "an older control"}});
    sandbox.writeFile("Program/ocx/Flash.ocx", "the Flash control");
    const QString output = sandbox.writeFile("Cards/Rose.exe", QByteArray(10000, 'x'));

    ly::StartCard(project, output);

    EXPECT_EQ(readFile(output), stub);
    EXPECT_TRUE(QFileInfo(output).isExecutable());
    EXPECT_EQ(readFile(folderOf(project) + "Flash/Flash.ocx"), "the Flash control");
    EXPECT_EQ(ly::ReadIni("System", "SaveToFileName", project), output);
    EXPECT_EQ(ly::ReadIni("System", "BuilderDate", project), kToday);
    EXPECT_EQ(ly::SavedOutputFile(project), output);

    const QString plain = makeProject("Plain", "[FrmBlk]\nBlkCheckName=0\n[System]\nFlashOcxFlag=0\n");
    ly::StartCard(plain, outputFor("Plain"));
    EXPECT_FALSE(QFileInfo::exists(folderOf(plain) + "Flash"));
}

TEST_F(CardBuilderTest, BrowseDialogHelpers)
{
    const QString project = makeProject("Rose", "[FrmBlk]\nBlkCheckName=0\n");
    const QString folder = folderOf(project);
    EXPECT_EQ(ly::BrowseProposedName(project), "Rose");
    EXPECT_EQ(ly::BrowsedOutputFile(folder + "card"), folder + "card.exe");
    EXPECT_EQ(ly::BrowsedOutputFile(folder + "card.EXE"), folder + "card.EXE");
    EXPECT_EQ(ly::BrowsedOutputFile(folder + "card.exe.txt"), folder + "card.exe.txt.exe");

    const struct
    {
        QString saveDir;
        QString folder;
    } cases[] = {
        {"", folder},
        {"\\Cards", folder + "Cards"},              // below the project folder, created
        {sandbox.root() + "Out", sandbox.root() + "Out"}, // created, one level
        {sandbox.root() + "No/Such/Folder", folder},      // cannot be created
    };
    for (const auto &c : cases) {
        ly::WriteConfig("System", "SaveDir", c.saveDir);
        EXPECT_EQ(QDir::cleanPath(ly::BrowseInitialFolder(project)), QDir::cleanPath(c.folder))
            << c.saveDir.toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder + "Cards").isDir());
}

TEST_F(CardBuilderTest, PreviewWritesTheStubCopyAndTheProjectList)
{
    const QString project = makeProject("Rose", "[FrmBlk]\nBlkCheckName=3\n");
    const QString folder = folderOf(project);

    EXPECT_EQ(ly::PreparePreview(project), ly::BuilderCheck::Ok);

    EXPECT_EQ(ly::PreviewExeFile(project), folder + "Preview.exe");
    EXPECT_EQ(readFile(folder + "Preview.exe"), stub);
    EXPECT_TRUE(QFileInfo(folder + "Preview.exe").isExecutable());
    EXPECT_EQ(readFile(folder + "Preview.qrj"), "Rose.zpj\r\n");
    EXPECT_EQ(ly::ReadIni("System", "BuilderDate", project), kToday);
}

TEST_F(CardBuilderTest, PreviewAndBuildRefuseWhatTheyCannotDo)
{
    const QString noBackground = makeProject("A", "[FrmBlk]\nMusicNumber=0\n");
    EXPECT_EQ(ly::CheckBackground(noBackground), ly::BuilderCheck::NoBackground);
    EXPECT_EQ(ly::PreparePreview(noBackground), ly::BuilderCheck::NoBackground);

    const QString project = makeProject("B", "[FrmBlk]\nBlkCheckName=0\n");
    EXPECT_EQ(ly::CheckBackground(project), ly::BuilderCheck::Ok);
    QFile::remove(ly::CardStubFile());
    EXPECT_EQ(ly::PreparePreview(project), ly::BuilderCheck::StubMissing);

    for (const QString &p : {noBackground, project}) {
        EXPECT_FALSE(QFile::exists(folderOf(p) + "Preview.exe"));
        EXPECT_FALSE(QFile::exists(folderOf(p) + "Preview.qrj"));
        EXPECT_EQ(ly::ReadIni("System", "BuilderDate", p), "");
    }
}

} // namespace
