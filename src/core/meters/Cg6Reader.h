#pragma once

#include <string>

#include "meters/MeterSurvey.h"

namespace bramble {

// Reads a Scintrex CG-6 survey file: "/" header lines ("Survey Name:",
// "Instrument Serial Number:", "Operator:" ...), a "/Station\tDate\tTime..."
// column line, then one tab-separated reading a line. Columns are found by
// their names, so a file with more, fewer or reordered columns reads too;
// Station, Date, Time and CorrGrav must be there. "--" is a missing value
// and "****" an overflow: neither is a value.
//
// CorrGrav = RawGrav + TideCorr + TiltCorr + TempCorr + DriftCorr; the
// "Corrections[drift-temp-na-tide-tilt]" flags say which of them the meter
// applied (all of them when the column is absent). The gravity kept is
// CorrGrav; TideCorr is the meter's tide. Times are UT (the CG-6 keeps its
// clock on UTC and its file names no time zone). Each reading carries
// LatUser/LonUser (east positive)/ElevUser, or the GPS columns when the user
// values are missing; its loop is the Line column.
MeterSurvey ReadCg6File(const std::string& path);

}  // namespace bramble
