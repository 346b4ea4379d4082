#pragma once

namespace bramble {

class CHeaderRecord;
class CKelpDoc;

// Where the tide and polar-motion steps place a station: latitude and EAST
// longitude in degrees. The headers keep their longitude as read: the CG-3
// meter writes "Deg.Long." positive west, the Aliod header is typed
// positive east, so a CG-3 longitude changes its sign here.
struct SiteCoordinates {
    double m_dLatitude = 0.0;
    double m_dEastLongitude = 0.0;
};

// A missing header gives 0, 0.
SiteCoordinates CoordinatesOf(const CHeaderRecord* header);

// The document's current header: the CG-3 header block read last, or the
// Aliod header, as the document's m_bAliod says.
SiteCoordinates CurrentCoordinates(const CKelpDoc& doc);

}  // namespace bramble
