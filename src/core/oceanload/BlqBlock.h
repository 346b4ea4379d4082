#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "oceanload/TidalConstituents.h"

namespace bramble {

// Where the loading provider computed a block: the "lon/lat:" comment of
// the block (longitude east, latitude, height in metres).
struct BlqPosition {
    double longitudeEastDeg = 0.0;
    double latitudeDeg = 0.0;
    double heightM = 0.0;
};

// One station's ocean-loading parameters for gravity, in the column order of
// oceanload::kBlqConstituents. The tilt rows of the block are checked when
// read but not kept.
struct BlqBlock {
    std::string name;                                               // the station name line, trimmed
    std::optional<BlqPosition> position;                            // none when the block has no "lon/lat:" comment
    std::array<double, oceanload::kBlqColumnCount> amplitudes{};    // nm/s^2 (0.1 microGal), >= 0
    std::array<double, oceanload::kBlqColumnCount> phaseLagsDeg{};  // relative to Greenwich, lags positive
    int line = 0;                                                   // line of the name in the file, from 1
};

// Station names are compared without regard to case: the provider's form
// and the meters do not agree on it.
inline bool SameStationName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

}  // namespace bramble
