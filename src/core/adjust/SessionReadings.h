#pragma once

#include <vector>

#include "adjust/AdjustReading.h"
#include "corrections/TideStep.h"

namespace bramble {

class ReductionSession;

// The readings of a reduction session's survey (CG-3 or Aliod) for the
// adjustment, in time order. Each gravity carries the corrections chosen
// for the survey in the session (tide, pressure, polar motion, computed as
// the reduction computes them) but no drift: the adjustment models drift per
// loop. `tide` is the "Berger" tide (empty: the program's model). The
// session is only read; every reading is taken, selected or not, except
// the rejected ones.
//
// Loops: every header block of a CG-3 dump is one loop, named
// "block N (YYYY-MM-DD)" by its number and date (a block runs on over
// midnight as the meter does); the readings of an Aliod file form one loop
// per UT day, named by the date. Meter: the header's serial number. A CG-3
// reading has its SD and duration; an Aliod reading has neither. Header
// coordinates place the survey, not its stations: no positions are given.
std::vector<AdjustReading> AdjustReadingsFromSession(const ReductionSession& session, const TideFunction& tide = {});

}  // namespace bramble
