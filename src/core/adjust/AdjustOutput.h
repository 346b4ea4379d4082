#pragma once

#include <string>
#include <vector>

#include "adjust/AdjustResult.h"

namespace bramble {

// The adjustment's results as bytes for a file.
//
// JSON: {"model", "dof", "chi2", "s0", "chi2_test": {"lower", "upper",
// "passed"}, "stations": [{"station", "g", "sd", "setups"}], "drift":
// [{"loop", "coefficients", "sd"}], "calibration": [{"meter", "factor",
// "sd"}], "observations": [{"loop", "from", "to", "observed", "residual",
// "redundancy", "standardized", "outlier"}], "removed": [...as observations]}.
// mGal throughout; drift coefficients[k-1] in mGal/day^k. null where a value
// does not exist: s0 and chi2_test at 0 degrees of freedom, "from" of a
// setup or datum, "loop" of a datum, "standardized" without redundancy.
std::string AdjustmentJson(const AdjustmentResult& result);

// The station table: "station,g,sd,setups", mGal with 4 decimals.
std::string AdjustmentStationCsv(const AdjustmentResult& result);

// A readable report of everything, warnings included.
std::string AdjustmentReport(const AdjustmentResult& result, const std::vector<std::string>& warnings);

}  // namespace bramble
