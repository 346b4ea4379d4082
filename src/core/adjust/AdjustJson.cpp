#include <nlohmann/json.hpp>

#include "adjust/AdjustOutput.h"

namespace bramble {
namespace {

using Json = nlohmann::ordered_json;

Json ObservationJson(const ObservationResult& o)
{
    Json j;
    j["loop"] = o.kind == ObservationResult::Kind::datum ? Json(nullptr) : Json(o.loop);
    j["from"] = o.kind == ObservationResult::Kind::difference ? Json(o.from) : Json(nullptr);
    j["to"] = o.to;
    j["observed"] = o.observed;
    j["residual"] = o.residual;
    j["redundancy"] = o.redundancy;
    j["standardized"] = o.standardized ? Json(*o.standardized) : Json(nullptr);
    j["outlier"] = o.outlier;
    return j;
}

}  // namespace

std::string AdjustmentJson(const AdjustmentResult& r)
{
    Json j;
    j["model"] = ModelName(r.model);
    j["dof"] = r.dof;
    j["chi2"] = r.chi2;
    j["s0"] = r.s0 ? Json(*r.s0) : Json(nullptr);
    if (r.chi2Test)
        j["chi2_test"] = {{"lower", r.chi2Test->lower}, {"upper", r.chi2Test->upper}, {"passed", r.chi2Test->passed}};
    else
        j["chi2_test"] = nullptr;
    j["stations"] = Json::array();
    for (const StationResult& s : r.stations)
        j["stations"].push_back({{"station", s.station}, {"g", s.gravity}, {"sd", s.sd}, {"setups", s.setups}});
    j["drift"] = Json::array();
    for (const DriftResult& d : r.drift)
        j["drift"].push_back({{"loop", d.loop}, {"coefficients", d.coefficients}, {"sd", d.sd}});
    j["calibration"] = Json::array();
    for (const CalibrationResult& c : r.calibration)
        j["calibration"].push_back({{"meter", c.meter}, {"factor", c.factor}, {"sd", c.sd}});
    j["observations"] = Json::array();
    for (const ObservationResult& o : r.observationResults)
        j["observations"].push_back(ObservationJson(o));
    j["removed"] = Json::array();
    for (const ObservationResult& o : r.removed)
        j["removed"].push_back(ObservationJson(o));
    // Station and loop names come from files: bytes that are not UTF-8 are
    // replaced rather than refused.
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace bramble
