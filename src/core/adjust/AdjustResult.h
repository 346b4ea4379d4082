#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adjust/AdjustOptions.h"
#include "result/Result.h"

namespace bramble {

struct StationResult {
    std::string station;
    double gravity = 0.0;  // mGal
    double sd = 0.0;       // mGal; 0 for a station held fixed
    int setups = 0;        // setups of the station in the adjustment
    bool fixed = false;
    std::optional<double> latitude, longitude;
};

// One loop's drift: drift(t) = sum over k = 1..degree of coefficients[k-1] * t^k,
// t in days since firstTime. In the readings model the loop's offset (the
// meter's reading of a station of gravity `reference`) comes with it.
struct DriftResult {
    std::string loop;
    std::string meter;
    double firstTime = 0.0;                  // day number of the loop's first setup
    std::vector<double> coefficients, sd;    // mGal/day^k and their SDs
    std::optional<double> offset, offsetSd;  // readings model only
};

struct CalibrationResult {
    std::string meter;
    double factor = 1.0;
    double sd = 0.0;
};

struct ObservationResult {
    enum class Kind { setup, difference, datum };
    Kind kind = Kind::setup;
    std::string loop;                    // empty for a datum
    std::string from;                    // the earlier station of a difference; empty otherwise
    std::string to;                      // the station observed (the later one of a difference)
    std::vector<int> setups;             // indices into the adjustment's setups (none for a datum)
    std::string datumSource;             // for a datum
    double observed = 0.0;               // mGal: setup gravity, difference or datum value
    double sigma = 0.0;                  // a-priori SD, mGal
    double residual = 0.0;               // adjusted minus observed, mGal
    double redundancy = 0.0;             // r = (Q_vv P)_ii, 0..1
    std::optional<double> standardized;  // v / (s0 sqrt(q_vv)); none when r = 0 or s0 is undefined
    bool outlier = false;                // flagged by the tau test
};

struct GlobalTestResult {
    double lower = 0.0, upper = 0.0;  // two-sided bounds of chi2 at alpha
    bool passed = false;
};

struct AdjustmentResult {
    ObservationModel model = ObservationModel::readings;
    int driftDegree = 1;
    double alpha = 0.05;
    bool aPriori = false;
    int observations = 0;  // observations used, datum observations included
    int unknowns = 0;
    int dof = 0;
    double chi2 = 0.0;         // v'Pv
    std::optional<double> s0;  // sqrt(v'Pv / dof); none when dof = 0
    std::optional<GlobalTestResult> chi2Test;
    std::optional<double> tauCritical;  // none when dof < 2
    std::vector<StationResult> stations;
    std::vector<DriftResult> drift;
    std::vector<CalibrationResult> calibration;
    std::vector<ObservationResult> observationResults;
    std::vector<ObservationResult> removed;  // in the order they were removed, as they stood then
};

// The outcome of an adjustment: a result, or an error saying why there is
// none; warnings in both cases.
using AdjustOutcome = Result<AdjustmentResult>;

const char* ModelName(ObservationModel model);

}  // namespace bramble
