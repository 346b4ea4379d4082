#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "result/Result.h"
#include "survey/CPolarMotion.h"
#include "survey/DateTime.h"

namespace bramble {

class CKelpDoc;

// The two layouts of a polar-motion table, one line per day.
//  A: the IERS rapid-service daily layout: "yymmdd" with a blank for each
//     leading zero, the modified Julian date, a flag, then PM-x, its error
//     and PM-y in arc-seconds at fixed columns.
//  B: "yyyy mm dd" with blanks for leading zeros, 7 further characters, then
//     x and y; chosen when one of the first five lines holds 31 asterisks.
enum class PolarLayout { kA, kB };

PolarLayout DetectPolarLayout(const std::vector<std::string>& lines);

// The text that marks the line of the survey's first day.
std::string PolarSearchKey(const DateTime& firstReading, PolarLayout layout);

// x and y (arc-seconds) of one line: characters 18-27 and 38-47. Layout B
// lines are counted after their leading blanks; layout A lines as they
// stand, because the blank of a year 2000-2009 belongs to the date field
// (counting after it would read y one character late and lose its sign).
// Text that is not a number reads as 0.
CPolarMotion ParsePolarLine(std::string_view line, PolarLayout layout);

// The pole of a line when both fields are finite numbers of a plausible
// size (the pole stays well within one arc-second); empty otherwise.
std::optional<CPolarMotion> CheckedPolarLine(std::string_view line, PolarLayout layout);

// The pole of each day from the survey's first day on.
struct PolarTable {
    double m_dFirstDay = 0.0;          // day number of day 0, 00:00
    std::vector<CPolarMotion> m_Days;  // at least 2 days
    bool m_bFound = false;             // a line held the search key
    // Why the table cannot be used for the survey; empty when it can: the
    // days from the key line on must follow one another (no gap, repeat or
    // reversal), each with a plausible pole, up to the day after the last
    // reading, and the survey's first day must appear only once.
    std::string m_strProblem;
};

// Builds the table for a survey from its earliest to its latest reading
// time: trunc(t2 + 2) - trunc(t1) days, at least 2 so that there is always
// one segment. The days are the lines from the one holding the key on.
PolarTable BuildPolarTable(const std::vector<std::string>& lines, PolarLayout layout, double firstTime,
                           double lastTime);

// Gives every reading of the document the pole of its own day segment of
// the table, linear between the day's value and the next day's. A reading
// whose day segment the table does not hold keeps its pole (no value is
// invented for it); their number is returned.
int InterpolatePolarMotion(CKelpDoc& doc, const PolarTable& table);

// A polar-motion table file read for a survey.
struct PolarTableRead {
    bool m_bFound = false;  // true: a line held the survey's first day and every reading has its pole
    PolarLayout m_Layout = PolarLayout::kA;
    int m_nDays = 0;
};

// Reads a polar-motion table file and interpolates it to every reading.
// A file that cannot be read or used is an error that says why, and a
// table without a line for the survey's first day a warning; either way
// the readings are unchanged. An empty survey gives no value and no message.
Result<PolarTableRead> ReadPolarMotionTable(CKelpDoc& doc, const std::string& path);

// The gravity effect of the pole position, mGal: x, y in arc-seconds,
// latitude and EAST longitude in degrees. An effect above 0.1 mGal (only
// possible with poles far outside real positions) gives 0; only the upper
// side is bounded.
double PolarMotionCorrection(double x, double y, double latitudeDeg, double eastLongitudeDeg);

}  // namespace bramble
