// The Burris/ZLS reader on the real B44 day file and the synthetic loops,
// and on the variants of the format (no operator, commas, header, dates).
#include "meters/BurrisReader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/MeterTideCheck.h"
#include "support/TempFile.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

const std::string kData = BRAMBLE_TEST_DATA "/meters/";

}  // namespace

TEST(BurrisReader, RealDayFileReadsEveryFieldAsWritten)
{
    const MeterSurvey s = ReadBurrisFile(kData + "B44_2017-12-05.txt");
    ASSERT_TRUE(s.opened);
    EXPECT_TRUE(s.issues.empty());
    ASSERT_EQ(s.readings.size(), 708u);
    // rg37 abc B44 2017/12/05 15:56:20 2769.695 2800 0.482 -0.103 0.005 -0.033 -0.002 0 1600 35.142072 -106.669613
    const MeterReading& first = s.readings.front();
    EXPECT_EQ(first.station, "rg37");
    EXPECT_EQ(first.meter, "B44");
    EXPECT_EQ(first.time.format("%Y-%m-%d %H:%M:%S"), "2017-12-05 15:56:20");
    EXPECT_DOUBLE_EQ(first.gravity, 2769.695);
    EXPECT_DOUBLE_EQ(*first.tide, -0.103);
    EXPECT_DOUBLE_EQ(*first.tiltX, 0.005);
    EXPECT_DOUBLE_EQ(*first.instrumentHeight, 0.0);
    EXPECT_DOUBLE_EQ(*first.elevation, 1600.0);
    EXPECT_DOUBLE_EQ(*first.latitude, 35.142072);
    EXPECT_DOUBLE_EQ(*first.longitude, -106.669613);
    EXPECT_FALSE(first.sd);
    EXPECT_FALSE(first.duration);
    EXPECT_TRUE(first.applied.tide);
    EXPECT_FALSE(first.applied.drift);
    EXPECT_EQ(first.line, 1);
    EXPECT_EQ(s.facts.operatorName, "abc");
    // The second survey day is a loop of its own.
    EXPECT_EQ(first.loop, "2017-12-05");
    const MeterReading& last = s.readings.back();
    EXPECT_EQ(last.station, "rg21");
    EXPECT_EQ(last.loop, "2017-12-06");
    EXPECT_EQ(last.time.format("%Y-%m-%d %H:%M:%S"), "2017-12-06 22:23:24");
    EXPECT_DOUBLE_EQ(last.gravity, 2770.051);
    EXPECT_DOUBLE_EQ(*last.tide, -0.02);
    EXPECT_EQ(std::count_if(s.readings.begin(), s.readings.end(),
                            [](const MeterReading& r) { return r.loop == "2017-12-05"; }),
              333);
}

TEST(BurrisReader, MeterTideAgreesWithTheComputedTide)
{
    const auto agreement = test::CompareMeterTide(ReadBurrisFile(kData + "B44_2017-12-05.txt"));
    EXPECT_EQ(agreement.compared, 708);
    EXPECT_TRUE(agreement.signsAgree);
    EXPECT_LT(agreement.rmsMicroGal, 3.0);
    EXPECT_LT(agreement.worstMicroGal, 8.0);
}

TEST(BurrisReader, SyntheticLoopsReadWhole)
{
    for (const auto& [name, count] :
         {std::pair{"Test1.txt", 11}, {"Test2.txt", 11}, {"Test3.txt", 11}, {"Test4.txt", 22}, {"Test5.txt", 12}}) {
        const MeterSurvey s = ReadBurrisFile(kData + name);
        EXPECT_EQ(static_cast<int>(s.readings.size()), count) << name;
        EXPECT_TRUE(s.issues.empty()) << name;
    }
    // Test4 holds two meters: each reading keeps its own.
    const MeterSurvey two = ReadBurrisFile(kData + "Test4.txt");
    EXPECT_EQ(two.readings[0].meter, "B44");
    EXPECT_EQ(two.readings[11].meter, "B108");
    EXPECT_DOUBLE_EQ(two.readings[11].gravity, 2672.253);
    EXPECT_DOUBLE_EQ(*two.readings[11].longitude, -110.2);
}

TEST(BurrisReader, FormatVariantsGiveTheSameReading)
{
    const std::string withOperator = "rg37 abc B44 2017/12/05 15:56:20 2769.695 2800 0.482 -0.103 0.005 -0.033 "
                                     "-0.002 0 1600 35.142072 -106.669613\n";
    const std::vector<std::string> variants = {
        "Station Operator Meter Date Time Gravity Dial Feedback Tide Tilt A B Height Elev Lat Long\n" + withOperator,
        "rg37\tB44\t12/05/2017\t15:56:20\t2769.695\t2800\t0.482\t-0.103\t0.005\t-0.033\t-0.002\t0\t1600\t"
        "35.142072\t-106.669613\r\n",
        "rg37, abc, B44, 2017-12-05, 15:56:20, 2769.695, 2800, 0.482, -0.103, 0.005, -0.033, -0.002, 0, 1600, "
        "35.142072, -106.669613\n",
        "\n  rg37   abc  B44  12-05-2017  15:56:20  2769.695 2800 0.482 -0.103 0.005 -0.033 -0.002 0 1600 35.142072 "
        "-106.669613",
    };
    for (const std::string& text : variants) {
        TempFile file(text);
        const MeterSurvey s = ReadBurrisFile(file.path());
        ASSERT_EQ(s.readings.size(), 1u) << text;
        EXPECT_TRUE(s.issues.empty()) << text;
        const MeterReading& r = s.readings[0];
        EXPECT_EQ(r.station, "rg37");
        EXPECT_EQ(r.meter, "B44");
        EXPECT_EQ(r.time.format("%Y-%m-%d %H:%M:%S"), "2017-12-05 15:56:20");
        EXPECT_DOUBLE_EQ(r.gravity, 2769.695);
        EXPECT_DOUBLE_EQ(*r.tide, -0.103);
        EXPECT_DOUBLE_EQ(*r.longitude, -106.669613);
    }
}

TEST(BurrisReader, BadLinesAreLeftOutAndNamed)
{
    TempFile file("a abc B44 2017/12/05 15:56:20 2769.695 2800 0.482 -0.103 0.005 -0.033 -0.002 0 1600 35 -106\n"
                  "b abc B44 2017/12/05 15:56:20 2769.695 2800 0.482\n"                              // cut
                  "c abc B44 2017/13/05 15:56:20 2769.695 2800 0.482 -0.103 0 0 0 0 1600 35 -106\n"  // month 13
                  "d abc B44 2017/12/05 15:56:20 27x9.695 2800 0.482 -0.103 0 0 0 0 1600 35 -106\n"  // gravity
                  "e abc B44 2017/12/05 15:56:20 2769.695 2800 0.482 nan 0 0 0 0 1600 35 -106\n"     // tide
                  "f abc B44 2017/12/05 15:56:20 2769.6 2800 0.482 -0.1 0 0 0 0 1600 95 -106\n"      // latitude
                  "Station abc B44 2017/12/05 15:56:20 2769.6 2800 0.482 -0.1 0 0 0 0 1600 35 -106\n");
    const MeterSurvey s = ReadBurrisFile(file.path());
    ASSERT_EQ(s.readings.size(), 3u);
    EXPECT_EQ(s.readings[1].station, "f");
    EXPECT_FALSE(s.readings[1].latitude);
    EXPECT_EQ(s.readings[2].station, "Station");  // a reading, not a header line
    ASSERT_EQ(s.issues.size(), 5u);
    EXPECT_EQ(s.issues[0].message(), "line 2: 8 fields where a Burris reading has 15 or 16: left out");
    EXPECT_EQ(s.issues[1].line, 3);
    EXPECT_EQ(s.issues[2].line, 4);
    EXPECT_EQ(s.issues[3].line, 5);
    EXPECT_EQ(s.issues[4].message(), "line 6: no valid latitude and longitude");
    EXPECT_FALSE(ReadBurrisFile("/no/such/file.txt").opened);
}

TEST(BurrisReader, FileTheLineReaderStopsOnIsRefusedWhole)
{
    const std::string good = test::ReadWholeFile(kData + "B44_2017-12-05.txt");
    for (const std::string& tail : {std::string("rg37 abc B44\0", 13), std::string(70000, '7')}) {
        TempFile file(good + tail + "\n");
        const MeterSurvey s = ReadBurrisFile(file.path());
        EXPECT_TRUE(s.readings.empty());
        ASSERT_FALSE(s.issues.empty());
        EXPECT_EQ(s.issues[0].message().rfind("The file cannot be read: line 709", 0), 0u) << s.issues[0].message();
    }
}
