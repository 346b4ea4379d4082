#include "corrections/TideStep.h"

#include "corrections/Coordinates.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/EarthTide.h"
#include "survey/Readings.h"

namespace bramble {

TideFunction DefaultTideFunction() { return &GravTide; }

TideStepResult TideStepOf(const CReading& reading, int tideMode, const TideFunction& tide)
{
    TideStepResult step;
    if (tideMode == kTideLongman) {
        step.etc = reading.MeterTideRead();
        step.gravity = reading.m_dRawGrav;
    } else if (tideMode == kTideBerger) {
        step.placed = TideSiteOf(reading).has_value();
        step.tideCorr = BergerTideMgal(reading, tide);
        step.gravity = reading.m_dGravLessEtc + step.tideCorr;
    } else {
        if (reading.MeterTideRead())
            step.etc = 0.0;
        step.gravity = reading.m_dGravLessEtc;
    }
    return step;
}

bool ApplyTideStep(CReading& reading, int tideMode, const TideFunction& tide)
{
    const TideStepResult step = TideStepOf(reading, tideMode, tide);
    reading.m_dTideCorr = step.tideCorr;
    if (step.etc)
        reading.SetWorkingEtc(*step.etc);
    reading.m_dGrav = step.gravity;
    return step.placed;
}

double BergerTideMgal(const CReading& reading, const TideFunction& tide)
{
    const std::optional<SiteCoordinates> site = TideSiteOf(reading);
    if (!site)
        return 0.0;
    // Hours since 1900-01-01 00:00, which is day number 2.
    const double hours = (reading.m_dtTime.value() - 2.0) * 24.0;
    return tide(hours, site->m_dLatitude, -site->m_dEastLongitude, 0, 1.0) * 0.001;
}

void ApplyBergerTide(CReading& reading, double tideMgal)
{
    reading.m_dTideCorr = tideMgal;
    reading.m_dGrav = reading.m_dGravLessEtc + reading.m_dTideCorr;
}

}  // namespace bramble
