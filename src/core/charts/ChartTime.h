#pragma once

namespace bramble {

// Day numbers (days since 30 December 1899, the time of day as the
// fraction) as seconds since 1 January 1970 00:00, the key a date-time axis
// works in. Before 1899-12-30 a day number counts its whole days back but
// its fraction forward from midnight (-1.25 is 29 December 1899 06:00), so
// the two parts are converted separately to keep the time line monotonic.
double DayNumberToSeconds(double dayNumber);
double SecondsToDayNumber(double seconds);

}  // namespace bramble
