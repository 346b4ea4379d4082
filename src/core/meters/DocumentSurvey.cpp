#include "meters/DocumentSurvey.h"

#include <cstdio>
#include <set>

namespace bramble {
namespace {

void Add(MeterSurvey& survey, const CScintrexStation& s)
{
    MeterReading r;
    r.station = s.m_strStation;
    r.time = s.m_dtTime;
    r.gravity = s.m_dRawGrav;
    r.tide = s.m_dEtcRead;
    r.sd = s.m_dStdDev;
    r.tiltX = s.m_nTiltX;
    r.tiltY = s.m_nTiltY;
    r.temperature = s.m_dTemp;
    r.duration = s.m_nDur;
    r.rejected = s.m_nRejected;
    if (const CScintrexHeader* h = s.m_pHeader) {
        r.meter = std::to_string(h->m_nSerNo);
        r.loop = std::to_string(h->m_nIndex);
        r.latitude = h->m_dLatitude;
        r.longitude = -h->m_dLongitude;
    }
    r.applied = {true, false, true, true};
    survey.readings.push_back(std::move(r));
}

void Add(MeterSurvey& survey, const CAliodStation& s)
{
    MeterReading r;
    r.station = s.m_strStation;
    r.time = s.m_dtTime;
    r.gravity = s.m_dRawGrav;
    r.tiltX = s.m_nCrossLevel;
    r.tiltY = s.m_nLongLevel;
    r.temperature = s.m_dTemp;
    if (const CAliodHeader* h = s.m_pHeader) {
        if (h->m_dSerialNumber != 0.0) {
            char serial[32];
            std::snprintf(serial, sizeof serial, "%.15g", h->m_dSerialNumber);
            r.meter = serial;
        }
        r.loop = std::to_string(h->m_nIndex);
        r.latitude = h->m_dLatitude;
        r.longitude = h->m_dLongitude;
    }
    survey.readings.push_back(std::move(r));
}

}  // namespace

MeterSurvey SurveyFromDocument(const CKelpDoc& doc, const ReadReport& read, bool aliod)
{
    MeterSurvey survey;
    survey.kind = aliod ? MeterKind::aliod : MeterKind::cg3;
    survey.opened = read.HasValue();
    survey.readings.reserve(doc.m_Readings.size());
    // Only the CG-3 and Aliod records: the other meters' surveys are read
    // into the shared model directly.
    for (const auto& reading : doc.m_Readings) {
        if (const auto* aliod = dynamic_cast<const CAliodStation*>(reading.get()))
            Add(survey, *aliod);
        else if (const auto* cg3 = dynamic_cast<const CScintrexStation*>(reading.get()))
            Add(survey, *cg3);
    }
    std::set<int> gmtNamed;
    for (const auto& header : doc.m_Headers) {
        if (const auto* aliod = dynamic_cast<const CAliodHeader*>(header.get())) {
            survey.facts.operatorName = aliod->m_strOperator;
            survey.facts.latitude = aliod->m_dLatitude;
            survey.facts.longitude = aliod->m_dLongitude;
            continue;
        }
        const auto* cg3 = dynamic_cast<const CScintrexHeader*>(header.get());
        if (!cg3)
            continue;
        const auto& h = *cg3;
        if (survey.facts.instrument.empty()) {
            survey.facts.instrument = std::to_string(h.m_nSerNo);
            survey.facts.operatorName = h.m_strOperator;
            survey.facts.latitude = h.m_dLatitude;
            survey.facts.longitude = -h.m_dLongitude;
            survey.facts.meterTide = true;
        }
        if (h.m_nGmtDiff != 0 && gmtNamed.insert(h.m_nGmtDiff).second)
            survey.issues.push_back({0, "header " + std::to_string(h.m_nIndex) + " gives a GMT Difference of " +
                                            std::to_string(h.m_nGmtDiff) +
                                            " h; the times are kept as stored, as the corrections use them"});
    }
    if (read.HasValue())
        for (const Message& message : read.Messages())
            survey.issues.push_back({0, message.text});
    return survey;
}

}  // namespace bramble
