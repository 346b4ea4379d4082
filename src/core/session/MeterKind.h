#pragma once

#include "meters/MeterSurvey.h"

namespace bramble {

// The document's views get the kind as their update hint: 1 for an Aliod
// survey, 0 for every other (their station list is laid out as the CG-3's).
inline int UpdateHintOf(MeterKind meter) { return meter == MeterKind::aliod ? 1 : 0; }

}  // namespace bramble
