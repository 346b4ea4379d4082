#include "corrections/TideStep.h"

#include "corrections/Coordinates.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/EarthTide.h"
#include "survey/Readings.h"

namespace bramble {

TideFunction DefaultTideFunction() { return &GravTide; }

TideStepResult TideStepOf(const CReading& reading, int tideMode, const TideFunction& tide)
{
    const auto* cg3 = reading.isAliod() ? nullptr : static_cast<const CScintrexStation*>(&reading);
    TideStepResult step;
    if (tideMode == kTideLongman) {
        if (cg3)
            step.etc = cg3->m_dEtcRead;
        step.gravity = reading.m_dRawGrav;
    } else if (tideMode == kTideBerger) {
        step.tideCorr = BergerTideMgal(reading, tide);
        step.gravity = reading.m_dGravLessEtc + step.tideCorr;
    } else {
        if (cg3)
            step.etc = 0.0;
        step.gravity = reading.m_dGravLessEtc;
    }
    return step;
}

void ApplyTideStep(CReading& reading, int tideMode, const TideFunction& tide)
{
    const TideStepResult step = TideStepOf(reading, tideMode, tide);
    reading.m_dTideCorr = step.tideCorr;
    if (step.etc && !reading.isAliod())
        static_cast<CScintrexStation&>(reading).m_dEtc = *step.etc;
    reading.m_dGrav = step.gravity;
}

double BergerTideMgal(const CReading& reading, const TideFunction& tide)
{
    // Hours since 1900-01-01 00:00, which is day number 2.
    const double hours = (reading.m_dtTime.value() - 2.0) * 24.0;
    const SiteCoordinates site = CoordinatesOf(reading.header());
    return tide(hours, site.m_dLatitude, -site.m_dEastLongitude, 0, 1.0) * 0.001;
}

void ApplyBergerTide(CReading& reading, double tideMgal)
{
    reading.m_dTideCorr = tideMgal;
    reading.m_dGrav = reading.m_dGravLessEtc + reading.m_dTideCorr;
}

}  // namespace bramble
