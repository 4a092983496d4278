#include "shared/FileHelpers.h"

#include "shared/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ly {

namespace {

bool storableChar(char32_t c)
{
    if (c == U'[' || c == U']' || c == U'#' || c == U'\\' || c < 0x20 || c == 0x7F
        || (c >= 0x80 && c < 0xA0) || QChar::isSpace(c))
        return false;
    const QString text = QString::fromUcs4(&c, 1);
    return codepage::toUnicode(codepage::fromUnicode(text)) == text;
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

QString SanitizedFileName(const QString &name)
{
    QString out;
    out.reserve(name.size());
    // Whole characters, so a character outside the basic plane becomes one "_", and a lone
    // surrogate (no character at all) becomes one too.
    for (const char32_t c : name.toUcs4())
        out += storableChar(c) && c != QChar::ReplacementCharacter ? QString::fromUcs4(&c, 1)
                                                                   : QStringLiteral("_");
    return out;
}

QString SanitizeFileName(const QString &path)
{
    if (path.isEmpty())
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const QString newName = SanitizedFileName(name);
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

bool SameFileContent(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    for (;;) {
        const QByteArray x = fa.read(64 * 1024), y = fb.read(64 * 1024);
        if (x != y)
            return false;
        if (x.isEmpty())
            return fa.atEnd() && fb.atEnd();
    }
}

bool CopyFileIfAbsent(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    return QFile::copy(from, to);
}

} // namespace ly
