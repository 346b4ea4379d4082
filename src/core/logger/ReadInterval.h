#pragma once

#include <optional>
#include <string_view>

namespace bramble {

// The range of the logger's read interval, in seconds.
inline constexpr int kMinReadInterval = 1;
inline constexpr int kMaxReadInterval = 10000;

// The read interval typed into the settings dialog: a whole number from 1
// to 10000, blanks around it allowed. Nothing for any other text.
std::optional<int> ParseReadInterval(std::string_view text);

}  // namespace bramble
