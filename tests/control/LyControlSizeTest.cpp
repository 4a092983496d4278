#include "control/widgets/LyControlSize.h"

#include "control/MouseInput.h"
#include "support/Printers.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// A widget that records the presses and releases it receives.
class Recorder : public QWidget
{
public:
    using QWidget::QWidget;
    struct Event { QEvent::Type type; QPoint pos; Qt::MouseButton button; };
    std::vector<Event> events;

protected:
    void mousePressEvent(QMouseEvent *e) override { events.push_back({e->type(), e->position().toPoint(), e->button()}); }
    void mouseReleaseEvent(QMouseEvent *e) override { events.push_back({e->type(), e->position().toPoint(), e->button()}); }
};

QWidget *solidWidget(QWidget *parent, const QRect &geometry, const QColor &color)
{
    auto *w = new Recorder(parent);
    w->setGeometry(geometry);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->show();
    return w;
}

const QColor kParentColour(240, 240, 200);
const QColor kControlColour(90, 160, 220);

class LyControlSizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(400, 300);
        host.setAutoFillBackground(true);
        QPalette p = host.palette();
        p.setColor(QPalette::Window, kParentColour);
        host.setPalette(p);
        control = solidWidget(&host, QRect(100, 50, 40, 20), kControlColour);
        handles = new TlyControlSize(&host);
        ASSERT_TRUE(lytest::showAndWait(&host));
    }

    QImage shown() { return host.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // Moves over the handles' point `at` (so the hit test picks the part), presses there, drags
    // by `by` and releases.
    void drag(QPoint at, QPoint by)
    {
        lytest::mouseMove(handles, at);
        lytest::mousePress(handles, at);
        lytest::mouseMove(handles, at + by / 2);
        lytest::mouseMove(handles, at + by);
        lytest::mouseRelease(handles, at + by);
    }

    Recorder host;
    QWidget *control = nullptr;
    TlyControlSize *handles = nullptr;
};

TEST_F(LyControlSizeTest, FramesOneControlWithEightSquaresAndLetsTheRestShowThrough)
{
    handles->Attach(control);
    EXPECT_EQ(handles->geometry(), QRect(98, 48, 45, 25));
    EXPECT_TRUE(handles->isVisible());
    EXPECT_TRUE(handles->isEnabled());
    EXPECT_EQ(handles->parentWidget(), &host);

    const QImage image = shown();
    const QRgb black = qRgb(0, 0, 0);
    // Middles of the corner and edge squares, in the handles' coordinates.
    for (const QPoint square : {QPoint(2, 2), QPoint(41, 2), QPoint(41, 21), QPoint(2, 21),
                                QPoint(22, 2), QPoint(22, 21), QPoint(2, 12), QPoint(41, 12)})
        EXPECT_EQ(image.pixel(handles->pos() + square), black) << square.x() << "," << square.y();
    EXPECT_EQ(image.pixel(120, 60), kControlColour.rgb()) << "the control shows through";
    EXPECT_EQ(image.pixel(98 + 1, 48 + 7), kParentColour.rgb()) << "the parent shows through";
    EXPECT_EQ(image.pixel(98 + 44, 48 + 12), kParentColour.rgb()) << "the last column is bare";
}

TEST_F(LyControlSizeTest, SeveralControlsAreFramedTogetherWithFourGreySquaresEach)
{
    QWidget *second = solidWidget(&host, QRect(200, 120, 30, 30), kControlColour);
    handles->Attach(control);
    handles->Attach(second);
    EXPECT_EQ(handles->geometry(), QRect(98, 48, 135, 105));

    const QImage image = shown();
    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    EXPECT_EQ(image.pixel(100, 50), grey);   // first control, top-left square
    EXPECT_EQ(image.pixel(229, 149), grey);  // second control, bottom-right square
    EXPECT_EQ(image.pixel(120, 50), kControlColour.rgb()) << "no midpoint squares";

    // Detaching one frames the other alone again.
    handles->Detach(control);
    EXPECT_EQ(handles->geometry(), QRect(198, 118, 35, 35));
    EXPECT_EQ(handles->Controls(), QList<QWidget *>{second});
}

TEST_F(LyControlSizeTest, AttachRefusesWindowsAndIgnoresNothingAndRepeats)
{
    QWidget window;
    try {
        handles->Attach(&window);
        FAIL() << "attaching a window must fail";
    } catch (const EBadChild &e) {
        EXPECT_EQ(e.text(), "Handles can not be attached to a Form!");
    }
    EXPECT_TRUE(handles->Controls().isEmpty());
    EXPECT_FALSE(handles->isVisible());

    handles->Attach(nullptr);
    handles->Attach(control);
    handles->Attach(control);
    EXPECT_EQ(handles->Controls(), QList<QWidget *>{control});

    // A control of another parent releases the others first.
    QWidget *panel = solidWidget(&host, QRect(10, 200, 150, 80), kParentColour);
    QWidget *inner = solidWidget(panel, QRect(20, 20, 30, 10), kControlColour);
    handles->Attach(inner);
    EXPECT_EQ(handles->Controls(), QList<QWidget *>{inner});
    EXPECT_EQ(handles->parentWidget(), panel);
    EXPECT_EQ(handles->geometry(), QRect(18, 18, 35, 15));
}

TEST_F(LyControlSizeTest, DetachingTheLastControlHidesTheHandlesFromTheMouse)
{
    const auto recorder = static_cast<Recorder *>(control);
    for (const bool all : {false, true}) {
        handles->Attach(control);
        handles->setLocked(true);
        all ? handles->DetachAll() : handles->Detach(control);
        EXPECT_FALSE(handles->isVisible());
        EXPECT_FALSE(handles->isEnabled());
        EXPECT_FALSE(handles->Locked());
        if (all) {
            EXPECT_EQ(handles->size(), QSize(24, 24));
        }
    }
    recorder->events.clear();
    lytest::mousePress(control, {5, 5});
    lytest::mouseRelease(control, {5, 5});
    EXPECT_EQ(recorder->events.size(), 2u) << "the control gets the mouse itself";
}

TEST_F(LyControlSizeTest, ADestroyedControlLeavesTheHandles)
{
    handles->Attach(control);
    delete control;
    EXPECT_TRUE(handles->Controls().isEmpty());
    EXPECT_FALSE(handles->isVisible());
}

TEST_F(LyControlSizeTest, APressOutsideTheFrameIsPassedToWhatLiesBeneath)
{
    auto *neighbour = static_cast<Recorder *>(solidWidget(&host, QRect(142, 40, 30, 40), kParentColour));
    handles->Attach(control);
    handles->raise();
    QSignalSpy downs(handles, &TlyControlSize::OnMouseDown);
    QSignalSpy ups(handles, &TlyControlSize::OnMouseUp);

    // The last pixel column of the handles lies beyond the control's frame.
    lytest::mouseMove(handles, {44, 12});
    lytest::mousePress(handles, {44, 12});
    EXPECT_FALSE(handles->isDragging());
    EXPECT_EQ(downs.count(), 0);
    lytest::mouseRelease(handles, {44, 12});
    EXPECT_EQ(ups.count(), 1);
    ASSERT_EQ(neighbour->events.size(), 2u);
    EXPECT_EQ(neighbour->events[0].type, QEvent::MouseButtonPress);
    EXPECT_EQ(neighbour->events[0].pos, QPoint(0, 20));
    EXPECT_EQ(neighbour->events[1].type, QEvent::MouseButtonRelease);
    EXPECT_EQ(handles->geometry(), QRect(98, 48, 45, 25));

    // With nothing beneath, the parent gets it, in its own coordinates.
    neighbour->hide();
    host.events.clear();
    lytest::mousePress(handles, {44, 3}, Qt::RightButton);
    lytest::mouseRelease(handles, {44, 3}, Qt::RightButton);
    ASSERT_EQ(host.events.size(), 2u);
    EXPECT_EQ(host.events[0].pos, QPoint(142, 51));
    EXPECT_EQ(host.events[0].button, Qt::RightButton);
}

TEST_F(LyControlSizeTest, AReleaseAtThePressPointChangesNothingButIsReported)
{
    handles->Attach(control);
    QSignalSpy downs(handles, &TlyControlSize::OnMouseDown);
    QSignalSpy ups(handles, &TlyControlSize::OnMouseUp);
    lytest::mouseMove(handles, {20, 12});
    lytest::mousePress(handles, {20, 12});
    EXPECT_TRUE(handles->isDragging());
    lytest::mouseRelease(handles, {20, 12});
    EXPECT_FALSE(handles->isDragging());
    EXPECT_EQ(control->geometry(), QRect(100, 50, 40, 20));
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(ups.count(), 1);
}

struct DragCase
{
    const char *part;
    QPoint at;      // where the drag starts, in the handles' coordinates
    QRect expected; // the control after a drag by (7, 4)
};

class LyControlSizeDragTest : public LyControlSizeTest, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(LyControlSizeDragTest, TheControlFollowsThePartThatIsDragged)
{
    handles->Attach(control);
    drag(GetParam().at, {7, 4});
    EXPECT_EQ(control->geometry(), GetParam().expected);
    EXPECT_EQ(handles->geometry(), GetParam().expected.adjusted(-2, -2, 3, 3));
    EXPECT_TRUE(handles->Ghost().isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Parts, LyControlSizeDragTest,
    ::testing::Values(DragCase{"body", {20, 8}, {107, 54, 40, 20}},
                      DragCase{"top-left", {1, 1}, {107, 54, 33, 16}},
                      DragCase{"top-right", {43, 1}, {100, 54, 47, 16}},
                      DragCase{"bottom-left", {1, 23}, {107, 50, 33, 24}},
                      DragCase{"bottom-right", {43, 23}, {100, 50, 47, 24}},
                      DragCase{"top", {22, 1}, {100, 54, 40, 16}},
                      DragCase{"left", {1, 12}, {107, 50, 33, 20}},
                      DragCase{"bottom", {22, 23}, {100, 50, 40, 24}},
                      DragCase{"right", {43, 12}, {100, 50, 47, 20}}),
    [](const auto &info) { std::string n = info.param.part; std::replace(n.begin(), n.end(), '-', '_'); return n; });

TEST_F(LyControlSizeTest, TheGhostShowsWhereTheControlLands)
{
    handles->Attach(control);
    lytest::mouseMove(handles, {20, 8});
    lytest::mousePress(handles, {20, 8});
    lytest::mouseMove(handles, {40, 20});
    lytest::mouseMove(handles, {51, 23});
    const QRect outline = handles->ghostOutline();
    EXPECT_EQ(outline, QRect(host.mapToGlobal(QPoint(131, 65)), QSize(40, 20)));
    EXPECT_EQ(control->geometry(), QRect(100, 50, 40, 20)) << "the control waits for the release";
    EXPECT_EQ(handles->cursor().shape(), Qt::SizeAllCursor);

    lytest::mouseRelease(handles, {51, 23});
    EXPECT_EQ(QRect(host.mapToGlobal(control->pos()), control->size()), outline);
    EXPECT_TRUE(handles->ghostOutline().isNull());
    EXPECT_TRUE(handles->Ghost().isNull());
}

TEST_F(LyControlSizeTest, ThePointerIsClampedToTheParentButTheControlMayEndOutside)
{
    handles->Attach(control);
    // 500 pixels right is far beyond the parent: the pointer stops at its right edge (x 400).
    drag({20, 8}, {500, 0});
    EXPECT_EQ(control->geometry(), QRect(100 + (400 - 98 - 20), 50, 40, 20));
    EXPECT_GT(control->geometry().right(), host.width());
}

TEST_F(LyControlSizeTest, ACornerDraggedPastTheOppositeCornerGivesTheMinimum)
{
    handles->Attach(control);
    drag({43, 23}, {-90, -60});
    EXPECT_EQ(handles->size(), QSize(5, 5));
    EXPECT_EQ(control->size(), QSize(0, 0));
    EXPECT_EQ(control->pos(), QPoint(100, 50));
}

TEST_F(LyControlSizeTest, OnAGridOf8TheControlLandsOnTheGridAlsoLeftOfTheOrigin)
{
    handles->setSnapToGrid(true);
    EXPECT_EQ(handles->GridX(), 8);
    EXPECT_EQ(handles->GridY(), 8);
    handles->Attach(control);
    drag({20, 8}, {21, 3});
    EXPECT_EQ(control->pos(), QPoint(120, 48));
    EXPECT_EQ(handles->x() % 8, 6);

    // The right edge: the width falls on the grid.
    drag({43, 12}, {13, 0});
    EXPECT_EQ(control->width(), 48);

    // Left of the parent's origin the position snaps toward zero.
    control->setGeometry(10, 50, 40, 20);
    handles->DetachAll();
    handles->Attach(control);
    drag({20, 8}, {-23, 0});
    EXPECT_EQ(control->x(), -8);
}

TEST_F(LyControlSizeTest, GridStepsOfZeroAreIgnored)
{
    handles->setGridX(0);
    handles->setGridY(0);
    EXPECT_EQ(handles->GridX(), 1);
    EXPECT_EQ(handles->GridY(), 1);
    EXPECT_FALSE(handles->SnapToGrid());
    handles->setGridY(4);
    EXPECT_TRUE(handles->SnapToGrid());
    handles->setSnapToGrid(false);
    EXPECT_EQ(handles->GridY(), 1);
}

TEST_F(LyControlSizeTest, ArrowKeysNudgeByOnePixelWithoutTheGrid)
{
    handles->setSnapToGrid(true);
    handles->Attach(control);
    QSignalSpy keys(handles, &TlyControlSize::OnKeyDown);
    const struct { Qt::Key key; QPoint to; } nudges[] = {
        {Qt::Key_Right, {101, 50}}, {Qt::Key_Down, {101, 51}}, {Qt::Key_Left, {100, 51}},
        {Qt::Key_Up, {100, 50}}};
    for (const auto &n : nudges) {
        QTest::keyClick(handles, n.key);
        EXPECT_EQ(control->pos(), n.to);
    }
    QTest::keyClick(handles, Qt::Key_Delete);
    EXPECT_EQ(keys.count(), 5);
    EXPECT_EQ(control->size(), QSize(40, 20));
}

TEST_F(LyControlSizeTest, LockedHandlesMoveNothingAndShowTheNoDropCursor)
{
    handles->Attach(control);
    handles->setLocked(true);
    drag({20, 8}, {30, 30});
    drag({43, 23}, {30, 30});
    QTest::keyClick(handles, Qt::Key_Right);
    EXPECT_EQ(control->geometry(), QRect(100, 50, 40, 20));
    EXPECT_EQ(handles->geometry(), QRect(98, 48, 45, 25));
    lytest::mouseMove(handles, {20, 9});
    EXPECT_EQ(handles->cursor().shape(), Qt::ForbiddenCursor);
}

TEST_F(LyControlSizeTest, TheHitTestSetsTheCursorOfEachPart)
{
    handles->Attach(control);
    const struct { QPoint at; int code; Qt::CursorShape cursor; } parts[] = {
        {{1, 1}, TlyControlSize::HitTopLeft, Qt::SizeFDiagCursor},
        {{43, 23}, TlyControlSize::HitBottomRight, Qt::SizeFDiagCursor},
        {{43, 1}, TlyControlSize::HitTopRight, Qt::SizeBDiagCursor},
        {{1, 23}, TlyControlSize::HitBottomLeft, Qt::SizeBDiagCursor},
        {{22, 1}, TlyControlSize::HitTop, Qt::SizeVerCursor},
        {{22, 23}, TlyControlSize::HitBottom, Qt::SizeVerCursor},
        {{1, 12}, TlyControlSize::HitLeft, Qt::SizeHorCursor},
        {{43, 12}, TlyControlSize::HitRight, Qt::SizeHorCursor},
        {{15, 8}, TlyControlSize::HitBody, Qt::ArrowCursor},
        {{26, 3}, TlyControlSize::HitBody, Qt::ArrowCursor}, // just beyond the top square
    };
    for (const auto &p : parts) {
        lytest::mouseMove(handles, p.at);
        EXPECT_EQ(handles->hitCode(), p.code) << p.at.x() << "," << p.at.y();
        EXPECT_EQ(handles->cursor().shape(), p.cursor) << p.at.x() << "," << p.at.y();
    }

    // Framing several controls, every point is the body.
    handles->Attach(solidWidget(&host, QRect(200, 120, 30, 30), kControlColour));
    lytest::mouseMove(handles, {1, 1});
    EXPECT_EQ(handles->hitCode(), TlyControlSize::HitBody);
}

TEST_F(LyControlSizeTest, APressThatAttachesTheHandlesTurnsIntoADrag)
{
    // As an editor does: a press on a control selects it.
    struct AttachOnPress : QObject
    {
        TlyControlSize *handles;
        QWidget *control;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::MouseButtonPress)
                handles->Attach(control);
            return false;
        }
    } selector;
    selector.handles = handles;
    selector.control = control;
    control->installEventFilter(&selector);

    lytest::mouseMove(control, {10, 10});
    lytest::mousePress(control, {10, 10});
    ASSERT_TRUE(handles->isVisible());
    lytest::mouseMove(control, {12, 11});
    lytest::mouseMove(control, {20, 15});
    lytest::mouseMove(control, {40, 25});
    lytest::mouseRelease(control, {40, 25});
    EXPECT_EQ(control->pos(), QPoint(128, 64));
    EXPECT_FALSE(handles->isDragging());
}

} // namespace
