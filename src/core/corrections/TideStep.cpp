#include "corrections/TideStep.h"

#include "corrections/Coordinates.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/EarthTide.h"
#include "survey/Readings.h"

namespace bramble {

TideFunction DefaultTideFunction() { return &GravTide; }

void ApplyTideStep(CReading& reading, int tideMode, const TideFunction& tide)
{
    auto* cg3 = reading.isAliod() ? nullptr : static_cast<CScintrexStation*>(&reading);
    if (tideMode == kTideLongman) {
        reading.m_dTideCorr = 0.0;
        if (cg3)
            cg3->m_dEtc = cg3->m_dEtcRead;
        reading.m_dGrav = reading.m_dRawGrav;
    } else if (tideMode == kTideBerger) {
        ApplyBergerTide(reading, BergerTideMgal(reading, tide));
    } else {
        reading.m_dTideCorr = 0.0;
        if (cg3)
            cg3->m_dEtc = 0.0;
        reading.m_dGrav = reading.m_dGravLessEtc;
    }
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
