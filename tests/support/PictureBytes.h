#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

namespace lytest {

// A one-colour picture encoded in a format Qt writes ("JPG", "BMP", "PNG").
inline QByteArray EncodedPicture(QSize size, const QColor &color, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A GIF of four colours whose frames fill the picture with colour 0 and 1 by turns (Qt reads
// GIF but does not write it): literal codes only, a clear code every two pixels, so every code
// stays three bits wide. More than one frame makes an endless animation.
inline QByteArray GifPicture(QSize size, int frames = 1)
{
    QByteArray b("GIF89a");
    const auto put16 = [&b](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    put16(size.width());
    put16(size.height());
    b.append(char(0x81)).append(char(0)).append(char(0));
    b.append(QByteArray::fromHex("3060c0ffffff000000000000"));
    if (frames > 1)
        b.append(QByteArray::fromHex("21ff0b4e45545343415045322e300301000000"));
    for (int f = 0; f < frames; ++f) {
        if (frames > 1)
            b.append(QByteArray::fromHex("21f904000a000000")); // 100 ms a frame
        b.append(char(0x2C));
        put16(0);
        put16(0);
        put16(size.width());
        put16(size.height());
        b.append(char(0)).append(char(2));
        QByteArray data;
        unsigned acc = 0;
        int bits = 0;
        const auto code = [&](unsigned c) {
            acc |= c << bits;
            bits += 3;
            while (bits >= 8) {
                data.append(char(acc & 0xFF));
                acc >>= 8;
                bits -= 8;
            }
        };
        for (int i = 0; i < size.width() * size.height(); ++i) {
            if (i % 2 == 0)
                code(4);
            code(unsigned(f % 2));
        }
        code(5);
        if (bits > 0)
            data.append(char(acc & 0xFF));
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            b.append(char(block.size())).append(block);
        }
        b.append(char(0));
    }
    b.append(char(0x3B));
    return b;
}

} // namespace lytest
