#include "shared/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QStandardPaths>

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

} // namespace

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
        dir = QDir::tempPath();
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
