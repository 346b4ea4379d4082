#include <gtest/gtest.h>

#include "logger/ReadInterval.h"

using namespace bramble;

TEST(ReadInterval, AcceptsWholeNumbersFromOneToTenThousand)
{
    EXPECT_EQ(ParseReadInterval("1"), 1);
    EXPECT_EQ(ParseReadInterval("10000"), 10000);
    EXPECT_EQ(ParseReadInterval(" 42 "), 42);
    EXPECT_EQ(ParseReadInterval("+7"), 7);
    EXPECT_EQ(ParseReadInterval("0005"), 5);
}

TEST(ReadInterval, RefusesEverythingElse)
{
    for (const char* text : {"0", "10001", "-1", "-0", "", " ", "+", "abc", "1.5", "2s", "1 2", "99999999999999999999"})
        EXPECT_EQ(ParseReadInterval(text), std::nullopt) << '"' << text << '"';
}
