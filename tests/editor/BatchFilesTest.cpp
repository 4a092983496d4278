#include "support/Sandbox.h"

#include "editor/BatchFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <cstdio>

namespace {

class BatchFilesTest : public lytest::SandboxTest
{
};

// True once the clean-up of the file has looked at it and found it in use: its shell then
// sleeps before the next look.
bool cleanUpIsWaiting(const QString &file)
{
    const QByteArray mine = "del.bat" + QByteArray(1, '\0') + QFile::encodeName(file) + '\0';
    const QStringList pids = QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs);
    QStringList shells;
    for (const QString &pid : pids) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(mine))
            shells.append(pid);
    }
    for (const QString &pid : pids) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (comm) state ppid ..."
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> rest = line.mid(close + 2).split(' ');
        if (line.contains("(sleep)") && rest.size() > 1 && shells.contains(QString(rest[1])))
            return true;
    }
    return false;
}

TEST_F(BatchFilesTest, ProgramFolderGetsItsDesktopIniAndAutoBat)
{
    ly::CustomizeProgramFolder("/opt/Lyrabell/lyrabell");
    const QString folder = sandbox.programDir();
    EXPECT_EQ(lytest::readFile(folder + "desktop.ini"),
              "[.ShellClassInfo]\r\nInfoTip=Lyrabell 2005\r\nIconIndex=2\r\n"
              "IconFile=/opt/Lyrabell/lyrabell\r\n");
    EXPECT_EQ(lytest::readFile(ly::AutoBatFile()),
              "attrib +s \"" + folder.chopped(1).toUtf8() + "\"\r\n");
    EXPECT_EQ(ly::AutoBatFile(), folder + "auto.bat");
    // What auto.bat asks the shell for: the folder's icon and tip for file managers.
    EXPECT_EQ(lytest::readFile(folder + ".directory"),
              "[Desktop Entry]\r\nIcon=" + folder.toUtf8() + "Skin/Icon48.png\r\n"
              "Comment=Lyrabell 2005\r\n");
}

// A card being previewed runs from its file: the file goes only once the program has ended,
// and del.bat goes with it.
TEST_F(BatchFilesTest, DeleteWhenUnlockedWaitsUntilNoProgramRunsTheFile)
{
    const QString folder = sandbox.root() + "Card1/";
    const QString preview = folder + "Preview.exe";
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy("/bin/sleep", preview));
    QFile(preview).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess card;
    card.start(preview, {"60"});
    ASSERT_TRUE(card.waitForStarted(10000));

    ly::DeleteWhenUnlocked(preview);
    EXPECT_EQ(lytest::readFile(folder + "del.bat"),
              "@echo off\r\n:try\r\n"
              "del \"" + preview.toUtf8() + "\"\r\n"
              "if exist \"" + preview.toUtf8() + "\" goto try\r\n"
              "del \"" + folder.toUtf8() + "del.bat\"\r\n"
              "cls\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return cleanUpIsWaiting(preview); }, 20000));
    EXPECT_TRUE(QFileInfo::exists(preview)) << "still running";

    card.kill();
    card.waitForFinished(10000);
    QDeadlineTimer deadline(20000);
    while ((QFileInfo::exists(preview) || QFileInfo::exists(folder + "del.bat")) && !deadline.hasExpired())
        QTest::qWait(100);
    EXPECT_FALSE(QFileInfo::exists(preview));
    EXPECT_FALSE(QFileInfo::exists(folder + "del.bat"));
}

// A second preview copies a new Preview.exe over the first while the first still runs; the
// first preview's clean-up must not take the new copy, not even before it has been started.
TEST_F(BatchFilesTest, DeleteWhenUnlockedLeavesANewerCopyAlone)
{
    const QString folder = sandbox.root() + "Card3/";
    const QString preview = folder + "Preview.exe";
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy("/bin/sleep", preview));
    QFile(preview).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess first;
    first.start(preview, {"60"});
    ASSERT_TRUE(first.waitForStarted(10000));
    ly::DeleteWhenUnlocked(preview);

    // The second copy, written beside and renamed over the first (as the preview writes it).
    const QString staged = sandbox.writeFile("Card3/Preview.exe.new", "the second preview");
    ASSERT_TRUE(::rename(QFile::encodeName(staged).constData(), QFile::encodeName(preview).constData()) == 0);
    first.kill();
    first.waitForFinished(10000);

    QDeadlineTimer deadline(20000);
    while (QFileInfo::exists(folder + "del.bat") && !deadline.hasExpired())
        QTest::qWait(100);
    EXPECT_FALSE(QFileInfo::exists(folder + "del.bat")) << "the first clean-up has ended";
    EXPECT_EQ(lytest::readFile(preview), "the second preview");
}

TEST_F(BatchFilesTest, DeleteWhenUnlockedDeletesAFileNobodyUses)
{
    const QString file = sandbox.writeFile("Card 2/Preview.qrj", "[Application]\r\n");
    ly::DeleteWhenUnlocked(file);
    QDeadlineTimer deadline(20000);
    while ((QFileInfo::exists(file) || QFileInfo::exists(sandbox.root() + "Card 2/del.bat"))
           && !deadline.hasExpired())
        QTest::qWait(100);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(sandbox.root() + "Card 2/del.bat"));
}

} // namespace
