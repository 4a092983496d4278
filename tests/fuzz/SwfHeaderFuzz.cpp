// The SWF header reader on arbitrary bytes: never reads outside its data, leaves other files
// alone, gives a compressed file the texts of its uncompressed twin, and ReadBits splits.
#include "control/SwfHeader.h"
#include "shared/Error.h"

#include <QBuffer>

#include <zlib.h>

#include <cstdint>
#include <cstdlib>

namespace {

ly::SwfHeaderInfo read(const QByteArray &bytes)
{
    ly::SwfHeaderInfo info;
    info.version = info.pixel = info.rate = info.frameCount = QStringLiteral("-");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ly::ReadSwfHeaderFrom(buffer, info);
    return info;
}

bool sameHeader(const ly::SwfHeaderInfo &a, const ly::SwfHeaderInfo &b)
{
    return a.version == b.version && a.pixel == b.pixel && a.rate == b.rate
           && a.frameCount == b.frameCount && a.error == b.error;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ly::SwfHeaderInfo info = read(bytes);
    const bool swf = bytes.startsWith("FWS") || bytes.startsWith("CWS");
    if (bytes.size() >= 3 && !swf) {
        check(info.version == "-" && info.pixel == "-" && info.rate == "-"
              && info.frameCount == "-" && !info.error);
    }
    if (!info.error && swf)
        check(info.pixel != "-" && info.rate != "-" && info.frameCount != "-");

    if (bytes.startsWith("FWS") && bytes.size() >= 8) {
        const QByteArray rest = bytes.mid(8);
        uLongf packedSize = compressBound(uLong(rest.size()));
        QByteArray packed(qsizetype(packedSize), '\0');
        check(compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
                        reinterpret_cast<const Bytef *>(rest.constData()), uLong(rest.size()), 6)
              == Z_OK);
        packed.resize(qsizetype(packedSize));
        check(sameHeader(info, read("CWS" + bytes.mid(3, 5) + packed)));
    }

    if (size >= 2) {
        const int64_t start = data[0] % 64;
        const int count = data[1] % 33;
        const int split = count / 3;
        try {
            const uint32_t whole = ly::ReadBits(bytes, start, count);
            const uint64_t high = ly::ReadBits(bytes, start, split);
            const uint64_t low = ly::ReadBits(bytes, start + split, count - split);
            check(whole == uint32_t(high << (count - split) | low));
            check(start + count <= int64_t(size) * 8);
        } catch (const ly::Error &) {
            check(start + count > int64_t(size) * 8);
        }
    }
    return 0;
}
