#pragma once

#include "corrections/Coordinates.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/TideStep.h"

namespace bramble {

class CReading;

// What the steps before drift need besides the reading and its values.
struct StepInputs {
    const CorrectionSettings& settings;
    TideFunction tide;          // the "Berger" tide
    SiteCoordinates polarSite;  // where the polar-motion step places every reading
};

// The steps before drift, in their order: tide, ocean loading, pressure,
// polar motion. Rebuilds the reading's working gravity from its load-time
// values and writes each step's correction into the reading; m_dGrav is
// then the reading's gravity before drift. This is the one place of that
// sum: whatever needs the gravity before drift runs it. A Berger tide
// computed beforehand for the reading (BergerTideMgal) comes as `bergerTide`.
void ApplyStepsBeforeDrift(CReading& reading, const StepInputs& inputs, const double* bergerTide = nullptr);

// The ocean-loading step alone: with `apply` the reading's loading (0
// without a block) in mGal goes into m_dOceanLoadCorr and is added to the
// working gravity like the tide; without, m_dOceanLoadCorr = 0 and the
// gravity is left as it is.
void ApplyOceanLoadStep(CReading& reading, bool apply);

}  // namespace bramble
