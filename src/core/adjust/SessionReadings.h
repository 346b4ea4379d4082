#pragma once

#include <vector>

#include "adjust/AdjustReading.h"
#include "corrections/TideStep.h"

namespace bramble {

class ReductionSession;

// The readings of a reduction session's survey (of any meter) for the
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
// per UT day, named by the date; a CG-5 or CG-6 reading's loop is its LINE
// or Line, a Burris reading's its day, as the file names them. Meter: the
// header's serial number (CG-5, CG-6, Burris: the instrument the file
// names). A CG-3 reading has its SD and duration; an Aliod reading has
// neither; the others have what their file gives, and their own position.
// CG-3 and Aliod header coordinates place the survey, not its stations: no
// positions are given for them. A reading its file marks as not to be used
// comes rejected.
std::vector<AdjustReading> AdjustReadingsFromSession(const ReductionSession& session, const TideFunction& tide = {});

}  // namespace bramble
