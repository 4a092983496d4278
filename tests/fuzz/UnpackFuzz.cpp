// Unpacking arbitrary bytes: never crash, fail only with the unpack texts, and write nothing
// but plain files directly in the destination.
#include "editor/Package.h"
#include "editor/Packer.h"
#include "shared/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const bool tempSet = (ly::OverrideTempDir(dir.filePath(QStringLiteral("temp"))),
                                 QDir().mkpath(dir.filePath(QStringLiteral("temp"))));
    (void)tempSet;
    const QString package = dir.filePath(QStringLiteral("p.tmp"));
    const QString dest = dir.filePath(QStringLiteral("a/dest"));
    {
        QFile f(package);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QDir().mkpath(dir.filePath(QStringLiteral("a")));
    try {
        ly::ExtractPackage(package, dest);
    } catch (const ly::PackageError &e) {
        if (e.text() != ly::kZeroTrailerText && e.text() != ly::kUnpackFailedText)
            std::abort();
    }
    // Only the package, the scratch folder and plain files in the destination.
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(dir.path()).relativeFilePath(path);
        const bool expected = rel == QLatin1String("p.tmp") || rel == QLatin1String("a")
                              || rel == QLatin1String("a/dest") || rel == QLatin1String("temp")
                              || rel == QLatin1String("temp/qrj")
                              || (rel.startsWith(QLatin1String("a/dest/")) && it.fileInfo().isFile()
                                  && !rel.mid(7).contains(QLatin1Char('/')));
        if (!expected)
            std::abort();
    }
    QDir(dest).removeRecursively();
    return 0;
}
