#pragma once

#include <string>
#include <string_view>

#include "survey/DateTime.h"
#include "survey/Readings.h"

namespace bramble {

class CKelpDoc;

// Header mode of the meter readers: applies one line of a "SCINTREX" block
// to the document's current CG-3 header (creating it on a "SCINTREX" line).
// Returns true when the line is the "Station" line that starts the readings.
bool ApplyScintrexHeaderLine(std::string_view line, CKelpDoc& doc);

// Readings mode: a line that ends the block of readings (DC3 or dashes).
bool IsEndOfReadings(std::string_view line);

// The time of day written on a reading line.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct ScintrexLineResult {
    ClockTime time;       // the time of day the line carries
    bool hasEtc = false;  // false: the line has no E.T.C. value (the meter's tide is taken as 0)
    std::string problem;  // why the line is not a reading; empty when it is one
};

// Reads the fields of one CG-3 reading line into `reading` (all but the
// bookkeeping and the date). A line that is cut short or holds a field that
// is not a (finite) number, or a time that is not a time of day, is not a
// reading: `problem` says what is wrong and `reading` must not be used.
ScintrexLineResult ParseScintrexReadingLine(std::string_view line, CScintrexStation& reading);

// Why the readings of a CG-3 block cannot be used (no valid survey date, a
// latitude or longitude that is none); empty when they can. The reader
// leaves such a block's readings out.
std::string ScintrexBlockProblem(const CScintrexHeader& header);

// The date rule of the header lines: "yy/mm/dd" (8 characters), years
// below 75 in 2000..2074, the others in 1975..1999.
DateTime ParseShortDate(std::string_view eightCharacters);

}  // namespace bramble
