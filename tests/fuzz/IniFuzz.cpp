// The INI reader and writer on arbitrary file bytes: never crash, and a written value reads back.
#include "FuzzSupport.h"

#include "shared/Error.h"
#include "shared/Ini.h"

#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.ini"));
    if (!lyfuzz::writeInput(path, data, size))
        return 0;
    ly::ini::read(path, QStringLiteral("S"), QStringLiteral("k"));
    for (const QString &section : ly::ini::sections(path))
        ly::ini::keys(path, section);
    try {
        ly::ini::write(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
        if (ly::ini::read(path, QStringLiteral("S"), QStringLiteral("k")) != QLatin1String("v"))
            std::abort();
        ly::ini::eraseSection(path, QStringLiteral("S"));
        if (ly::ini::hasSection(path, QStringLiteral("S")))
            std::abort();
    } catch (const ly::Error &) {
    }
    return 0;
}
