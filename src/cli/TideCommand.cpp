#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Commands.h"
#include "corrections/EarthTide.h"
#include "survey/DateTime.h"

namespace bramble::cli {
namespace {

constexpr const char* kTideHelp =
    "usage: bramble-cli tide --lat DEG --lon DEG_EAST [--height M] [--nominal-factors]\n"
    "                        --from \"YYYY-MM-DD hh:mm:ss\" --to \"YYYY-MM-DD hh:mm:ss\" --step MINUTES\n"
    "\n"
    "Prints the earth-tide correction (the value added to a reading, minus the\n"
    "tidal gravity signal) at a station from --from to --to, one tab-separated\n"
    "line per epoch: day number, UTC time, correction in microGal.\n"
    "\n"
    "  --lat DEG          geodetic latitude, degrees, north positive\n"
    "  --lon DEG_EAST     longitude, degrees, east positive\n"
    "  --height M         height above the ellipsoid, metres (default 0)\n"
    "  --nominal-factors  uniform factors 1.16 (degree 2) and 1.07 (degree 3),\n"
    "                     no degree 4, no diurnal resonance: the check model\n"
    "  --from, --to       first and last epoch, UTC\n"
    "  --step MINUTES     interval between epochs, more than 0\n";

// Caps the output of a mistyped period or step.
constexpr double kMaxEpochs = 1e7;

bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

bool ParseTime(const std::string& text, double& dayNumber)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        used != static_cast<int>(text.size()))
        return false;
    const DateTime dt = DateTime::fromParts(y, mo, d, h, mi, s);
    dayNumber = dt.value();
    return dt.isValid();
}

}  // namespace

int RunTide(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string lat, lon, height = "0", from, to, step;
    bool nominal = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = nullptr;
        if (a == "--help" || a == "-h") {
            out << kTideHelp;
            return 0;
        } else if (a == "--nominal-factors") {
            nominal = true;
            continue;
        } else if (a == "--lat") {
            target = &lat;
        } else if (a == "--lon") {
            target = &lon;
        } else if (a == "--height") {
            target = &height;
        } else if (a == "--from") {
            target = &from;
        } else if (a == "--to") {
            target = &to;
        } else if (a == "--step") {
            target = &step;
        } else {
            err << "bramble-cli tide: unknown argument " << a << "\n" << kTideHelp;
            return 2;
        }
        if (i + 1 >= args.size()) {
            err << "bramble-cli tide: option " << a << " needs a value\n";
            return 2;
        }
        *target = args[++i];
    }

    for (const auto& [name, value] : {std::pair{"--lat", &lat}, {"--lon", &lon}, {"--from", &from},
                                      {"--to", &to}, {"--step", &step}}) {
        if (value->empty()) {
            err << "bramble-cli tide: " << name << " is required\n" << kTideHelp;
            return 2;
        }
    }
    TideStation station;
    double minutes = 0, first = 0, last = 0;
    if (!ParseNumber(lat, station.latitudeDeg) || std::abs(station.latitudeDeg) > 90.0) {
        err << "bramble-cli tide: --lat must be a number of degrees from -90 to 90, not '" << lat << "'\n";
        return 2;
    }
    if (!ParseNumber(lon, station.longitudeEastDeg) || std::abs(station.longitudeEastDeg) > 360.0) {
        err << "bramble-cli tide: --lon must be a number of degrees from -360 to 360, not '" << lon << "'\n";
        return 2;
    }
    if (!ParseNumber(height, station.heightM) || std::abs(station.heightM) > 100000.0) {
        err << "bramble-cli tide: --height must be a number of metres, not '" << height << "'\n";
        return 2;
    }
    if (!ParseTime(from, first) || !ParseTime(to, last)) {
        err << "bramble-cli tide: --from and --to must be valid times \"YYYY-MM-DD hh:mm:ss\", not '"
            << (ParseTime(from, first) ? to : from) << "'\n";
        return 2;
    }
    if (!ParseNumber(step, minutes) || minutes <= 0.0) {
        err << "bramble-cli tide: --step must be a number of minutes greater than 0, not '" << step << "'\n";
        return 2;
    }
    if (last < first) {
        err << "bramble-cli tide: --to is before --from\n";
        return 2;
    }
    const double stepDays = minutes / 1440.0;
    // Half a second of slack so that a period of whole steps ends on --to.
    const double count = std::floor((last - first) / stepDays + 0.5 / 86400.0 / stepDays) + 1.0;
    if (count > kMaxEpochs) {
        err << "bramble-cli tide: " << count << " epochs is more than " << kMaxEpochs
            << "; shorten the period or lengthen the step\n";
        return 2;
    }

    const EarthTideModel model(station, TideOptions{1.0, nominal});
    const long long epochs = static_cast<long long>(count);
    for (long long i = 0; i < epochs; ++i) {
        const double day = first + static_cast<double>(i) * stepDays;
        char line[96];
        std::snprintf(line, sizeof line, "%.6f\t%s\t%.4f\n", day,
                      DateTime(day).format("%Y-%m-%d %H:%M:%S").c_str(), model.CorrectionMicroGal(day));
        out << line;
    }
    return 0;
}

}  // namespace bramble::cli
