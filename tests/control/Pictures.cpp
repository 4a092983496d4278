#include "Pictures.h"

#include <QFile>
#include <QPainter>

#include <vector>

namespace lytest {

namespace {

void Put16(QByteArray &b, unsigned v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray &b, unsigned v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

unsigned ColorRef(const QColor &c)
{
    return unsigned(c.red()) | unsigned(c.green()) << 8 | unsigned(c.blue()) << 16;
}

// One GIF image of a single colour index: literal codes only, with a clear code before the
// code table would need wider codes, so every code is three bits wide.
QByteArray GifFrame(QSize size, int colorIndex)
{
    QByteArray b;
    b.append(char(0x21)).append(char(0xF9)).append(char(4)).append(char(0)); // graphic control
    Put16(b, 10);
    b.append(char(0)).append(char(0));
    b.append(char(0x2C));
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, unsigned(size.width()));
    Put16(b, unsigned(size.height()));
    b.append(char(0));
    const int minCodeSize = 2;
    b.append(char(minCodeSize));
    std::vector<int> codes;
    const int clear = 4, end = 5;
    int sinceClear = 0;
    for (int i = 0; i < size.width() * size.height(); ++i) {
        if (sinceClear == 0 || sinceClear == 2) {
            codes.push_back(clear);
            sinceClear = 0;
        }
        codes.push_back(colorIndex);
        ++sinceClear;
    }
    codes.push_back(end);
    QByteArray data;
    unsigned acc = 0;
    int bits = 0;
    for (int code : codes) {
        acc |= unsigned(code) << bits;
        bits += 3;
        while (bits >= 8) {
            data.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        data.append(char(acc & 0xFF));
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const QByteArray block = data.mid(pos, 255);
        b.append(char(block.size())).append(block);
    }
    b.append(char(0));
    return b;
}

} // namespace

QImage TwoHalves(QSize size, const QColor &left, const QColor &right)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), left);
    return image;
}

QString SavePicture(const QString &path, const QImage &image, const char *format)
{
    if (!image.save(path, format, 95))
        return QString();
    return path;
}

QByteArray TwoFrameGif(QSize size, const QColor &first, const QColor &second)
{
    QByteArray b("GIF89a");
    Put16(b, unsigned(size.width()));
    Put16(b, unsigned(size.height()));
    b.append(char(0x81)).append(char(0)).append(char(0)); // global table of 4 colours
    for (const QColor &c : {first, second, QColor(Qt::black), QColor(Qt::white)})
        b.append(char(c.red())).append(char(c.green())).append(char(c.blue()));
    b.append(GifFrame(size, 0));
    b.append(GifFrame(size, 1));
    b.append(char(0x3B));
    return b;
}

QByteArray FilledWmf(const QColor &color)
{
    QByteArray records;
    const auto record = [&](unsigned function, std::initializer_list<unsigned> params) {
        Put32(records, 3 + unsigned(params.size()));
        Put16(records, function);
        for (unsigned p : params)
            Put16(records, p);
    };
    const unsigned ref = ColorRef(color);
    record(0x020B, {0, 0});                           // SetWindowOrg
    record(0x020C, {100, 200});                       // SetWindowExt
    record(0x02FC, {0, ref & 0xFFFF, ref >> 16, 0}); // CreateBrushIndirect, solid
    record(0x012D, {0});                              // SelectObject
    record(0x041B, {101, 201, 0, 0});                 // Rectangle
    record(0x0000, {});                               // EOF
    QByteArray b;
    Put32(b, 0x9AC6CDD7);
    Put16(b, 0);
    Put16(b, 0), Put16(b, 0), Put16(b, 200), Put16(b, 100);
    Put16(b, 96);
    Put32(b, 0);
    unsigned checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= unsigned(uchar(b[2 * i])) | unsigned(uchar(b[2 * i + 1])) << 8;
    Put16(b, checksum);
    Put16(b, 1);
    Put16(b, 9);
    Put16(b, 0x0300);
    Put32(b, 9 + unsigned(records.size()) / 2);
    Put16(b, 1);
    Put32(b, 7);
    Put16(b, 0);
    return b + records;
}

QByteArray FilledEmf(const QColor &color)
{
    QByteArray body;
    const auto record = [&](unsigned type, std::initializer_list<unsigned> params) {
        Put32(body, type);
        Put32(body, 8 + 4 * unsigned(params.size()));
        for (unsigned p : params)
            Put32(body, p);
    };
    record(39, {1, 0, ColorRef(color), 0}); // CreateBrushIndirect
    record(37, {1});                        // SelectObject
    record(43, {0, 0, 200, 100});           // Rectangle
    record(14, {0, 16, 20});                // EOF
    QByteArray b;
    Put32(b, 1);
    Put32(b, 88);
    for (unsigned v : {0u, 0u, 200u, 100u, 0u, 0u, 5292u, 2646u})
        Put32(b, v); // bounds in pixels, frame in 0.01 mm
    Put32(b, 0x464D4520);
    Put32(b, 0x10000);
    Put32(b, 88 + unsigned(body.size()));
    Put32(b, 5);
    Put16(b, 2);
    Put16(b, 0);
    for (unsigned v : {0u, 0u, 0u, 1024u, 768u, 270u, 203u})
        Put32(b, v);
    return b + body;
}

} // namespace lytest
