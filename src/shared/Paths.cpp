#include "shared/Paths.h"

#include "shared/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace ly {

namespace {

struct Overrides
{
    QMutex mutex;
    QString programDir;
    QString systemDir;
    QString tempDir;
};

Overrides &overrides()
{
    static Overrides o;
    return o;
}

QString overridden(QString Overrides::*field)
{
    QMutexLocker lock(&overrides().mutex);
    return overrides().*field;
}

void setOverride(QString Overrides::*field, const QString &value)
{
    QMutexLocker lock(&overrides().mutex);
    overrides().*field = value;
}

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString PrivateTempDir()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString dir = !runtime.isEmpty() && QDir::isAbsolutePath(runtime)
                            ? runtime + QStringLiteral("/lyrabell")
                            : QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                                  + QStringLiteral("/lyrabell/tmp");
    const QByteArray native = QFile::encodeName(QDir::cleanPath(dir));
    QDir().mkpath(QDir::cleanPath(dir + QStringLiteral("/..")));
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        throw Error(QStringLiteral("Cannot create the temporary folder %1: %2")
                        .arg(dir, systemText(errno)));
    // lstat, so that a link planted in place of the folder is refused rather than followed.
    struct stat st{};
    if (::lstat(native.constData(), &st) != 0)
        throw Error(QStringLiteral("Cannot read the temporary folder %1: %2")
                        .arg(dir, systemText(errno)));
    if (!S_ISDIR(st.st_mode))
        throw Error(QStringLiteral("The temporary folder %1 is not a folder (a file or a link "
                                   "has taken its place); remove it")
                        .arg(dir));
    if (st.st_uid != ::geteuid())
        throw Error(QStringLiteral("The temporary folder %1 belongs to another user; remove it")
                        .arg(dir));
    // A folder that others could enter or write may already hold what they planted, so it is
    // not repaired but refused.
    if ((st.st_mode & 07777) != 0700)
        throw Error(QStringLiteral("The temporary folder %1 is open to other users (mode %2); "
                                   "remove it or set its mode to 700")
                        .arg(dir, QString::number(st.st_mode & 07777, 8)));
    return AddTrailingBackslash(dir);
}

QString ProgramDir()
{
    QString dir = overridden(&Overrides::programDir);
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return AddTrailingBackslash(dir);
}

QString SystemDir()
{
    QString dir = overridden(&Overrides::systemDir);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
              + QStringLiteral("/Lyrabell/System");
    QDir().mkpath(dir);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString TempDir()
{
    QString dir = overridden(&Overrides::tempDir);
    if (dir.isEmpty())
        return PrivateTempDir();
    return AddTrailingBackslash(dir);
}

void OverrideProgramDir(const QString &dir) { setOverride(&Overrides::programDir, dir); }
void OverrideSystemDir(const QString &dir) { setOverride(&Overrides::systemDir, dir); }
void OverrideTempDir(const QString &dir) { setOverride(&Overrides::tempDir, dir); }

void EnsureDir(const QString &folder)
{
    if (!QDir(folder).exists())
        QDir().mkdir(folder);
}

QString AddTrailingBackslash(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString StoredToNative(const QString &stored, const QString &baseFolder)
{
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (stored.startsWith(QLatin1Char('\\')))
        return AddTrailingBackslash(baseFolder) + path.mid(1);
    return path;
}

QString NativeToStored(const QString &native, const QString &baseFolder)
{
    const QString base = AddTrailingBackslash(QDir::cleanPath(baseFolder));
    const QString path = QDir::cleanPath(native);
    if (!path.startsWith(base) || path.size() == base.size())
        return native;
    QString rel = path.mid(base.size());
    rel.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QLatin1Char('\\') + rel;
}

QString ProgramPathToNative(const QString &stored)
{
    return StoredToNative(stored, ProgramDir());
}

QString NativeToProgramPath(const QString &native)
{
    return NativeToStored(native, ProgramDir());
}

} // namespace ly
