#pragma once

#include <optional>
#include <string>
#include <vector>

#include "corrections/CorrectionSettings.h"
#include "oceanload/SurveyOceanLoad.h"
#include "result/Result.h"
#include "session/MeterKind.h"

namespace bramble {

class CKelpDoc;

// The Corrections dialog without its widgets: the settings being edited and
// what each of its buttons does. The window's dialog shows it; bramble-cli
// drives it with the command line's choices, so both go through the same
// rules. The pressure list's "Apply", the polar file's "..." and the BLQ
// file's "..." (and a new distance with a BLQ file read) change the
// document's readings at once; everything else waits for OK, where the
// opener takes Settings() (ReductionSession::ApplyCorrections).
class CorrectionsDialogModel {
public:
    // Opens on a copy of `settings`: the pressure entries in time order and a
    // tide option the survey offers. `doc` must outlive the model.
    CorrectionsDialogModel(CKelpDoc& doc, CorrectionSettings settings);

    MeterKind Meter() const { return m_meter; }
    CorrectionSettings& Settings() { return m_settings; }
    const CorrectionSettings& Settings() const { return m_settings; }

    // "Longman" is greyed where the survey does not offer it.
    bool LongmanOffered() const;
    // A tide option; refused (settings unchanged) where not offered.
    Outcome SetTideMode(int tideMode);

    // "Set": the nominal pressure of the nominal elevation; refused (value
    // unchanged) for an elevation where the standard atmosphere does not hold.
    Outcome SetNominalFromElevation();
    // "Add": the entry a new row of the pressure list gets (the last
    // reading's time at 1013.25 hPa); none without readings.
    std::optional<std::string> NewPressureEntry() const;
    // The pressure list's "Apply": every reading gets its pressure from
    // `entries` (in the order given); the correction is turned on when an
    // entry was used, off otherwise. A warning for each entry skipped.
    Result<int> ApplyPressures(const std::vector<std::string>& entries);
    // "...": reads the polar-motion table at `path` into every reading. The
    // value says whether it holds the survey's first day; without it the
    // correction is turned off (with a warning). A file that cannot be read
    // is an error and changes nothing, not even the file name.
    Result<bool> ReadPolarTable(const std::string& path);
    // "..." of "Ocean Loading": reads the BLQ file at `path` and gives every
    // reading the loading of its station's block, matched within the
    // settings' distance (AssignOceanLoading). A file that cannot be read or
    // is not BLQ, or that has no block for any station, is an error and
    // changes nothing, not even the file name. Otherwise the file becomes
    // the settings' and the correction is turned on; a warning names the
    // stations without a block.
    Result<SurveyOceanLoad> ReadBlqFile(const std::string& path);
    // The distance within which a station takes the nearest block: a number
    // from 0 to kMaxBlqMatchDistanceKm, else refused. With a BLQ file chosen
    // the file is read and matched again with the new distance; when that
    // fails the distance and the readings stay as they were.
    Result<SurveyOceanLoad> SetBlqMatchDistance(double km);
    // "Apply" of "Ocean Loading" can be ticked once a BLQ file is read.
    bool OceanLoadCanApply() const { return !m_settings.m_strBlqFile.empty(); }
    Outcome SetApplyOceanLoad(bool apply);
    // "Calculate Drift..." ended with the drift dialog's OK, which applied
    // the drift: the correction shows as on, so that OK keeps it.
    void DriftApplied() { m_settings.m_bApplyDrift = true; }

private:
    CKelpDoc& m_doc;
    MeterKind m_meter;
    CorrectionSettings m_settings;
};

}  // namespace bramble
