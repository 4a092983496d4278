#include "platform/WaveOut.h"

#include <algorithm>
#include <atomic>

namespace ly::platform {

namespace {
std::atomic<uint32_t> g_volume{WaveVolume{}.packed()};
}

WaveVolume WaveOutVolume()
{
    return WaveVolume::fromPacked(g_volume.load());
}

void SetWaveOutVolume(WaveVolume volume)
{
    if (g_volume.exchange(volume.packed()) != volume.packed())
        Q_EMIT WaveOutNotifier::instance()->volumeChanged(WaveOutLevel());
}

float WaveOutLevel()
{
    const WaveVolume v = WaveOutVolume();
    return float(std::max(v.left, v.right)) / 65535.0f;
}

WaveOutNotifier *WaveOutNotifier::instance()
{
    static WaveOutNotifier notifier;
    return &notifier;
}

} // namespace ly::platform
