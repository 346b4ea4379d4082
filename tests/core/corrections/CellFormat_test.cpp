#include <gtest/gtest.h>

#include "corrections/CellFormat.h"

using bramble::FormatCorrection;

TEST(CellFormat, TenWideFourDecimals)
{
    EXPECT_EQ(FormatCorrection(1234.685), " 1234.6850");
    EXPECT_EQ(FormatCorrection(-0.0601), "   -0.0601");
    EXPECT_EQ(FormatCorrection(0.06), "    0.0600");
    EXPECT_EQ(FormatCorrection(123456789.0), "123456789.0000");
}

TEST(CellFormat, ValuesPrintingAsZeroShowNoMinusSign)
{
    EXPECT_EQ(FormatCorrection(-0.0), "    0.0000");
    EXPECT_EQ(FormatCorrection(-0.00004), "    0.0000");
    EXPECT_EQ(FormatCorrection(0.0), "    0.0000");
    EXPECT_EQ(FormatCorrection(-0.00006), "   -0.0001");
}
