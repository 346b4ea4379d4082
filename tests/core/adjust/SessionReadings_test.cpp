// The adjustment's readings taken from a reduction session: loops, meters,
// SDs, and the gravity with the survey's corrections but without its drift.
#include "adjust/SessionReadings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "adjust/Adjustment.h"
#include "adjust/SetupBuilder.h"
#include "adjust/SurveyReadings.h"
#include "corrections/Pressure.h"
#include "meters/Cg6Reader.h"
#include "session/ReductionSession.h"

namespace bramble {
namespace {

const std::string kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const std::string kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";

TEST(SessionReadings, Cg3BlocksAreLoopsAndTheMeterKeepsItsOwnTideByDefault)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg3, MeterKind::cg3).Succeeded());
    const std::vector<AdjustReading> readings = AdjustReadingsFromSession(session);
    ASSERT_EQ(readings.size(), 15u);
    const AdjustReading& first = readings.front();
    EXPECT_EQ(first.station, "1");
    EXPECT_EQ(first.loop, "block 1 (2019-03-12)");
    EXPECT_EQ(first.meter, "9911");
    EXPECT_DOUBLE_EQ(first.gravity, 2489.871);  // Longman: as the meter wrote it
    EXPECT_DOUBLE_EQ(*first.sd, 0.021);
    EXPECT_DOUBLE_EQ(*first.duration, 60.0);
    EXPECT_DOUBLE_EQ(*first.temperature, -0.82);
    EXPECT_FALSE(first.latitude);
    // The block runs on past midnight as one loop.
    EXPECT_EQ(readings[9].loop, "block 1 (2019-03-12)");
    EXPECT_EQ(readings[9].station, "102");
    EXPECT_EQ(readings[10].loop, "block 2 (2019-03-13)");
    for (std::size_t i = 1; i < readings.size(); ++i)
        EXPECT_LE(readings[i - 1].time, readings[i].time);

    // A rejected reading takes no part; the others stay as they were.
    session.List().Reject(0, "meter bumped");
    const std::vector<AdjustReading> kept = AdjustReadingsFromSession(session);
    ASSERT_EQ(kept.size(), 14u);
    EXPECT_EQ(kept.front().time, readings[1].time);
}

// Tide "None" takes the meter's E.T.C. out (2489.871 + 0.062), one pressure
// entry of 1003.25 hPa against the nominal 1013.25 adds its correction, and
// the drift the session applies to its selection stays out.
TEST(SessionReadings, TheSurveysCorrectionsAreAppliedButNotItsDrift)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg3, MeterKind::cg3).Succeeded());
    CorrectionsDialogModel dialog = session.OpenCorrections();
    dialog.Settings().m_PressureList = {"03/12/2019  21:30:12  1003.25"};
    ASSERT_TRUE(dialog.ApplyPressures(dialog.Settings().m_PressureList).Succeeded());
    dialog.Settings().m_bApplyPressure = true;
    dialog.Settings().m_dNominalPressure = 1013.25;
    ASSERT_TRUE(dialog.SetTideMode(kTideNone).Succeeded());
    session.SelectStations({});
    session.ApplyCorrections(dialog.Settings());

    const double pressure = PressureCorrection(1003.25, 1013.25);
    ASSERT_NE(pressure, 0.0);
    const std::vector<AdjustReading> before = AdjustReadingsFromSession(session);
    EXPECT_NEAR(before.front().gravity, 2489.933 + pressure, 1e-9);

    // A drift line fitted and applied in the session changes its readings,
    // not the adjustment's.
    session.RunDriftCommand(session.Corrections(), DriftMode::calculate, {});
    ASSERT_TRUE(session.Corrections().m_bApplyDrift);
    const std::vector<AdjustReading> after = AdjustReadingsFromSession(session);
    ASSERT_EQ(after.size(), before.size());
    bool driftShown = false;
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_DOUBLE_EQ(after[i].gravity, before[i].gravity);
        driftShown = driftShown || session.Document().m_Readings[i]->m_dDriftCorr != 0.0;
    }
    EXPECT_TRUE(driftShown);
}

// The first two readings (station 1, SD 0.021 and 0.018 mGal, 60 s) make one
// setup: sigma = hypot(sd / sqrt(60), 0.005), weights 1/sigma^2:
// g = 2489.87255, sd = 0.0039588.
TEST(SessionReadings, ConsecutiveReadingsOfAStationFormOneSetup)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg3, MeterKind::cg3).Succeeded());
    const SetupsFromReadings built = BuildSetups(AdjustReadingsFromSession(session), SigmaOptions{});
    ASSERT_EQ(built.setups.size(), 14u);
    const bramble::Setup& first = built.setups.front();
    EXPECT_EQ(first.readings, 2);
    EXPECT_NEAR(first.gravity, 2489.87255, 1e-5);
    EXPECT_NEAR(first.sd, 0.0039588, 1e-7);

    AdjustOptions options;
    const AdjustOutcome out = Adjust(built.setups, {{"1", 2489.0, 0.0, "test"}}, options);
    ASSERT_TRUE(out.HasValue()) << out.ErrorText();
    EXPECT_EQ(out.Value().stations.size(), 6u);
    EXPECT_EQ(out.Value().drift.size(), 2u);
}

TEST(SessionReadings, AnAliodFileIsOneLoopADayWithoutSdOrDuration)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kAliod, MeterKind::aliod, DefaultAliodHeaderTexts()).Succeeded());
    const std::vector<AdjustReading> readings = AdjustReadingsFromSession(session);
    ASSERT_EQ(readings.size(), 8u);
    for (const AdjustReading& r : readings) {
        EXPECT_EQ(r.loop, "2019-03-14");
        EXPECT_EQ(r.meter, "123456789");
        EXPECT_FALSE(r.sd);
        EXPECT_FALSE(r.duration);
    }
    EXPECT_DOUBLE_EQ(readings.front().gravity, session.Document().m_Readings.front()->m_dGravLessEtc);
}

// A CG-6 survey in the session gives the adjustment what the file gives it
// (its Line loops, meter, SDs, positions, the gravity as the meter wrote it
// under the Longman option); a reading rejected in the list is left out.
TEST(SessionReadings, AMeterFileKeepsItsLoopsPositionsAndRejections)
{
    const std::string file = BRAMBLE_TEST_DATA "/meters/CG-6_TestData.dat";
    ReductionSession session;
    ASSERT_TRUE(session.Import(file, MeterKind::cg6).Succeeded());
    std::vector<AdjustReading> expected = AdjustReadingsFromSurvey(ReadCg6File(file));
    std::stable_sort(expected.begin(), expected.end(),
                     [](const AdjustReading& a, const AdjustReading& b) { return a.time < b.time; });
    session.List().Reject(0, "bumped");  // the first in time
    expected.erase(expected.begin());
    const std::vector<AdjustReading> readings = AdjustReadingsFromSession(session);
    ASSERT_EQ(readings.size(), expected.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        EXPECT_EQ(readings[i].station, expected[i].station);
        EXPECT_EQ(readings[i].loop, expected[i].loop);
        EXPECT_EQ(readings[i].meter, expected[i].meter);
        EXPECT_DOUBLE_EQ(readings[i].gravity, expected[i].gravity);
        EXPECT_EQ(readings[i].sd, expected[i].sd);
        EXPECT_EQ(readings[i].latitude, expected[i].latitude);
        EXPECT_EQ(readings[i].longitude, expected[i].longitude);
        EXPECT_EQ(readings[i].rejected, expected[i].rejected);
    }
    EXPECT_EQ(readings.front().loop, "1");
}

}  // namespace
}  // namespace bramble
