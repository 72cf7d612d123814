#include "grid/kv_string_grid.h"

#include <gtest/gtest.h>

TEST(CellBorders, EachBorderIsItsOwnMemberOfTheSet)
{
    TCellBorders all = TCellBorders(cbTop) | cbLeft | cbRight | cbBottom;
    for (TCellBorder b : {cbTop, cbLeft, cbRight, cbBottom}) {
        EXPECT_TRUE(all.Contains(b));
        EXPECT_FALSE(TCellBorders().Contains(b));
    }
    EXPECT_EQ(all.Bits(), 15u);
    TCellBorders topOnly(cbTop);
    EXPECT_TRUE(topOnly.Contains(cbTop));
    EXPECT_FALSE(topOnly.Contains(cbBottom));
    EXPECT_TRUE(TCellBorders::FromBits(8u).Contains(cbBottom));
    EXPECT_FALSE(TCellBorders::FromBits(8u).Contains(cbTop));
}
