#include "card/Packer.h"
#include "editor/widgets/PackProgressBar.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

TEST(PackProgressBarTest, FollowsPostedNoticesAndHoldsTheRunningNumberWithinTheTotal)
{
    ly::PackProgressBar bar;
    const struct
    {
        int total, running, maximum, value;
    } cases[] = {
        {4, 1, 4, 1}, {4, 4, 4, 4}, {4, 6, 4, 4}, {0, 1, 1, 1}, {10, 0, 10, 0},
    };
    for (const auto &c : cases) {
        QCoreApplication::postEvent(&bar, new ly::PackProgressEvent(c.total, c.running));
        QCoreApplication::processEvents();
        EXPECT_EQ(bar.maximum(), c.maximum) << c.total << "/" << c.running;
        EXPECT_EQ(bar.value(), c.value) << c.total << "/" << c.running;
    }
}

} // namespace
