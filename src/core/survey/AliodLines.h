#pragma once

#include <string>
#include <string_view>

#include "survey/Readings.h"

namespace bramble {

// Reads the fields of one comma-separated Aliod reading line into `reading`
// (all but the bookkeeping): station, date and time "YYYY-MM-DD hh:mm:ss",
// gravity, long level, cross level, temperature, a seventh and an optional
// eighth value. A line with fewer than seven fields, an impossible date or
// time, or a field that is not a (finite) number is not a reading: the
// returned text says what is wrong and `reading` must not be used. Empty
// when the line is a reading.
std::string ParseAliodReadingLine(std::string_view line, CAliodStation& reading);

}  // namespace bramble
