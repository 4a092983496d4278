#include "control/CaptionMotion.h"

#include <gtest/gtest.h>

namespace {

using namespace ly::caption;

TEST(CaptionMotionTest, EachModeMovesAndReentersAsTheEditorPreviewDoes)
{
    const QSize area(470, 330);
    const auto random = [](int n) { return n - 1; };
    EXPECT_EQ(TickInterval(Twinkle), 1000);
    EXPECT_EQ(TickInterval(HorizontalScroll), 60);
    EXPECT_EQ(TickInterval(VerticalScroll), 60);
    EXPECT_EQ(TickInterval(NoMotion), 0);

    EXPECT_EQ(NextPosition(Twinkle, {10, 10}, 50, area, random), QPoint(469, 329));
    EXPECT_EQ(NextPosition(HorizontalScroll, {10, 20}, 50, area, random), QPoint(8, 20));
    // Left edge further left than minus the width: back at the right edge, a random height.
    EXPECT_EQ(NextPosition(HorizontalScroll, {-47, 20}, 50, area, random), QPoint(-49, 20));
    EXPECT_EQ(NextPosition(HorizontalScroll, {-49, 20}, 50, area, random), QPoint(470, 329));
    EXPECT_EQ(NextPosition(VerticalScroll, {30, 327}, 50, area, random), QPoint(30, 329));
    // Top past the bottom: back at the top; x minus the width when x is not smaller than it.
    EXPECT_EQ(NextPosition(VerticalScroll, {30, 329}, 50, area, random), QPoint(419, 0));
    EXPECT_EQ(NextPosition(VerticalScroll, {30, 329}, 50, area, [](int) { return 20; }),
              QPoint(20, 0));

    EXPECT_EQ(TopPosition(), QPoint(5, 5));
    EXPECT_EQ(BottomPosition(area, 20), QPoint(5, 305));
    EXPECT_EQ(PanelSize(QSize(40, 12), true), QSize(41, 13));
    EXPECT_EQ(PanelSize(QSize(40, 12), false), QSize(40, 12));
}

TEST(CaptionMotionTest, PlacesEachSlotOnThePanelsOverThePageAndAsLabelsElsewhere)
{
    const QSize area(470, 330);
    const QSize text(40, 12);
    const QPoint moving(100, 60);
    struct Case
    {
        int slot;
        bool overPage;
        QRect box;
        QPoint caption;
        QPoint shadow;
    } cases[] = {
        // Over the page: panels as large as the text, the moving one a pixel larger; the
        // caption and its shadow inside them.
        {0, true, QRect(100, 60, 41, 13), {0, 0}, {1, 1}},
        {1, true, QRect(5, 5, 40, 12), {0, 0}, {1, 1}},
        {2, true, QRect(5, 313, 40, 12), {0, 0}, {1, 1}},
        // Over the gradient and the fill picture: labels, shadows one pixel right and down.
        {0, false, QRect(100, 60, 40, 12), {100, 60}, {101, 61}},
        {1, false, QRect(5, 5, 40, 12), {5, 5}, {6, 6}},
        {2, false, QRect(5, 313, 40, 12), {5, 313}, {6, 314}},
    };
    for (const Case &c : cases) {
        const Placement p = Place(c.slot, c.overPage, text, area, moving);
        EXPECT_EQ(p.box, c.box) << c.slot << " " << c.overPage;
        EXPECT_EQ(p.caption, c.caption) << c.slot << " " << c.overPage;
        EXPECT_EQ(p.shadow, c.shadow) << c.slot << " " << c.overPage;
    }
}

} // namespace
