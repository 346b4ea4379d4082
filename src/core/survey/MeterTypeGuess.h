#pragma once

#include <string>

namespace bramble {

enum class MeterType { scintrex, aliod };

// Which reader suits a file that comes without the operator's choice (a
// file dropped on the window or named on the command line): a file whose
// first lines hold a "SCINTREX" header is a CG-3 dump; one whose first
// data line is "station, YYYY-MM-DD ..." is Aliod data; anything else, and
// a file that cannot be read, is taken as a CG-3 dump.
MeterType GuessMeterType(const std::string& path);

}  // namespace bramble
