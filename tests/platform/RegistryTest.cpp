#include "support/Sandbox.h"

#include "platform/FileAssociation.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "shared/Log.h"
#include "shared/Paths.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

using ly::platform::ReadRegistryString;
using ly::platform::RegistryRoot;
using ly::platform::WriteRegistryString;
using lytest::readFile;

using RegistryTest = lytest::SandboxTest;

TEST_F(RegistryTest, StoresValuesUnderKeysOfEachRoot)
{
    const QString shellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    WriteRegistryString(RegistryRoot::CurrentUser, shellFolders, "Cache", "/home/u/.cache/web");
    WriteRegistryString(RegistryRoot::ClassesRoot, ".zpj", "", "zpjProject");

    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser,
                                 "software\\microsoft\\windows\\currentversion\\explorer\\shell folders\\",
                                 "CACHE"),
              QStringLiteral("/home/u/.cache/web"))
        << "names compare without case; outer separators do not count";
    EXPECT_EQ(ReadRegistryString(RegistryRoot::LocalMachine, shellFolders, "Cache"), QString());
    EXPECT_EQ(ReadRegistryString(RegistryRoot::ClassesRoot, ".zpj", ""), QStringLiteral("zpjProject"));
    EXPECT_EQ(ReadRegistryString(RegistryRoot::ClassesRoot, ".zpj", "Other"), QString());
    EXPECT_EQ(ly::platform::RegistryFile(), ly::SystemDir() + "/registry.ini");
}

using FileAssociationTest = lytest::SandboxTest;

TEST_F(FileAssociationTest, RegistersTheProjectFileType)
{
    const QString program = "/opt/My Cards/lyrabell";
    ly::RegisterFileType(".zpj", "zpjProject", "Lyrabell", 1, program);

    EXPECT_EQ(readFile(ly::platform::RegistryFile()),
              QByteArray("[HKEY_CLASSES_ROOT\\.zpj]\r\n@=zpjProject\r\n"
                         "[HKEY_CLASSES_ROOT\\zpjProject]\r\n@=Lyrabell\r\n"
                         "[HKEY_CLASSES_ROOT\\zpjProject\\DefaultIcon]\r\n"
                         "@=/opt/My Cards/lyrabell,1\r\n"
                         "[HKEY_CLASSES_ROOT\\zpjProject\\shell\\open\\command]\r\n"
                         "@=/opt/My Cards/lyrabell \"%1\"\r\n"));

    const QString dataHome = sandbox.root() + "Data";
    EXPECT_EQ(ly::platform::DesktopEntryFile("zpjProject"),
              dataHome + "/applications/lyrabell-zpjproject.desktop");
    const QByteArray entry = readFile(ly::platform::DesktopEntryFile("zpjProject"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/My Cards/lyrabell\" %f\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-zpjproject;\n"));
    EXPECT_TRUE(entry.contains("\nName=Lyrabell\n"));

    const QByteArray mime = readFile(ly::platform::MimePackageFile("zpjProject"));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-zpjproject\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.zpj\"/>"));
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        EXPECT_TRUE(QFile::exists(dataHome + "/mime/application/x-zpjproject.xml"))
            << "the desktop's MIME database did not take the type";
    }
}

TEST_F(FileAssociationTest, UnchangedFilesAreNotWrittenAgain)
{
    ly::RegisterFileType(".zpj", "zpjProject", "Lyrabell", 1, "/opt/lyrabell");
    const QString entry = ly::platform::DesktopEntryFile("zpjProject");
    const QDateTime old(QDate(2005, 5, 1), QTime(12, 0));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();

    ly::RegisterFileType(".zpj", "zpjProject", "Lyrabell", 1, "/opt/lyrabell");
    EXPECT_EQ(QFileInfo(entry).lastModified(), old);
    ly::RegisterFileType(".zpj", "zpjProject", "Lyrabell", 1, "/opt/moved/lyrabell");
    EXPECT_NE(QFileInfo(entry).lastModified(), old);
    EXPECT_TRUE(readFile(entry).contains("\nExec=/opt/moved/lyrabell %f\n"));
}

TEST_F(FileAssociationTest, ExecLineQuotesReservedCharacters)
{
    ly::RegisterFileType(".zpj", "zpjProject", "Lyrabell", 1, "/opt/a$b%c/lyrabell");
    EXPECT_TRUE(readFile(ly::platform::DesktopEntryFile("zpjProject"))
                    .contains("\nExec=\"/opt/a\\\\$b%%c/lyrabell\" %f\n"));
}

TEST_F(FileAssociationTest, DefaultTypeNameAndEmptyArguments)
{
    ly::RegisterFileType(".abc", "", "Some files", 0, "/opt/prog");
    EXPECT_EQ(ReadRegistryString(RegistryRoot::ClassesRoot, ".abc", ""),
              QStringLiteral("abc_auto_file"));
    EXPECT_EQ(ReadRegistryString(RegistryRoot::ClassesRoot, "abc_auto_file\\shell\\open\\command", ""),
              QStringLiteral("/opt/prog \"%1\""));

    QFile::remove(ly::platform::RegistryFile());
    ly::RegisterFileType("", "x", "y", 0, "/opt/prog");
    ly::RegisterFileType(".x", "x", "y", 0, "");
    EXPECT_FALSE(QFile::exists(ly::platform::RegistryFile()));
    EXPECT_FALSE(QFile::exists(ly::platform::DesktopEntryFile("x")));
}

TEST_F(FileAssociationTest, AStoreThatCannotBeWrittenIsLoggedNotRaised)
{
    QDir().mkpath(ly::platform::RegistryFile()); // a folder where the store should be
    EXPECT_NO_THROW(ly::RegisterFileType(".zpj", "zpjProject", "Lyrabell", 1, "/opt/lyrabell"));
    EXPECT_TRUE(readFile(ly::LogFileOf(QDate::currentDate())).contains("Unable to write to"));
}

using ProfileFilesTest = lytest::SandboxTest;

TEST_F(ProfileFilesTest, RegisterMciExtensionsWritesBothFiles)
{
    ly::RegisterMciExtensions();
    EXPECT_EQ(readFile(sandbox.systemDir() + "win.ini"),
              QByteArray("[mci extensions]\r\nmpg=MPEGVideo\r\ndat=MPEGVideo\r\nmpv=MPEGVideo\r\n"
                         "mpeg=MPEGVideo\r\nwma=MPEGVideo\r\navi=AVIVideo\r\nmp3=MPEGVideo\r\n"));
    EXPECT_EQ(readFile(sandbox.systemDir() + "system.ini"),
              QByteArray("[mci]\r\nMPEGVideo=mciqtz.drv\r\n"));
    EXPECT_EQ(ly::platform::ReadProfileString("MCI Extensions", "AVI"), QStringLiteral("AVIVideo"));
}

TEST_F(ProfileFilesTest, RegisterMciExtensionsReportsNothingOnFailure)
{
    // win.ini cannot be written: nothing is thrown, the folder in its place is left alone and
    // system.ini is written all the same.
    QDir().mkpath(sandbox.systemDir() + "win.ini");
    EXPECT_NO_THROW(ly::RegisterMciExtensions());
    EXPECT_TRUE(QFileInfo(sandbox.systemDir() + "win.ini").isDir());
    EXPECT_EQ(readFile(sandbox.systemDir() + "system.ini"),
              QByteArray("[mci]\r\nMPEGVideo=mciqtz.drv\r\n"));
}

} // namespace
