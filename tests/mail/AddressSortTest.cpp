#include "mail/AddressSort.h"

#include <gtest/gtest.h>

namespace {

using ly::mail::AddressColumnSort;
using ly::mail::SortMark;

TEST(AddressSortTest, ClicksFollowTheRememberedColumn)
{
    AddressColumnSort sort;
    const struct
    {
        int column;
        SortMark mark;
    } clicks[] = {{0, SortMark::Descending}, {0, SortMark::Ascending}, {0, SortMark::Descending},
                  {1, SortMark::Ascending},  {1, SortMark::Descending}, {0, SortMark::Ascending}};
    for (const auto &c : clicks) {
        EXPECT_EQ(sort.Click(c.column), c.mark);
        EXPECT_EQ(sort.Column(), c.column);
        EXPECT_EQ(sort.Mark(1 - c.column), SortMark::None);
    }
}

TEST(AddressSortTest, OrderIsStrictAndStable)
{
    const QList<ly::mail::AddressEntry> entries = {
        {"bob", "B@x"}, {"Ann", "a@x"}, {"ann", "a@x"}, {"Cy", "b@x"}};
    EXPECT_EQ(SortedOrder(entries, 0, SortMark::Ascending), (QList<qsizetype>{1, 2, 0, 3}));
    EXPECT_EQ(SortedOrder(entries, 0, SortMark::Descending), (QList<qsizetype>{3, 0, 1, 2}));
    // Byte order: upper case before lower case; equal addresses in file order both ways.
    EXPECT_EQ(SortedOrder(entries, 1, SortMark::Ascending), (QList<qsizetype>{0, 1, 2, 3}));
    EXPECT_EQ(SortedOrder(entries, 1, SortMark::Descending), (QList<qsizetype>{3, 1, 2, 0}));
    EXPECT_EQ(SortedOrder(entries, 1, SortMark::None), (QList<qsizetype>{0, 1, 2, 3}));
}

} // namespace
