#include "support/Printers.h"

#include "control/widgets/LyChargeImg.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace ly;

class LyChargeImgTest : public ::testing::Test
{
protected:
    LyChargeImgTest()
    {
        img.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&img, 5000));
    }

    // The gradient the control should hold for its current properties and size.
    QImage expected() const
    {
        return DrawGradient(img.size(), img.FromColor(), img.ToColor(), img.GradientFillType());
    }

    TLyChargeImg img;
};

TEST_F(LyChargeImgTest, NewControlHasItsDefaults)
{
    EXPECT_EQ(img.size(), QSize(24, 24));
    EXPECT_EQ(img.FromColor(), clRed);
    EXPECT_EQ(img.ToColor(), clWhite);
    EXPECT_EQ(img.GradientFillType(), rgsElliptic);
    EXPECT_EQ(img.Bitmap(), expected());
}

TEST_F(LyChargeImgTest, RedrawsOnlyWhenAPropertyOrTheSizeChanges)
{
    const std::function<void()> sameValue[] = {
        [&] { img.setFromColor(clRed); },
        [&] { img.setToColor(clWhite); },
        [&] { img.setGradientFillType(rgsElliptic); },
        [&] { img.move(30, 40); },
        [&] { img.resize(24, 24); },
    };
    for (const auto &set : sameValue) {
        const qint64 key = img.Bitmap().cacheKey();
        set();
        QCoreApplication::processEvents();
        EXPECT_EQ(img.Bitmap().cacheKey(), key);
    }

    const std::function<void()> newValue[] = {
        [&] { img.setFromColor(0x00336699); },
        [&] { img.setToColor(clNone); },
        [&] { img.setGradientFillType(rgsNeo); },
        [&] { img.resize(130, 70); },
    };
    for (const auto &set : newValue) {
        const qint64 key = img.Bitmap().cacheKey();
        set();
        QCoreApplication::processEvents();
        EXPECT_NE(img.Bitmap().cacheKey(), key);
        EXPECT_EQ(img.Bitmap(), expected());
    }
}

TEST_F(LyChargeImgTest, PaintsItsBitmap)
{
    img.setGradientFillType(rgsSweet);
    img.resize(90, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(img.grab().toImage().convertToFormat(QImage::Format_RGB32), expected());
}

struct MouseCounts
{
    explicit MouseCounts(TLyChargeImg *img)
        : click(img, &TLyChargeImg::OnClick), dblClick(img, &TLyChargeImg::OnDblClick),
          down(img, &TLyChargeImg::OnMouseDown), up(img, &TLyChargeImg::OnMouseUp) {}
    QSignalSpy click;
    QSignalSpy dblClick;
    QSignalSpy down;
    QSignalSpy up;
};

TEST_F(LyChargeImgTest, ClickNeedsAPressAndAReleaseInside)
{
    const struct
    {
        const char *name;
        Qt::MouseButton button;
        QPoint press;
        QPoint release;
        int clicks;
    } cases[] = {
        {"inside", Qt::LeftButton, {5, 5}, {20, 3}, 1},
        {"release on the far edge", Qt::LeftButton, {5, 5}, {24, 24}, 1},
        {"release outside", Qt::LeftButton, {5, 5}, {25, 10}, 0},
        {"release left of the control", Qt::LeftButton, {5, 5}, {-1, 10}, 0},
        {"right button", Qt::RightButton, {5, 5}, {5, 5}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MouseCounts counts(&img);
        QTest::mousePress(&img, c.button, {}, c.press);
        QTest::mouseRelease(&img, c.button, {}, c.release);
        EXPECT_EQ(counts.click.count(), c.clicks);
        EXPECT_EQ(counts.down.count(), 1);
        ASSERT_EQ(counts.up.count(), 1);
        EXPECT_EQ(counts.up.first().at(2).toPoint(), c.release);
    }
    // A release without a press before it is no click.
    MouseCounts counts(&img);
    QTest::mouseRelease(&img, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(counts.click.count(), 0);
}

TEST_F(LyChargeImgTest, DoubleClickRaisesDblClickAndTwoClicks)
{
    MouseCounts counts(&img);
    // The events a double click delivers to a widget.
    const QPointF pos(6, 6);
    const QPointF global = img.mapToGlobal(pos);
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&img, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(counts.dblClick.count(), 1);
    EXPECT_EQ(counts.click.count(), 2);
    EXPECT_EQ(counts.down.count(), 2);
    EXPECT_EQ(counts.up.count(), 2);
}

TEST_F(LyChargeImgTest, DisablingBetweenPressAndReleaseCancelsTheClick)
{
    MouseCounts counts(&img);
    QTest::mousePress(&img, Qt::LeftButton, {}, {5, 5});
    img.setEnabled(false);
    img.setEnabled(true);
    QTest::mouseRelease(&img, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(counts.click.count(), 0);
}

TEST_F(LyChargeImgTest, MovesArePassedOnWithoutAButton)
{
    QSignalSpy moves(&img, &TLyChargeImg::OnMouseMove);
    QMouseEvent event(QEvent::MouseMove, QPointF(7, 8), img.mapToGlobal(QPointF(7, 8)),
                      Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&img, &event);
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.first().at(1).toPoint(), QPoint(7, 8));
    EXPECT_TRUE(img.hasMouseTracking());
}

} // namespace
