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
    EXPECT_DOUBLE_EQ(ToDouble("1.5e"), 1.5);  // an exponent without digits is not read
    EXPECT_DOUBLE_EQ(ToDouble("2E-2"), 0.02);
    EXPECT_EQ(ToDouble(""), 0.0);
    EXPECT_EQ(ToDouble("abc"), 0.0);
    EXPECT_EQ(ToDouble("-"), 0.0);
    EXPECT_EQ(ToDouble("."), 0.0);
    EXPECT_EQ(ToDouble("nan"), 0.0);
    EXPECT_EQ(ToDouble("1e-99999"), 0.0);
}

TEST(NumberParse, NothingNonFiniteAndNothingButANumberInAWholeField)
{
    // Beyond the range of a double is no number: never inf, never nan.
    for (const char* text : {"1e999", "-1e99999", "1e400x", "nan", "inf", "-inf", "NaN", "infinity"}) {
        EXPECT_EQ(ToDouble(text), 0.0) << text;
        EXPECT_FALSE(ReadNumberPrefix(text).has_value()) << text;
        EXPECT_FALSE(WholeNumber(text).has_value()) << text;
    }
    EXPECT_EQ(WholeNumber(" -12.5e1 ").value(), -125.0);
    EXPECT_EQ(WholeNumber("1e-99999").value(), 0.0);
    for (const char* text : {"0x10", "12abc", "1 2", "", "  ", "1,5", "--1", "."})
        EXPECT_FALSE(WholeNumber(text).has_value()) << text;
    const auto prefix = ReadNumberPrefix("  -3.5kg");
    ASSERT_TRUE(prefix.has_value());
    EXPECT_EQ(prefix->value, -3.5);
    EXPECT_EQ(prefix->end, 6u);
    EXPECT_EQ(WholeInt(" -42 ").value(), -42);
    for (const char* text : {"4.2", "2147483648", "99999999999", "x", "", "+"})
        EXPECT_FALSE(WholeInt(text).has_value()) << text;
    EXPECT_EQ(WholeInt("-2147483648").value(), -2147483647 - 1);
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
