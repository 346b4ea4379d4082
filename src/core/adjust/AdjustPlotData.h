#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adjust/AdjustResult.h"
#include "adjust/Setup.h"

namespace bramble {

// What the adjustment's charts draw, computed from a result and the setups
// it was adjusted from (the indices of ObservationResult::setups).

// One loop's drift as observed and as fitted. Each setup gives
// y = g_setup - k_meter * x_station (the meter's reading less the adjusted
// gravity: its offset, drift and residual); the loop's level c, the mean of
// y - drift(t) weighted by 1/sd^2, is taken off, so that the points scatter
// about the fitted drift(t), which is 0 at the loop's first setup.
struct LoopDriftSeries {
    struct Point {
        double time = 0.0;  // day number
        double value = 0.0;  // mGal
        int setup = -1;      // index into the setups
        bool removed = false;  // only in observations removed as outliers
    };
    std::string loop;
    std::vector<Point> points;                          // in time order
    std::vector<std::pair<double, double>> curve;       // (day number, mGal), `samples` points
};

LoopDriftSeries DriftSeriesOfLoop(const AdjustmentResult& result, const std::vector<Setup>& setups,
                                  std::size_t loop, int samples = 101);

// Counts of standardized residuals in bins of `width` centred on whole
// multiples of it; bins span every value (none without values).
struct Histogram {
    double first = 0.0;  // centre of the first bin
    double width = 0.5;
    std::vector<int> counts;
};

Histogram StandardizedHistogram(const AdjustmentResult& result, double width = 0.5);

// A line on the station map between two stations that have positions: a
// difference observation (its standardized residual), or in the readings
// model two successive setups of a loop at different stations (the
// standardized residual of larger size of the two).
struct MapTie {
    std::string from, to;
    double fromLatitude = 0.0, fromLongitude = 0.0, toLatitude = 0.0, toLongitude = 0.0;
    std::optional<double> standardized;
    bool outlier = false;
};

std::vector<MapTie> NetworkTies(const AdjustmentResult& result);

}  // namespace bramble
