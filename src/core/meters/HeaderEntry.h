#pragma once

#include <optional>
#include <string_view>
#include <utility>

namespace bramble::meters {

// A "/" header line of a Scintrex file split into its name and value:
// "/\tSurvey name:   \talohou" -> ("Survey name", "alohou"). The name ends
// at the first colon followed by a blank, a tab or the end of the line, so
// that values holding colons ("16:06:30") stay whole. Empty for a line
// without such a colon.
std::optional<std::pair<std::string_view, std::string_view>> SplitHeaderEntry(std::string_view line);

// Case-insensitive comparison of ASCII names.
bool SameName(std::string_view a, std::string_view b);

}  // namespace bramble::meters
