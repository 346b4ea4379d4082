#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace bramble {

// The number conversion every reader and parser uses: skip leading blanks,
// read the longest numeric prefix (sign, digits, '.', digits, exponent).
// Texts such as "nan", "inf" or "0x10" hold no number beyond their leading
// digits, and a value beyond the range of a double ("1e999") is refused:
// no conversion ever yields a non-finite number. Never throws and never
// reads past the view.

// The number at the start of text and the index just past it; empty when
// there is none or it is out of range.
struct NumberPrefix {
    double value = 0.0;
    std::size_t end = 0;
};
std::optional<NumberPrefix> ReadNumberPrefix(std::string_view text);

// The whole text (blanks around allowed) as one finite number; empty when
// anything else is there ("0x10", "12abc", "1e999", "nan").
std::optional<double> WholeNumber(std::string_view text);

// The whole text (blanks around allowed) as one integer in the int range.
std::optional<int> WholeInt(std::string_view text);

// The lenient forms: 0 when there is no number (or it is out of range).
double ToDouble(std::string_view text);
int ToInt(std::string_view text);  // sign and digits; clamped to the int range

// Conversion from a position of a line. A position before the start reads
// from the start, a position past the end reads nothing (0).
double DoubleFrom(std::string_view line, long long pos);
int IntFrom(std::string_view line, long long pos);

// True when text starts (after blanks) with something ToDouble can read.
bool StartsWithNumber(std::string_view text);

}  // namespace bramble
