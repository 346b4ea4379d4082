#pragma once

#include <functional>
#include <optional>
#include <string>

#include "drift/DriftSession.h"
#include "session/ReductionSession.h"

class QWidget;

namespace bramble {

class CDlgDriftCorrect;

// One run of a drift command ("&Calculate Drift...", "&Apply Corrections..."
// or the Corrections dialog's "Calculate Drift..."): fit the selection,
// open the drift dialog, and on OK keep its names; on Cancel put the
// readings back. `prepare` lets the caller put the drift plot into the
// dialog and connect the list's repaint before it opens. Returns the name
// selected on OK, nothing on Cancel.
std::optional<std::string> RunDriftCommand(QWidget* parent, ReductionSession& session, const CorrectionSettings& chosen, DriftMode mode,
                                           const std::function<void(CDlgDriftCorrect&)>& prepare);

}  // namespace bramble
