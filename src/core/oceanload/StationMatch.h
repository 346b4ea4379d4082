#pragma once

// Which BLQ block gives a survey station its ocean loading.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "oceanload/BlqBlock.h"

namespace bramble {

inline constexpr double kDefaultBlqMatchDistanceKm = 5.0;

struct BlqStation {
    std::string name;
    // Latitude and EAST longitude in degrees; none when the station has no
    // known position (it can then only match by name).
    std::optional<double> latitudeDeg, longitudeEastDeg;
};

struct BlqMatch {
    enum class By { kName, kDistance, kNone };
    By by = By::kNone;
    std::size_t block = 0;    // index into the blocks, unless kNone
    double distanceKm = 0.0;  // for kDistance
};

struct BlqMatching {
    std::vector<BlqMatch> matches;       // one per station, in order
    std::vector<std::string> unmatched;  // names of the stations with no block, in order, each once
};

// A station takes the block of the same name (SameStationName), else the
// nearest block with a position within `maxDistanceKm` of its own (great
// circle on the mean Earth sphere; equal distances go to the earlier
// block), else none.
BlqMatching MatchBlqStations(const std::vector<BlqStation>& stations, const std::vector<BlqBlock>& blocks,
                             double maxDistanceKm = kDefaultBlqMatchDistanceKm);

}  // namespace bramble
