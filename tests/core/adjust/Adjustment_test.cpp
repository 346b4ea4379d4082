#include "adjust/Adjustment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "NetworkFixtures.h"
#include "adjust/SetupsCsv.h"
#include "adjust/TestStatistics.h"

namespace bramble {
namespace {

const StationResult& Station(const AdjustmentResult& r, const std::string& name)
{
    for (const StationResult& s : r.stations)
        if (s.station == name)
            return s;
    throw std::runtime_error("no station " + name);
}

std::vector<bramble::Setup> HandNetwork()
{
    const SetupsFile file = ReadSetupsCsv(BRAMBLE_TEST_DATA "/adjust/hand-network.csv");
    EXPECT_TRUE(file.Succeeded()) << file.ErrorText();
    return file.Value();
}

// Three stations, A held at 100 mGal, six differences of one loop without
// drift, all of sigma 0.005*sqrt(2). By hand: N = [[4,-2],[-2,4]]/sigma^2,
// b = 1.006, c = 3.002, v = (6,-4,8,-4,6,-6) uGal, v'Pv = 204e-6/5e-5 = 4.08,
// dof 4, every redundancy 2/3, sd = s0 sigma sqrt(1/3).
TEST(Adjustment, HandSolvedNetwork)
{
    AdjustOptions options;
    options.model = ObservationModel::differences;
    options.driftDegree = 0;
    const AdjustOutcome out = Adjust(HandNetwork(), {{"A", 100.0, 0.0, "hand"}}, options);
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    const AdjustmentResult& r = out.Value();
    EXPECT_EQ(r.dof, 4);
    EXPECT_NEAR(r.chi2, 4.08, 1e-4);
    EXPECT_NEAR(*r.s0, std::sqrt(1.02), 1e-4);
    EXPECT_NEAR(Station(r, "A").gravity, 100.0, 1e-9);
    EXPECT_EQ(Station(r, "A").sd, 0.0);
    EXPECT_NEAR(Station(r, "B").gravity, 101.0060, 1e-4);
    EXPECT_NEAR(Station(r, "C").gravity, 103.0020, 1e-4);
    EXPECT_NEAR(Station(r, "B").sd, 0.0041, 1e-4);
    EXPECT_NEAR(Station(r, "C").sd, 0.0041, 1e-4);
    EXPECT_EQ(Station(r, "A").setups, 3);
    const double expected[] = {0.006, -0.004, 0.008, -0.004, 0.006, -0.006};
    ASSERT_EQ(r.observationResults.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_NEAR(r.observationResults[i].residual, expected[i], 1e-4) << i;
        EXPECT_NEAR(r.observationResults[i].redundancy, 2.0 / 3.0, 1e-4) << i;
    }
    EXPECT_EQ(r.observationResults[0].from, "A");
    EXPECT_EQ(r.observationResults[0].to, "B");
    ASSERT_TRUE(r.chi2Test);
    EXPECT_TRUE(r.chi2Test->passed);

    // A datum of tiny SD gives the same as holding the station fixed.
    const AdjustOutcome weighted = Adjust(HandNetwork(), {{"A", 100.0, 1e-7, "hand"}}, options);
    ASSERT_TRUE(weighted.HasValue()) << weighted.ErrorText();
    EXPECT_NEAR(Station(weighted.Value(), "B").gravity, 101.0060, 1e-6);
    EXPECT_NEAR(weighted.Value().chi2, 4.08, 1e-4);
    EXPECT_EQ(weighted.Value().dof, 4);  // one more observation, one more unknown
}

TEST(Adjustment, RecoversAGeneratedCampaignWithin3Sigma)
{
    const test::GeneratedNetwork gen = test::GenerateNetwork(12, 8, 14, 0.004);
    for (const ObservationModel model : {ObservationModel::readings, ObservationModel::differences}) {
        AdjustOptions options;
        options.model = model;
        options.calibration = true;
        const std::vector<Datum> datums = {{"S0", gen.truth[0], 0.0, "truth"}, {"S3", gen.truth[3], 0.001, "truth"}};
        const AdjustOutcome out = Adjust(gen.setups, datums, options);
        ASSERT_TRUE(out.HasValue()) << out.ErrorText();
        const AdjustmentResult& r = out.Value();
        for (std::size_t s = 0; s < gen.truth.size(); ++s) {
            const StationResult& st = Station(r, test::StationName(static_cast<int>(s)));
            if (!st.fixed) {
                EXPECT_LT(std::abs(st.gravity - gen.truth[s]), 3.0 * st.sd) << st.station;
            }
        }
        ASSERT_EQ(r.drift.size(), gen.driftRate.size());
        for (std::size_t l = 0; l < r.drift.size(); ++l)
            EXPECT_LT(std::abs(r.drift[l].coefficients[0] - gen.driftRate[l]), 3.0 * r.drift[l].sd[0]) << l;
        ASSERT_EQ(r.calibration.size(), 2u);
        for (std::size_t m = 0; m < 2; ++m)
            EXPECT_LT(std::abs(r.calibration[m].factor - gen.factor[m]), 3.0 * r.calibration[m].sd) << m;
        // The redundancy numbers add up to the degrees of freedom.
        double sum = 0.0;
        for (const ObservationResult& o : r.observationResults)
            sum += o.redundancy;
        EXPECT_NEAR(sum, r.dof, 1e-6);
        // Only the readings model's chi2 follows its distribution: the
        // differences model ignores the correlation of successive differences.
        if (model == ObservationModel::readings) {
            EXPECT_TRUE(r.chi2Test->passed) << r.chi2 << " " << r.chi2Test->lower << " " << r.chi2Test->upper;
        }
    }
}

// Every pass is announced with the removals so far; a false answer stops
// the run with no result.
TEST(Adjustment, ProgressAnnouncesEachPassAndCanStopTheRun)
{
    test::GeneratedNetwork gen = test::GenerateNetwork(10, 6, 14, 0.004);
    gen.setups[20].gravity += 0.15;
    AdjustOptions options;
    options.removeOutliers = true;
    const std::vector<Datum> datums{{"S0", gen.truth[0], 0.0, "truth"}};
    std::vector<std::pair<int, int>> passes;
    const AdjustOutcome out = Adjust(gen.setups, datums, options, [&](int pass, int removed) {
        passes.emplace_back(pass, removed);
        return true;
    });
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    ASSERT_EQ(passes.size(), out.Value().removed.size() + 1);
    for (std::size_t i = 0; i < passes.size(); ++i)
        EXPECT_EQ(passes[i], std::make_pair(static_cast<int>(i) + 1, static_cast<int>(i)));

    const AdjustOutcome stopped = Adjust(gen.setups, datums, options, [](int pass, int) { return pass < 2; });
    EXPECT_FALSE(stopped.HasValue());
    EXPECT_EQ(stopped.ErrorText(), kAdjustmentCancelled);
}

TEST(Adjustment, RemovesAPlantedBlunderFirst)
{
    test::GeneratedNetwork gen = test::GenerateNetwork(10, 6, 14, 0.004);
    gen.setups[20].gravity += 0.15;
    AdjustOptions options;
    options.removeOutliers = true;
    const AdjustOutcome out = Adjust(gen.setups, {{"S0", gen.truth[0], 0.0, "truth"}}, options);
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    const AdjustmentResult& r = out.Value();
    ASSERT_FALSE(r.removed.empty());
    EXPECT_EQ(r.removed.front().setups, std::vector<int>{20});
    EXPECT_TRUE(r.removed.front().outlier);
    for (const ObservationResult& o : r.observationResults)
        EXPECT_FALSE(o.outlier);
    EXPECT_EQ(r.observations, static_cast<int>(gen.setups.size() - r.removed.size()));

    options.removeOutliers = false;
    const AdjustOutcome kept = Adjust(gen.setups, {{"S0", gen.truth[0], 0.0, "truth"}}, options);
    ASSERT_TRUE(kept.HasValue());
    EXPECT_TRUE(kept.Value().observationResults[20].outlier);
    EXPECT_TRUE(kept.Value().removed.empty());
}

TEST(Adjustment, RefusesWhatCannotBeSolvedByName)
{
    std::vector<bramble::Setup> setups = HandNetwork();
    // A second loop between two stations no datum reaches.
    bramble::Setup d = setups.front();
    d.loop = "M";
    d.station = "D";
    setups.push_back(d);
    d.station = "E";
    d.time += 0.01;
    setups.push_back(d);
    AdjustOptions options;
    options.driftDegree = 0;
    AdjustOutcome out = Adjust(setups, {{"A", 100.0, 0.0, "hand"}}, options);
    EXPECT_FALSE(out.HasValue());
    EXPECT_EQ(out.ErrorText(), "stations D, E are not connected to any datum");

    options.driftDegree = 3;  // an offset and a cubic need four setup times
    setups.resize(3);         // A, B, C once each
    out = Adjust(setups, {{"A", 100.0, 0.0, "hand"}}, options);
    EXPECT_FALSE(out.HasValue());
    EXPECT_NE(out.ErrorText().find("loop L has 3 setup time(s): too few"), std::string::npos) << out.ErrorText();

    options.driftDegree = 1;
    options.calibration = true;
    out = Adjust(HandNetwork(), {{"A", 100.0, 0.0, "hand"}}, options);
    EXPECT_FALSE(out.HasValue());
    EXPECT_NE(out.ErrorText().find("datums at two stations"), std::string::npos);

    options.calibration = false;
    out = Adjust(HandNetwork(), {{"A", 100.0, 0.0, "one"}, {"A", 100.5, 0.0, "two"}}, options);
    EXPECT_FALSE(out.HasValue());
    EXPECT_NE(out.ErrorText().find("held fixed at two different values"), std::string::npos);

    out = Adjust({}, {}, options);
    EXPECT_FALSE(out.HasValue());
    options.driftDegree = 4;
    EXPECT_FALSE(Adjust(HandNetwork(), {}, options).HasValue());
}

TEST(Adjustment, DegenerateNetworksGiveNoNaN)
{
    // No datum: the first station is held at 0, with a warning.
    AdjustOptions options;
    options.model = ObservationModel::differences;
    options.driftDegree = 0;
    AdjustOutcome out = Adjust(HandNetwork(), {{"Z", 5.0, 0.0, "elsewhere"}}, options);
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    EXPECT_NEAR(Station(out.Value(), "B").gravity, 1.006, 1e-4);
    ASSERT_EQ(out.Texts(Severity::warning).size(), 2u);  // datum Z unused, A held at 0

    // No redundancy: a single difference.
    std::vector<bramble::Setup> two = HandNetwork();
    two.resize(2);
    out = Adjust(two, {{"A", 100.0, 0.0, "hand"}}, options);
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    const AdjustmentResult& r = out.Value();
    EXPECT_EQ(r.dof, 0);
    EXPECT_FALSE(r.s0);
    EXPECT_FALSE(r.chi2Test);
    EXPECT_FALSE(r.tauCritical);
    EXPECT_NEAR(Station(r, "B").gravity, 101.0, 1e-9);
    EXPECT_NEAR(Station(r, "B").sd, 0.005 * std::sqrt(2.0), 1e-9);  // a-priori
    EXPECT_FALSE(r.observationResults[0].standardized);
    EXPECT_EQ(r.observationResults[0].redundancy, 0.0);
}

TEST(TestStatistics, BoundsAndCriticalValues)
{
    // chi2 table, 10 degrees of freedom: 3.247 (2.5 %) and 20.483 (97.5 %).
    const ChiSquareBounds b = GlobalTestBounds(10, 0.05);
    EXPECT_NEAR(b.lower, 3.247, 1e-3);
    EXPECT_NEAR(b.upper, 20.483, 1e-3);
    // Student's t, 9 degrees of freedom, 97.5 %: 2.262; as Pope's tau with
    // 10 degrees of freedom: 2.262 sqrt(10) / sqrt(9 + 2.262^2) = 1.904.
    EXPECT_NEAR(TauCritical(10, 1, 0.05), 1.904, 1e-3);
    // More observations, a stricter bound, never above sqrt(dof).
    EXPECT_GT(TauCritical(10, 50, 0.05), TauCritical(10, 1, 0.05));
    EXPECT_LT(TauCritical(10, 100000, 0.05), std::sqrt(10.0));
}

}  // namespace
}  // namespace bramble
