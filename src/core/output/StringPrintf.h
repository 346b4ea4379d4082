#pragma once

#include <string>

namespace bramble {

// printf-style formatting into a std::string; the compiler checks the
// format against the arguments at every call.
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace bramble
