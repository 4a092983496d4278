#include "shared/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

using ly::MulDiv;

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndFlagsWhatCannotBeComputed)
{
    const struct
    {
        int a, b, c, result;
    } cases[] = {
        {5, 2, 4, 3},   {-5, 2, 4, -3}, {5, -2, 4, -3}, {5, 2, -4, -3}, {7, 1, 3, 2},
        {8, 1, 3, 3},   {1, 255, 255, 1}, {0, 9, 7, 0}, {3, 5, 0, -1},
        {1 << 30, 8, 2, -1}, // the result does not fit 32 bits
        {1 << 30, 8, 4, -1},
        {-(1 << 30), 8, 4, INT32_MIN},
        {2000000000, 2000000000, 2000000000, 2000000000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.b) + " " + std::to_string(c.c));
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.result);
    }
}

} // namespace
