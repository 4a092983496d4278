// Extracting the entries of arbitrary card bytes: never crash, fail only with the project's
// error, and write nothing but plain files directly in the destination.
#include "editor/CardFile.h"
#include "shared/Error.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString card = dir.filePath(QStringLiteral("card.exe"));
    const QString dest = dir.filePath(QStringLiteral("a/dest"));
    {
        QFile f(card);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QDir().mkpath(dir.filePath(QStringLiteral("a")));
    try {
        ly::card::extractCard(card, dest);
    } catch (const ly::Error &) {
    }
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = QDir(dir.path()).relativeFilePath(it.next());
        const bool expected = rel == QLatin1String("card.exe") || rel == QLatin1String("a")
                              || rel == QLatin1String("a/dest")
                              || (rel.startsWith(QLatin1String("a/dest/")) && it.fileInfo().isFile()
                                  && !rel.mid(7).contains(QLatin1Char('/')));
        if (!expected)
            std::abort();
    }
    QDir(dest).removeRecursively();
    return 0;
}
