#include "adjust/Network.h"

#include <cmath>
#include <map>

namespace bramble {

NetworkBuild BuildNetwork(const std::vector<Setup>& setups, const std::vector<Datum>& datums,
                          const AdjustOptions& options)
{
    NetworkBuild out;
    if (setups.empty()) {
        out.error = "there are no setups to adjust";
        return out;
    }
    Network net;
    std::map<std::string, int> stationIndex, meterIndex;
    std::map<std::pair<std::string, std::string>, int> loopIndex;
    std::map<std::string, std::size_t> metersPerLoopName;
    for (const Setup& s : setups) {
        if (!std::isfinite(s.gravity) || !std::isfinite(s.time) || !std::isfinite(s.sd) || s.sd <= 0.0) {
            out.error = "setup of station " + s.station + " in loop " + s.loop +
                        (s.source.empty() ? "" : " (" + s.source + ")") + " has no usable gravity, time or SD";
            return out;
        }
        if (stationIndex.emplace(s.station, static_cast<int>(net.stations.size())).second) {
            net.stations.push_back(s.station);
            net.setupCount.push_back(0);
            net.latitude.push_back(s.latitude);
            net.longitude.push_back(s.longitude);
        }
        if (meterIndex.emplace(s.meter, static_cast<int>(net.meters.size())).second)
            net.meters.push_back(s.meter);
        if (loopIndex.emplace(std::make_pair(s.loop, s.meter), static_cast<int>(net.loops.size())).second) {
            net.loops.push_back({s.loop, s.meter, meterIndex[s.meter], s.time});
            ++metersPerLoopName[s.loop];
        }
    }
    for (NetworkLoop& loop : net.loops)
        if (metersPerLoopName[loop.name] > 1)
            loop.name += " (" + (loop.meter.empty() ? std::string("no meter") : loop.meter) + ")";
    net.fixedXi.assign(net.stations.size(), std::nullopt);

    // Datums: the reference is the first one in use.
    bool haveReference = false;
    std::vector<std::optional<double>> fixedG(net.stations.size());
    for (const Datum& d : datums) {
        const auto it = stationIndex.find(d.station);
        if (it == stationIndex.end()) {
            out.warnings.push_back("datum station " + d.station + " (" + d.source + ") has no setups and is left out");
            continue;
        }
        if (!std::isfinite(d.gravity) || !std::isfinite(d.sd) || d.sd < 0.0) {
            out.error = "datum of station " + d.station + " (" + d.source + ") has no usable value or SD";
            return out;
        }
        if (!haveReference) {
            net.reference = d.gravity;
            haveReference = true;
        }
        const int station = it->second;
        if (d.sd == 0.0) {
            if (fixedG[station] && *fixedG[station] != d.gravity) {
                out.error = "station " + d.station + " is held fixed at two different values (" +
                            std::to_string(*fixedG[station]) + " and " + std::to_string(d.gravity) + " mGal)";
                return out;
            }
            fixedG[station] = d.gravity;
        }
        net.datums.push_back(d);
    }
    if (net.datums.empty()) {
        out.warnings.push_back("no datum: station " + net.stations.front() +
                               " is held at 0 mGal and the other stations are relative to it");
        net.datums.push_back({net.stations.front(), 0.0, 0.0, "no datum given"});
        fixedG[0] = 0.0;
    }
    for (std::size_t i = 0; i < fixedG.size(); ++i)
        if (fixedG[i])
            net.fixedXi[i] = *fixedG[i] - net.reference;

    // Observations of the setups.
    std::vector<int> lastSetupOfLoop(net.loops.size(), -1);
    for (std::size_t k = 0; k < setups.size(); ++k) {
        const Setup& s = setups[k];
        const int loop = loopIndex[{s.loop, s.meter}];
        const int station = stationIndex[s.station];
        ++net.setupCount[station];
        const double t = s.time - net.loops[loop].firstTime;
        if (t < 0.0) {
            out.error = "setup of station " + s.station + " in loop " + s.loop +
                        (s.source.empty() ? "" : " (" + s.source + ")") +
                        " is earlier than the loop's first setup (setups of a loop must be in time order)";
            return out;
        }
        if (options.model == ObservationModel::readings) {
            NetworkObservation o;
            o.kind = NetworkObservation::Kind::setup;
            o.loop = loop;
            o.to = station;
            o.setupTo = static_cast<int>(k);
            o.tTo = t;
            o.observed = s.gravity;
            o.sigma = s.sd;
            net.observations.push_back(o);
        } else if (const int prev = lastSetupOfLoop[loop]; prev >= 0) {
            const Setup& p = setups[prev];
            NetworkObservation o;
            o.kind = NetworkObservation::Kind::difference;
            o.loop = loop;
            o.from = stationIndex[p.station];
            o.to = station;
            o.setupFrom = prev;
            o.setupTo = static_cast<int>(k);
            o.tFrom = p.time - net.loops[loop].firstTime;
            o.tTo = t;
            o.observed = s.gravity - p.gravity;
            o.sigma = std::hypot(s.sd, p.sd);
            if (t < o.tFrom) {
                out.error = "setup of station " + s.station + " in loop " + s.loop +
                            (s.source.empty() ? "" : " (" + s.source + ")") +
                            " is earlier than the setup before it (setups of a loop must be in time order)";
                return out;
            }
            net.observations.push_back(o);
        }
        lastSetupOfLoop[loop] = static_cast<int>(k);
    }
    // Datum observations (a fixed datum is no observation: its station is
    // eliminated from the unknowns).
    for (std::size_t d = 0; d < net.datums.size(); ++d) {
        const Datum& datum = net.datums[d];
        if (datum.sd == 0.0)
            continue;
        NetworkObservation o;
        o.kind = NetworkObservation::Kind::datum;
        o.to = stationIndex[datum.station];
        o.observed = datum.gravity - net.reference;
        o.sigma = datum.sd;
        o.datum = static_cast<int>(d);
        net.observations.push_back(o);
    }
    out.network = std::move(net);
    return out;
}

}  // namespace bramble
