#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "adjust/Datum.h"
#include "result/Result.h"

namespace bramble {

// The datums read, or the error that refused them (what and where).
using DatumsRead = Result<std::vector<Datum>>;

// "STATION=G[:SD]", G and SD in mGal (SD 0 or left out: held fixed). The
// station is everything before the last '='.
DatumsRead ParseDatumArgument(std::string_view text);

// The height, cm above the station mark, to which absolute values are
// moved by their gradient before they tie the relative readings. The
// default 0 refers datums (and so the adjusted stations) to the mark; give
// the relative meter's sensor height to tie the readings at their own level.
constexpr double kDefaultReadingHeightCm = 0.0;

// A datum file: either a Micro-g LaCoste absolute-gravity processing report
// (recognised by its "Gravity:" and "Transfer Height:" lines; see
// ReadAbsoluteReport) or a simple list, one datum a line:
// "station gravity_uGal sd_uGal", blank lines and lines starting with '#'
// ignored. Any bad line refuses the file, naming the line.
DatumsRead ReadDatumFile(const std::string& path, double readingHeightCm = kDefaultReadingHeightCm);

// A Micro-g LaCoste report (*.project.txt): station "Name:", "Gravity:" in
// uGal at the transfer height, its SD from "Total Uncertainty:" (or
// "Set Scatter:" when that is missing), "Transfer Height:" in cm and
// "Gradient:" in uGal/cm. The value is moved to readingHeightCm:
//   g = Gravity + Gradient * (readingHeightCm - TransferHeight)
// The micro sign may be a Latin-1 byte, UTF-8 or a plain 'u'.
DatumsRead ReadAbsoluteReport(const std::string& path, double readingHeightCm = kDefaultReadingHeightCm);

}  // namespace bramble
