#include "adjust/SurveyReadings.h"

#include <limits>

namespace bramble {

std::vector<AdjustReading> AdjustReadingsFromSurvey(const MeterSurvey& survey)
{
    std::vector<AdjustReading> out;
    out.reserve(survey.readings.size());
    for (const MeterReading& m : survey.readings) {
        AdjustReading r;
        r.loop = m.loop;
        r.station = m.station;
        r.time = m.time.value();
        r.gravity = m.time.isValid() ? m.gravity : std::numeric_limits<double>::quiet_NaN();
        r.sd = m.sd;
        r.duration = m.duration;
        r.temperature = m.temperature;
        r.meter = m.meter;
        r.rejected = m.rejectedReading;
        r.latitude = m.latitude;
        r.longitude = m.longitude;
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace bramble
