#pragma once

#include <string>
#include <vector>

#include "adjust/NetworkAdjustWindow.h"

namespace bramble {

class CKelpView;
class ReductionSession;

// The adjustment window's input from the project's surveys: each one's
// readings with the corrections chosen for it (drift left to the
// adjustment, rejected readings left out), and a line naming the surveys
// and those corrections. Surveys without readings are passed over.
AdjustInput SessionAdjustInput(const std::vector<const ReductionSession*>& sessions);

// Selects the readings of the stations in the main window's list (and no
// others) and scrolls to the first.
void ShowStationsInList(CKelpView& view, const std::vector<std::string>& stations);

}  // namespace bramble
