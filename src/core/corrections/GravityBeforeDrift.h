#pragma once

#include <optional>

#include "corrections/Coordinates.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/TideStep.h"

namespace bramble {

class CKelpDoc;
class CReading;

// The correction steps that come before drift (tide, ocean loading,
// pressure, polar motion) as a survey's settings choose them: what stays the
// same for every reading of a run.
struct StepsBeforeDrift {
    int tideMode = kTideLongman;
    bool applyOceanLoad = false;
    bool applyPressure = false;
    double nominalPressure = 0.0;  // hPa
    bool applyPolar = false;
    TideFunction tide;          // the "Berger" tide
    // Where the polar-motion step places a reading without a position of
    // its own (CG-3, Aliod); a CG-5, CG-6 or Burris reading uses its own.
    SiteCoordinates polarSite;
};

// The steps of `settings` for the readings of `doc`: the polar-motion step
// uses the document's current header; an empty `tide` is the program's
// model (GravTide).
StepsBeforeDrift StepsBeforeDriftOf(const CKelpDoc& doc, const CorrectionSettings& settings,
                                    const TideFunction& tide = {});

// A reading's corrections up to drift, from its load-time values alone (the
// reading is not changed), each in mGal and to be added. This is the one
// place of that sum. A Berger tide computed beforehand for the reading
// (BergerTideMgal, e.g. on several threads) comes as `bergerTide`.
struct CorrectionsBeforeDrift {
    double tide = 0.0;          // the computed tide (Berger), else 0
    std::optional<double> etc;  // the working E.T.C. of a reading holding the meter's tide, when the option sets it
    double oceanLoad = 0.0;     // the ocean loading when applied (0 without a block)
    double pressure = 0.0;
    double polar = 0.0;
    double gravity = 0.0;  // the gravity after the tide, ocean-loading, pressure and polar steps
    // False when the Berger tide or polar motion needed the reading's own
    // position and its file gives none: that correction is then 0.
    bool placed = true;
};
CorrectionsBeforeDrift ComputeCorrectionsBeforeDrift(const CReading& reading, const StepsBeforeDrift& steps,
                                                     const double* bergerTide = nullptr);

// A reading's gravity before drift under the steps, at full precision: the
// quantity the drift line is fitted to and from which the corrections
// pipeline subtracts the drift. For Longman without pressure and polar
// motion it is the gravity as read.
double GravityBeforeDrift(const CReading& reading, const StepsBeforeDrift& steps);

// Stores the corrections into the reading: its tide, E.T.C., ocean-loading,
// pressure and polar corrections and its working gravity (which then holds
// no drift).
void StoreCorrectionsBeforeDrift(CReading& reading, const CorrectionsBeforeDrift& corrections);

}  // namespace bramble
