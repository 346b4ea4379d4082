#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bramble {

// Strict conversions for the adjustment's input files: the whole text (after
// trimming blanks) must be the value, and numbers must be finite.
std::optional<double> ParseFiniteNumber(std::string_view text);

// "YYYY-MM-DD HH:MM:SS" (UT) to a day number; none for any other text or an
// impossible date.
std::optional<double> ParseUtcTime(std::string_view text);

std::string_view TrimBlanks(std::string_view text);

// The fields of one CSV line: commas separate, a field may be enclosed in
// double quotes (a doubled quote inside stands for one). Blanks around a
// field are removed. None when a quote is left open.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

// A field for a CSV file: quoted when it holds a comma, quote or line end.
std::string CsvField(std::string_view text);

}  // namespace bramble
