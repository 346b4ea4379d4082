#pragma once

#include "corrections/RecalcSelection.h"

class QWidget;

namespace bramble {

// Runs the corrections pipeline over the selected rows for the window
// `parent`. A long run shows a progress dialog whose Cancel stops it
// between two readings (each reading is then either fully recomputed or
// untouched, and the summary keeps its previous values). With
// `showWarnings` the pipeline's warnings of a completed run are shown in a
// message box: the operator wants them once, when choosing the corrections,
// not again on every later recomputation (a plot, a drift applied).
RecalcResult RecalcSelectionWithProgress(QWidget* parent, CKelpDoc& doc, CStationList& list,
                                         const CorrectionSettings& settings, const DriftState& drift,
                                         SelectionSummary& summary, bool showWarnings = true);

}  // namespace bramble
