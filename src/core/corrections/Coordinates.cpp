#include "corrections/Coordinates.h"

#include "survey/CKelpDoc.h"

namespace bramble {

SiteCoordinates CoordinatesOf(const CHeaderRecord* header)
{
    if (!header)
        return {};
    if (header->isAliod()) {
        const auto& aliod = static_cast<const CAliodHeader&>(*header);
        return {aliod.m_dLatitude, aliod.m_dLongitude};
    }
    const auto& cg3 = static_cast<const CScintrexHeader&>(*header);
    return {cg3.m_dLatitude, -cg3.m_dLongitude};
}

SiteCoordinates CurrentCoordinates(const CKelpDoc& doc)
{
    if (doc.m_bAliod)
        return CoordinatesOf(doc.m_pCurAliodHeader);
    return CoordinatesOf(doc.m_pCurHeader);
}

}  // namespace bramble
