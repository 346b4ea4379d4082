#pragma once

#include "corrections/CorrectionSettings.h"
#include "result/Result.h"
#include "session/MeterKind.h"

namespace bramble {

// The tide options a survey offers. A CG-3 applies its own (Longman) tide
// correction, E.T.C., which the "Longman" option keeps; so do the CG-5
// (with "Tide Correction: YES"), the CG-6 (TideCorr in CorrGrav) and the
// Burris (tide column in the gravity), whose tide the option keeps alike.
// An Aliod meter writes no tide correction, so its data offer only
// "Berger" and "None".
// This is the one place of that rule: the Corrections dialog greys its
// radio button with it and bramble-cli refuses --tide longman with it.
bool TideModeOffered(MeterKind meter, int tideMode);

// The option a survey starts the Corrections dialog with: the one held,
// or "None" where the one held is not offered.
int OfferedTideMode(MeterKind meter, int tideMode);

// An error naming the option when the survey does not offer it.
Outcome CheckTideMode(MeterKind meter, int tideMode);

}  // namespace bramble
