#pragma once

class QSlider;

// The volume bars of the media windows: the bar's position runs opposite to the volume
// (a vertical bar has its minimum at the top).
namespace ly {

// Range 1 to 255, a tick every 16; position := 255 - the larger high byte of the two
// channels of the wave-output volume. Setting it up emits no change, so opening a volume
// panel never alters the volume.
void InitVolumeTrackBar(QSlider *trackBar);
// v := 255 - position; both channels of the wave-output volume become v * 256.
void ApplyVolumeTrackBar(const QSlider *trackBar);

} // namespace ly
