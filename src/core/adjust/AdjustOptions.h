#pragma once

namespace bramble {

enum class ObservationModel {
    readings,     // each setup observes its station, with a per-loop offset
    differences,  // each pair of successive setups of a loop observes their difference
};

struct AdjustOptions {
    ObservationModel model = ObservationModel::readings;
    int driftDegree = 1;          // 0..3, per loop, in days since the loop's first setup
    bool calibration = false;     // one factor per meter
    double alpha = 0.05;          // significance of the global and the outlier tests
    bool aPriori = false;         // station SDs from the a-priori SDs alone (sigma0 = 1)
    bool removeOutliers = false;  // drop the worst flagged observation and adjust again, until none is flagged
};

}  // namespace bramble
