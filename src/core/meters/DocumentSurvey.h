#pragma once

#include "meters/MeterSurvey.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// The CG-3 or Aliod readings of a document in the model every meter
// shares, for the readers' common outputs (bramble-cli dump --json).
// `aliod` says which reader filled the document. CG-3: the gravity as read (with the meter's E.T.C., drift and temperature
// corrections in it), E.T.C. as the tide, the header's position with its
// "Deg.Long." (positive west) turned east positive, each header block one
// loop. Times stay as stored, as the corrections use them: a non-zero
// "GMT Difference" is named in the issues, not applied. Aliod: no tide, no
// SD; the position the operator typed (east positive); one loop. The
// reader's messages `read` become issues.
MeterSurvey SurveyFromDocument(const CKelpDoc& doc, const ReadReport& read, bool aliod);

}  // namespace bramble
