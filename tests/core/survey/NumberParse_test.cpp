#include <gtest/gtest.h>

#include <cmath>

#include "survey/NumberParse.h"

using namespace bramble;

TEST(NumberParse, LongestNumericPrefixAfterBlanks)
{
    EXPECT_DOUBLE_EQ(ToDouble("  2489.871  0.021"), 2489.871);
    EXPECT_DOUBLE_EQ(ToDouble("\t-0.062x"), -0.062);
    EXPECT_DOUBLE_EQ(ToDouble("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ToDouble("3."), 3.0);
    EXPECT_DOUBLE_EQ(ToDouble("1.5e3hr"), 1500.0);
    EXPECT_DOUBLE_EQ(ToDouble("1.5e"), 1.5);       // an exponent without digits is not read
    EXPECT_DOUBLE_EQ(ToDouble("2E-2"), 0.02);
    EXPECT_EQ(ToDouble(""), 0.0);
    EXPECT_EQ(ToDouble("abc"), 0.0);
    EXPECT_EQ(ToDouble("-"), 0.0);
    EXPECT_EQ(ToDouble("."), 0.0);
    EXPECT_EQ(ToDouble("nan"), 0.0);
    EXPECT_EQ(ToDouble("1e99999"), HUGE_VAL);
    EXPECT_EQ(ToDouble("1e-99999"), 0.0);
}

TEST(NumberParse, IntegersStopAtTheFirstNonDigitAndSaturate)
{
    EXPECT_EQ(ToInt("   -3."), -3);
    EXPECT_EQ(ToInt("60   0"), 60);
    EXPECT_EQ(ToInt("09:12"), 9);
    EXPECT_EQ(ToInt("x"), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ToInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(NumberParse, PositionsOutsideTheLineAreSafe)
{
    EXPECT_EQ(IntFrom("12 34", -7), 12);
    EXPECT_EQ(IntFrom("12 34", 2), 34);
    EXPECT_EQ(IntFrom("12 34", 5), 0);
    EXPECT_EQ(DoubleFrom("12 34", 1000000), 0.0);
    EXPECT_TRUE(StartsWithNumber(" -1.5abc"));
    EXPECT_FALSE(StartsWithNumber("abc"));
}
