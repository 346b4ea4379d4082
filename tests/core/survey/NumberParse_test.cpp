#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

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

// Plain decimals take a shorter way than other numbers; every number must
// still come out as the correctly rounded double of its digits.
TEST(NumberParse, PlainDecimalsGiveTheCorrectlyRoundedValue)
{
    std::mt19937_64 random(11);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text;
        for (int d = 0; d < digits; ++d)
            text += static_cast<char>('0' + random() % 10);
        const auto point = random() % (digits + 2);
        if (point <= static_cast<unsigned>(digits))
            text.insert(point, 1, '.');
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const auto read = ReadNumberPrefix(text);
        ASSERT_TRUE(read.has_value()) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read->value), std::bit_cast<std::uint64_t>(expected)) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(ToDouble("-" + text)), std::bit_cast<std::uint64_t>(-expected)) << text;
    }
}

TEST(NumberParse, IntegersStopAtTheFirstNonDigitAndSaturate)
{
    EXPECT_EQ(ToInt("   -3."), -3);
    EXPECT_EQ(ToInt("60   0"), 60);
    EXPECT_EQ(ToInt("09:12"), 9);
    EXPECT_EQ(ToInt("x"), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ToInt("-99999999999999999999"), -2147483647 - 1);
    // A whole field: the int range exactly, at most ten digits.
    EXPECT_EQ(WholeInt(" -2147483648 ").value(), -2147483647 - 1);
    EXPECT_EQ(WholeInt("+2147483647").value(), 2147483647);
    EXPECT_EQ(WholeInt("0000000042").value(), 42);
    for (const char* text : {"2147483648", "-2147483649", "9999999999", "00000000042", "4 2", "+", "-", "1.0"})
        EXPECT_FALSE(WholeInt(text).has_value()) << text;
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
