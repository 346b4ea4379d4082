#pragma once

#include <string>
#include <vector>

#include "adjust/NetworkAdjustWindow.h"

namespace bramble {

class CKelpView;
class ReductionSession;

// The adjustment window's input from the main window's survey: its readings
// with the corrections chosen for it (drift left to the adjustment), and a
// line naming the survey and those corrections.
AdjustInput SessionAdjustInput(const ReductionSession& session);

// Selects the readings of the stations in the main window's list (and no
// others) and scrolls to the first.
void ShowStationsInList(CKelpView& view, const std::vector<std::string>& stations);

}  // namespace bramble
