#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QUrl;

// The shell's "Open": programs are started detached in their own folder; web and mail
// addresses, documents and folders go to the desktop's opener. A help set named "X.chm"
// that exists as the folder "X" opens at its page "index.htm".
namespace ly::platform {

// What the desktop does for us; tests install their own to see what would be started.
class ShellLauncher
{
public:
    virtual ~ShellLauncher() = default;
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDir) = 0;
    virtual bool openUrl(const QUrl &url) = 0;
};

// nullptr restores the desktop's launcher.
void SetShellLauncher(ShellLauncher *launcher);

// A file counts as a program when it is executable and holds machine code or a script
// ("\x7F" "ELF" or "#!" at its start); a document copied from a disk that marks every file
// executable is still opened, never run.
bool IsProgramFile(const QString &path);

// Carries out "Open" on the target; the arguments go to a program and are ignored for
// anything else. False when nothing could be started.
bool ShellOpen(const QString &target, const QStringList &arguments = {});

} // namespace ly::platform

namespace ly {

// "Open" on a program, document, folder, web address or "mailto:" address, on behalf of
// the window (which the desktop does not need); the result is not looked at.
void OpenWithShell(QObject *window, const QString &target);

} // namespace ly
