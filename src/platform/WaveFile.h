#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

class QIODevice;

// PCM wave files: the 44-byte header we write, and reading the chunks of any RIFF WAVE file.
namespace ly::platform {

struct WaveFormat
{
    uint16_t formatTag = 1; // PCM
    uint16_t channels = 1;
    uint32_t sampleRate = 11025;
    uint16_t bitsPerSample = 8;

    uint16_t blockAlign() const { return uint16_t(channels * (bitsPerSample / 8)); }
    uint32_t byteRate() const { return sampleRate * blockAlign(); }
    bool operator==(const WaveFormat &) const = default;
};

// The voice recording's format: mono, 8 bits, 11025 samples per second.
constexpr WaveFormat kVoiceFormat{};
constexpr qint64 kWaveHeaderSize = 44;

// The 44-byte header of a PCM wave file whose data chunk holds dataSize bytes: "RIFF", the
// RIFF size 36 + dataSize, "WAVE", a 16-byte "fmt " chunk, "data" and dataSize, little-endian.
QByteArray WaveHeader(const WaveFormat &format, uint32_t dataSize);

struct WaveInfo
{
    WaveFormat format;
    qint64 dataOffset = 0; // of the first sample
    qint64 dataSize = 0;   // bytes of samples that are really there

    bool isPcm() const;    // 8 or 16 bits, 1 or 2 channels, a sane rate
    qint64 lengthMs() const;
};

// Walks the chunks of a RIFF WAVE file to its "fmt " and "data" chunks; nothing when the
// bytes are not such a file. The data size is bounded by the bytes the file holds: a header
// that says 0 (a recording that never wrote its sizes) or more than is there takes what is
// there.
std::optional<WaveInfo> ReadWaveInfo(QIODevice &file);
std::optional<WaveInfo> ReadWaveInfo(const QString &path);

} // namespace ly::platform
