#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

// What the fuzz targets that work on files share.
namespace lyfuzz {

// Writes the fuzzer's bytes to a file; false when the file cannot be written.
inline bool writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly)
           && f.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}

// Aborts unless everything below root is one of the fixed entries (paths relative to root)
// or a plain file directly in the folder dest (relative to root, too).
inline void requireOnlyPlainFilesIn(const QString &root, const QStringList &fixed,
                                    const QString &dest)
{
    const QString prefix = dest + QLatin1Char('/');
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = QDir(root).relativeFilePath(it.next());
        const bool expected = fixed.contains(rel) || rel == dest
                              || (rel.startsWith(prefix) && it.fileInfo().isFile()
                                  && !rel.mid(prefix.size()).contains(QLatin1Char('/')));
        if (!expected)
            std::abort();
    }
}

} // namespace lyfuzz
