#pragma once

#include <string>
#include <vector>

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

    friend bool operator==(const CorrectionSettings&, const CorrectionSettings&) = default;
};

// What an import changes: the polar-motion correction is turned off, its
// file forgotten (a table must be read again for each survey), and the
// pressure list gets its two default entries, the first and the last
// reading of the document at 1013.25 hPa. An empty document leaves the
// list empty.
void ResetCorrectionsForImport(CorrectionSettings& settings, const CKelpDoc& doc);

}  // namespace bramble
