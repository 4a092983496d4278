#include "control/widgets/LyFullPicture.h"

#include "control/MouseInput.h"
#include "support/Printers.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// A picture in which every pixel has its own colour, so each tile's position can be read back.
QImage uniquePixels(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 6, 128));
    return image;
}

TEST(LyFullPictureTest, TilesThePictureFromTheTopLeftCorner)
{
    const QImage picture = uniquePixels(40, 40);
    TLyFullPicture panel;
    panel.resize(100, 30);
    panel.setLyLoadPicture(QPixmap::fromImage(picture));

    const QImage shown = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(100, 30));
    // Tiles at x = 0, 40, 80 (the last one cut by the right edge), one row at y = 0.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(shown.pixel(x, y), picture.pixel(x % 40, y % 40)) << "at " << x << ", " << y;
}

TEST(LyFullPictureTest, WithoutPictureShowsItsColourAndNeverItsCaption)
{
    TLyFullPicture panel;
    panel.resize(60, 20);
    panel.setColor(QColor(10, 120, 200));
    panel.setCaption(QStringLiteral("WWWWWWWW"));

    QImage shown = panel.grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            ASSERT_EQ(shown.pixelColor(x, y), QColor(10, 120, 200)) << "at " << x << ", " << y;

    // Loading a picture and then a null one goes back to the colour.
    panel.setLyLoadPicture(QPixmap::fromImage(uniquePixels(8, 8)));
    panel.setLyLoadPicture(QPixmap());
    shown = panel.grab().toImage();
    EXPECT_EQ(shown.pixelColor(30, 10), QColor(10, 120, 200));
}

TEST(LyFullPictureTest, SeeThroughPartsOfThePictureShowTheColour)
{
    QImage picture(10, 10, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    TLyFullPicture panel;
    panel.resize(20, 20);
    panel.setColor(QColor(0, 200, 0));
    panel.setLyLoadPicture(QPixmap::fromImage(picture));
    const QImage shown = panel.grab().toImage();
    EXPECT_EQ(shown.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 200, 0));
}

TEST(LyFullPictureTest, ReportsPressesOfAnyButtonAndLeftClicksReleasedOverIt)
{
    QWidget host;
    host.resize(200, 100);
    auto *panel = new TLyFullPicture(&host);
    panel->setGeometry(20, 20, 100, 40);
    ASSERT_TRUE(lytest::showAndWait(&host));
    QSignalSpy downs(panel, &TLyFullPicture::OnMouseDown);
    QSignalSpy clicks(panel, &TLyFullPicture::OnClick);

    lytest::mousePress(panel, {10, 10}, Qt::RightButton);
    lytest::mouseRelease(panel, {10, 10}, Qt::RightButton);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(clicks.count(), 0);

    lytest::mousePress(panel, {10, 10});
    lytest::mouseRelease(panel, {12, 11});
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(clicks.count(), 1);

    // Released away from the panel: no click.
    lytest::mousePress(panel, {10, 10});
    lytest::mouseMove(panel, {150, 10});
    lytest::mouseRelease(panel, {150, 10});
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
