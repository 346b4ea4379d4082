#include "corrections/GravityBeforeDrift.h"

#include <cmath>

#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "survey/CKelpDoc.h"
#include "survey/Readings.h"

namespace bramble {

StepsBeforeDrift StepsBeforeDriftOf(const CKelpDoc& doc, const CorrectionSettings& settings, const TideFunction& tide)
{
    StepsBeforeDrift steps;
    steps.tideMode = settings.m_nTideMode;
    steps.applyOceanLoad = settings.m_bApplyOceanLoad;
    steps.applyPressure = settings.m_bApplyPressure;
    steps.nominalPressure = settings.m_dNominalPressure;
    steps.applyPolar = settings.m_bApplyPolar;
    steps.tide = tide ? tide : DefaultTideFunction();
    steps.polarSite = CurrentCoordinates(doc);
    return steps;
}

CorrectionsBeforeDrift ComputeCorrectionsBeforeDrift(const CReading& reading, const StepsBeforeDrift& steps,
                                                     const double* bergerTide)
{
    TideStepResult tide;
    if (bergerTide && steps.tideMode == kTideBerger) {
        tide.tideCorr = *bergerTide;
        tide.gravity = reading.m_dGravLessEtc + tide.tideCorr;
        tide.placed = TideSiteOf(reading).has_value();
    } else {
        tide = TideStepOf(reading, steps.tideMode, steps.tide);
    }
    CorrectionsBeforeDrift c;
    c.tide = tide.tideCorr;
    c.etc = tide.etc;
    c.placed = tide.placed;
    if (steps.applyOceanLoad && std::isfinite(reading.m_dOceanLoad))
        c.oceanLoad = reading.m_dOceanLoad * 0.001;  // microGal to mGal
    c.pressure = steps.applyPressure ? PressureCorrection(reading.m_dPressure, steps.nominalPressure) : 0.0;
    if (steps.applyPolar) {
        if (const std::optional<SiteCoordinates> site = PolarSiteOf(reading, steps.polarSite))
            c.polar = PolarMotionCorrection(reading.m_PolarMotion.m_dX, reading.m_PolarMotion.m_dY,
                                            site->m_dLatitude, site->m_dEastLongitude);
        else
            c.placed = false;
    }
    // Added one after the other, in the order of the steps.
    c.gravity = tide.gravity;
    c.gravity += c.oceanLoad;
    c.gravity += c.pressure;
    c.gravity += c.polar;
    return c;
}

double GravityBeforeDrift(const CReading& reading, const StepsBeforeDrift& steps)
{
    return ComputeCorrectionsBeforeDrift(reading, steps).gravity;
}

void StoreCorrectionsBeforeDrift(CReading& reading, const CorrectionsBeforeDrift& corrections)
{
    reading.m_dTideCorr = corrections.tide;
    if (corrections.etc)
        reading.SetWorkingEtc(*corrections.etc);
    reading.m_dOceanLoadCorr = corrections.oceanLoad;
    reading.m_dPressureCorr = corrections.pressure;
    reading.m_dPolarCorr = corrections.polar;
    reading.m_dGrav = corrections.gravity;
}

}  // namespace bramble
