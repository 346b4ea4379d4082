#include <gtest/gtest.h>

#include "SurveyBuilder.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/TideStep.h"

using namespace bramble;
using bramble::test::At;
using bramble::test::SurveyBuilder;

namespace {

// A tide function that returns a fixed value and remembers its arguments.
struct FakeTide {
    double value = 85.0;
    double hours = -1, latitude = -1, westLongitude = -1, factor = -1;
    int height = -1;
    TideFunction fn()
    {
        return [this](double h, double lat, double west, std::int32_t height_, double factor_) {
            hours = h, latitude = lat, westLongitude = west, height = height_, factor = factor_;
            return value;
        };
    }
};

struct Cg3Reading : ::testing::Test {
    SurveyBuilder s;
    CScintrexStation* r = nullptr;
    FakeTide tide;
    void SetUp() override
    {
        s.AddCg3Header(40.03, 105.05);  // "Deg.Long.: 105.05": 105.05 degrees WEST
        r = &s.AddCg3(At(2019, 3, 12, 21, 30), 1234.567, -0.033);
    }
};

}  // namespace

TEST_F(Cg3Reading, LongmanKeepsTheGravityAsRead)
{
    ApplyTideStep(*r, kTideLongman, tide.fn());
    EXPECT_DOUBLE_EQ(r->m_dGrav, 1234.567);
    EXPECT_EQ(r->m_dTideCorr, 0.0);
    EXPECT_DOUBLE_EQ(r->m_dEtc, -0.033);
    EXPECT_EQ(tide.hours, -1);  // no tide computed
}

TEST_F(Cg3Reading, NoneRemovesTheMetersTide)
{
    ApplyTideStep(*r, kTideNone, tide.fn());
    EXPECT_DOUBLE_EQ(r->m_dGrav, 1234.600);
    EXPECT_EQ(r->m_dTideCorr, 0.0);
    EXPECT_EQ(r->m_dEtc, 0.0);
    // Back to Longman: the meter's E.T.C. is restored from the value read.
    ApplyTideStep(*r, kTideLongman, tide.fn());
    EXPECT_DOUBLE_EQ(r->m_dEtc, -0.033);
}

TEST_F(Cg3Reading, BergerReplacesTheMetersTideByTheComputedOne)
{
    ApplyTideStep(*r, kTideBerger, tide.fn());
    EXPECT_DOUBLE_EQ(r->m_dTideCorr, 0.085);
    EXPECT_DOUBLE_EQ(r->m_dGrav, 1234.685);
    EXPECT_DOUBLE_EQ(r->m_dEtc, -0.033);  // not changed
    EXPECT_EQ(tide.height, 0);
    EXPECT_EQ(tide.factor, 1.0);
}

TEST_F(Cg3Reading, BergerThenNoneLeavesNoTideCorrection)
{
    ApplyTideStep(*r, kTideBerger, tide.fn());
    ApplyTideStep(*r, kTideNone, tide.fn());
    EXPECT_EQ(r->m_dTideCorr, 0.0);
}

TEST_F(Cg3Reading, TimeIsHoursSince1900AsStored)
{
    s.doc.m_pCurHeader->m_nGmtDiff = 7;  // not applied
    r->m_dtTime = DateTime(2.25);        // 1 January 1900, 06:00
    ApplyTideStep(*r, kTideBerger, tide.fn());
    EXPECT_DOUBLE_EQ(tide.hours, 6.0);
}

TEST_F(Cg3Reading, Cg3LongitudeIsWestPositiveAsWritten)
{
    ApplyTideStep(*r, kTideBerger, tide.fn());
    EXPECT_DOUBLE_EQ(tide.latitude, 40.03);
    EXPECT_DOUBLE_EQ(tide.westLongitude, 105.05);
}

TEST_F(Cg3Reading, EachReadingUsesItsOwnHeader)
{
    s.AddCg3Header(-33.9, -18.42);  // a second block: 18.42 E
    CScintrexStation& second = s.AddCg3(At(2019, 3, 13, 9), 1000.0);
    ApplyTideStep(second, kTideBerger, tide.fn());
    EXPECT_DOUBLE_EQ(tide.latitude, -33.9);
    EXPECT_DOUBLE_EQ(tide.westLongitude, -18.42);
    ApplyTideStep(*r, kTideBerger, tide.fn());
    EXPECT_DOUBLE_EQ(tide.westLongitude, 105.05);
}

TEST(AliodTide, AliodLongitudeIsEastPositiveAsTyped)
{
    SurveyBuilder s;
    s.AddAliodHeader(40.02885, -105.04603);
    CAliodStation& r = s.AddAliod(At(2019, 3, 14, 16), 4023.512);
    FakeTide tide;
    ApplyTideStep(r, kTideBerger, tide.fn());
    EXPECT_DOUBLE_EQ(tide.westLongitude, 105.04603);
    EXPECT_DOUBLE_EQ(r.m_dGrav, 4023.512 + 0.085);
}

TEST(AliodTide, LongmanAndNoneGiveTheSameGravity)
{
    SurveyBuilder s;
    s.AddAliodHeader(40.0, -105.0);
    CAliodStation& r = s.AddAliod(At(2019, 3, 14, 16), 4023.512);
    FakeTide tide;
    ApplyTideStep(r, kTideLongman, tide.fn());
    const double longman = r.m_dGrav;
    ApplyTideStep(r, kTideNone, tide.fn());
    EXPECT_EQ(r.m_dGrav, longman);
}
