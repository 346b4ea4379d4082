#pragma once

#include <functional>
#include <string>

#include "corrections/DriftState.h"
#include "corrections/GravityBeforeDrift.h"
#include "drift/CDriftCorrection.h"

namespace bramble {

class CKelpDoc;
class CStationList;
class CReading;
struct CorrectionSettings;

// Least-squares straight line through the selected readings' gravity
// before drift (GravityBeforeDrift under `steps`, at full precision)
// against time since the first selected reading in list order. Leaves t0,
// c1 (c2..c6 = 0) and the four means in `state`. No selection gives t0 = 0
// and c1..c6 = 0; one time for all gives c1 = 0.
void CalculateDriftRate(const CStationList& list, DriftState& state, const StepsBeforeDrift& steps);

// The steps the drift commands fit under: state.m_FitSettings for `doc`.
StepsBeforeDrift DriftFitSteps(const CKelpDoc& doc, const DriftState& state);

// Gives every selected reading the drift of the working line,
// (t - t0) * c1, shows the correction in the "Drift Correction" cell (see
// ShowReadingDrift) and sets the reading's working gravity to its gravity
// before drift under `steps`.
void ComputeReadingDrifts(CStationList& list, const DriftState& state, const StepsBeforeDrift& steps);

// The "Drift Correction" cell of a row: the correction added to the
// gravity, minus the reading's drift, the same quantity the corrections
// pipeline shows there.
void ShowReadingDrift(CStationList& list, int row);

enum class DriftMode { calculate, apply };

// Applies entry `index` of the document's drift corrections with the drift
// line as edited: stores the parsed line into the entry and the working set,
// turns the drift correction on, gives each selected reading the entry's
// drift (in apply mode also its name, or the starred name of the readings
// that defined it) and runs `recalc`, which recomputes the selection.
void ApplyDriftEntry(CKelpDoc& doc, CStationList& list, DriftState& state, CorrectionSettings& settings,
                     std::size_t index, const std::string& line, const std::string& name, DriftMode mode,
                     const std::function<void()>& recalc);

}  // namespace bramble
