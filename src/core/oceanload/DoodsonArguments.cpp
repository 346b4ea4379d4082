#include "oceanload/DoodsonArguments.h"

#include <cmath>

#include "corrections/TideTime.h"
#include "corrections/TideWaves.h"

namespace bramble::oceanload {

DoodsonArguments DoodsonArgumentsAt(double dayNumberUtc)
{
    const double dayNumberTt = dayNumberUtc + tide::TtMinusUtcSeconds(dayNumberUtc) / 86400.0;
    const double t = (dayNumberTt - tide::kJ2000DayNumber) / tide::kDaysPerCentury;
    const tide::MeanElements e = tide::MeanElementsAt(t);
    const double dayFraction = dayNumberUtc - std::floor(dayNumberUtc);
    return {360.0 * dayFraction + e.h - e.s, e.s, e.h, e.p, e.np, e.ps};
}

DoodsonArguments DoodsonRatesCpd(double t)
{
    const double rl = 0.0362916471 + 1.3e-9 * t;      // mean anomaly of the Moon
    const double rlSun = 0.0027377786;                // mean anomaly of the Sun
    const double rf = 0.0367481951 - 5e-10 * t;       // argument of latitude of the Moon
    const double rd = 0.0338631920 - 3e-10 * t;       // mean elongation of the Moon
    const double rOmega = -0.0001470938 + 3e-10 * t;  // longitude of the Moon's node
    const double rs = rf + rOmega;
    return {1.0 - rd, rs, rs - rd, rs - rl, -rOmega, rs - rd - rlSun};
}

double Combine(const DoodsonNumbers& doodson, const DoodsonArguments& values)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < doodson.size(); ++i)
        sum += doodson[i] * values[i];
    return sum;
}

}  // namespace bramble::oceanload
