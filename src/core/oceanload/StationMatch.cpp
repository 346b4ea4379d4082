#include "oceanload/StationMatch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace bramble {
namespace {

constexpr double kMeanEarthRadiusKm = 6371.0088;  // IUGG mean radius

// Haversine distance, exact also for close points.
double GreatCircleKm(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg)
{
    constexpr double rad = std::numbers::pi / 180.0;
    const double sinHalfLat = std::sin((lat2Deg - lat1Deg) * rad / 2.0);
    const double sinHalfLon = std::sin((lon2Deg - lon1Deg) * rad / 2.0);
    const double a =
        sinHalfLat * sinHalfLat + std::cos(lat1Deg * rad) * std::cos(lat2Deg * rad) * sinHalfLon * sinHalfLon;
    return 2.0 * kMeanEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

BlqMatch MatchOne(const BlqStation& station, const std::vector<BlqBlock>& blocks, double maxDistanceKm)
{
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (SameStationName(blocks[i].name, station.name))
            return {BlqMatch::By::kName, i, 0.0};
    }
    BlqMatch best;
    if (!station.latitudeDeg || !station.longitudeEastDeg)
        return best;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (!blocks[i].position)
            continue;
        const double km = GreatCircleKm(*station.latitudeDeg, *station.longitudeEastDeg,
                                        blocks[i].position->latitudeDeg, blocks[i].position->longitudeEastDeg);
        if (km <= maxDistanceKm && (best.by == BlqMatch::By::kNone || km < best.distanceKm))
            best = {BlqMatch::By::kDistance, i, km};
    }
    return best;
}

}  // namespace

BlqMatching MatchBlqStations(const std::vector<BlqStation>& stations, const std::vector<BlqBlock>& blocks,
                             double maxDistanceKm)
{
    BlqMatching result;
    for (const BlqStation& station : stations) {
        result.matches.push_back(MatchOne(station, blocks, maxDistanceKm));
        if (result.matches.back().by == BlqMatch::By::kNone &&
            std::find(result.unmatched.begin(), result.unmatched.end(), station.name) == result.unmatched.end())
            result.unmatched.push_back(station.name);
    }
    return result;
}

}  // namespace bramble
