#include "MediaFixtures.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>

#include <cmath>
#include <stdexcept>

namespace lytest {

namespace {

void put(QByteArray &out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void putBig(QByteArray &out, uint32_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void writeTo(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a media fixture");
}

} // namespace

QByteArray makeWave(uint32_t rate, uint16_t bits, uint16_t channels, uint32_t frames)
{
    QByteArray data;
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = std::sin(2 * M_PI * 440.0 * i / rate) * 0.5;
        for (uint16_t c = 0; c < channels; ++c) {
            if (bits == 8)
                data.append(char(uint8_t(128 + std::lround(v * 127))));
            else
                put(data, uint16_t(int16_t(std::lround(v * 32767))), 2);
        }
    }
    const uint32_t align = channels * bits / 8;
    QByteArray body("WAVEfmt ");
    put(body, 16, 4);
    put(body, 1, 2);
    put(body, channels, 2);
    put(body, rate, 4);
    put(body, rate * align, 4);
    put(body, align, 2);
    put(body, bits, 2);
    body.append("data");
    put(body, uint32_t(data.size()), 4);
    body.append(data);
    if (data.size() % 2)
        body.append('\0');
    QByteArray file("RIFF");
    put(file, uint32_t(body.size()), 4);
    return file + body;
}

QByteArray makeMidi(int ms)
{
    // 480 ticks a quarter note at 500000 us a quarter: 960 ticks a second.
    const uint32_t ticks = uint32_t(ms) * 960 / 1000;
    QByteArray track("\x00\xFF\x51\x03\x07\xA1\x20" // tempo
                     "\x00\xC0\x00"                 // piano
                     "\x00\x90\x3C\x64",            // note on
                     14);
    QByteArray delta;
    delta.prepend(char(ticks & 0x7F));
    for (uint32_t t = ticks >> 7; t; t >>= 7)
        delta.prepend(char((t & 0x7F) | 0x80));
    track += delta + QByteArray("\x80\x3C\x40\x00\xFF\x2F\x00", 7); // note off, end of track
    QByteArray file("MThd");
    putBig(file, 6, 4);
    putBig(file, 0, 2);
    putBig(file, 1, 2);
    putBig(file, 480, 2);
    file += "MTrk";
    putBig(file, uint32_t(track.size()), 4);
    return file + track;
}

QString mediaFixture(const QString &name)
{
    return QStringLiteral(LYRABELL_SOURCE_DIR "/tests/fixtures/media/") + name;
}

QStringList writeMediaSet(const QString &folder)
{
    QDir().mkpath(folder);
    const QString dir = QDir(folder).absolutePath() + QLatin1Char('/');
    writeTo(dir + "tone.wav", makeWave(11025, 8, 1, 33075));
    writeTo(dir + "tone.mid", makeMidi(3000));
    struct Copy
    {
        const char *from;
        const char *to;
    };
    static const Copy kCopies[] = {
        {"tone.mp3", "tone.mp3"},   {"tone.wma", "tone.wma"},   {"movie.avi", "movie.avi"},
        {"movie.asf", "movie.asf"}, {"movie.asf", "movie.wm"},  {"movie.asf", "movie.wmv"},
        {"movie.mpg", "movie.mpg"}, {"movie.mpg", "movie.mpeg"},
    };
    QStringList paths{dir + "tone.wav", dir + "tone.mid"};
    for (const Copy &c : kCopies) {
        const QString to = dir + QLatin1String(c.to);
        QFile::remove(to);
        if (!QFile::copy(mediaFixture(QLatin1String(c.from)), to))
            throw std::runtime_error("cannot copy a media fixture");
        paths << to;
    }
    return paths;
}

bool haveSoundDevices()
{
    return !QMediaDevices::defaultAudioOutput().isNull()
           && !QMediaDevices::defaultAudioInput().isNull();
}

} // namespace lytest
