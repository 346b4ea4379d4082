#include "adjust/SessionReadings.h"

#include <algorithm>
#include <map>
#include <memory>

#include "corrections/Coordinates.h"
#include "corrections/GravityBeforeDrift.h"
#include "corrections/RecalcSelection.h"
#include "session/ReductionSession.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

std::string Cg3Loop(const CScintrexHeader* header)
{
    if (!header)
        return "block ?";
    return "block " + std::to_string(header->m_nIndex) + " (" + header->m_dtDate.format("%Y-%m-%d") + ")";
}

std::string Cg3Meter(const CScintrexHeader* header)
{
    return header ? std::to_string(header->m_nSerNo) : std::string();
}

// A CG-5, CG-6 or Burris reading: its loop and meter as the file names
// them, and its own position.
void TakeMeterReading(const CMeterStation& m, AdjustReading& r)
{
    if (m.m_pHeader) {
        r.loop = m.m_pHeader->m_strLoop;
        r.meter = m.m_pHeader->m_strInstrument;
    }
    r.sd = m.m_dStdDev;
    r.duration = m.m_dDur;
    r.temperature = m.m_dTempRead;
    r.latitude = m.m_dLatitude;
    r.longitude = m.m_dEastLongitude;
    r.rejected = m.m_bMarkedRejected;
}

}  // namespace

std::vector<AdjustReading> AdjustReadingsFromSession(const ReductionSession& session, const TideFunction& tide)
{
    const CKelpDoc& doc = session.Document();
    const CorrectionSettings& settings = session.Corrections();
    // The reduction's own steps before drift; the session's readings stay
    // as they are.
    const StepsBeforeDrift steps = StepsBeforeDriftOf(doc, settings, tide);
    const std::map<int, std::string>& rejected = session.List().Rejections();
    std::vector<AdjustReading> out;
    out.reserve(doc.m_Readings.size());
    for (std::size_t i = 0; i < doc.m_Readings.size(); ++i) {
        if (rejected.count(static_cast<int>(i)) != 0)
            continue;
        const std::unique_ptr<CReading>& item = doc.m_Readings[i];
        AdjustReading r;
        r.station = item->m_strStation;
        r.time = item->m_dtTime.value();
        r.temperature = item->m_dTemp;
        if (const auto* meter = dynamic_cast<const CMeterStation*>(item.get())) {
            r.gravity = GravityBeforeDrift(*meter, steps);
            TakeMeterReading(*meter, r);
        } else if (item->isAliod()) {
            const auto& aliod = static_cast<const CAliodStation&>(*item);
            r.gravity = GravityBeforeDrift(aliod, steps);
            r.loop = item->m_dtTime.format("%Y-%m-%d");
            r.meter = doc.m_AliodHeader.serialNumber;
        } else {
            const auto& cg3 = static_cast<const CScintrexStation&>(*item);
            r.gravity = GravityBeforeDrift(cg3, steps);
            r.loop = Cg3Loop(cg3.m_pHeader);
            r.meter = Cg3Meter(cg3.m_pHeader);
            r.sd = cg3.m_dStdDev;
            if (cg3.m_nDur > 0)
                r.duration = cg3.m_nDur;
        }
        out.push_back(std::move(r));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const AdjustReading& a, const AdjustReading& b) { return a.time < b.time; });
    return out;
}

}  // namespace bramble
