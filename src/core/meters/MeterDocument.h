#pragma once

#include "meters/MeterSurvey.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// Puts a CG-5, CG-6 or Burris survey into the document as the station list
// and every correction use it: each loop one header (numbered in the order
// the file first names it), each reading one CMeterStation with its record
// number in its loop. The gravity read stays the meter's; the E.T.C. is the
// meter's tide where the gravity holds it (so that "Rel Grav - E.T.C." is
// the gravity without the meter's tide), else empty. Replaces the readings
// and headers like the other readers and refreshes the views with hint 0.
// The report carries the reader's issues and says which readings have no
// position or no meter tide in their gravity.
ReadReport FillDocument(CKelpDoc& doc, const MeterSurvey& survey);

}  // namespace bramble
