#include "control/SwfHeader.h"

#include "shared/Error.h"
#include "shared/FileText.h"
#include "shared/Ini.h"
#include "shared/Settings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <zlib.h>

namespace ly {

namespace {

// The header after the signature, version and file length: a RECT of at most
// ceil((5 + 4 × 31) / 8) = 17 bytes, then the rate (2 bytes) and the frame count (2 bytes).
constexpr qsizetype kRectOffset = 8;
constexpr qsizetype kMaxBodyBytes = 17 + 4;
constexpr qint64 kInflateChunk = 4096;

Error tooShort()
{
    return Error(QStringLiteral("The SWF header is cut short"));
}

// Inflates the start of the zlib stream that begins with `first` and continues on the
// device, until `want` bytes are out or the stream ends; fewer bytes when it ends early or
// the file is cut short. Throws for a damaged stream.
QByteArray inflatePrefix(QByteArray first, QIODevice &device, qsizetype want)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw Error(QStringLiteral("Cannot start inflating the SWF body"));
    struct End
    {
        z_stream *zs;
        ~End() { inflateEnd(zs); }
    } end{&zs};

    QByteArray out(want, '\0');
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(want);
    QByteArray in = std::move(first);
    zs.next_in = reinterpret_cast<Bytef *>(in.data());
    zs.avail_in = uInt(in.size());
    while (zs.avail_out > 0) {
        if (zs.avail_in == 0) {
            in = device.read(kInflateChunk);
            if (in.isEmpty())
                break; // the file ends inside the stream
            zs.next_in = reinterpret_cast<Bytef *>(in.data());
            zs.avail_in = uInt(in.size());
        }
        const int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc == Z_STREAM_END)
            break;
        if (rc != Z_OK && !(rc == Z_BUF_ERROR && zs.avail_in == 0)) {
            throw Error(QStringLiteral("The compressed SWF body is damaged (%1)")
                            .arg(QLatin1String(zs.msg ? zs.msg : "zlib error")));
        }
    }
    out.resize(want - qsizetype(zs.avail_out));
    return out;
}

} // namespace

uint32_t ReadBits(QByteArrayView data, int64_t start, int count)
{
    if (start < 0 || count < 0 || count > 32 || start + count > int64_t(data.size()) * 8)
        throw tooShort();
    uint32_t value = 0;
    for (int64_t bit = start; bit < start + count; ++bit) {
        const auto byte = uint8_t(data[qsizetype(bit / 8)]);
        value = value << 1 | uint32_t(byte >> (7 - bit % 8) & 1);
    }
    return value;
}

void ReadSwfHeaderFrom(QIODevice &device, SwfHeaderInfo &info)
{
    try {
        const QByteArray head = device.read(kRectOffset + kMaxBodyBytes);
        if (head.size() < 3)
            throw tooShort();
        const bool compressed = head.startsWith("CWS");
        if (!compressed && !head.startsWith("FWS"))
            return;
        if (head.size() < 4)
            throw tooShort();
        info.version = QString::number(uint8_t(head[3]));

        const QByteArray body = compressed
                                    ? inflatePrefix(head.mid(kRectOffset), device, kMaxBodyBytes)
                                    : head.mid(kRectOffset);
        if (body.isEmpty())
            throw tooShort();
        const int nbits = uint8_t(body[0]) >> 3;
        const qsizetype rectBytes = (5 + 4 * nbits + 7) / 8;
        const uint32_t xmax = ReadBits(body, 5 + nbits, nbits);
        const uint32_t ymax = ReadBits(body, 5 + 3 * nbits, nbits);
        info.pixel =
            QString::number(xmax / 20) + QStringLiteral(" X ") + QString::number(ymax / 20);

        if (body.size() < rectBytes + 2)
            throw tooShort();
        info.rate = QString::number(uint8_t(body[rectBytes + 1])) + u'.'
                    + QString::number(uint8_t(body[rectBytes]));

        if (body.size() < rectBytes + 4)
            throw tooShort();
        info.frameCount = QString::number(uint8_t(body[rectBytes + 2])
                                          | uint8_t(body[rectBytes + 3]) << 8);
        info.error = false;
    } catch (const Error &) {
        info.error = true;
    }
}

void ReadSwfHeader(const QString &file, SwfHeaderInfo &info)
{
    const QFileInfo fileInfo(file);
    info.name = fileInfo.fileName();
    QFile f(file);
    // Unbuffered: only the bytes the header needs are read from the disk.
    if (!fileInfo.isFile() || !f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        info.error = true;
        return;
    }
    info.size = DetailSizeText(uint32_t(quint64(f.size()) & 0xFFFFFFFFu));
    info.type = QStringLiteral("Shockwave Flash Object");
    info.date = SwfDateText(fileInfo.lastModified());
    ReadSwfHeaderFrom(f, info);
}

QString SwfDateText(const QDateTime &lastWrite)
{
    return lastWrite.toUTC().addSecs(8 * 3600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString SwfHint(const SwfHeaderInfo &info)
{
    const QString config = ConfigFile();
    const auto line = [&](const char *key, const QString &text) -> QString {
        const QString name = QLatin1String(key);
        return u'[' + ini::read(config, QStringLiteral("Control"), name, name)
               + QStringLiteral("]:") + text;
    };
    const QString gap = QStringLiteral("   ");
    QStringList lines{QString(), line("FileType", info.type + gap)};
    if (!info.version.isEmpty())
        lines << line("FileServion", QStringLiteral("Flash ") + info.version + gap);
    if (!info.pixel.isEmpty())
        lines << line("FilePix", info.pixel + gap);
    lines << line("FileSize", info.size + gap);
    if (!info.rate.isEmpty())
        lines << line("FileRate", info.rate + gap);
    if (!info.frameCount.isEmpty())
        lines << line("FileCountFrame", info.frameCount + gap);
    lines << line("FileDate", info.date + gap) << line("FileName", info.name);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace ly
