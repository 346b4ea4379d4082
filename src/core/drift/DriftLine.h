#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "drift/CDriftCorrection.h"
#include "result/Result.h"

namespace bramble {

// The text form of a drift correction, in which the operator sees and edits
// it: t0 as "%m/%d/%Y  %H:%M:%S  ", then c1..c6 each as "%9.3f ".
std::string FormatDriftLine(const CDriftCorrection& drift);

// Reads a drift line back. Missing coefficients are 0; a date and time that
// do not form a valid date-time give t0 = 0, and so does a coefficient that
// is not a finite number ("1e999", "nan", "12abc"), with all coefficients 0:
// t0 = 0 marks a line that is no drift line. Never fails.
CDriftCorrection ParseDriftLine(std::string_view line);

// Up to six blank-separated numbers, leading blanks ignored, missing ones 0
// (the rate field of the input dialog and the tail of a drift line).
// A field that is not a finite number reads as 0.
std::array<double, 6> ParseCoefficients(std::string_view text);
// The same, empty when a field is not a finite number.
std::optional<std::array<double, 6>> CheckedCoefficients(std::string_view text);
// The rate field as the operator typed it: CheckedCoefficients, or an error
// that quotes the text and says what is wanted.
Result<std::array<double, 6>> ReadDriftRate(std::string_view text);

// drift(t) = sum of c_k (t - t0)^k, k = 1..6, in mGal.
double DriftAt(const CDriftCorrection& drift, double dayNumber);

}  // namespace bramble
