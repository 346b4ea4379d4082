#pragma once

#include "corrections/RecalcSelection.h"

class QWidget;

namespace bramble {

// Runs the corrections pipeline over the selected rows for the window
// `parent`. A long run shows a progress dialog whose Cancel stops it
// between two readings (each reading is then either fully recomputed or
// untouched, and the summary keeps its previous values); the pipeline's
// warnings are shown in a message box.
RecalcResult RecalcSelectionWithProgress(QWidget* parent, CKelpDoc& doc, CStationList& list,
                                         const CorrectionSettings& settings, const DriftState& drift,
                                         SelectionSummary& summary);

}  // namespace bramble
