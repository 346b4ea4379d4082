#include "charts/ChartTime.h"

#include <cmath>

namespace bramble {

namespace {
constexpr double kDaysTo1970 = 25569.0;  // 1899-12-30 .. 1970-01-01
constexpr double kSecondsPerDay = 86400.0;
}  // namespace

double DayNumberToSeconds(double dayNumber)
{
    const double whole = std::trunc(dayNumber);
    const double linearDays = whole + std::abs(dayNumber - whole);
    return (linearDays - kDaysTo1970) * kSecondsPerDay;
}

double SecondsToDayNumber(double seconds)
{
    const double linearDays = seconds / kSecondsPerDay + kDaysTo1970;
    if (linearDays >= 0.0)
        return linearDays;
    // Back to the convention of the day numbers: whole days counted back,
    // the fraction counted forward from midnight.
    const double day = std::floor(linearDays);
    const double fraction = linearDays - day;
    return fraction == 0.0 ? day : day - fraction;
}

}  // namespace bramble
