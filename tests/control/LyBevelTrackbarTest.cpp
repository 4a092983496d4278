#include "control/widgets/LyBevel.h"
#include "control/widgets/LyTrackbar.h"

#include "control/MouseInput.h"
#include "support/Printers.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct BevelCase
{
    TlyBevel::TBevelShape shape;
    TlyBevel::TBevelStyle style;
    QPoint shadowAt; // a pixel drawn in the shadow colour
    QPoint lightAt;  // a pixel drawn in the light colour
};

class LyBevelShapeTest : public ::testing::TestWithParam<BevelCase>
{
};

TEST_P(LyBevelShapeTest, DrawsShadowAndLightWhereTheShapeAndStyleSay)
{
    const BevelCase c = GetParam();
    TlyBevel bevel;
    bevel.resize(30, 20);
    bevel.setShape(c.shape);
    bevel.setStyle(c.style);
    QImage shown(bevel.size(), QImage::Format_ARGB32);
    shown.fill(Qt::transparent);
    bevel.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(shown.pixel(c.shadowAt), bevel.palette().color(QPalette::Dark).rgba());
    EXPECT_EQ(shown.pixel(c.lightAt), bevel.palette().color(QPalette::Light).rgba());
    EXPECT_EQ(shown.pixelColor(15, 10).alpha(), 0) << "the middle stays see-through";
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LyBevelShapeTest,
    ::testing::Values(BevelCase{TlyBevel::bsBox, TlyBevel::bsLowered, {10, 0}, {10, 19}},
                      BevelCase{TlyBevel::bsBox, TlyBevel::bsRaised, {29, 10}, {0, 10}},
                      BevelCase{TlyBevel::bsFrame, TlyBevel::bsLowered, {0, 10}, {1, 10}},
                      BevelCase{TlyBevel::bsTopLine, TlyBevel::bsLowered, {10, 0}, {10, 1}},
                      BevelCase{TlyBevel::bsBottomLine, TlyBevel::bsRaised, {10, 19}, {10, 18}},
                      BevelCase{TlyBevel::bsLeftLine, TlyBevel::bsLowered, {0, 5}, {1, 5}},
                      BevelCase{TlyBevel::bsRightLine, TlyBevel::bsLowered, {28, 5}, {29, 5}}));

TEST(LyBevelTest, ReportsClicksReleasedOverIt)
{
    QWidget host;
    host.resize(100, 100);
    auto *bevel = new TlyBevel(&host);
    bevel->setGeometry(10, 10, 50, 50);
    ASSERT_TRUE(lytest::showAndWait(&host));
    QSignalSpy clicks(bevel, &TlyBevel::OnClick);
    lytest::mousePress(bevel, {5, 5});
    lytest::mouseRelease(bevel, {20, 20});
    lytest::mousePress(bevel, {5, 5});
    lytest::mouseMove(bevel, {70, 70});
    lytest::mouseRelease(bevel, {70, 70});
    EXPECT_EQ(clicks.count(), 1);
}

TEST(LyTrackbarTest, ReportsPressAndReleaseAfterMovingTheBar)
{
    QWidget host;
    host.resize(240, 60);
    auto *bar = new TlyTrackbar(&host);
    bar->setGeometry(10, 10, 200, 30);
    bar->setRange(0, 100);
    bar->setPageStep(10);
    ASSERT_TRUE(lytest::showAndWait(&host));
    int positionAtPress = -1;
    QObject::connect(bar, &TlyTrackbar::OnMouseDown, bar, [&] { positionAtPress = bar->value(); });
    QSignalSpy ups(bar, &TlyTrackbar::OnMouseUp);

    // A press on the groove (above the ticks) right of the handle moves the bar by a page.
    lytest::mousePress(bar, {180, 11});
    lytest::mouseRelease(bar, {180, 11});
    EXPECT_GT(positionAtPress, 0);
    EXPECT_EQ(ups.count(), 1);
}

} // namespace
