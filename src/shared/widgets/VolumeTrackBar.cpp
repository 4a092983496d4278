#include "shared/widgets/VolumeTrackBar.h"

#include "platform/WaveOut.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace ly {

void InitVolumeTrackBar(QSlider *trackBar)
{
    const QSignalBlocker block(trackBar);
    trackBar->setRange(1, 255);
    trackBar->setTickInterval(16);
    if (trackBar->tickPosition() == QSlider::NoTicks)
        trackBar->setTickPosition(QSlider::TicksBothSides);
    // The position runs from the top down, as the volume bars of the system's own windows do
    // (a QSlider puts its minimum at the bottom): full volume stands at the top.
    if (trackBar->orientation() == Qt::Vertical) {
        trackBar->setInvertedAppearance(true);
        trackBar->setInvertedControls(true);
    }
    const platform::WaveVolume v = platform::WaveOutVolume();
    trackBar->setValue(255 - std::max(v.left >> 8, v.right >> 8));
}

void ApplyVolumeTrackBar(const QSlider *trackBar)
{
    const auto level = uint16_t((255 - trackBar->value()) * 256);
    platform::SetWaveOutVolume({level, level});
}

} // namespace ly
