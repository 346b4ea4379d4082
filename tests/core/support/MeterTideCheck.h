#pragma once

#include <algorithm>
#include <cmath>

#include "corrections/EarthTide.h"
#include "meters/MeterSurvey.h"

namespace bramble::test {

// How far the meter's own tide column is from the tide correction Bramble
// computes at each reading's time and place (east longitude): the RMS and
// the largest difference in microGal, and whether the signs agree wherever
// the tide is clearly away from zero. The meters write the tide to 1
// microGal with a simpler model, so a few microGal remain; a longitude taken
// with the wrong sign or a time zone taken wrongly shows as tens to
// hundreds of microGal.
struct TideAgreement {
    double worstMicroGal = 0.0;
    double rmsMicroGal = 0.0;
    bool signsAgree = true;
    int compared = 0;
};

inline TideAgreement CompareMeterTide(const MeterSurvey& survey)
{
    TideAgreement result;
    for (const MeterReading& r : survey.readings) {
        if (!r.tide || !r.latitude || !r.longitude)
            continue;
        const TideStation station{*r.latitude, *r.longitude, r.elevation.value_or(0.0)};
        const double computed = TideCorrectionMicroGal(r.time.value(), station);
        const double meter = *r.tide * 1000.0;
        result.worstMicroGal = std::max(result.worstMicroGal, std::abs(computed - meter));
        result.rmsMicroGal += (computed - meter) * (computed - meter);
        if (std::abs(meter) > 10.0 && (computed > 0) != (meter > 0))
            result.signsAgree = false;
        ++result.compared;
    }
    if (result.compared > 0)
        result.rmsMicroGal = std::sqrt(result.rmsMicroGal / result.compared);
    return result;
}

}  // namespace bramble::test
