#pragma once

#include <vector>

#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// The order in which the final output visits the rows: the selected rows
// ordered by the numeric key of their "Station" cell (the column sort's
// key), so that stations named 9 come before 10. Rows with equal keys
// (names that do not start with a number) keep their order in the list.
std::vector<int> FinalOutputRowOrder(const CStationList& list);

// Averages the selected readings per station into doc.m_FinalData, which
// is emptied first. Readings are grouped by their exact, case-sensitive
// station name, whether or not they are adjacent; the entries come in the
// order their stations are first met (FinalOutputRowOrder). Each entry gets
// the mean working gravity and mean time, the population standard
// deviation (a single reading keeps its own CG-3 deviation, 0 for Aliod),
// the reading count and the coordinates of its last reading's header.
//
// The list itself is not reordered, so the caller has no order to put back.
void ComputeFinalOutput(CKelpDoc& doc, const CStationList& list);

}  // namespace bramble
