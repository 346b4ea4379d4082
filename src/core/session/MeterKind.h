#pragma once

#include "meters/MeterSurvey.h"

namespace bramble {

// The station list and the document hold CG-3 and Aliod surveys; their
// views get the kind as their update hint (0 CG-3, 1 Aliod).
inline int UpdateHintOf(MeterKind meter) { return meter == MeterKind::aliod ? 1 : 0; }

}  // namespace bramble
