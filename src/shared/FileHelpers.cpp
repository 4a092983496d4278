#include "shared/FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ly {

namespace {

QString sanitized(QString name)
{
    for (QChar &c : name)
        if (c == QLatin1Char(' ') || c == QLatin1Char('[') || c == QLatin1Char(']')
            || c == QLatin1Char('#'))
            c = QLatin1Char('_');
    return name;
}

// "name_N.ext" for the first N whose file does not exist yet.
QString freeName(const QString &folder, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    for (int n = 1;; ++n) {
        const QString candidate = folder + stem + QLatin1Char('_') + QString::number(n) + ext;
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

} // namespace

QString SanitizeFileName(const QString &path)
{
    if (path.isEmpty())
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const QString newName = sanitized(name);
    if (newName == name)
        return path;
    QString target = folder + newName;
    if (QFileInfo::exists(path) && (QFileInfo::exists(target) || QFileInfo(target).isSymLink()))
        target = freeName(folder, newName);
    QFile::rename(path, target);
    return target;
}

bool DeleteFolderTree(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (!info.isDir() || info.isSymLink() || QDir(folder).isRoot())
        return false;
    QDir(folder).removeRecursively();
    return !QFileInfo::exists(folder);
}

bool CopyFileReplacing(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return false; // QSaveFile discards the temporary file
        if (n == 0)
            break;
        if (out.write(buffer, n) != n)
            return false;
    }
    return out.commit();
}

bool CopyFileIfAbsent(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    return QFile::copy(from, to);
}

} // namespace ly
