#include "platform/MpegAudio.h"

#include <QFile>

namespace ly::platform {

namespace {

struct Frame
{
    int bytes = 0;
    int samples = 0;
    int rate = 0;
};

// The frame whose header starts at p (4 bytes), or a frame of 0 bytes when there is none.
Frame frameAt(const uchar *p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return {};
    const int version = (p[1] >> 3) & 3; // 0 = 2.5, 2 = 2, 3 = 1
    const int layer = 4 - ((p[1] >> 1) & 3); // 1, 2, 3; 4 reserved
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    const int padding = (p[2] >> 1) & 1;
    if (version == 1 || layer == 4 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return {};
    static const int kBitrates[2][3][15] = {
        {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
         {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
         {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
        {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
    static const int kRates[3] = {44100, 48000, 32000};
    const bool v1 = version == 3;
    const int bitrate = kBitrates[v1 ? 0 : 1][layer - 1][bitrateIndex] * 1000;
    const int rate = kRates[rateIndex] >> (v1 ? 0 : version == 2 ? 1 : 2);
    Frame f;
    f.rate = rate;
    if (layer == 1) {
        f.samples = 384;
        f.bytes = (12 * bitrate / rate + padding) * 4;
    } else {
        f.samples = layer == 3 && !v1 ? 576 : 1152;
        f.bytes = f.samples / 8 * bitrate / rate + padding;
    }
    return f;
}

} // namespace

qint64 MpegAudioLengthMs(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qint64 size = bytes.size();
    qint64 at = 0;
    // An ID3v2 tag first: its size is four 7-bit bytes, a footer of 10 more when flagged.
    if (size >= 10 && bytes.startsWith("ID3"))
        at = 10 + ((qint64(data[6] & 0x7F) << 21) | (data[7] & 0x7F) << 14 | (data[8] & 0x7F) << 7
                   | (data[9] & 0x7F))
             + ((data[5] & 0x10) ? 10 : 0);
    double seconds = 0;
    int run = 0;
    while (at + 4 <= size) {
        const Frame f = frameAt(data + at);
        // A frame counts when the next header follows it (or the file ends there), so that
        // stray 0xFF bytes are not taken for frames.
        const bool chained = f.bytes >= 4
                             && (at + f.bytes == size
                                 || (at + f.bytes + 4 <= size && frameAt(data + at + f.bytes).bytes > 0));
        if (!chained) {
            ++at;
            continue;
        }
        seconds += double(f.samples) / f.rate;
        ++run;
        at += f.bytes;
    }
    return run >= 2 ? qint64(seconds * 1000 + 0.5) : 0;
}

qint64 MpegAudioLengthMs(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? MpegAudioLengthMs(f.readAll()) : 0;
}

} // namespace ly::platform
