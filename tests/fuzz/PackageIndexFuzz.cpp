// The index reader on arbitrary file bytes: never crash; what it reads lies inside the file and
// its lines hold no line breaks.
#include "card/Package.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("index.tmp")));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    try {
        const ly::package::Index index = ly::package::readIndex(file);
        if (index.indexStart < 0 || index.indexStart > index.fileSize - 4)
            std::abort();
        for (const QString &line : index.lines) {
            if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
                std::abort();
            ly::package::itemValue(line, u"FileName");
            ly::package::itemValue(line, u"FileSize");
        }
    } catch (const ly::PackageError &) {
    }
    return 0;
}
