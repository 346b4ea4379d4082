#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "survey/DateTime.h"

namespace bramble::meters {

// Strict field conversions for the meter readers: the whole field (blanks
// around it aside) must be the number, and it must be finite. Anything else
// is "not a value", never 0.
std::optional<double> Number(std::string_view field);
std::optional<int> Integer(std::string_view field);

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// "2017/12/05", "2017-12-05", "2013/ 9/11" (year first) or "12/05/2017",
// "12-05-2017" (year last, month before day). The year has four digits.
std::optional<CivilDate> ParseDate(std::string_view field);

// "hh:mm:ss" with an optional fraction of the second.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    double second = 0.0;
};
std::optional<ClockTime> ParseClock(std::string_view field);

// The moment a date and a time of day name, moved by `addHours` (the
// header's difference to UT); empty for an impossible date or time.
std::optional<DateTime> MakeTime(const CivilDate& date, const ClockTime& clock, double addHours = 0.0);

// Splits a line into fields at any of `separators`. With `mergeRuns` a run
// of separators is one break and separators at the ends give no empty
// field (blank-separated columns); without it every separator makes a
// field (tab- or comma-separated columns). Fields are not trimmed.
void SplitFields(std::string_view line, std::string_view separators, bool mergeRuns,
                 std::vector<std::string_view>& fields);

std::string_view Trim(std::string_view text);

// "1.0000000" -> "1", "12.5000" -> "12.5": the CG-5 writes station and
// line numbers as decimals; anything that is not such a number is kept.
std::string_view ShortDecimal(std::string_view text);

}  // namespace bramble::meters
