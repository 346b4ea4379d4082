#include "SeriesOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "output/StringPrintf.h"
#include "survey/DateTime.h"

namespace bramble::cli {
namespace {

// Caps the output of a mistyped period or step.
constexpr double kMaxEpochs = 1e7;

bool ParseTime(const std::string& text, double& dayNumber)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        used != static_cast<int>(text.size()))
        return false;
    const DateTime dt = DateTime::fromParts(y, mo, d, h, mi, s);
    dayNumber = ContinuousDays(dt);
    return dt.isValid();
}

}  // namespace

std::optional<int> ParseSeriesOptions(const SeriesCommand& command, const Args& args, ValueOptions values,
                                      FlagOptions flags, ValueOptions required, std::ostream& out, std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << command.help;
            return 0;
        }
        bool isFlag = false;
        for (const auto& [name, target] : flags) {
            if (a == name)
                isFlag = *target = true;
        }
        if (isFlag)
            continue;
        std::string* target = nullptr;
        for (const auto& [name, value] : values) {
            if (a == name)
                target = value;
        }
        if (!target) {
            err << "bramble-cli " << command.name << ": unknown argument " << a << "\n" << command.help;
            return 2;
        }
        if (i + 1 >= args.size()) {
            err << "bramble-cli " << command.name << ": option " << a << " needs a value\n";
            return 2;
        }
        *target = args[++i];
    }
    for (const auto& [name, value] : required) {
        if (value->empty()) {
            err << "bramble-cli " << command.name << ": " << name << " is required\n" << command.help;
            return 2;
        }
    }
    return std::nullopt;
}

bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

std::optional<EpochSeries> ParseEpochSeries(const SeriesCommand& command, const std::string& from,
                                            const std::string& to, const std::string& step, std::ostream& err)
{
    const std::string who = std::string("bramble-cli ") + command.name + ": ";
    double minutes = 0, first = 0, last = 0;
    if (!ParseTime(from, first) || !ParseTime(to, last)) {
        err << who << "--from and --to must be valid times \"YYYY-MM-DD hh:mm:ss\", not '"
            << (ParseTime(from, first) ? to : from) << "'\n";
        return std::nullopt;
    }
    if (!ParseNumber(step, minutes) || minutes <= 0.0) {
        err << who << "--step must be a number of minutes greater than 0, not '" << step << "'\n";
        return std::nullopt;
    }
    if (last < first) {
        err << who << "--to is before --from\n";
        return std::nullopt;
    }
    const double stepDays = minutes / 1440.0;
    // Half a second of slack so that a period of whole steps ends on --to.
    const double count = std::floor((last - first) / stepDays + 0.5 / 86400.0 / stepDays) + 1.0;
    if (count > kMaxEpochs) {
        err << who << count << " epochs is more than " << kMaxEpochs << "; shorten the period or lengthen the step\n";
        return std::nullopt;
    }
    return EpochSeries{first, stepDays, static_cast<long long>(count)};
}

void WriteSeries(std::ostream& out, const EpochSeries& series, const std::function<double(double)>& microGalAt)
{
    for (long long i = 0; i < series.count; ++i) {
        // Steps are taken on the continuous time scale; the day number is
        // printed in its stored form, whose whole part counts backward
        // before 1899-12-30.
        const double time = series.first + static_cast<double>(i) * series.stepDays;
        const DateTime stamp = FromContinuousDays(time);
        out << StringPrintf("%.6f\t%s\t%.4f\n", stamp.value(), stamp.format("%Y-%m-%d %H:%M:%S").c_str(),
                            microGalAt(time));
    }
}

}  // namespace bramble::cli
