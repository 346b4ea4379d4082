#include "adjust/SetupBuilder.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace bramble {

double ReadingSigma(const AdjustReading& reading, const SigmaOptions& options)
{
    double term = 0.0;
    if (reading.sd && std::isfinite(*reading.sd) && *reading.sd >= 0.0) {
        term = options.factor * *reading.sd;
        if (reading.duration && std::isfinite(*reading.duration) && *reading.duration > 0.0)
            term /= std::sqrt(*reading.duration);
    }
    return std::max(options.minimum, std::hypot(term, options.add));
}

namespace {

// Running weighted sums of one setup.
struct SetupSums {
    Setup setup;
    double weight = 0.0, gravity = 0.0, time = 0.0;
    double temperatureWeight = 0.0, temperature = 0.0;

    void add(const AdjustReading& r, double sigma)
    {
        const double w = 1.0 / (sigma * sigma);
        weight += w;
        gravity += w * r.gravity;
        time += w * r.time;
        if (r.temperature && std::isfinite(*r.temperature)) {
            temperatureWeight += w;
            temperature += w * *r.temperature;
        }
        ++setup.readings;
        if (!setup.latitude && r.latitude && r.longitude) {
            setup.latitude = r.latitude;
            setup.longitude = r.longitude;
        }
    }

    Setup finish()
    {
        setup.gravity = gravity / weight;
        setup.time = time / weight;
        setup.sd = std::sqrt(1.0 / weight);
        if (temperatureWeight > 0.0)
            setup.temperature = temperature / temperatureWeight;
        return setup;
    }
};

}  // namespace

SetupsFromReadings BuildSetups(const std::vector<AdjustReading>& readings, const SigmaOptions& options)
{
    SetupsFromReadings out;
    // The open setup of every loop: a loop's readings need not be contiguous
    // in the list, but within a loop a change of station or meter closes it.
    std::map<std::string, SetupSums> open;
    std::vector<std::pair<std::size_t, Setup>> finished;  // (order of first reading, setup)
    std::map<std::string, std::size_t> openOrder;
    std::size_t order = 0;
    for (const AdjustReading& r : readings) {
        ++order;
        if (r.rejected)
            continue;
        if (!std::isfinite(r.gravity) || !std::isfinite(r.time)) {
            out.warnings.push_back("a reading of station " + r.station + " in loop " + r.loop +
                                   " has no usable gravity or time and is left out");
            continue;
        }
        auto it = open.find(r.loop);
        if (it != open.end() && (it->second.setup.station != r.station || it->second.setup.meter != r.meter)) {
            finished.emplace_back(openOrder[r.loop], it->second.finish());
            open.erase(it);
            it = open.end();
        }
        if (it == open.end()) {
            SetupSums sums;
            sums.setup.loop = r.loop;
            sums.setup.station = r.station;
            sums.setup.meter = r.meter;
            sums.setup.readings = 0;
            it = open.emplace(r.loop, std::move(sums)).first;
            openOrder[r.loop] = order;
        }
        it->second.add(r, ReadingSigma(r, options));
    }
    for (auto& [loop, sums] : open)
        finished.emplace_back(openOrder[loop], sums.finish());
    std::stable_sort(finished.begin(), finished.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    out.setups.reserve(finished.size());
    for (auto& f : finished)
        out.setups.push_back(std::move(f.second));
    return out;
}

}  // namespace bramble
