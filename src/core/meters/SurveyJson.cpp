#include "meters/SurveyJson.h"

#include <nlohmann/json.hpp>

namespace bramble {
namespace {

using Json = nlohmann::ordered_json;

Json Optional(const std::optional<double>& value) { return value ? Json(*value) : Json(nullptr); }

}  // namespace

const char* MeterKindName(MeterKind kind)
{
    switch (kind) {
    case MeterKind::cg3:
        return "cg3";
    case MeterKind::aliod:
        return "aliod";
    case MeterKind::cg5:
        return "cg5";
    case MeterKind::cg6:
        return "cg6";
    case MeterKind::burris:
        return "burris";
    }
    return "cg3";
}

std::string SurveyToJson(const MeterSurvey& survey)
{
    Json readings = Json::array();
    for (const MeterReading& r : survey.readings) {
        readings.push_back({
            {"station", r.station},
            {"time", r.time.format("%Y-%m-%d %H:%M:%S")},
            {"gravity", r.gravity},
            {"sd", Optional(r.sd)},
            {"tide", Optional(r.tide)},
            {"latitude", Optional(r.latitude)},
            {"longitude", Optional(r.longitude)},
            {"elevation", Optional(r.elevation)},
            {"loop", r.loop},
            {"rejected", r.rejectedReading},
        });
    }
    Json warnings = Json::array();
    for (const ReadIssue& issue : survey.issues)
        warnings.push_back(issue.message());
    const Json object = {
        {"format", MeterKindName(survey.kind)}, {"readings", std::move(readings)}, {"warnings", std::move(warnings)}};
    // Invalid bytes in a station name or a warning become U+FFFD rather
    // than an exception: the file's text is not ours to refuse here.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace bramble
