#include "Pictures.h"
#include "support/Sandbox.h"

#include "control/widgets/LyImagePanel.h"
#include "control/widgets/NewImage.h"
#include "control/widgets/NewPanel.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

using ImagePanelTest = lytest::SandboxTest;

TEST_F(ImagePanelTest, LoadsOnceAndHoldsItsDetails)
{
    const QString file = lytest::SavePicture(
        sandbox.root() + "flag.bmp", lytest::TwoHalves({300, 60}, Qt::red, Qt::blue), "BMP");
    TLyImagePanel tile;
    EXPECT_EQ(tile.size(), QSize(100, 120));
    EXPECT_EQ(tile.captionBar()->geometry(), QRect(0, 100, 100, 20));
    EXPECT_EQ(tile.pictureFrame()->geometry(), QRect(5, 5, 90, 90));
    EXPECT_EQ(tile.captionBar()->color(), QColor(192, 220, 192));

    tile.setLyImageFile(file);
    ASSERT_TRUE(tile.isLoaded());
    EXPECT_EQ(tile.captionBar()->caption(), QStringLiteral("flag.bmp"));
    EXPECT_EQ(tile.captionBar()->color(), QColor(255, 255, 0));
    // 300 x 60: width 88, height trunc(60 * 88 / 300) = 17, centred vertically.
    EXPECT_EQ(tile.picture()->geometry(), QRect(1, 36, 88, 17));
    EXPECT_EQ(tile.picture()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(tile.details().pixText, QStringLiteral("300 X 60"));
    EXPECT_EQ(tile.details().typeText, QStringLiteral("bmp Image  "));
    EXPECT_TRUE(tile.Hint().startsWith("\r\n[Type]:bmp Image  \r\n[Pixel]:300 X 60  \r\n"));
    EXPECT_TRUE(tile.Hint().endsWith("[Name]:flag.bmp\r\n"));
    EXPECT_EQ(tile.toolTip(), QString(tile.Hint()).replace("\r\n", "\n"));
    tile.setShowHint(false);
    EXPECT_TRUE(tile.toolTip().isEmpty());

    // The same name again is not read again, even when the file changed.
    const QImage before = tile.picture()->picture().toImage();
    lytest::SavePicture(file, lytest::TwoHalves({50, 50}, Qt::green, Qt::green), "BMP");
    tile.setLyImageFile(file);
    EXPECT_EQ(tile.picture()->picture().toImage(), before);

    // A missing file changes nothing; an empty path clears the picture.
    tile.setLyImageFile(sandbox.root() + "missing.jpg");
    EXPECT_EQ(tile.captionBar()->caption(), QStringLiteral("flag.bmp"));
    EXPECT_TRUE(tile.isLoaded());
    tile.setLyImageFile(QString());
    EXPECT_FALSE(tile.isLoaded());
    EXPECT_TRUE(tile.picture()->isHidden());
}

TEST_F(ImagePanelTest, BodyTurnsSteelBlueUnderTheMouse)
{
    TLyImagePanel tile;
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(&tile, &enter);
    EXPECT_EQ(tile.body()->color(), QColor(58, 110, 165));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&tile, &leave);
    EXPECT_EQ(tile.body()->color(), QColor(240, 240, 240));
}

TEST_F(ImagePanelTest, EveryPartOfALoadedTileIsItsPicture)
{
    TLyImagePanel tile;
    QSignalSpy clicks(&tile, &TLyImagePanel::OnImgClick);
    // Before loading only the picture itself could be clicked, and it is hidden.
    QTest::mouseClick(tile.body(), Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 0);

    tile.setLyImageFile(lytest::SavePicture(sandbox.root() + "a.png",
                                            lytest::TwoHalves({20, 20}, Qt::red, Qt::red), "PNG"));
    ASSERT_TRUE(tile.isLoaded());
    QTest::mouseClick(tile.picture(), Qt::LeftButton);
    QTest::mouseClick(tile.picture(), Qt::RightButton);
    QTest::mouseClick(tile.captionBar(), Qt::LeftButton);
    QTest::mouseClick(tile.body(), Qt::RightButton);
    QTest::mouseClick(tile.pictureFrame(), Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 5);
}

// A left click (press and release inside) and a right-button press are clicks; nothing else.
template <class Control>
void ExpectClickRules()
{
    const struct
    {
        const char *what;
        std::function<void(QWidget *)> act;
        int clicks;
        Qt::MouseButtons held; // released outside after the check
    } cases[] = {
        {"left click", [](QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }, 1, {}},
        {"right press", [](QWidget *w) { QTest::mousePress(w, Qt::RightButton); }, 1, Qt::RightButton},
        {"right click", [](QWidget *w) { QTest::mouseClick(w, Qt::RightButton); }, 1, {}},
        {"middle click", [](QWidget *w) { QTest::mouseClick(w, Qt::MiddleButton); }, 0, {}},
        {"left release outside",
         [](QWidget *w) {
             QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
             QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(500, 5));
         },
         0, {}},
        {"left press only", [](QWidget *w) { QTest::mousePress(w, Qt::LeftButton); }, 0, Qt::LeftButton},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Control control;
        control.resize(50, 50);
        QSignalSpy spy(&control, &Control::OnClick);
        c.act(&control);
        EXPECT_EQ(spy.size(), c.clicks);
        // No button stays pressed for the cases and tests that follow.
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
            if (c.held & b)
                QTest::mouseRelease(&control, b, {}, QPoint(500, 5));
    }
}

TEST(NewControlsTest, RightPressActsAsClick)
{
    ExpectClickRules<TNewPanel>();
    ExpectClickRules<TNewImage>();
}

} // namespace
