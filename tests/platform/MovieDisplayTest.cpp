#include "support/MediaFixtures.h"
#include "support/Sandbox.h"

#include "platform/MediaPlayer.h"
#include "platform/Wait.h"
#include "platform/widgets/MovieDisplay.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

using namespace ly::platform;

// The test pattern's top-left quarter: light bars, nowhere near black.
bool showsPicture(const QImage &shot, const QRect &rect)
{
    const QColor c = shot.pixelColor(rect.left() + rect.width() / 8, rect.top() + rect.height() / 4);
    return c.lightness() > 60;
}

TEST(MovieDisplayTest, PicturesAreDrawnStretchedIntoTheRectangleOfTheGivenWindow)
{
    if (!lytest::haveSoundDevices())
        GTEST_SKIP() << "no sound device: run through ./test.sh, which starts a PulseAudio null sink";
    QWidget panel;
    panel.resize(468, 296);
    QPalette pal = panel.palette();
    pal.setColor(QPalette::Window, Qt::blue);
    panel.setPalette(pal);
    panel.setAutoFillBackground(true);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));

    MediaPlayer player;
    MovieDisplay display;
    display.attach(player);
    ASSERT_TRUE(player.open(lytest::mediaFixture("movie.avi")).ok());
    display.setDisplayWindow(&panel);
    const QRect rect(100, 50, 256, 192);
    display.setDisplayRect(rect);
    QSignalSpy frames(&display, &MovieDisplay::frameShown);
    ASSERT_TRUE(player.play().ok());
    ASSERT_TRUE(WaitBounded([&] { return frames.count() >= 2; }, 5000));
    EXPECT_EQ(display.currentFrame().size(), QSize(64, 48));

    const QImage shot = panel.grab().toImage();
    EXPECT_TRUE(showsPicture(shot, rect));
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::blue)); // outside the rectangle
    EXPECT_EQ(shot.pixelColor(rect.right() + 5, rect.bottom() + 5), QColor(Qt::blue));

    // An empty rectangle fills the window and follows its size.
    display.setDisplayRect(QRect());
    panel.resize(300, 200);
    EXPECT_TRUE(WaitBounded(
        [&] { return showsPicture(panel.grab().toImage(), QRect(0, 0, 300, 200)); }, 5000));

    display.setDisplayWindow(nullptr);
    EXPECT_EQ(display.displayWindow(), nullptr);
    EXPECT_EQ(panel.grab().toImage().pixelColor(20, 20), QColor(Qt::blue));
}

} // namespace
