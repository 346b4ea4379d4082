#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    double etc = 0.0;           // the meter's tide as the tide step left it (0 without one)
    double oceanLoad = 0.0;     // µGal from the survey's BLQ file, NaN without a block
    double oceanLoadCorr = 0.0;
    std::uint32_t driftName = 0;  // index into SessionSnapshot::texts
    std::uint32_t note = 0;       // index into SessionSnapshot::texts

    // Bit for bit: a reading without an ocean-loading block holds NaN, and
    // it is the same state as itself (the struct has no padding).
    friend bool operator==(const ReadingState& a, const ReadingState& b)
    {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};

// A row of the station list (CStationList::RowState), smaller: its drift
// name is an index into SessionSnapshot::texts and the rare texts typed
// into its cells are kept apart.
struct SnapshotRow {
    long long key = 0;
    std::array<double, 6> numbers{};  // cells 16..20, then 22
    int reading = 0;                  // 0-based index into the document's readings
    std::uint32_t driftName = 0;      // index into SessionSnapshot::texts
    std::uint8_t written = 0;
    bool selected = false;

    friend bool operator==(const SnapshotRow&, const SnapshotRow&) = default;
};

struct CellText {
    int row = 0;
    int column = 0;
    std::string text;

    friend bool operator==(const CellText&, const CellText&) = default;
};

// The whole changeable state of a reduction session over the survey it
// holds: putting it back into a session that holds the same readings gives
// the same cells, summary, final table and exports, byte for byte. The
// readings are in the document's order. It is taken and put back between
// commands, never while a drift dialog is open: what a drift command keeps
// for its Cancel is not part of it.
struct SessionSnapshot {
    std::vector<std::string> texts;  // drift names and notes of readings and rows, each once
    std::vector<ReadingState> readings;
    std::vector<SnapshotRow> rows;  // in list order
    std::vector<CellText> cellTexts;
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

// Whether two snapshots hold the same state (numbers compared bit for bit,
// so that readings without a pressure compare equal).
bool SameState(const SessionSnapshot& a, const SessionSnapshot& b);

// Exchanges everything two sessions hold: the documents' readings, headers,
// drift corrections and final tables, the lists' rows, the settings, drift
// state, names and summary. The documents keep their views. A window that
// shows one fixed session shows another survey this way.
void SwapSessionContents(ReductionSession& a, ReductionSession& b);

}  // namespace bramble
