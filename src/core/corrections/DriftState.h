#pragma once

#include <array>
#include <string>
#include <vector>

#include "corrections/CorrectionSettings.h"
#include "survey/DateTime.h"

namespace bramble {

// The drift values the view keeps for the corrections pipeline. The drift
// calculation fills them; the pipeline only tests the regression means and
// RecalcSelectionByRow saves the selected readings' drift values.
struct DriftState {
    // The four means of the last least-squares line (0 until a drift is
    // calculated). The pipeline subtracts drift from more than one reading
    // only when none of them is exactly 0.
    double m_dMeanGrav = 0.0;        // mean gravity
    double m_dMeanTime = 0.0;        // mean elapsed time, days
    double m_dMeanTimeGrav = 0.0;    // mean of time x gravity
    double m_dMeanTimeSquare = 0.0;  // mean of time squared

    // The working drift polynomial: t0 and c1..c6.
    DateTime m_dtStart;
    std::array<double, 6> m_dCoeff{};

    // The settings whose tide, pressure and polar steps the last drift
    // command fitted its line under (the Corrections dialog's choice when
    // its "Calculate Drift..." runs it). The drift dialog shows and refits
    // the readings' gravity before drift with them.
    CorrectionSettings m_FitSettings;

    // Set while the drift dialog's Cancel path recomputes the rows.
    bool m_bReapplying = false;

    // The drift value and name of each selected row's reading, in list
    // order, saved before a drift calculation so that Cancel can put them back.
    struct Saved {
        double m_dDriftCorr = 0.0;
        std::string m_strDriftName;
    };
    std::vector<Saved> m_Saved;

    bool AnyMeanIsZero() const
    {
        return m_dMeanGrav == 0.0 || m_dMeanTime == 0.0 || m_dMeanTimeGrav == 0.0 || m_dMeanTimeSquare == 0.0;
    }
};

}  // namespace bramble
