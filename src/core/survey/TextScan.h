#pragma once

#include <string_view>

namespace bramble {

// Position-based text scanning for the meter readers. Positions are 0-based;
// a failed search gives -1, and every function accepts any position
// (negative or past the end) without reading outside the text.
inline constexpr long long kNotFound = -1;

// First occurrence of needle at index from or later; -1 when none.
long long Find(std::string_view text, std::string_view needle, long long from = 0);
long long Find(std::string_view text, char needle, long long from = 0);

// count characters from first, clipped to the text (a negative first counts from 0).
std::string_view Mid(std::string_view text, long long first, long long count);
// Everything from first to the end.
std::string_view Mid(std::string_view text, long long first);

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
bool IsBlankLine(std::string_view text);

}  // namespace bramble
