#pragma once

#include <QObject>

#include <cstdint>

// The wave-output volume: one value for the whole process, two 16-bit channels (0 silent,
// 0xFFFF full), full at start. The media players apply it to their audio output and follow
// its changes through WaveOutNotifier.
namespace ly::platform {

struct WaveVolume
{
    uint16_t left = 0xFFFF;
    uint16_t right = 0xFFFF;

    // The packed form: left channel in the low 16 bits, right channel in the high 16 bits.
    uint32_t packed() const { return uint32_t(left) | uint32_t(right) << 16; }
    static WaveVolume fromPacked(uint32_t v) { return {uint16_t(v & 0xFFFF), uint16_t(v >> 16)}; }
    bool operator==(const WaveVolume &) const = default;
};

WaveVolume WaveOutVolume();
void SetWaveOutVolume(WaveVolume volume);
// The louder channel as a linear factor from 0 to 1, for an audio output's volume.
float WaveOutLevel();

class WaveOutNotifier : public QObject
{
    Q_OBJECT
public:
    static WaveOutNotifier *instance();

Q_SIGNALS:
    void volumeChanged(float level);

private:
    WaveOutNotifier() = default;
};

} // namespace ly::platform
