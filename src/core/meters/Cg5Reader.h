#pragma once

#include <string>

#include "meters/MeterSurvey.h"

namespace bramble {

// Reads a Scintrex CG-5 text dump: "/" header lines (survey name,
// instrument S/N, operator, LONG/LAT with E/W and N/S letters, GMT DIFF.,
// the setup parameters and the options such as "Tide Correction: YES"),
// "Line ..." lines between groups, a "/---LINE---STATION---..." column line
// and reading lines under it, read by the column names. The GPS variant's
// first two columns are latitude and longitude (decimal degrees, east
// positive) and its station names come from "/ Note:" lines before the
// readings.
//
// Times: the DATE and TIME columns (DEC.TIME+DATE is not reliable), moved to
// UT by the header's GMT DIFF.: UT = time written + GMT DIFF. hours (the
// meter's convention: the hours to add to its clock to get UT; 0 when the
// header gives none). GRAV holds the meter's tide (TIDE) only when the
// header says "Tide Correction: YES" (a header silent on it is named in the
// issues and taken as NO); it always holds the meter's temperature
// compensation and linear drift, and its tilt correction when "Cont. Tilt:
// YES". The loop is the LINE column (GPS variant: the last "Line ..." line).
MeterSurvey ReadCg5File(const std::string& path);

}  // namespace bramble
