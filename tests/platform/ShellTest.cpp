#include "support/RecordingLauncher.h"
#include "support/Sandbox.h"

#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QUrl>

namespace {

using lytest::RecordingLauncher;

class ShellTest : public lytest::SandboxTest
{
protected:
    ShellTest() { ly::platform::SetShellLauncher(&launcher); }
    ~ShellTest() override { ly::platform::SetShellLauncher(nullptr); }

    QString executable(const QString &name, const QByteArray &content)
    {
        const QString path = sandbox.writeFile(name, content);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    RecordingLauncher launcher;
};

TEST_F(ShellTest, AddressesAndDocumentsGoToTheDesktop)
{
    const QString document = sandbox.writeFile("Cards/readme.txt", "hello");
    // A document from a disk that marks every file executable is opened, not run.
    const QString markedSong = executable("Cards/song.mp3", "ID3\x03 not a program");
    QDir().mkpath(sandbox.programDir() + "Guidebook");
    const struct
    {
        QString target;
        QUrl url;
    } cases[] = {
        {"http://www.lyrabell.example/", QUrl("http://www.lyrabell.example/")},
        {"mailto:help@lyrabell.example?Subject=Lyrabell ",
         QUrl("mailto:help@lyrabell.example?Subject=Lyrabell ")},
        {"www.lyrabell.example", QUrl("http://www.lyrabell.example")},
        {document, QUrl::fromLocalFile(document)},
        {markedSong, QUrl::fromLocalFile(markedSong)},
        {sandbox.root() + "Cards", QUrl::fromLocalFile(sandbox.root() + "Cards")},
        {sandbox.programDir() + "Guidebook.chm",
         QUrl::fromLocalFile(sandbox.programDir() + "Guidebook/index.htm")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        launcher.launches.clear();
        ly::OpenWithShell(nullptr, c.target);
        ASSERT_EQ(launcher.launches.size(), 1);
        EXPECT_EQ(launcher.launches[0].url, c.url);
        EXPECT_TRUE(launcher.launches[0].program.isEmpty());
    }
    EXPECT_FALSE(ly::platform::ShellOpen(QString()));
}

TEST_F(ShellTest, ProgramsAreStartedInTheirFolder)
{
    const QString script = executable("Tools/Faultnote.exe", "#!/bin/sh\nexit 0\n");
    ly::platform::ShellOpen(script, {"Lyrabell v3.50"});
    ASSERT_EQ(launcher.launches.size(), 1);
    EXPECT_EQ(launcher.launches[0].program, script);
    EXPECT_EQ(launcher.launches[0].arguments, QStringList{"Lyrabell v3.50"});
    EXPECT_EQ(QDir(launcher.launches[0].workingDir), QDir(sandbox.root() + "Tools"));

    EXPECT_TRUE(ly::platform::IsProgramFile(QCoreApplication::applicationFilePath()));
    EXPECT_FALSE(ly::platform::IsProgramFile(sandbox.writeFile("plain.sh", "#!/bin/sh\n")))
        << "not executable";
}

TEST_F(ShellTest, TheDesktopLauncherReallyStartsPrograms)
{
    ly::platform::SetShellLauncher(nullptr);
    const QString marker = sandbox.root() + "Tools/started.txt";
    const QString script =
        executable("Tools/report", "#!/bin/sh\nprintf '%s|%s' \"$1\" \"$(pwd)\" > started.tmp\n"
                                   "mv started.tmp started.txt\n");
    ASSERT_TRUE(ly::platform::ShellOpen(script, {"Lyrabell v3.50"}));
    const QDeadlineTimer deadline(20000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(20);
    const QList<QByteArray> fields = lytest::readFile(marker).split('|');
    ASSERT_EQ(fields.size(), 2) << "the program did not run";
    EXPECT_EQ(fields[0], QByteArray("Lyrabell v3.50"));
    EXPECT_EQ(QDir(QString::fromLocal8Bit(fields[1])), QDir(sandbox.root() + "Tools"));
}

} // namespace
