// The CG-5 and CG-6 readers on the real sample files and on the variants
// the samples do not show (GPS columns, "Tide Correction: NO", GMT DIFF.,
// missing and overflow values, reordered columns).
#include <gtest/gtest.h>

#include "meters/Cg5Reader.h"
#include "meters/Cg6Reader.h"
#include "support/MeterTideCheck.h"
#include "support/TempFile.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

const std::string kData = BRAMBLE_TEST_DATA "/meters/";

std::string Stamp(const MeterReading& r) { return r.time.format("%Y-%m-%d %H:%M:%S"); }

const std::string kCg5Header =
    "/\tCG-5 SURVEY\n/\tSurvey name:   \tx\n/\tInstrument S/N:\t40001\n/\tOperator:      \tJ\n"
    "/\tLONG:        \t105.0500000 W\n/\tLAT:         \t40.0300000 N\n/\tGMT DIFF.:   \t-2.0 \n"
    "/\tTide Correction:    NO\n";

}  // namespace

TEST(Cg5Reader, SampleFileReadsEveryFieldAsWritten)
{
    const MeterSurvey s = ReadCg5File(kData + "CG-5_TestData.txt");
    ASSERT_TRUE(s.opened);
    EXPECT_TRUE(s.issues.empty());
    ASSERT_EQ(s.readings.size(), 2096u);
    EXPECT_EQ(s.facts.surveyName, "alohou");
    EXPECT_EQ(s.facts.instrument, "9379");
    EXPECT_EQ(s.facts.operatorName, "Sare");
    EXPECT_DOUBLE_EQ(*s.facts.latitude, 9.7);
    EXPECT_DOUBLE_EQ(*s.facts.longitude, 1.6);
    EXPECT_EQ(s.facts.meterTide, true);
    // 3.0000000 1.0000000 0.0000 2639.322 0.007 0.2 1.7 -2.33 0.054 60 6 05:57:01 41500.24753 0.0000 2013/09/15
    const MeterReading& r = s.readings.front();
    EXPECT_EQ(r.station, "1");
    EXPECT_EQ(r.loop, "3");
    EXPECT_EQ(r.meter, "9379");
    EXPECT_EQ(Stamp(r), "2013-09-15 05:57:01");
    EXPECT_DOUBLE_EQ(r.gravity, 2639.322);
    EXPECT_DOUBLE_EQ(*r.sd, 0.007);
    EXPECT_DOUBLE_EQ(*r.tiltX, 0.2);
    EXPECT_DOUBLE_EQ(*r.tiltY, 1.7);
    EXPECT_DOUBLE_EQ(*r.temperature, -2.33);
    EXPECT_DOUBLE_EQ(*r.tide, 0.054);
    EXPECT_DOUBLE_EQ(*r.duration, 60.0);
    EXPECT_EQ(*r.rejected, 6);
    EXPECT_DOUBLE_EQ(*r.latitude, 9.7);
    EXPECT_DOUBLE_EQ(*r.longitude, 1.6);
    EXPECT_TRUE(r.applied.tide && r.applied.tilt && r.applied.drift && r.applied.temperature);
    EXPECT_EQ(r.line, 35);
    // 2.0000000 1.0000000 0.0000 2639.535 0.014 -9.9 -15.0 -2.37 -0.051 60 2 20:02:22 41508.83364 0.0000 2013/09/23
    const MeterReading& last = s.readings.back();
    EXPECT_EQ(last.loop, "2");
    EXPECT_EQ(Stamp(last), "2013-09-23 20:02:22");
    EXPECT_DOUBLE_EQ(last.gravity, 2639.535);
    EXPECT_DOUBLE_EQ(*last.tiltY, -15.0);
    EXPECT_DOUBLE_EQ(*last.tide, -0.051);
    EXPECT_EQ(s.readings[28].station, "16");  // after 28 readings at station 1
}

TEST(Cg5Reader, TideOffGmtDiffAndWestLongitude)
{
    TempFile file(kCg5Header + "/------LINE-----STATION-----ALT.------GRAV.---SD.--TILTX--TILTY-TEMP---TIDE---DUR-"
                               "REJ-----TIME----DEC.TIME+DATE--TERRAIN---DATE\n"
                               " 1.0000000 12.5000000 10.0 2639.322 0.007 0.2 1.7 -2.33 0.054 60 6 23:57:01 "
                               "41500.24753 0.0000 2013/09/15\n");
    const MeterSurvey s = ReadCg5File(file.path());
    ASSERT_EQ(s.readings.size(), 1u);
    const MeterReading& r = s.readings[0];
    EXPECT_EQ(r.station, "12.5");
    EXPECT_EQ(Stamp(r), "2013-09-15 21:57:01");  // UT = clock + GMT DIFF.
    EXPECT_DOUBLE_EQ(*r.longitude, -105.05);
    EXPECT_DOUBLE_EQ(*r.latitude, 40.03);
    EXPECT_DOUBLE_EQ(*r.elevation, 10.0);
    EXPECT_FALSE(r.applied.tide);
    EXPECT_DOUBLE_EQ(*r.tide, 0.054);  // kept, but not in the gravity
    EXPECT_EQ(s.facts.gmtDiffHours, -2.0);
}

TEST(Cg5Reader, GpsVariantTakesStationsFromNotesAndPositionsFromColumns)
{
    TempFile file(kCg5Header +
                  "Line\t   4.000N\n"
                  "/------LAT------LONG-----ALT.------GRAV.---SD.--TILTX--TILTY-TEMP---TIDE---DUR-REJ-----TIME----"
                  "DEC.TIME+DATE--TERRAIN---DATE\n"
                  "  35.1420720 -106.6696130 1600.0 2769.695 0.010 1.2 -0.4 -1.10 -0.103 60 0 15:56:20 0 0 "
                  "2017/12/05\n"
                  "/ Note: rg37\n"
                  "  35.1420720 -106.6696130 1600.0 2769.700 0.011 1.2 -0.4 -1.10 -0.103 60 0 15:57:20 0 0 "
                  "2017/12/05\n"
                  "  35.1420720 -106.6696130 1600.0 2769.700 0.011 1.2 -0.4 -1.10 -0.103 60 0 15:58:20 0 "
                  "2017/12/05\n");
    const MeterSurvey s = ReadCg5File(file.path());
    ASSERT_EQ(s.readings.size(), 1u);
    const MeterReading& r = s.readings[0];
    EXPECT_EQ(r.station, "rg37");
    EXPECT_EQ(r.loop, "4");
    EXPECT_DOUBLE_EQ(*r.latitude, 35.142072);
    EXPECT_DOUBLE_EQ(*r.longitude, -106.669613);
    EXPECT_EQ(Stamp(r), "2017-12-05 13:57:20");
    ASSERT_EQ(s.issues.size(), 2u);
    EXPECT_EQ(s.issues[0].message(), "line 11: no station name (no \"/ Note:\" line before it): left out");
    EXPECT_EQ(s.issues[1].message(), "line 14: 14 fields under a column line of 15: left out");
}

TEST(Cg5Reader, AHeaderSilentOnTheTideIsNamed)
{
    TempFile file("/------LINE-----STATION-----ALT.------GRAV.---SD.--TILTX--TILTY-TEMP---TIDE---DUR-REJ-----TIME"
                  "----DEC.TIME+DATE--TERRAIN---DATE\n"
                  " 1.0 1.0 0.0 2639.322 0.007 0.2 1.7 -2.33 0.054 60 6 05:57:01 41500.24753 0.0 2013/09/15\n"
                  " 1.0 1.0 0.0 2639.322 0.007 0.2 1.7 -2.33 0.054 60 6 05:58:01 41500.24753 0.0 2013/09/15\n");
    const MeterSurvey s = ReadCg5File(file.path());
    ASSERT_EQ(s.readings.size(), 2u);
    EXPECT_FALSE(s.readings[0].applied.tide);
    EXPECT_FALSE(s.readings[0].latitude);
    EXPECT_FALSE(s.facts.meterTide);
    ASSERT_EQ(s.issues.size(), 1u);
    EXPECT_EQ(s.issues[0].line, 2);
}

TEST(Cg6Reader, SampleFileReadsEveryFieldAsWritten)
{
    const MeterSurvey s = ReadCg6File(kData + "CG-6_TestData.dat");
    ASSERT_TRUE(s.opened);
    EXPECT_TRUE(s.issues.empty());
    ASSERT_EQ(s.readings.size(), 43u);
    EXPECT_EQ(s.facts.surveyName, "MGL1401_20170417");
    EXPECT_EQ(s.facts.instrument, "000000016050001");
    EXPECT_EQ(s.facts.operatorName, "J");
    // RMCL_1 2017-04-17 15:30:55 2066.1898 1 0.0128 0.0012 2058.5220 0.9 1.5 43.2662 -0.0488 0.0001 5.4077
    // 2.3088 120 0.000 39.978928 -105.067955 1577.00 -- -- -- 11011
    const MeterReading& r = s.readings.front();
    EXPECT_EQ(r.station, "RMCL_1");
    EXPECT_EQ(r.loop, "1");
    EXPECT_EQ(Stamp(r), "2017-04-17 15:30:55");
    EXPECT_DOUBLE_EQ(r.gravity, 2066.1898);
    EXPECT_DOUBLE_EQ(*r.sd, 0.0128);
    EXPECT_DOUBLE_EQ(*r.tiltX, 0.9);
    EXPECT_DOUBLE_EQ(*r.tiltY, 1.5);
    EXPECT_DOUBLE_EQ(*r.temperature, 43.2662);
    EXPECT_DOUBLE_EQ(*r.tide, -0.0488);
    EXPECT_DOUBLE_EQ(*r.duration, 120.0);
    EXPECT_DOUBLE_EQ(*r.latitude, 39.978928);
    EXPECT_DOUBLE_EQ(*r.longitude, -105.067955);
    EXPECT_DOUBLE_EQ(*r.elevation, 1577.0);
    EXPECT_FALSE(r.rejected);
    EXPECT_TRUE(r.applied.drift && r.applied.temperature && r.applied.tide && r.applied.tilt);
    const MeterReading& last = s.readings.back();
    EXPECT_EQ(Stamp(last), "2017-04-17 16:54:55");
    EXPECT_DOUBLE_EQ(last.gravity, 2066.1908);
    EXPECT_DOUBLE_EQ(*last.tide, -0.0339);
    EXPECT_EQ(s.readings[8].station, "RMCL_2");
}

TEST(Cg6Reader, ColumnsByNameMissingOverflowAndFlags)
{
    TempFile file("/\t\tCG-6 Survey\n/\t\tInstrument Serial Number:\t7\n"
                  "/Time\tStation\tDate\tLonUser\tCorrGrav\tStdDev\tTideCorr\tLatUser\tElevUser\tLatGPS\tLonGPS\t"
                  "Corrections[drift-temp-na-tide-tilt]\n"
                  "10:00:00\tA 1\t2020-01-02\t--\t2000.5\t****\t--\t--\t--\t45.5\t7.25\t10010\n"
                  "10:01:00\tA 1\t2020-01-02\t8.5\t****\t0.01\t-0.02\t46\t100\t--\t--\t11011\n"
                  "10:02:00\tA 1\t2020-01-02\t8.5\t2000.6\n");
    const MeterSurvey s = ReadCg6File(file.path());
    ASSERT_EQ(s.readings.size(), 1u);
    const MeterReading& r = s.readings[0];
    EXPECT_EQ(r.station, "A 1");
    EXPECT_EQ(r.meter, "7");
    EXPECT_EQ(Stamp(r), "2020-01-02 10:00:00");
    EXPECT_DOUBLE_EQ(r.gravity, 2000.5);
    EXPECT_FALSE(r.sd);
    EXPECT_FALSE(r.tide);
    EXPECT_FALSE(r.elevation);
    EXPECT_DOUBLE_EQ(*r.latitude, 45.5);  // the GPS position when the user's is missing
    EXPECT_DOUBLE_EQ(*r.longitude, 7.25);
    EXPECT_TRUE(r.applied.drift);
    EXPECT_FALSE(r.applied.temperature);
    EXPECT_TRUE(r.applied.tide);
    EXPECT_FALSE(r.applied.tilt);
    ASSERT_EQ(s.issues.size(), 4u);
    EXPECT_EQ(s.issues[0].message(), "line 4: StdDev is an overflow (****)");
    EXPECT_EQ(s.issues[1].message(), "line 5: CorrGrav is an overflow (****)");
    EXPECT_EQ(s.issues[2].message(), "line 5: no station or no CorrGrav value: left out");
    EXPECT_EQ(s.issues[3].message(), "line 6: 5 fields under a column line of 12: left out");
}

TEST(MeterTide, EachMetersTideAgreesWithTheComputedTideOnItsSample)
{
    for (const MeterSurvey& s : {ReadCg5File(kData + "CG-5_TestData.txt"), ReadCg6File(kData + "CG-6_TestData.dat")}) {
        const auto agreement = test::CompareMeterTide(s);
        EXPECT_EQ(agreement.compared, static_cast<int>(s.readings.size()));
        EXPECT_TRUE(agreement.signsAgree);
        EXPECT_LT(agreement.rmsMicroGal, 3.0);
        EXPECT_LT(agreement.worstMicroGal, 8.0);
    }
}
