#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <optional>

namespace ly::platform {

namespace {

class DesktopLauncher : public ShellLauncher
{
public:
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDir) override
    {
        return QProcess::startDetached(program, arguments, workingDir);
    }

    bool openUrl(const QUrl &url) override
    {
        // The desktop services need the window system; a program without one (the tool)
        // asks the desktop's opener directly.
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return QDesktopServices::openUrl(url);
        return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
    }
};

ShellLauncher *g_launcher = nullptr;

ShellLauncher &launcher()
{
    static DesktopLauncher desktop;
    return g_launcher ? *g_launcher : desktop;
}

// "scheme:" of two or more letters (a single letter would be a drive), or a bare
// "www." host.
std::optional<QUrl> addressOf(const QString &target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch() && !target.startsWith(QLatin1Char('/')))
        return QUrl(target);
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + target);
    return std::nullopt;
}

} // namespace

void SetShellLauncher(ShellLauncher *l)
{
    g_launcher = l;
}

bool IsProgramFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4);
    return head.startsWith("\x7F" "ELF") || head.startsWith("#!");
}

bool ShellOpen(const QString &target, const QStringList &arguments)
{
    if (target.isEmpty())
        return false;
    if (const std::optional<QUrl> url = addressOf(target))
        return launcher().openUrl(*url);

    const QFileInfo info(target);
    if (target.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive) && !info.exists()) {
        const QString helpSet = target.chopped(4);
        if (QFileInfo(helpSet).isDir())
            return launcher().openUrl(QUrl::fromLocalFile(
                QFileInfo(helpSet + QStringLiteral("/index.htm")).absoluteFilePath()));
    }
    if (IsProgramFile(target))
        return launcher().startProgram(info.absoluteFilePath(), arguments, info.absolutePath());
    return launcher().openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

} // namespace ly::platform

namespace ly {

void OpenWithShell(QObject * /*window*/, const QString &target)
{
    platform::ShellOpen(target);
}

} // namespace ly
