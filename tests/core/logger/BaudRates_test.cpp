#include <gtest/gtest.h>

#include <utility>

#include "logger/BaudRates.h"

using namespace bramble;

namespace {

class BaudIndex : public testing::TestWithParam<std::pair<int, int>> { };

}  // namespace

TEST_P(BaudIndex, OpensThePortAtItsRate) { EXPECT_EQ(BaudRateForIndex(GetParam().first), GetParam().second); }

// The five entries of the settings dialog come first, in its order; the
// table goes on to 57600; a typed rate (-1) and any index beyond the table
// open the port at 115200.
INSTANTIATE_TEST_SUITE_P(Table, BaudIndex,
                         testing::Values(std::pair{0, 110}, std::pair{1, 300}, std::pair{2, 600}, std::pair{3, 1200},
                                         std::pair{4, 2400}, std::pair{5, 4800}, std::pair{6, 9600},
                                         std::pair{7, 19200}, std::pair{8, 38400}, std::pair{9, 57600},
                                         std::pair{10, 115200}, std::pair{11, 115200}, std::pair{-1, 115200},
                                         std::pair{-7, 115200}, std::pair{1000000, 115200}));

TEST(BaudRates, OnlyTheElevenRatesOfTheTableOpenAPort)
{
    for (int index = -1; index <= 10; ++index)
        EXPECT_TRUE(IsLoggerBaudRate(BaudRateForIndex(index))) << index;
    for (int baud : {0, -1, 1, 150, 9601, 14400, 230400})
        EXPECT_FALSE(IsLoggerBaudRate(baud)) << baud;
}
