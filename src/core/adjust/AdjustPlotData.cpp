#include "adjust/AdjustPlotData.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace bramble {
namespace {

double DriftAt(const DriftResult& d, double days)
{
    double value = 0.0, power = 1.0;
    for (const double c : d.coefficients) {
        power *= days;
        value += c * power;
    }
    return value;
}

const StationResult* FindStation(const AdjustmentResult& r, const std::string& name)
{
    for (const StationResult& s : r.stations)
        if (s.station == name)
            return &s;
    return nullptr;
}

double FactorOf(const AdjustmentResult& r, const std::string& meter)
{
    for (const CalibrationResult& c : r.calibration)
        if (c.meter == meter)
            return c.factor;
    return 1.0;
}

}  // namespace

LoopDriftSeries DriftSeriesOfLoop(const AdjustmentResult& r, const std::vector<Setup>& setups, std::size_t loop,
                                  int samples)
{
    LoopDriftSeries out;
    if (loop >= r.drift.size())
        return out;
    const DriftResult& d = r.drift[loop];
    out.loop = d.loop;
    std::map<int, bool> used;  // setup -> only in removed observations
    for (const ObservationResult& o : r.observationResults)
        if (o.loop == d.loop)
            for (const int s : o.setups)
                used[s] = false;
    for (const ObservationResult& o : r.removed)
        if (o.loop == d.loop)
            for (const int s : o.setups)
                used.emplace(s, true);
    const double k = FactorOf(r, d.meter);
    double weight = 0.0, level = 0.0;
    for (const auto& [index, removed] : used) {
        if (index < 0 || static_cast<std::size_t>(index) >= setups.size())
            continue;
        const Setup& s = setups[static_cast<std::size_t>(index)];
        const StationResult* station = FindStation(r, s.station);
        if (!station)
            continue;
        const double y = s.gravity - k * station->gravity;
        out.points.push_back({s.time, y, index, removed});
        if (!removed) {
            const double w = 1.0 / (s.sd * s.sd);
            weight += w;
            level += w * (y - DriftAt(d, s.time - d.firstTime));
        }
    }
    if (weight > 0.0)
        level /= weight;
    for (auto& p : out.points)
        p.value -= level;
    std::sort(out.points.begin(), out.points.end(),
              [](const LoopDriftSeries::Point& a, const LoopDriftSeries::Point& b) { return a.time < b.time; });
    if (!out.points.empty() && samples >= 2) {
        const double first = std::min(d.firstTime, out.points.front().time);
        const double last = out.points.back().time;
        for (int i = 0; i < samples; ++i) {
            const double t = first + (last - first) * i / (samples - 1);
            out.curve.emplace_back(t, DriftAt(d, t - d.firstTime));
        }
    }
    return out;
}

Histogram StandardizedHistogram(const AdjustmentResult& r, double width)
{
    Histogram h;
    h.width = width;
    std::vector<long> bins;
    for (const ObservationResult& o : r.observationResults)
        if (o.standardized && std::isfinite(*o.standardized))
            bins.push_back(std::lround(*o.standardized / width));
    if (bins.empty())
        return h;
    const auto [low, high] = std::minmax_element(bins.begin(), bins.end());
    h.first = static_cast<double>(*low) * width;
    h.counts.assign(static_cast<std::size_t>(*high - *low + 1), 0);
    for (const long b : bins)
        ++h.counts[static_cast<std::size_t>(b - *low)];
    return h;
}

std::vector<MapTie> NetworkTies(const AdjustmentResult& r)
{
    std::vector<MapTie> ties;
    const auto tie = [&](const std::string& from, const std::string& to, std::optional<double> w, bool outlier) {
        const StationResult* a = FindStation(r, from);
        const StationResult* b = FindStation(r, to);
        if (!a || !b || from == to || !a->latitude || !a->longitude || !b->latitude || !b->longitude)
            return;
        ties.push_back({from, to, *a->latitude, *a->longitude, *b->latitude, *b->longitude, w, outlier});
    };
    // Setup observations of each loop, by setup index (their time order).
    std::map<std::string, std::map<int, const ObservationResult*>> setupsOfLoop;
    for (const ObservationResult& o : r.observationResults) {
        if (o.kind == ObservationResult::Kind::difference)
            tie(o.from, o.to, o.standardized, o.outlier);
        else if (o.kind == ObservationResult::Kind::setup && !o.setups.empty())
            setupsOfLoop[o.loop][o.setups.front()] = &o;
    }
    for (const auto& [loop, byIndex] : setupsOfLoop) {
        const ObservationResult* previous = nullptr;
        for (const auto& [index, o] : byIndex) {
            if (previous && previous->to != o->to) {
                std::optional<double> w = previous->standardized;
                if (o->standardized && (!w || std::abs(*o->standardized) > std::abs(*w)))
                    w = o->standardized;
                tie(previous->to, o->to, w, previous->outlier || o->outlier);
            }
            previous = o;
        }
    }
    return ties;
}

}  // namespace bramble
