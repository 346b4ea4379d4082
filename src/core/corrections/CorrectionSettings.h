#pragma once

#include <string>
#include <vector>

#include "oceanload/StationMatch.h"

namespace bramble {

class CKelpDoc;

// The tide options of the "Tide" group, as stored in m_nTideMode.
enum TideMode : int {
    kTideLongman = 0,  // keep the meter's own tide correction
    kTideBerger = 1,   // remove it and add the computed earth tide
    kTideNone = 2,     // remove it and add nothing
};

// The correction settings the view keeps between openings of the
// Corrections dialog. The dialog works on a copy and hands it back on OK;
// the pipeline only reads them.
struct CorrectionSettings {
    int m_nTideMode = kTideLongman;
    bool m_bApplyPressure = false;
    double m_dNominalPressure = 0.0;   // hPa
    double m_dNominalElevation = 0.0;  // m
    // Pressure entries, "%m/%d/%Y  %H:%M:%S  " followed by a pressure in hPa.
    std::vector<std::string> m_PressureList;
    bool m_bApplyPolar = false;
    std::string m_strPolarFile;
    bool m_bApplyDrift = false;
    // Ocean tide loading: the BLQ file whose blocks the readings took, and
    // the distance within which a station without a block of its own name
    // takes the nearest block. On only while the readings hold the loading
    // of m_strBlqFile (CorrectionsDialogModel::ReadBlqFile).
    bool m_bApplyOceanLoad = false;
    std::string m_strBlqFile;
    double m_dBlqMatchDistanceKm = kDefaultBlqMatchDistanceKm;

    friend bool operator==(const CorrectionSettings&, const CorrectionSettings&) = default;
};

// What an import changes: the polar-motion and ocean-loading corrections
// are turned off and their files forgotten (they must be read again for
// each survey: the new readings hold neither), and the
// pressure list gets its two default entries, the first and the last
// reading of the document at 1013.25 hPa. An empty document leaves the
// list empty.
void ResetCorrectionsForImport(CorrectionSettings& settings, const CKelpDoc& doc);

}  // namespace bramble
