#pragma once

#include <functional>
#include <string>
#include <vector>

#include "corrections/CorrectionSettings.h"
#include "corrections/DriftState.h"
#include "corrections/SelectionSummary.h"
#include "corrections/TideStep.h"
#include "result/Result.h"

namespace bramble {

class CKelpDoc;
class CStationList;

struct RecalcOptions {
    // The "Berger" tide; empty means the program's model (GravTide), which
    // is computed a block of readings at a time on all cores. A function
    // given here is called on the calling thread, one reading at a time.
    TideFunction tide;
    // Called with (readings done, readings to do) every kProgressStep
    // readings; returning false stops the run between two readings, so each
    // reading is either fully recomputed or untouched.
    std::function<bool(int done, int total)> progress;
    static constexpr int kProgressStep = 16384;
};

struct RecalcCounts {
    int m_nSelected = 0;    // readings selected
    int m_nRecomputed = 0;  // readings recomputed (all of them unless cancelled)
    bool m_bCancelled = false;
};
// Always carries the counts. Its messages: at most one warning that the
// Berger tide and the meter's E.T.C. disagree.
using RecalcResult = Result<RecalcCounts>;

// Recomputes the reading of every selected row from its load-time values,
// in row order, in three steps: the corrections (tide, ocean loading,
// pressure, polar motion, drift; ComputeCorrectionsBeforeDrift) into the reading and
// its working gravity, then the row's correction cells ("%10.4f", "NONE") in
// one go, then the summary. The list shows its ocean-loading column while
// that correction is on. A row finds its reading through its
// "Station Index" cell, whatever the sort order. Without a selection
// nothing changes. A cancelled run leaves the summary as it was.
//
// Drift is subtracted when m_bApplyDrift is set and either none of the four
// regression means is exactly 0 or a single reading is selected; with a
// zero mean and several readings the readings' drift values become 0.
RecalcResult RecalcSelection(CKelpDoc& doc, CStationList& list, const CorrectionSettings& settings,
                             const DriftState& drift, SelectionSummary& summary, const RecalcOptions& options = {});

// The same for the drift dialog's Cancel path, except that the summary's
// "SDev" is the mean of the readings' standard deviations (0 for Aliod
// readings), and that unless drift.m_bReapplying is set it first saves the
// selected readings' drift values and names into drift.m_Saved.
RecalcResult RecalcSelectionByRow(CKelpDoc& doc, CStationList& list, const CorrectionSettings& settings,
                                  DriftState& drift, SelectionSummary& summary, const RecalcOptions& options = {});

// The warning given when the Berger tide differs from the meter's E.T.C. by
// more than this RMS, mGal.
inline constexpr double kBergerEtcWarnRms = 0.010;

}  // namespace bramble
