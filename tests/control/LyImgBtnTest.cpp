#include "control/widgets/LyImgBtn.h"

#include "control/MouseInput.h"
#include "support/Printers.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QPixmap solid(const QColor &color)
{
    QPixmap p(20, 20);
    p.fill(color);
    return p;
}

class LyImgBtnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(200, 100);
        button = new TlyImgBtn(&host);
        button->setGeometry(50, 30, 20, 20);
        button->setPicDown(solid(Qt::blue));
        button->setPicUp(solid(Qt::green));
        button->setPicIdle(solid(Qt::red));
        ASSERT_TRUE(lytest::showAndWait(&host));
        lytest::mouseMove(&host, {5, 5});
    }

    // Which of the three pictures the button shows.
    QString shown() const
    {
        const qint64 key = button->Picture().cacheKey();
        if (key == button->PicIdle().cacheKey())
            return QStringLiteral("idle");
        if (key == button->PicUp().cacheKey())
            return QStringLiteral("up");
        if (key == button->PicDown().cacheKey())
            return QStringLiteral("down");
        return QStringLiteral("other");
    }

    QWidget host;
    TlyImgBtn *button = nullptr;
};

TEST_F(LyImgBtnTest, SettingPicIdleShowsItButPicDownAndPicUpOnlyStore)
{
    TlyImgBtn fresh;
    fresh.setPicDown(solid(Qt::blue));
    fresh.setPicUp(solid(Qt::green));
    EXPECT_TRUE(fresh.Picture().isNull());
    fresh.setPicIdle(solid(Qt::red));
    EXPECT_EQ(fresh.Picture().cacheKey(), fresh.PicIdle().cacheKey());
    EXPECT_FALSE(fresh.isMouseInside());
    EXPECT_FALSE(fresh.isPressed());
}

TEST_F(LyImgBtnTest, HoverPressAndReleaseInside)
{
    QSignalSpy enters(button, &TlyImgBtn::OnMouseEnter);
    QSignalSpy leaves(button, &TlyImgBtn::OnMouseLeave);
    QSignalSpy downs(button, &TlyImgBtn::OnMouseDown);
    QSignalSpy ups(button, &TlyImgBtn::OnMouseUp);
    QSignalSpy clicks(button, &TlyImgBtn::OnClick);

    lytest::mouseMove(button, {10, 10});
    EXPECT_EQ(shown(), "up");
    EXPECT_EQ(enters.count(), 1);
    lytest::mousePress(button, {10, 10});
    EXPECT_EQ(shown(), "down");
    EXPECT_EQ(downs.count(), 1);
    lytest::mouseRelease(button, {10, 10});
    EXPECT_EQ(shown(), "up");
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
    lytest::mouseMove(&host, {150, 80});
    EXPECT_EQ(shown(), "idle");
    EXPECT_EQ(leaves.count(), 1);
}

TEST_F(LyImgBtnTest, PressedDraggedOutAndReleasedOutsideGivesNoClick)
{
    QSignalSpy leaves(button, &TlyImgBtn::OnMouseLeave);
    QSignalSpy ups(button, &TlyImgBtn::OnMouseUp);
    QSignalSpy clicks(button, &TlyImgBtn::OnClick);

    lytest::mouseMove(button, {10, 10});
    lytest::mousePress(button, {10, 10});
    lytest::mouseMove(button, {60, 10});
    EXPECT_EQ(shown(), "idle");
    EXPECT_EQ(leaves.count(), 1);
    EXPECT_FALSE(button->isMouseInside());

    lytest::mouseRelease(button, {60, 10});
    EXPECT_EQ(shown(), "idle");
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(leaves.count(), 1);
    EXPECT_FALSE(button->isPressed());
}

TEST_F(LyImgBtnTest, MovingOutAndBackInWhileHeldShowsIdleThenDown)
{
    QSignalSpy enters(button, &TlyImgBtn::OnMouseEnter);
    QSignalSpy clicks(button, &TlyImgBtn::OnClick);

    lytest::mouseMove(button, {10, 10});
    lytest::mousePress(button, {10, 10});
    lytest::mouseMove(button, {-20, 10});
    EXPECT_EQ(shown(), "idle");
    lytest::mouseMove(button, {5, 5});
    EXPECT_EQ(shown(), "down");
    EXPECT_EQ(enters.count(), 2);
    lytest::mouseRelease(button, {5, 5});
    EXPECT_EQ(shown(), "up");
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(LyImgBtnTest, NotSupportedKeepsItsPictureAndFiresOnlyClicks)
{
    button->setSupported(false);
    QSignalSpy enters(button, &TlyImgBtn::OnMouseEnter);
    QSignalSpy leaves(button, &TlyImgBtn::OnMouseLeave);
    QSignalSpy downs(button, &TlyImgBtn::OnMouseDown);
    QSignalSpy ups(button, &TlyImgBtn::OnMouseUp);
    QSignalSpy clicks(button, &TlyImgBtn::OnClick);

    lytest::mouseMove(button, {10, 10});
    lytest::mousePress(button, {10, 10});
    EXPECT_EQ(shown(), "idle");
    lytest::mouseRelease(button, {10, 10});
    lytest::mouseMove(&host, {150, 80});
    EXPECT_EQ(shown(), "idle");
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(enters.count() + leaves.count() + downs.count() + ups.count(), 0);
}

TEST_F(LyImgBtnTest, RightButtonNeitherPressesNorClicks)
{
    QSignalSpy downs(button, &TlyImgBtn::OnMouseDown);
    QSignalSpy clicks(button, &TlyImgBtn::OnClick);
    lytest::mouseMove(button, {10, 10});
    lytest::mousePress(button, {10, 10}, Qt::RightButton);
    EXPECT_EQ(shown(), "up");
    lytest::mouseRelease(button, {10, 10}, Qt::RightButton);
    EXPECT_EQ(downs.count(), 0);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(LyImgBtnTest, AClickHandlerMayDeleteTheButton)
{
    QObject::connect(button, &TlyImgBtn::OnClick, button, [this] { delete button; });
    lytest::mouseMove(button, {10, 10});
    lytest::mousePress(button, {10, 10});
    lytest::mouseRelease(&host, {60, 40});
    EXPECT_TRUE(host.findChildren<TlyImgBtn *>().isEmpty());
}

} // namespace
