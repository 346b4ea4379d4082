#pragma once

// Time scales of the earth-tide model. Every time is a day number: days
// since 1899-12-30 00:00, the fraction being the time of day.

namespace bramble::tide {

// Day number of the epoch J2000.0 (2000-01-01 12:00, JD 2451545.0).
inline constexpr double kJ2000DayNumber = 36526.5;
inline constexpr double kDaysPerCentury = 36525.0;

// TT - UTC in seconds at a UTC day number: TAI - UTC from the leap-second
// table plus 32.184 s from 1972 on; before 1972, Delta T from the
// Espenak-Meeus polynomials (held constant before 1900).
double TtMinusUtcSeconds(double dayNumberUtc);

// Greenwich mean sidereal time in degrees (IAU 1982, Meeus eq. 12.4), not
// reduced to 0..360. The argument is a UT1 day number; UT1 = UTC is close
// enough for the tide (< 0.015 microGal).
double GmstDeg(double dayNumberUt1);

}  // namespace bramble::tide
