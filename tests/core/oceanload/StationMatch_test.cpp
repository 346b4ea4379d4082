// Which BLQ block a station takes: its own name first, else the nearest
// block with a position within the distance, else none.
#include <gtest/gtest.h>

#include "oceanload/StationMatch.h"

using namespace bramble;

namespace {

constexpr double kKmPerDegree = 6371.0088 * 3.141592653589793 / 180.0;

BlqBlock Block(const std::string& name, std::optional<BlqPosition> position)
{
    BlqBlock block;
    block.name = name;
    block.position = position;
    return block;
}

TEST(StationMatch, NameFirstThenNearestWithinTheDistance)
{
    const std::vector<BlqBlock> blocks = {
        Block("HVO10", BlqPosition{-155.2658, 19.4022, 0.0}),
        Block("109YY", std::nullopt),
        Block("NORTH", BlqPosition{-155.2658, 19.4022 + 3.0 / kKmPerDegree, 0.0}),
    };
    const double lat = 19.4022, lon = -155.2658;
    const std::vector<BlqStation> stations = {
        {"hvo10", 0.0, 0.0},                     // the name wins over a far position
        {"101", lat + 1.0 / kKmPerDegree, lon},  // 1 km from HVO10, 2 km from NORTH
        {"102", lat + 2.6 / kKmPerDegree, lon},  // 0.4 km from NORTH
        {"103", lat - 7.0 / kKmPerDegree, lon},  // 7 km: beyond the default
        {"104", std::nullopt, std::nullopt},     // no position, no name
        {"103", lat - 7.0 / kKmPerDegree, lon},  // reported once
        {"109yy", std::nullopt, std::nullopt},   // a block without a position, by name
        {"105", lat, lon + 360.0},               // longitude given as 0..360
    };
    const BlqMatching m = MatchBlqStations(stations, blocks);
    ASSERT_EQ(m.matches.size(), stations.size());
    EXPECT_EQ(m.matches[0].by, BlqMatch::By::kName);
    EXPECT_EQ(m.matches[0].block, 0u);
    EXPECT_EQ(m.matches[1].by, BlqMatch::By::kDistance);
    EXPECT_EQ(m.matches[1].block, 0u);
    EXPECT_NEAR(m.matches[1].distanceKm, 1.0, 1e-6);
    EXPECT_EQ(m.matches[2].block, 2u);
    EXPECT_NEAR(m.matches[2].distanceKm, 0.4, 1e-6);
    EXPECT_EQ(m.matches[3].by, BlqMatch::By::kNone);
    EXPECT_EQ(m.matches[4].by, BlqMatch::By::kNone);
    EXPECT_EQ(m.matches[6].by, BlqMatch::By::kName);
    EXPECT_EQ(m.matches[6].block, 1u);
    EXPECT_EQ(m.matches[7].block, 0u);
    EXPECT_NEAR(m.matches[7].distanceKm, 0.0, 1e-6);
    EXPECT_EQ(m.unmatched, (std::vector<std::string>{"103", "104"}));

    // The user's distance decides.
    const BlqMatching wide = MatchBlqStations({stations[3]}, blocks, 10.0);
    EXPECT_EQ(wide.matches[0].by, BlqMatch::By::kDistance);
    EXPECT_NEAR(wide.matches[0].distanceKm, 7.0, 1e-6);
    EXPECT_TRUE(wide.unmatched.empty());
}

}  // namespace
