#pragma once

#include <functional>

#include "corrections/RecalcSelection.h"

class QWidget;

namespace bramble {

// Runs a recomputation of `total` selected readings (`recalc`, usually
// ReductionSession::Recalculate or ApplyCorrections) for the window
// `parent`. A long run shows a progress dialog whose Cancel stops it
// between two readings (each reading is then either fully recomputed or
// untouched, and the summary keeps its previous values). With
// `showWarnings` the warnings of a completed run are shown in a message
// box: the operator wants them once, when choosing the corrections, not
// again on every later recomputation (a plot, a drift applied).
RecalcResult RecalcWithProgress(QWidget* parent, int total,
                                const std::function<RecalcResult(const RecalcOptions&)>& recalc,
                                bool showWarnings = true);

}  // namespace bramble
