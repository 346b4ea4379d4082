#pragma once

#include <string>

#include "meters/MeterSurvey.h"

namespace bramble {

// Reads a ZLS Burris text file: one reading a line, 16 fields (station,
// operator, meter, date, time, gravity mGal, dial, feedback, tide
// correction mGal, tilt, two further values, instrument height, elevation,
// latitude, longitude) or 15 without the operator. Fields are separated by
// blanks, tabs or commas; a header line beginning "Station" may come first.
// Dates are year first (2017/12/05) or year last with the month first
// (12/05/2017), "/" or "-". Times are taken as UT. Longitude is written
// west negative, i.e. east positive as the model keeps it. The gravity
// includes the tide column. Each day of each file is one loop, named by
// its date (YYYY-MM-DD).
MeterSurvey ReadBurrisFile(const std::string& path);

}  // namespace bramble
