#include "corrections/BergerTides.h"

#include <algorithm>
#include <functional>
#include <system_error>
#include <thread>

#include "corrections/TideStep.h"

namespace bramble {
namespace {

// A thread is worth starting for this many readings (about a millisecond
// of tide) and more; more than four threads gain little on one survey.
constexpr std::size_t kReadingsPerThread = 2048;
constexpr std::size_t kMaxThreads = 4;

void ComputePart(const std::vector<const CReading*>& readings, std::vector<double>& tides, std::size_t begin,
                 std::size_t end)
{
    const TideFunction tide = DefaultTideFunction();
    for (std::size_t i = begin; i < end; ++i)
        tides[i] = BergerTideMgal(*readings[i], tide);
}

}  // namespace

void ComputeBergerTides(const std::vector<const CReading*>& readings, std::vector<double>& tides)
{
    tides.resize(readings.size());
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t parts =
        std::min({cores, kMaxThreads, std::max(std::size_t{1}, readings.size() / kReadingsPerThread)});
    const std::size_t perPart = (readings.size() + parts - 1) / parts;
    std::vector<std::jthread> helpers;
    for (std::size_t part = 1; part < parts; ++part) {
        const std::size_t begin = part * perPart;
        const std::size_t end = std::min(readings.size(), begin + perPart);
        try {
            helpers.emplace_back(ComputePart, std::cref(readings), std::ref(tides), begin, end);
        } catch (const std::system_error&) {
            ComputePart(readings, tides, begin, end);  // no thread to be had: done here
        }
    }
    ComputePart(readings, tides, 0, std::min(readings.size(), perPart));
}  // the helpers join here

}  // namespace bramble
