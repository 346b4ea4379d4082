#pragma once

#include <functional>
#include <string>

#include "corrections/DriftState.h"
#include "drift/CDriftCorrection.h"

namespace bramble {

class CKelpDoc;
class CStationList;
class CReading;
struct CorrectionSettings;

// Least-squares straight line through the selected rows' gravity ("Rel Grav"
// cell, as shown) against time since the first selected reading in list
// order. Leaves t0, c1 (c2..c6 = 0) and the four means in `state`. No
// selection gives t0 = 0 and c1..c6 = 0; one time for all gives c1 = 0.
void CalculateDriftRate(const CStationList& list, DriftState& state);

// Gives every selected reading the drift of the working line,
// (t - t0) * c1, shows it in the "Drift Correction" cell and resets the
// reading's working gravity to its tide-corrected base.
void ComputeReadingDrifts(CStationList& list, const DriftState& state, int tideMode);

// The working gravity a reading has after the tide step alone.
void ResetToTideBase(CReading& reading, int tideMode);

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
