#include "meters/MeterDocument.h"

#include <map>
#include <memory>
#include <utility>

namespace bramble {
namespace {

int TiltDecimalsOf(MeterKind kind) { return kind == MeterKind::burris ? 3 : 1; }

std::unique_ptr<CMeterStation> StationOf(const MeterReading& m)
{
    auto r = std::make_unique<CMeterStation>();
    r->m_strStation = m.station;
    r->m_dtTime = m.time;
    r->m_dRawGrav = m.gravity;
    r->m_dGrav = m.gravity;
    if (m.applied.tide && m.tide)
        r->m_dEtcRead = m.tide;
    r->m_dEtc = r->m_dEtcRead;
    r->m_dGravLessEtc = m.gravity - r->m_dEtcRead.value_or(0.0);
    r->m_dTempRead = m.temperature;
    r->m_dTemp = m.temperature.value_or(0.0);
    r->m_dStdDev = m.sd;
    r->m_dTiltX = m.tiltX;
    r->m_dTiltY = m.tiltY;
    r->m_dDur = m.duration;
    r->m_nRejected = m.rejected;
    if (m.latitude && m.longitude) {
        r->m_dLatitude = m.latitude;
        r->m_dEastLongitude = m.longitude;
    }
    r->m_dElevation = m.elevation;
    r->m_nLine = m.line;
    r->m_bMarkedRejected = m.rejectedReading;
    return r;
}

std::string Readings(int n) { return n == 1 ? "1 reading has" : std::to_string(n) + " readings have"; }

}  // namespace

ReadReport FillDocument(CKelpDoc& doc, const MeterSurvey& survey)
{
    doc.ClearSurvey();
    if (!survey.opened) {
        doc.UpdateAllViews(0);
        return Outcome::Error("File not valid");
    }
    Outcome outcome;
    std::map<std::string, CMeterHeader*> loops;
    int withoutPosition = 0;
    int withoutMeterTide = 0;
    doc.m_Readings.reserve(survey.readings.size());
    for (const MeterReading& m : survey.readings) {
        CMeterHeader*& loop = loops[m.loop];
        if (!loop) {
            auto header = std::make_unique<CMeterHeader>();
            header->m_nIndex = static_cast<int>(doc.m_Headers.size()) + 1;
            header->m_strLoop = m.loop;
            header->m_strInstrument = m.meter.empty() ? survey.facts.instrument : m.meter;
            header->m_strOperator = survey.facts.operatorName;
            header->m_nTiltDecimals = TiltDecimalsOf(survey.kind);
            loop = header.get();
            doc.m_Headers.push_back(std::move(header));
        }
        std::unique_ptr<CMeterStation> r = StationOf(m);
        r->m_pHeader = loop;
        r->m_nRecord = ++loop->m_nStations;
        r->m_nStationIndex = static_cast<int>(doc.m_Readings.size()) + 1;
        withoutPosition += r->m_dLatitude ? 0 : 1;
        withoutMeterTide += r->m_dEtcRead ? 0 : 1;
        doc.m_Readings.push_back(std::move(r));
    }
    doc.m_nRecords = static_cast<int>(doc.m_Readings.size());

    for (const ReadIssue& issue : survey.issues)
        outcome.AddWarning(issue.message());
    if (withoutPosition > 0)
        outcome.AddWarning(Readings(withoutPosition) +
                                  " no latitude and longitude: the Berger tide and the polar-motion correction "
                                  "cannot be computed for them and stay 0");
    if (withoutMeterTide > 0)
        outcome.AddWarning(Readings(withoutMeterTide) +
                                  " no meter tide correction in their gravity: the Longman option leaves them "
                                  "without a tide correction, the Berger option adds the computed tide");
    doc.UpdateAllViews(0);
    return ReadReport::Of(ReadCounts{doc.m_nRecords, 0}, std::move(outcome));
}

}  // namespace bramble
