// Unpacking arbitrary bytes: never crash, fail only with the unpack texts, and write nothing
// but plain files directly in the destination.
#include "FuzzSupport.h"

#include "card/Package.h"
#include "card/Packer.h"
#include "shared/Paths.h"

#include <QDir>
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
    if (!lyfuzz::writeInput(package, data, size))
        return 0;
    QDir().mkpath(dir.filePath(QStringLiteral("a")));
    try {
        ly::ExtractPackage(package, dest);
    } catch (const ly::PackageError &e) {
        if (e.text() != ly::kZeroTrailerText && e.text() != ly::kUnpackFailedText)
            std::abort();
    }
    // Only the package, the scratch folder and plain files in the destination.
    lyfuzz::requireOnlyPlainFilesIn(dir.path(),
                                    {QStringLiteral("p.tmp"), QStringLiteral("a"),
                                     QStringLiteral("temp"), QStringLiteral("temp/qrj")},
                                    QStringLiteral("a/dest"));
    QDir(dest).removeRecursively();
    return 0;
}
