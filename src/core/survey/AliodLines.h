#pragma once

#include <string_view>

#include "survey/Readings.h"

namespace bramble {

// Reads the fields of one comma-separated Aliod reading line into `reading`
// (all but the bookkeeping): station, date and time "YYYY-MM-DD hh:mm:ss",
// gravity, long level, cross level, temperature, a seventh and an optional
// eighth value.
void ParseAliodReadingLine(std::string_view line, CAliodStation& reading);

}  // namespace bramble
