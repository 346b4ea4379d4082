#pragma once

#include <string>

namespace bramble {

// printf-style formatting into a std::string; the compiler checks the
// format against the arguments at every call.
//
// Every printed number of the program goes through here (cells, final
// table, exports, drift lines): a floating-point value that prints as zero
// never shows a minus sign ("0.00", not "-0.00"), whether it is -0.0 or a
// small negative value rounded away.
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace bramble
