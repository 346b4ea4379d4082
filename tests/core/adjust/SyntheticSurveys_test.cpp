// The synthetic loop surveys with known truth (GSadjust test data, Burris
// format): read, turned into setups and adjusted with two datums from the
// truth, the stations, the drift rate and the calibration factors must come
// back within 3 sigma of the truth.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "adjust/Adjustment.h"
#include "adjust/SetupBuilder.h"
#include "adjust/SurveyReadings.h"
#include "meters/BurrisReader.h"

namespace bramble {
namespace {

struct SyntheticCase {
    const char* file;
    std::optional<double> driftPerDay;  // linear drift of the truth; none when not linear
    std::vector<double> factors;        // per meter in file order; none: not estimated
};

const std::map<std::string, double> kTruth = {
    {"sta1", 50.0}, {"sta2", 48.0}, {"sta3", 45.0}, {"sta4", 48.5}, {"sta5", 46.0}};

class SyntheticLoopTruth : public ::testing::TestWithParam<SyntheticCase> { };

TEST_P(SyntheticLoopTruth, TruthWithin3Sigma)
{
    const SyntheticCase& c = GetParam();
    const MeterSurvey survey = ReadBurrisFile(std::string(BRAMBLE_TEST_DATA "/meters/") + c.file);
    ASSERT_TRUE(survey.issues.empty());
    const SetupsFromReadings built = BuildSetups(AdjustReadingsFromSurvey(survey), SigmaOptions{});
    AdjustOptions options;
    options.calibration = !c.factors.empty();
    // The non-linear drift of Test5 needs the cubic.
    options.driftDegree = c.driftPerDay ? 1 : 3;
    const AdjustOutcome out =
        Adjust(built.setups, {{"sta1", 50.0, 0.0, "truth"}, {"sta3", 45.0, 0.0, "truth"}}, options);
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    const AdjustmentResult& r = out.Value();
    for (const StationResult& s : r.stations)
        if (!s.fixed) {
            EXPECT_LT(std::abs(s.gravity - kTruth.at(s.station)), 3.0 * s.sd) << c.file << " " << s.station;
        }
    if (c.driftPerDay)
        for (const DriftResult& d : r.drift) {
            EXPECT_LT(std::abs(d.coefficients[0] - *c.driftPerDay), 3.0 * d.sd[0]) << c.file << " " << d.loop;
        }
    ASSERT_EQ(r.calibration.size(), c.factors.size());
    for (std::size_t m = 0; m < c.factors.size(); ++m)
        EXPECT_LT(std::abs(r.calibration[m].factor - c.factors[m]), 3.0 * r.calibration[m].sd)
            << c.file << " " << r.calibration[m].meter;
}

// 0.01 mGal/hour is 0.24 mGal/day.
INSTANTIATE_TEST_SUITE_P(Adjustment, SyntheticLoopTruth,
                         ::testing::Values(SyntheticCase{"Test1.txt", 0.0, {}}, SyntheticCase{"Test2.txt", 0.24, {}},
                                           SyntheticCase{"Test3.txt", 0.24, {1.03}},
                                           SyntheticCase{"Test4.txt", 0.24, {1.10, 1.05}},
                                           SyntheticCase{"Test5.txt", std::nullopt, {1.003}}));

}  // namespace
}  // namespace bramble
