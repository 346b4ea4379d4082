#pragma once

#include <string_view>

namespace bramble {

// The number conversion every reader and parser uses: skip leading blanks,
// read the longest numeric prefix, 0 when there is none. Never throws and
// never reads past the view.
double ToDouble(std::string_view text);   // sign, digits, '.', digits, exponent
int ToInt(std::string_view text);         // sign and digits; clamped to the int range

// Conversion from a position of a line. A position before the start reads
// from the start, a position past the end reads nothing (0).
double DoubleFrom(std::string_view line, long long pos);
int IntFrom(std::string_view line, long long pos);

// True when text starts (after blanks) with something ToDouble can read.
bool StartsWithNumber(std::string_view text);

}  // namespace bramble
