#include "platform/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace ly::platform {

namespace {

void put16(QByteArray &out, uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

QByteArray WaveHeader(const WaveFormat &format, uint32_t dataSize)
{
    QByteArray h;
    h.reserve(int(kWaveHeaderSize));
    h.append("RIFF", 4);
    put32(h, 36 + dataSize);
    h.append("WAVEfmt ", 8);
    put32(h, 16);
    put16(h, format.formatTag);
    put16(h, format.channels);
    put32(h, format.sampleRate);
    put32(h, format.byteRate());
    put16(h, format.blockAlign());
    put16(h, format.bitsPerSample);
    h.append("data", 4);
    put32(h, dataSize);
    return h;
}

bool WaveInfo::isPcm() const
{
    return format.formatTag == 1 && (format.bitsPerSample == 8 || format.bitsPerSample == 16)
           && (format.channels == 1 || format.channels == 2) && format.sampleRate >= 1000
           && format.sampleRate <= 192000;
}

qint64 WaveInfo::lengthMs() const
{
    const uint32_t rate = format.byteRate();
    return rate == 0 ? 0 : dataSize * 1000 / rate;
}

std::optional<WaveInfo> ReadWaveInfo(QIODevice &file)
{
    const qint64 total = file.size();
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;

    WaveInfo info;
    bool haveFormat = false;
    qint64 at = 12;
    while (at + 8 <= total) {
        if (!file.seek(at))
            return std::nullopt;
        const QByteArray head = file.read(8);
        if (head.size() != 8)
            return std::nullopt;
        const QByteArray id = head.left(4);
        const qint64 size = qFromLittleEndian<uint32_t>(head.constData() + 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            const QByteArray fmt = file.read(16);
            if (size < 16 || fmt.size() != 16)
                return std::nullopt;
            const char *p = fmt.constData();
            info.format.formatTag = qFromLittleEndian<uint16_t>(p);
            info.format.channels = qFromLittleEndian<uint16_t>(p + 2);
            info.format.sampleRate = qFromLittleEndian<uint32_t>(p + 4);
            info.format.bitsPerSample = qFromLittleEndian<uint16_t>(p + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            const qint64 there = total - body;
            info.dataOffset = body;
            info.dataSize = size == 0 || size > there ? there : size;
            const uint16_t align = info.format.blockAlign();
            if (align > 1)
                info.dataSize -= info.dataSize % align;
            return info;
        }
        at = body + size + (size & 1); // chunks of odd size are padded to an even one
    }
    return std::nullopt;
}

std::optional<WaveInfo> ReadWaveInfo(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadWaveInfo(f);
}

} // namespace ly::platform
