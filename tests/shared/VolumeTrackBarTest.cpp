#include "support/Printers.h"

#include "platform/WaveOut.h"
#include "shared/widgets/VolumeTrackBar.h"

#include <QSignalSpy>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

using ly::platform::WaveVolume;

class VolumeTrackBarTest : public ::testing::Test
{
protected:
    ~VolumeTrackBarTest() override { ly::platform::SetWaveOutVolume({}); }
    QSlider bar{Qt::Vertical};
};

TEST_F(VolumeTrackBarTest, InitShowsTheLouderChannel)
{
    const struct
    {
        WaveVolume volume;
        int position;
    } cases[] = {
        {{0x8000, 0x8000}, 127},
        {{0x1234, 0xAB00}, 255 - 0xAB},
        {{0xFFFF, 0x0000}, 1}, // 255 - 255 lies below the bar's range
        {{0x00FF, 0x0000}, 255},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.position);
        ly::platform::SetWaveOutVolume(c.volume);
        QSignalSpy moved(&bar, &QSlider::valueChanged);
        ly::InitVolumeTrackBar(&bar);
        EXPECT_EQ(bar.value(), c.position);
        EXPECT_EQ(moved.count(), 0) << "setting the bar up must not change the volume";
        EXPECT_EQ(ly::platform::WaveOutVolume(), c.volume);
    }
    EXPECT_EQ(bar.minimum(), 1);
    EXPECT_EQ(bar.maximum(), 255);
    EXPECT_EQ(bar.tickInterval(), 16);
}

TEST_F(VolumeTrackBarTest, ApplySetsBothChannels)
{
    QSignalSpy changed(ly::platform::WaveOutNotifier::instance(),
                       &ly::platform::WaveOutNotifier::volumeChanged);
    ly::platform::SetWaveOutVolume({0x1000, 0x2000});
    ly::InitVolumeTrackBar(&bar);
    bar.setValue(127);
    ly::ApplyVolumeTrackBar(&bar);
    EXPECT_EQ(ly::platform::WaveOutVolume(), (WaveVolume{0x8000, 0x8000}));
    EXPECT_EQ(ly::platform::WaveOutVolume().packed(), 0x80008000u);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_FLOAT_EQ(changed.last().at(0).toFloat(), 0x8000 / 65535.0f);

    bar.setValue(255);
    ly::ApplyVolumeTrackBar(&bar);
    EXPECT_EQ(ly::platform::WaveOutVolume(), (WaveVolume{0, 0}));
    EXPECT_EQ(ly::platform::WaveOutLevel(), 0.0f);
}

} // namespace
