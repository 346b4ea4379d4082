#pragma once

#include <array>
#include <string>
#include <string_view>

#include "drift/CDriftCorrection.h"

namespace bramble {

// The text form of a drift correction, in which the operator sees and edits
// it: t0 as "%m/%d/%Y  %H:%M:%S  ", then c1..c6 each as "%9.3f ".
std::string FormatDriftLine(const CDriftCorrection& drift);

// Reads a drift line back. Missing coefficients are 0; a date and time that
// do not form a valid date-time give t0 = 0. Never fails.
CDriftCorrection ParseDriftLine(std::string_view line);

// Up to six blank-separated numbers, leading blanks ignored, missing ones 0
// (the rate field of the input dialog and the tail of a drift line).
std::array<double, 6> ParseCoefficients(std::string_view text);

// drift(t) = sum of c_k (t - t0)^k, k = 1..6, in mGal.
double DriftAt(const CDriftCorrection& drift, double dayNumber);

}  // namespace bramble
