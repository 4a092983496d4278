#include "card/CardFixtures.h"

#include "shared/Ini.h"
#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

using lytest::readFile;

// lyrabell-tool build works with the program folder of the tool: its Cardstub.dll and its
// config.ini, where it records the card. So these tests run a copy of the tool and the stub
// in the sandbox's program folder, never the build tree's.
class BuildToolTest : public lytest::SandboxTest
{
protected:
    BuildToolTest()
    {
        for (const char *name : {"lyrabell-tool", "Cardstub.dll"}) {
            const QString target = sandbox.programDir() + name;
            if (!QFile::copy(lytest::builtProgramDir() + name, target))
                throw std::runtime_error("cannot copy the built programs into the sandbox");
            QFile::setPermissions(target, QFile::permissions(lytest::builtProgramDir() + name));
        }
    }

    lytest::ToolResult run(const QStringList &args)
    {
        return lytest::runProgram(sandbox.programDir() + "lyrabell-tool", args);
    }

    QString makeProject(const QByteArray &ini, const QList<std::pair<QString, QByteArray>> &media)
    {
        QByteArray text = ini;
        text.replace("\n", "\r\n");
        for (const auto &[path, bytes] : media)
            sandbox.writeFile("Rose/" + path, bytes);
        return sandbox.writeFile("Rose/Rose.zpj", text);
    }

    QString finishedExe() const
    {
        return ly::ini::read(sandbox.programDir() + "config.ini", "Finished", "FinishedExe");
    }
};

const QByteArray kProject = R"([FrmBlk]
BlkCheckName=2
MusicNumber=1
MusicItem0=\Music\song.mp3
[FrmMovie]
Number=1
Item0=\Movie\film.avi
[System]
ShowMsgFlag=1
ShowMsg=Many happy returns, Rose
)";

TEST_F(BuildToolTest, BuildsACardThatListAndExtractRead)
{
    const QByteArray film = QByteArray("film frame ").repeated(2000);
    const QString project = makeProject(kProject, {{"Music/song.mp3", "tra la la"},
                                                   {"Music/stray.mp3", "no longer listed"},
                                                   {"Movie/film.avi", film}});
    QDir().mkpath(sandbox.root() + "Cards");

    const lytest::ToolResult built = run({"build", project, sandbox.root() + "Cards/Rose.exe"});

    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    EXPECT_EQ(built.out, "Compress the music document\n"
                         "Join music  document success\n"
                         "Compress the film\n"
                         "Join the film success\n"
                         "The check installs the document\n"
                         "Join to install the document success\n"
                         "Born success of greeting card\n");
    const QString card = sandbox.root() + "Cards/Rose.exe";
    EXPECT_EQ(finishedExe(), card);
    EXPECT_FALSE(QFile::exists(sandbox.root() + "Rose/Music/stray.mp3")); // the tidy ran
    EXPECT_FALSE(QFile::exists(sandbox.root() + "Rose/Music.tmp"));

    cardtest::Card parsed;
    ASSERT_NO_FATAL_FAILURE(cardtest::parseCard(readFile(card), parsed));
    EXPECT_EQ(parsed.front, readFile(sandbox.programDir() + "Cardstub.dll"));
    EXPECT_EQ(cardtest::namesOf(parsed), QList<QByteArray>({"Music.Tmp", "film.avi", "Rose.zpj"}));

    const lytest::ToolResult listed = run({"list", card});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, parsed.lines.join('\n') + '\n');

    const lytest::ToolResult extracted = run({"extract", card, sandbox.root() + "out"});
    EXPECT_EQ(extracted.exitCode, 0) << extracted.err.toStdString();
    EXPECT_EQ(readFile(sandbox.root() + "out/film.avi"), film);
    EXPECT_EQ(readFile(sandbox.root() + "out/Rose.zpj"), readFile(project));
    EXPECT_EQ(readFile(sandbox.root() + "out/Music.Tmp"), parsed.entries[0].data);

    // The card is the player program with the card behind it: it plays to its end and then
    // gives the project's end message (on standard output when it runs to the end unseen).
    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", sandbox.tempDir());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    player.setProcessEnvironment(env);
    player.start(card, {"--run-to-end"});
    ASSERT_TRUE(player.waitForFinished(60000));
    EXPECT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();
    EXPECT_EQ(player.readAllStandardOutput(), "Many happy returns, Rose\n");
}

TEST_F(BuildToolTest, TheShippedExampleProjectBuilds)
{
    sandbox.copyContent("Project");
    const QString folder = sandbox.programDir() + "Project/Birthday/";
    const QString card = sandbox.root() + "Birthday.exe";

    const lytest::ToolResult built = run({"build", folder + "Birthday.zpj", card});

    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    cardtest::Card parsed;
    ASSERT_NO_FATAL_FAILURE(cardtest::parseCard(readFile(card), parsed));
    EXPECT_EQ(cardtest::namesOf(parsed), QList<QByteArray>({"Music.Tmp", "Birthday.zpj"}));
    const lytest::ToolResult extracted = run({"extract", card, sandbox.root() + "out"});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err.toStdString();
    const lytest::ToolResult unpacked =
        run({"unpack", sandbox.root() + "out/Music.Tmp", sandbox.root() + "music"});
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err.toStdString();
    EXPECT_EQ(readFile(sandbox.root() + "music/Morning_Bells.wav"),
              readFile(folder + "Music/Morning_Bells.wav"));
}

TEST_F(BuildToolTest, RefusalsAndFailuresExitOneWithTheirMessage)
{
    const QString cards = sandbox.root() + "Cards/";
    QDir().mkpath(cards);
    const struct
    {
        const char *what;
        QByteArray ini;
        QString output;
        bool removeStub;
        QByteArray err;
    } cases[] = {
        {"no background chosen", "[FrmBlk]\nMusicNumber=0\n", cards + "Rose.exe", false,
         "Please choose the good background constitution\n"},
        {"no .exe in the output", kProject, cards + "Rose.card", false,
         "Execuse me, ask you to save the greeting card document\n"},
        {"the output folder is missing", kProject, sandbox.root() + "Missing/Rose.exe", false,
         "Execuse me, ask you to save the greeting card document\n"},
        {"the movie is missing",
         "[FrmBlk]\nBlkCheckName=2\n[FrmMovie]\nNumber=2\nItem0=\\Movie\\film.avi\n"
         "Item1=\\Movie\\gone.avi\n",
         cards + "Rose.exe", false, ""},
        // Last: the stub stays removed.
        {"the stub is missing", kProject, cards + "Rose.exe", true,
         "The system is in need of the document, withdrawing unusually\n"},
    };
    for (const auto &c : cases) {
        const QString project = makeProject(c.ini, {{"Music/song.mp3", "s"}, {"Movie/film.avi", "f"}});
        if (c.removeStub)
            QFile::remove(sandbox.programDir() + "Cardstub.dll");

        const lytest::ToolResult r = run({"build", project, c.output});

        EXPECT_EQ(r.exitCode, 1) << c.what;
        if (!c.err.isEmpty()) {
            EXPECT_EQ(r.err, c.err) << c.what;
        } else {
            EXPECT_TRUE(r.err.startsWith("The greeting card was not built. Did not find the file "))
                << c.what << ": " << r.err.toStdString();
        }
        EXPECT_FALSE(QFile::exists(c.output)) << c.what;
        EXPECT_EQ(finishedExe(), "") << c.what;
        QDir(sandbox.root() + "Rose").removeRecursively();
    }
}

TEST_F(BuildToolTest, ExtractTakesBareNamesOnly)
{
    const QByteArray table = "Id=zpj#FileName=../escaped.zpj#Size=4\r\n";
    QByteArray trailer(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(table.size() + 4), trailer.data());
    const QString card = sandbox.writeFile("evil.exe", "STUB" "data" + table + trailer);

    const lytest::ToolResult r = run({"extract", card, sandbox.root() + "dest"});

    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(QFile::exists(sandbox.root() + "escaped.zpj"));
}

TEST(BuildToolUsageTest, WrongArgumentsExitTwo)
{
    const struct
    {
        QStringList args;
        QByteArray usage;
    } cases[] = {
        {{"build", "Rose.zpj"}, "usage: lyrabell-tool build PROJECT.zpj OUT.exe\n"},
        {{"extract", "Rose.exe"}, "usage: lyrabell-tool extract CARD DEST\n"},
    };
    for (const auto &c : cases) {
        const lytest::ToolResult r = lytest::runTool(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, c.usage);
    }
}

} // namespace
