#include "corrections/TideTime.h"

#include <array>
#include <cmath>

#include "survey/DateTime.h"

namespace bramble::tide {
namespace {

struct LeapStep {
    int year, month;
    double taiMinusUtc;
};

// TAI - UTC from the date on which each value took effect (IERS Bulletin C).
constexpr std::array<LeapStep, 28> kLeapSteps = {{
    {1972, 1, 10}, {1972, 7, 11}, {1973, 1, 12}, {1974, 1, 13}, {1975, 1, 14}, {1976, 1, 15}, {1977, 1, 16},
    {1978, 1, 17}, {1979, 1, 18}, {1980, 1, 19}, {1981, 7, 20}, {1982, 7, 21}, {1983, 7, 22}, {1985, 7, 23},
    {1988, 1, 24}, {1990, 1, 25}, {1991, 1, 26}, {1992, 7, 27}, {1993, 7, 28}, {1994, 7, 29}, {1996, 1, 30},
    {1997, 7, 31}, {1999, 1, 32}, {2006, 1, 33}, {2009, 1, 34}, {2012, 7, 35}, {2015, 7, 36}, {2017, 1, 37},
}};

constexpr double kTtMinusTai = 32.184;

const std::array<double, kLeapSteps.size()>& LeapDayNumbers()
{
    static const std::array<double, kLeapSteps.size()> days = [] {
        std::array<double, kLeapSteps.size()> d{};
        for (std::size_t i = 0; i < kLeapSteps.size(); ++i)
            d[i] = static_cast<double>(SerialDayFromCivil(kLeapSteps[i].year, kLeapSteps[i].month, 1));
        return d;
    }();
    return days;
}

// Delta T = TT - UT before the leap-second era (Espenak & Meeus 2006).
double DeltaTBefore1972(double year)
{
    if (year < 1900.0)
        year = 1900.0;
    if (year < 1920.0) {
        const double t = year - 1900.0;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - 0.000197 * t)));
    }
    if (year < 1941.0) {
        const double t = year - 1920.0;
        return 21.20 + t * (0.84493 + t * (-0.076100 + 0.0020936 * t));
    }
    if (year < 1961.0) {
        const double t = year - 1950.0;
        return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
    }
    const double t = year - 1975.0;
    return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
}

}  // namespace

double TtMinusUtcSeconds(double dayNumberUtc)
{
    const auto& days = LeapDayNumbers();
    // Survey data are mostly recent: search from the newest step back.
    for (std::size_t i = days.size(); i-- > 0;) {
        if (dayNumberUtc >= days[i])
            return kLeapSteps[i].taiMinusUtc + kTtMinusTai;
    }
    return DeltaTBefore1972(2000.0 + (dayNumberUtc - kJ2000DayNumber) / 365.25);
}

double GmstDeg(double dayNumberUt1)
{
    const double d = dayNumberUt1 - kJ2000DayNumber;
    const double t = d / kDaysPerCentury;
    // 360.98564736629 d split so that the whole turns of the whole days drop out.
    const double wholeDays = std::trunc(d);
    return 280.46061837 + 360.0 * (d - wholeDays) + 0.98564736629 * d + t * t * (0.000387933 - t / 38710000.0);
}

}  // namespace bramble::tide
