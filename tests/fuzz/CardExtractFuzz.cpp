// Extracting the entries of arbitrary card bytes: never crash, fail only with the project's
// error, and write nothing but plain files directly in the destination.
#include "FuzzSupport.h"

#include "card/CardFile.h"
#include "shared/Error.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString card = dir.filePath(QStringLiteral("card.exe"));
    const QString dest = dir.filePath(QStringLiteral("a/dest"));
    if (!lyfuzz::writeInput(card, data, size))
        return 0;
    QDir().mkpath(dir.filePath(QStringLiteral("a")));
    try {
        ly::card::extractCard(card, dest);
    } catch (const ly::Error &) {
    }
    lyfuzz::requireOnlyPlainFilesIn(dir.path(), {QStringLiteral("card.exe"), QStringLiteral("a")},
                                    QStringLiteral("a/dest"));
    QDir(dest).removeRecursively();
    return 0;
}
