#include "corrections/Coordinates.h"

#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

// A reading of a file that gives a position per reading.
bool HasOwnPositionField(const CReading& reading) { return dynamic_cast<const CMeterStation*>(&reading) != nullptr; }

}  // namespace

SiteCoordinates CoordinatesOf(const CHeaderRecord* header)
{
    if (const auto* aliod = dynamic_cast<const CAliodHeader*>(header))
        return {aliod->m_dLatitude, aliod->m_dLongitude};
    if (const auto* cg3 = dynamic_cast<const CScintrexHeader*>(header))
        return {cg3->m_dLatitude, -cg3->m_dLongitude};
    return {};
}

SiteCoordinates CurrentCoordinates(const CKelpDoc& doc)
{
    if (doc.m_bAliod)
        return CoordinatesOf(doc.m_pCurAliodHeader);
    return CoordinatesOf(doc.m_pCurHeader);
}

std::optional<SiteCoordinates> OwnPosition(const CReading& reading)
{
    const auto* meter = dynamic_cast<const CMeterStation*>(&reading);
    if (!meter || !meter->m_dLatitude || !meter->m_dEastLongitude)
        return std::nullopt;
    return SiteCoordinates{*meter->m_dLatitude, *meter->m_dEastLongitude};
}

std::optional<SiteCoordinates> TideSiteOf(const CReading& reading)
{
    if (HasOwnPositionField(reading))
        return OwnPosition(reading);
    return CoordinatesOf(reading.header());
}

std::optional<SiteCoordinates> PolarSiteOf(const CReading& reading, const SiteCoordinates& current)
{
    if (HasOwnPositionField(reading))
        return OwnPosition(reading);
    return current;
}

}  // namespace bramble
