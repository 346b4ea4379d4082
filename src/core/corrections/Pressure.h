#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "result/Result.h"
#include "survey/DateTime.h"

namespace bramble {

class CKelpDoc;

// The pressure text of a new entry, hPa.
inline constexpr const char* kDefaultPressureText = "1013.25";

// The elevations at which the standard atmosphere's formula below holds:
// its lowest layer (up to 11 km), extended to the deepest mines.
inline constexpr double kMinNominalElevationM = -5000.0;
inline constexpr double kMaxNominalElevationM = 11000.0;

// Nominal pressure in hPa at an elevation in metres, from the standard
// atmosphere: 1013.25 x ((288.15 - 0.0065 h) / 288.15) ^ 5.2559. Empty for
// an elevation outside the range above (or not a number): there the
// formula gives no pressure or none that means anything.
std::optional<double> NominalPressureFromElevation(double elevationM);

// A new pressure entry: the time as "%m/%d/%Y  %H:%M:%S  " followed by "1013.25".
std::string DefaultPressureEntry(const DateTime& time);

// One pressure entry read from its text.
struct PressureEntry {
    DateTime m_dtTime;
    // The number after the first blank that follows the seconds.
    double m_dPressure = 0.0;
    // The number at the first double blank at or after position 17; the
    // interpolation takes it for every entry after the first two. For an
    // entry in the standard form both are the same number. An entry without
    // such a double blank uses m_dPressure.
    double m_dWalkPressure = 0.0;
};

// Reads "month/day/year hour:minute:second pressure" from an entry. Empty
// when a separator is missing or the date or time is impossible (month 13,
// 30 February, 25:00:00): such an entry has no time to interpolate at; and
// when the text after the time is not one finite number ("0x10", "", "nan").
std::optional<PressureEntry> ParsePressureEntry(std::string_view text);

// The entries in time order (stable); entries without a readable time keep
// their order at the end. The interpolation walks the entries in time order,
// so the list shows them that way too.
std::vector<std::string> SortPressureEntries(std::vector<std::string> entries);

// Gives every reading of the document (not only the selected ones) its
// m_dPressure, interpolated in time from the entries: one entry gives every
// reading its pressure; two give the straight line through them, extended
// on both sides; three or more are walked segment by segment in time order,
// holding the end values outside. Without a usable entry nothing changes.
// The value is the number of entries used; a warning names each entry
// skipped (no time, no pressure, a time already taken).
Result<int> AssignPressures(CKelpDoc& doc, const std::vector<std::string>& entries);

// (P - Pn) x 0.3 microGal per hPa, in mGal, when P lies within 200 hPa of
// Pn (both ends included); 0 otherwise and when P is not a number.
double PressureCorrection(double pressure, double nominalPressure);

}  // namespace bramble
