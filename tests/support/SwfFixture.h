#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// SWF files made by the tests: the header fields written bit by bit, followed by tail bytes
// that do not compress.
namespace lytest {

struct SwfFields
{
    int nbits = 15; // 550 × 400 pixels in twips
    uint32_t xmin = 0, xmax = 11000, ymin = 0, ymax = 8000;
    uint8_t rateFraction = 0, rateInteger = 12;
    uint16_t frames = 1;
    uint8_t version = 6;
};

// The RECT, rate and frame count, then `tail` bytes of noise.
inline QByteArray swfBody(const SwfFields &h, int tail = 40)
{
    std::vector<bool> bits;
    for (int i = 4; i >= 0; --i)
        bits.push_back((h.nbits >> i) & 1);
    for (const uint32_t v : {h.xmin, h.xmax, h.ymin, h.ymax}) {
        for (int i = h.nbits - 1; i >= 0; --i)
            bits.push_back((uint64_t(v) >> i) & 1);
    }
    QByteArray out((qsizetype(bits.size()) + 7) / 8, '\0');
    for (size_t i = 0; i < bits.size(); ++i) {
        if (bits[i])
            out[qsizetype(i / 8)] = char(uint8_t(out[qsizetype(i / 8)]) | 0x80 >> (i % 8));
    }
    out += char(h.rateFraction);
    out += char(h.rateInteger);
    out += char(h.frames & 0xFF);
    out += char(h.frames >> 8);
    uint32_t noise = 12345;
    for (int i = 0; i < tail; ++i) {
        noise = noise * 1103515245 + 12345;
        out += char(noise >> 16);
    }
    return out;
}

// A zlib stream (level 9) of the data.
inline QByteArray zlibStream(const QByteArray &data)
{
    return qCompress(data, 9).mid(4); // qCompress puts the length in front
}

// A whole SWF file: "FWS" or "CWS", version, file length, body (compressed for "CWS").
inline QByteArray makeSwf(const SwfFields &h, bool compressed, int tail = 40)
{
    const QByteArray body = swfBody(h, tail);
    QByteArray out = compressed ? "CWS" : "FWS";
    out += char(h.version);
    const uint32_t length = uint32_t(8 + body.size());
    for (int i = 0; i < 4; ++i)
        out += char(length >> (8 * i) & 0xFF);
    return out + (compressed ? zlibStream(body) : body);
}

} // namespace lytest
