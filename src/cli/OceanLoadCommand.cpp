#include <string>

#include "Commands.h"
#include "SeriesOptions.h"
#include "oceanload/BlqReader.h"
#include "oceanload/OceanLoadModel.h"

namespace bramble::cli {
namespace {

constexpr const char* kOceanLoadHelp =
    "usage: bramble-cli ocean-load --blq FILE [--station NAME]\n"
    "                              --from \"YYYY-MM-DD hh:mm:ss\" --to \"YYYY-MM-DD hh:mm:ss\" --step MINUTES\n"
    "\n"
    "Prints the ocean tide loading correction (the value added to a reading) at\n"
    "a station from --from to --to, one tab-separated line per epoch: day\n"
    "number, UTC time, correction in microGal.\n"
    "\n"
    "  --blq FILE        the station's ocean-loading parameters for gravity\n"
    "                    (a BLQ file, GRAV TILT, from the ocean-loading provider)\n"
    "  --station NAME    the block of that station (case does not matter);\n"
    "                    needed when the file holds more than one\n"
    "  --from, --to      first and last epoch, UTC\n"
    "  --step MINUTES    interval between epochs, more than 0\n";

// The names of the file's stations for a message: the first ten.
std::string StationNames(const std::vector<BlqBlock>& blocks)
{
    std::string names;
    for (std::size_t i = 0; i < blocks.size() && i < 10; ++i)
        names += (i ? ", " : "") + blocks[i].name;
    if (blocks.size() > 10)
        names += " and " + std::to_string(blocks.size() - 10) + " more";
    return names;
}

}  // namespace

int RunOceanLoad(const Args& args, std::ostream& out, std::ostream& err)
{
    const SeriesCommand command{"ocean-load", kOceanLoadHelp};
    std::string blq, station, from, to, step;
    if (const auto status = ParseSeriesOptions(
            command, args,
            {{"--blq", &blq}, {"--station", &station}, {"--from", &from}, {"--to", &to}, {"--step", &step}}, {},
            {{"--blq", &blq}, {"--from", &from}, {"--to", &to}, {"--step", &step}}, out, err))
        return *status;
    const std::optional<EpochSeries> series = ParseEpochSeries(command, from, to, step, err);
    if (!series)
        return 2;

    const BlqReadResult read = ReadBlqFile(blq);
    if (read.Failed()) {
        err << "bramble-cli ocean-load: " << read.ErrorText() << "\n";
        return 1;
    }
    const std::vector<BlqBlock>& blocks = read.Value();
    const BlqBlock* block = nullptr;
    if (station.empty()) {
        if (blocks.size() > 1) {
            err << "bramble-cli ocean-load: " << blq << " holds " << blocks.size()
                << " stations; choose one with --station: " << StationNames(blocks) << "\n";
            return 2;
        }
        block = &blocks.front();
    } else {
        for (const BlqBlock& b : blocks) {
            if (!block && SameStationName(b.name, station))
                block = &b;
        }
        if (!block) {
            err << "bramble-cli ocean-load: no station '" << station << "' in " << blq << "; it holds "
                << StationNames(blocks) << "\n";
            return 2;
        }
    }

    const OceanLoadModel model(*block);
    WriteSeries(out, *series, [&](double day) { return model.CorrectionMicroGal(day); });
    return 0;
}

}  // namespace bramble::cli
