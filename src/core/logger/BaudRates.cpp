#include "logger/BaudRates.h"

#include <algorithm>
#include <array>

namespace bramble {
namespace {

constexpr std::array<int, 10> kTable{110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600};
constexpr int kOtherwise = 115200;

}  // namespace

int BaudRateForIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kTable.size()))
        return kOtherwise;
    return kTable[static_cast<std::size_t>(index)];
}

bool IsLoggerBaudRate(int baud)
{
    return baud == kOtherwise || std::find(kTable.begin(), kTable.end(), baud) != kTable.end();
}

}  // namespace bramble
