#include "editor/BatchFiles.h"

#include "shared/CodePage.h"
#include "shared/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <sys/stat.h>

namespace ly {

namespace {

// A text file in the system code page with CR LF after every line; false when it could not
// be written.
bool writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += codepage::fromUnicode(line) + "\r\n";
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

QString quoted(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// The work of del.bat: try to delete the file every second until that succeeds, then delete
// del.bat. A file counts as in use while a process runs it or holds it open (the same device
// and inode, whatever name the process knows it by); only then does the delete "fail" as it
// does for a locked file. The script deletes only the file it was given: once another copy
// has replaced it under that name (a second preview), that copy is left to its own clean-up.
// The name is checked again right before the delete, so a copy that arrived while the check
// for users ran is not taken.
const char kDeleteWhenUnlockedScript[] = R"sh(
f=$1
b=$2
mine=$3
while [ -e "$f" ]; do
  id=$(stat -L -c '%d %i' -- "$f")
  [ "$id" = "$mine" ] || break
  if ! find -L /proc/[0-9]*/exe /proc/[0-9]*/fd -maxdepth 1 -inum "${id#* }" -printf '%D\n' 2>/dev/null | grep -qx "${id% *}"; then
    [ "$(stat -L -c '%d %i' -- "$f" 2>/dev/null)" = "$mine" ] || break
    rm -f -- "$f"
  fi
  [ -e "$f" ] && sleep 1
done
rm -f -- "$b"
)sh";

// Device and inode of the file as stat(1) prints them ("%d %i"); empty when it is missing.
QString identityOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    return QStringLiteral("%1 %2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
}

} // namespace

QString AutoBatFile()
{
    return ProgramDir() + QStringLiteral("auto.bat");
}

void CustomizeProgramFolder(const QString &programFile)
{
    const QString folder = ProgramDir();
    writeLines(folder + QStringLiteral("desktop.ini"),
               {QStringLiteral("[.ShellClassInfo]"), QStringLiteral("InfoTip=Lyrabell 2005"),
                QStringLiteral("IconIndex=2"), QStringLiteral("IconFile=") + programFile});
    const QString bare = QDir::cleanPath(folder);
    writeLines(AutoBatFile(), {QStringLiteral("attrib +s ") + quoted(QDir::toNativeSeparators(bare))});
    // What "attrib +s" does for the shell: the folder shows with its own icon and tip.
    writeLines(folder + QStringLiteral(".directory"),
               {QStringLiteral("[Desktop Entry]"),
                QStringLiteral("Icon=") + folder + QStringLiteral("Skin/Icon48.png"),
                QStringLiteral("Comment=Lyrabell 2005")});
}

void DeleteWhenUnlocked(const QString &file)
{
    const QString target = QFileInfo(file).absoluteFilePath();
    const QString batch = AddTrailingBackslash(QFileInfo(target).absolutePath())
                          + QStringLiteral("del.bat");
    const QString native = QDir::toNativeSeparators(target);
    writeLines(batch, {QStringLiteral("@echo off"), QStringLiteral(":try"),
                       QStringLiteral("del ") + quoted(native),
                       QStringLiteral("if exist ") + quoted(native) + QStringLiteral(" goto try"),
                       QStringLiteral("del ") + quoted(QDir::toNativeSeparators(batch)),
                       QStringLiteral("cls")});

    QStringList arguments = {QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                             QString::fromLatin1(kDeleteWhenUnlockedScript),
                             QStringLiteral("del.bat"), target, batch, identityOf(target)};
    const QString nice = QStandardPaths::findExecutable(QStringLiteral("nice"));
    if (!nice.isEmpty()) {
        arguments.prepend(QStringLiteral("19"));
        arguments.prepend(QStringLiteral("-n"));
        QProcess::startDetached(nice, arguments);
    } else {
        const QString shell = arguments.takeFirst();
        QProcess::startDetached(shell, arguments);
    }
}

} // namespace ly
