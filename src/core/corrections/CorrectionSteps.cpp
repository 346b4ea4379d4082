#include "corrections/CorrectionSteps.h"

#include <cmath>

#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "survey/Readings.h"

namespace bramble {

void ApplyOceanLoadStep(CReading& reading, bool apply)
{
    reading.m_dOceanLoadCorr = 0.0;
    if (!apply)
        return;
    if (std::isfinite(reading.m_dOceanLoad))
        reading.m_dOceanLoadCorr = reading.m_dOceanLoad * 0.001;  // microGal to mGal
    reading.m_dGrav += reading.m_dOceanLoadCorr;
}

void ApplyStepsBeforeDrift(CReading& r, const StepInputs& inputs, const double* bergerTide)
{
    const CorrectionSettings& settings = inputs.settings;
    if (bergerTide)
        ApplyBergerTide(r, *bergerTide);
    else
        ApplyTideStep(r, settings.m_nTideMode, inputs.tide);
    ApplyOceanLoadStep(r, settings.m_bApplyOceanLoad);

    r.m_dPressureCorr =
        settings.m_bApplyPressure ? PressureCorrection(r.m_dPressure, settings.m_dNominalPressure) : 0.0;
    r.m_dGrav += r.m_dPressureCorr;

    r.m_dPolarCorr = settings.m_bApplyPolar
                         ? PolarMotionCorrection(r.m_PolarMotion.m_dX, r.m_PolarMotion.m_dY,
                                                 inputs.polarSite.m_dLatitude, inputs.polarSite.m_dEastLongitude)
                         : 0.0;
    r.m_dGrav += r.m_dPolarCorr;
}

}  // namespace bramble
