#include "adjust/SessionReadings.h"

#include <algorithm>
#include <memory>

#include "corrections/Coordinates.h"
#include "corrections/CorrectionSteps.h"
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

// The reading's gravity before drift: a copy goes through the reduction's
// own correction steps, so the session's reading stays as it is.
template <class Station>
double GravityBeforeDrift(const Station& reading, const CorrectionSettings& settings, const TideFunction& tide,
                          const SiteCoordinates& polarSite)
{
    Station copy = reading;
    ApplyStepsBeforeDrift(copy, StepInputs{settings, tide, polarSite});
    return copy.m_dGrav;
}

}  // namespace

std::vector<AdjustReading> AdjustReadingsFromSession(const ReductionSession& session, const TideFunction& tide)
{
    const CKelpDoc& doc = session.Document();
    const CorrectionSettings& settings = session.Corrections();
    const TideFunction tideModel = tide ? tide : DefaultTideFunction();
    const SiteCoordinates polarSite = CurrentCoordinates(doc);
    std::vector<AdjustReading> out;
    out.reserve(doc.m_Readings.size());
    for (const std::unique_ptr<CReading>& item : doc.m_Readings) {
        AdjustReading r;
        r.station = item->m_strStation;
        r.time = item->m_dtTime.value();
        r.temperature = item->m_dTemp;
        if (item->isAliod()) {
            const auto& aliod = static_cast<const CAliodStation&>(*item);
            r.gravity = GravityBeforeDrift(aliod, settings, tideModel, polarSite);
            r.loop = item->m_dtTime.format("%Y-%m-%d");
            r.meter = doc.m_AliodHeader.serialNumber;
        } else {
            const auto& cg3 = static_cast<const CScintrexStation&>(*item);
            r.gravity = GravityBeforeDrift(cg3, settings, tideModel, polarSite);
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
