#pragma once

#include <optional>

namespace bramble {

class CHeaderRecord;
class CKelpDoc;
class CReading;

// Where the tide and polar-motion steps place a station: latitude and EAST
// longitude in degrees. The headers keep their longitude as read: the CG-3
// meter writes "Deg.Long." positive west, the Aliod header is typed
// positive east, so a CG-3 longitude changes its sign here. A CG-5, CG-6 or
// Burris reading carries its own position, east positive.
struct SiteCoordinates {
    double m_dLatitude = 0.0;
    double m_dEastLongitude = 0.0;
};

// A missing header, or one without a position (a CG-5, CG-6 or Burris
// loop), gives 0, 0.
SiteCoordinates CoordinatesOf(const CHeaderRecord* header);

// The document's current header: the CG-3 header block read last, or the
// Aliod header, as the document's m_bAliod says.
SiteCoordinates CurrentCoordinates(const CKelpDoc& doc);

// The reading's own position where its file gives one; empty for a CG-3
// or Aliod reading, whose position is its header's.
std::optional<SiteCoordinates> OwnPosition(const CReading& reading);

// Where the tide step computes a reading's tide: its own position, else
// its header's. Empty for a reading whose file gives positions per reading
// but none for this one.
std::optional<SiteCoordinates> TideSiteOf(const CReading& reading);

// Where the polar-motion step places a reading: its own position, else
// `current` (the document's current header). Empty as for the tide.
std::optional<SiteCoordinates> PolarSiteOf(const CReading& reading, const SiteCoordinates& current);

}  // namespace bramble
