// What the adjustment window's charts draw: drift per loop, the histogram
// of standardized residuals and the ties on the station map.
#include "adjust/AdjustPlotData.h"

#include <gtest/gtest.h>

#include "adjust/Adjustment.h"

namespace bramble {
namespace {

// A at 0, B at 10 mGal; the meter reads 5 mGal high and drifts 0.05
// mGal/day: the points lie on the drift line, 0 at the loop's first setup.
TEST(AdjustPlotData, DriftPointsLieOnTheFittedDrift)
{
    const double t0 = 45000.0;
    std::vector<bramble::Setup> setups;
    const char* stations[] = {"A", "B", "A", "B", "A"};
    for (int i = 0; i < 5; ++i) {
        const double t = t0 + 0.1 * i;
        const double truth = stations[i][0] == 'A' ? 0.0 : 10.0;
        setups.push_back({"L", stations[i], t, truth + 5.0 + 0.05 * (t - t0), 0.005, {}, "m", 1, {}, {}, ""});
    }
    const AdjustOutcome out = Adjust(setups, {{"A", 0.0, 0.0, "test"}}, AdjustOptions{});
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    const LoopDriftSeries series = DriftSeriesOfLoop(out.Value(), setups, 0, 3);
    EXPECT_EQ(series.loop, "L");
    ASSERT_EQ(series.points.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(series.points[i].value, 0.05 * 0.1 * static_cast<double>(i), 1e-9);
        EXPECT_EQ(series.points[i].setup, static_cast<int>(i));
    }
    ASSERT_EQ(series.curve.size(), 3u);
    EXPECT_NEAR(series.curve.back().first, t0 + 0.4, 1e-12);
    EXPECT_NEAR(series.curve.back().second, 0.02, 1e-9);
    EXPECT_TRUE(DriftSeriesOfLoop(out.Value(), setups, 1).points.empty());
}

ObservationResult Difference(const std::string& from, const std::string& to, std::optional<double> w)
{
    ObservationResult o;
    o.kind = ObservationResult::Kind::difference;
    o.loop = "L";
    o.from = from;
    o.to = to;
    o.standardized = w;
    return o;
}

// -1.2, 0.1, 0.2, 1.4 in bins of 0.5: -2.4 -> -1.0, 0.2 and 0.4 -> 0, 2.8 -> 1.5.
TEST(AdjustPlotData, HistogramBinsCentreOnMultiplesOfTheWidth)
{
    AdjustmentResult r;
    for (const double w : {-1.2, 0.1, 0.2, 1.4})
        r.observationResults.push_back(Difference("A", "B", w));
    r.observationResults.push_back(Difference("A", "B", std::nullopt));
    const Histogram h = StandardizedHistogram(r);
    EXPECT_DOUBLE_EQ(h.first, -1.0);
    EXPECT_EQ(h.counts, (std::vector<int>{1, 0, 2, 0, 0, 1}));
    EXPECT_TRUE(StandardizedHistogram(AdjustmentResult{}).counts.empty());
}

TEST(AdjustPlotData, TiesJoinStationsWithPositionsOnly)
{
    AdjustmentResult r;
    r.stations = {{"A", 0, 0, 1, true, 45.0, 7.0}, {"B", 0, 0, 1, false, 45.1, 7.2}, {"C", 0, 0, 1, false, {}, {}}};
    r.observationResults = {Difference("A", "B", 2.5), Difference("B", "C", 0.3)};
    const std::vector<MapTie> ties = NetworkTies(r);
    ASSERT_EQ(ties.size(), 1u);
    EXPECT_EQ(ties[0].from, "A");
    EXPECT_DOUBLE_EQ(ties[0].toLongitude, 7.2);
    EXPECT_DOUBLE_EQ(*ties[0].standardized, 2.5);

    // Readings model: successive setups of a loop, the larger |w| of the two.
    AdjustmentResult readings;
    readings.stations = r.stations;
    for (const auto& [station, index, w] : {std::tuple{"A", 0, 0.5}, {"A", 1, 0.2}, {"B", 2, -1.5}}) {
        ObservationResult o;
        o.loop = "L";
        o.to = station;
        o.setups = {index};
        o.standardized = w;
        readings.observationResults.push_back(o);
    }
    const std::vector<MapTie> loopTies = NetworkTies(readings);
    ASSERT_EQ(loopTies.size(), 1u);
    EXPECT_EQ(loopTies[0].to, "B");
    EXPECT_DOUBLE_EQ(*loopTies[0].standardized, -1.5);
}

}  // namespace
}  // namespace bramble
