#include <cmath>
#include <string>

#include "Commands.h"
#include "SeriesOptions.h"
#include "corrections/EarthTide.h"

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

}  // namespace

int RunTide(const Args& args, std::ostream& out, std::ostream& err)
{
    const SeriesCommand command{"tide", kTideHelp};
    std::string lat, lon, height = "0", from, to, step;
    bool nominal = false;
    if (const auto status = ParseSeriesOptions(
            command, args,
            {{"--lat", &lat},
             {"--lon", &lon},
             {"--height", &height},
             {"--from", &from},
             {"--to", &to},
             {"--step", &step}},
            {{"--nominal-factors", &nominal}},
            {{"--lat", &lat}, {"--lon", &lon}, {"--from", &from}, {"--to", &to}, {"--step", &step}}, out, err))
        return *status;

    TideStation station;
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
    const std::optional<EpochSeries> series = ParseEpochSeries(command, from, to, step, err);
    if (!series)
        return 2;

    const EarthTideModel model(station, TideOptions{1.0, nominal});
    WriteSeries(out, *series, [&](double day) { return model.CorrectionMicroGal(day); });
    return 0;
}

}  // namespace bramble::cli
