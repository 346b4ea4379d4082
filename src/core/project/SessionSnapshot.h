#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "corrections/CorrectionSettings.h"
#include "corrections/DriftState.h"
#include "corrections/SelectionSummary.h"
#include "drift/CDriftCorrection.h"
#include "drift/DriftSession.h"
#include "mainwnd/CStationList.h"
#include "output/CFinalData.h"
#include "result/Result.h"
#include "survey/AliodHeaderTexts.h"

namespace bramble {

class ReductionSession;

// What the corrections and the drift commands change in one reading. The
// values read from the file never change and are not held here.
struct ReadingState {
    double grav = 0.0;
    double pressure = 0.0;
    double tideCorr = 0.0;
    double driftCorr = 0.0;
    double polarCorr = 0.0;
    double pressureCorr = 0.0;
    double polarX = 0.0;
    double polarY = 0.0;
    double etc = 0.0;           // the CG-3 reading's E.T.C. as the tide step left it (0 for Aliod)
    std::uint32_t driftName = 0;  // index into SessionSnapshot::texts
    std::uint32_t note = 0;       // index into SessionSnapshot::texts

    friend bool operator==(const ReadingState&, const ReadingState&) = default;
};

// The whole changeable state of a reduction session over the survey it
// holds: putting it back into a session that holds the same readings gives
// the same cells, summary, final table and exports, byte for byte. The
// readings are in the document's order.
struct SessionSnapshot {
    std::vector<std::string> texts;  // drift names and notes of the readings, each once
    std::vector<ReadingState> readings;
    std::vector<CStationList::RowState> rows;
    int sortColumn = 0;
    std::map<int, std::string> rejections;  // reading index -> reason
    CorrectionSettings settings;
    DriftState drift;
    DriftNames driftNames;
    SelectionSummary summary;
    std::vector<CDriftCorrection> driftCorrections;
    int currentDrift = -1;  // index into driftCorrections, -1 none
    std::vector<CFinalData> finalData;
    int currentFinal = -1;  // index into finalData, -1 none
    AliodHeaderTexts aliodHeader;
    bool subtractMean = true;

    // Memory the snapshot holds, roughly, in bytes.
    std::size_t Bytes() const;
};

SessionSnapshot TakeSnapshot(ReductionSession& session);

// Puts `snapshot` back into `session`. Refused, with nothing changed, when
// it does not fit the session's readings (another count, a row or a
// rejection naming no reading, a text index out of range).
Outcome RestoreSnapshot(ReductionSession& session, const SessionSnapshot& snapshot);

}  // namespace bramble
