#pragma once

#include <string_view>

namespace bramble {

// The line end of the text files the program writes. The original program
// wrote its files in Windows text mode, where every line feed is stored as
// carriage return and line feed; text files follow the platform's own
// convention, which on Linux is a bare line feed. Every text builder takes
// the line end as a parameter (pass "\r\n" for files meant for Windows).
inline constexpr std::string_view kTextLineEnd = "\n";

}  // namespace bramble
