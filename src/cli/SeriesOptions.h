#pragma once

// What the commands that print a series over a period (tide, ocean-load)
// share: their option parsing, the period --from/--to/--step and the line
// format "day number <TAB> UTC time <TAB> microGal".

#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "Commands.h"

namespace bramble::cli {

struct SeriesCommand {
    const char* name;  // "tide": messages start "bramble-cli tide: "
    const char* help;  // printed for --help and after a wrong or missing option
};

using ValueOptions = std::initializer_list<std::pair<const char*, std::string*>>;
using FlagOptions = std::initializer_list<std::pair<const char*, bool*>>;

// Fills the values and flags from `args`. Returns the exit status when the
// command is to end here (0 after --help, 2 for an unknown option, one
// without its value or a required one left empty), nothing to go on.
std::optional<int> ParseSeriesOptions(const SeriesCommand& command, const Args& args, ValueOptions values,
                                      FlagOptions flags, ValueOptions required, std::ostream& out, std::ostream& err);

// A finite number filling the whole text.
bool ParseNumber(const std::string& text, double& value);

struct EpochSeries {
    double first = 0.0;  // UTC, continuous day count (ContinuousDays)
    double stepDays = 0.0;
    long long count = 0;
};

// The epochs from --from to --to (both "YYYY-MM-DD hh:mm:ss", UTC) every
// --step minutes; nothing, with the reason on `err`, when they are wrong.
std::optional<EpochSeries> ParseEpochSeries(const SeriesCommand& command, const std::string& from,
                                            const std::string& to, const std::string& step, std::ostream& err);

// One line per epoch: day number, UTC time, value (microGal) at that epoch.
void WriteSeries(std::ostream& out, const EpochSeries& series, const std::function<double(double)>& microGalAt);

}  // namespace bramble::cli
