#pragma once

#include <string>

#include "meters/MeterSurvey.h"

namespace bramble {

// The survey as one JSON object, for scripts and other programs:
// {"format": "cg5", "readings": [{"station", "time" ("YYYY-MM-DD HH:MM:SS",
// UT), "gravity" (mGal as the meter wrote it, with the corrections the meter
// itself applied), "sd" (mGal or null), "tide" (the meter's tide correction,
// mGal or null), "latitude", "longitude" (degrees, east positive; null when
// unknown), "elevation" (m or null), "loop", "rejected" (bool)}, ...],
// "warnings": ["line 12: ...", ...]}.
std::string SurveyToJson(const MeterSurvey& survey);

const char* MeterKindName(MeterKind kind);  // "cg3", "aliod", "cg5", "cg6", "burris"

}  // namespace bramble
