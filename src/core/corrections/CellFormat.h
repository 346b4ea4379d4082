#pragma once

#include <string>

namespace bramble {

// The text of a correction cell or summary field: "%10.4f", except that a
// value printing as zero never shows a minus sign ("0.0000", not "-0.0000").
std::string FormatCorrection(double value);

}  // namespace bramble
