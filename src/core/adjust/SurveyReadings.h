#pragma once

#include <vector>

#include "adjust/AdjustReading.h"
#include "meters/MeterSurvey.h"

namespace bramble {

// The readings of a meter file for the adjustment, with the corrections the
// meter applied as stored (its own tide included; a survey's own tide,
// pressure and polar-motion choices replace this once surveys carry them).
// Loops, meters, SDs and durations come as the reader gives them; readings
// the file marks as not to be used are rejected.
std::vector<AdjustReading> AdjustReadingsFromSurvey(const MeterSurvey& survey);

}  // namespace bramble
