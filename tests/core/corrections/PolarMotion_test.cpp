#include <gtest/gtest.h>

#include <cmath>

#include "SurveyBuilder.h"
#include "corrections/PolarMotion.h"
#include "support/TempFile.h"

using namespace bramble;
using bramble::test::At;
using bramble::test::SurveyBuilder;
using bramble::test::TempFile;

namespace {

const std::string kReal2019 = BRAMBLE_TEST_DATA "/polar/finals2000A-2019-03-06.daily";
const std::string k2005 = BRAMBLE_TEST_DATA "/polar/finals-2005-01-26.daily";

// A layout B table: a title, the asterisk line, then "yyyy mm dd" lines.
std::string LayoutB(int firstDay, int days, double x0, double y0)
{
    std::string text = "POLE COORDINATES\n*******************************\n";
    for (int i = 0; i < days; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "  53%03d%10.6f%10.6f%10.6f\n", 400 + i, x0 + 0.001 * i, 0.000031,
                      y0 + 0.002 * i);
        text += PolarSearchKey(DateTime(At(2005, 1, firstDay).value() + i), PolarLayout::kB) + line;
    }
    return text;
}

}  // namespace

TEST(PolarKey, LayoutABlanksTheLeadingZeros)
{
    EXPECT_EQ(PolarSearchKey(At(2005, 1, 30, 10), PolarLayout::kA), " 5 130");
    EXPECT_EQ(PolarSearchKey(At(2019, 3, 12, 21, 30), PolarLayout::kA), "19 312");
    EXPECT_EQ(PolarSearchKey(At(2019, 11, 10), PolarLayout::kA), "191110");
}

TEST(PolarKey, LayoutBBlanksTheLeadingZerosOfMonthAndDay)
{
    EXPECT_EQ(PolarSearchKey(At(2005, 1, 30, 10), PolarLayout::kB), "2005  1 30");
    EXPECT_EQ(PolarSearchKey(At(2005, 10, 5), PolarLayout::kB), "2005 10  5");
}

TEST(PolarLayoutDetection, AsteriskLineWithinTheFirstFiveLinesMeansB)
{
    const std::string stars = "*******************************";
    EXPECT_EQ(DetectPolarLayout({"a", "b", "c", "d", stars}), PolarLayout::kB);
    EXPECT_EQ(DetectPolarLayout({"a", "b", "c", "d", "e", stars}), PolarLayout::kA);
    EXPECT_EQ(DetectPolarLayout({"a", stars.substr(1)}), PolarLayout::kA);  // 30 asterisks
}

TEST(PolarLine, LayoutAReadsTheIersColumns)
{
    const auto p = ParsePolarLine("19 312 58554.00 I  0.045360 0.000021  0.360551 0.000015  I-0.0984", PolarLayout::kA);
    EXPECT_DOUBLE_EQ(p.m_dX, 0.045360);
    EXPECT_DOUBLE_EQ(p.m_dY, 0.360551);
}

TEST(PolarLine, LayoutAYear2000To2009KeepsBothFieldsAndTheirSigns)
{
    // The year field " 5" starts with a blank; x and y still come from
    // their own columns and a negative y keeps its sign.
    const auto p =
        ParsePolarLine(" 5 130 53400.00 I -0.044900 0.000031 -0.033360 0.000029  I-0.5184000", PolarLayout::kA);
    EXPECT_DOUBLE_EQ(p.m_dX, -0.0449);
    EXPECT_DOUBLE_EQ(p.m_dY, -0.03336);
}

TEST(PolarLine, LayoutBCountsAfterLeadingBlanks)
{
    const auto p = ParsePolarLine("  2005  1 30  53400  0.044900  0.000031 -0.433360", PolarLayout::kB);
    EXPECT_DOUBLE_EQ(p.m_dX, 0.0449);
    EXPECT_DOUBLE_EQ(p.m_dY, -0.43336);
}

TEST(PolarLine, ShortOrEmptyLinesReadAsZero)
{
    const auto p = ParsePolarLine(" 5 130 53400.00 I", PolarLayout::kA);
    EXPECT_EQ(p.m_dX, 0.0);
    EXPECT_EQ(p.m_dY, 0.0);
}

TEST(PolarTable, SurveyOfThirtyJanuaryToSecondFebruaryHasFiveDays)
{
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2005, 1, 30, 10), 1000.0);
    s.AddCg3(At(2005, 2, 2, 15), 1000.0);
    const auto result = ReadPolarMotionTable(s.doc, k2005);
    ASSERT_TRUE(result.HasValue() && result.Value().m_bFound);
    EXPECT_EQ(result.Value().m_Layout, PolarLayout::kA);
    EXPECT_EQ(result.Value().m_nDays, 5);
}

TEST(PolarTable, DaysAreTheLinesFromTheKeyOn)
{
    const std::vector<std::string> lines = {"15 1 1 x", " 5 130 53400.00 I  0.100000 0.000031  0.300000 0.0",
                                            " 5 131 53401.00 I  0.120000 0.000031  0.340000 0.0"};
    const auto table =
        BuildPolarTable(lines, PolarLayout::kA, At(2005, 1, 30, 10).value(), At(2005, 1, 31, 15).value());
    ASSERT_TRUE(table.m_bFound);
    ASSERT_EQ(table.m_Days.size(), 3u);
    EXPECT_DOUBLE_EQ(table.m_Days[1].m_dX, 0.12);
    // The survey needs 1 February too, which the lines do not hold.
    EXPECT_NE(table.m_strProblem.find("ends before 2005-02-01"), std::string::npos) << table.m_strProblem;
    EXPECT_EQ(table.m_dFirstDay, At(2005, 1, 30).value());
}

TEST(PolarTable, ReadingAtNoonGetsTheMeanOfItsTwoDays)
{
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2005, 1, 30, 12), 1000.0);
    const TempFile file(" 5 130 53400.00 I  0.100000 0.000031  0.300000 0.000029\n"
                        " 5 131 53401.00 I  0.120000 0.000031  0.340000 0.000029\n");
    ASSERT_TRUE(ReadPolarMotionTable(s.doc, file.path()).Value().m_bFound);
    EXPECT_NEAR(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.11, 1e-12);
    EXPECT_NEAR(s.doc.m_Readings[0]->m_PolarMotion.m_dY, 0.32, 1e-12);
}

TEST(PolarTable, RealIersFileGivesEachReadingItsInterpolatedPole)
{
    SurveyBuilder s;
    s.AddCg3Header(40.03, 105.05);
    s.AddCg3(At(2019, 3, 12), 2489.871);      // midnight: the day's own values
    s.AddCg3(At(2019, 3, 12, 18), 2489.874);  // three quarters of the way to 13 March
    s.AddCg3(At(2019, 3, 14, 6), 2489.889);   // a day skipped: its own segment, 14-15 March
    const auto result = ReadPolarMotionTable(s.doc, kReal2019);
    ASSERT_TRUE(result.HasValue() && result.Value().m_bFound);
    EXPECT_EQ(result.Value().m_nDays, 4);
    // 19 312: x 0.045360, y 0.360551; 19 313: x 0.044974, y 0.361831;
    // 19 314: x 0.044692, y 0.363072.
    const auto& r = s.doc.m_Readings;
    EXPECT_NEAR(r[0]->m_PolarMotion.m_dX, 0.045360, 1e-9);
    EXPECT_NEAR(r[0]->m_PolarMotion.m_dY, 0.360551, 1e-9);
    EXPECT_NEAR(r[1]->m_PolarMotion.m_dX, 0.045360 + 0.75 * (0.044974 - 0.045360), 1e-9);
    EXPECT_NEAR(r[1]->m_PolarMotion.m_dY, 0.360551 + 0.75 * (0.361831 - 0.360551), 1e-9);
    // 19 315: x 0.044719, y 0.364287.
    EXPECT_NEAR(r[2]->m_PolarMotion.m_dX, 0.044692 + 0.25 * (0.044719 - 0.044692), 1e-9);
    EXPECT_NEAR(r[2]->m_PolarMotion.m_dY, 0.363072 + 0.25 * (0.364287 - 0.363072), 1e-9);
}

TEST(PolarTable, LayoutBFileIsFoundByItsKey)
{
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2005, 1, 30), 1000.0);
    s.AddCg3(At(2005, 1, 31, 12), 1000.0);
    const TempFile file(LayoutB(28, 6, 0.040, 0.430));
    const auto result = ReadPolarMotionTable(s.doc, file.path());
    ASSERT_TRUE(result.HasValue() && result.Value().m_bFound);
    EXPECT_EQ(result.Value().m_Layout, PolarLayout::kB);
    EXPECT_NEAR(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.042, 1e-12);  // the line of 30 January
    EXPECT_NEAR(s.doc.m_Readings[0]->m_PolarMotion.m_dY, 0.434, 1e-12);
    EXPECT_NEAR(s.doc.m_Readings[1]->m_PolarMotion.m_dX, 0.0435, 1e-12);
}

TEST(PolarTable, FileWithoutTheSurveysDaysChangesNothing)
{
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2021, 6, 1), 1000.0).m_PolarMotion = {0.5, 0.25};
    const auto result = ReadPolarMotionTable(s.doc, kReal2019);
    EXPECT_TRUE(result.Succeeded());
    ASSERT_TRUE(result.HasValue());
    EXPECT_FALSE(result.Value().m_bFound);
    EXPECT_EQ(result.Texts(Severity::warning).size(), 1u);
    EXPECT_EQ(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.5);
    EXPECT_EQ(s.doc.m_Readings[0]->m_PolarMotion.m_dY, 0.25);
}

TEST(PolarTable, UnopenableFileGivesAClearMessageAndChangesNothing)
{
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2019, 3, 12), 1000.0).m_PolarMotion = {0.5, 0.25};
    for (const std::string& path :
         {std::string(BRAMBLE_TEST_DATA "/polar/no-such-file.daily"), std::string(BRAMBLE_TEST_DATA "/polar")}) {
        const auto result = ReadPolarMotionTable(s.doc, path);
        EXPECT_TRUE(result.Failed()) << path;
        EXPECT_NE(result.ErrorText().find(path), std::string::npos);
        EXPECT_EQ(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.5);
    }
}

TEST(PolarTable, ReadingsOutOfTimeOrderEachGetTheirOwnDay)
{
    // The table spans the earliest to the latest reading, whatever their
    // order in the document; nothing is extrapolated.
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2019, 3, 14, 12), 1000.0);
    s.AddCg3(At(2019, 3, 20), 1000.0);
    s.AddCg3(At(2019, 3, 11, 6), 1000.0);
    const auto result = ReadPolarMotionTable(s.doc, kReal2019);
    ASSERT_TRUE(result.HasValue() && result.Value().m_bFound);
    EXPECT_EQ(result.Value().m_nDays, 11);  // 11 to 21 March
    EXPECT_NEAR(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.044692 + 0.5 * (0.044719 - 0.044692), 1e-9);
    EXPECT_NEAR(s.doc.m_Readings[1]->m_PolarMotion.m_dX, 0.045652, 1e-9);
    EXPECT_NEAR(s.doc.m_Readings[2]->m_PolarMotion.m_dX, 0.045432 + 0.25 * (0.045360 - 0.045432), 1e-9);
}

TEST(PolarTable, ReadingOutsideTheTableKeepsItsPole)
{
    SurveyBuilder s;
    s.AddCg3Header(45.0, 0.0);
    s.AddCg3(At(2019, 3, 12), 1000.0);
    s.AddCg3(At(2019, 3, 13, 1), 1000.0).m_PolarMotion = {0.5, 0.25};
    const std::vector<std::string> lines = {"19 312 58554.00 I  0.100000 0.000026  0.300000 0.000020",
                                            "19 313 58555.00 I  0.200000 0.000026  0.400000 0.000020",
                                            "19 314 58556.00 I  0.300000 0.000026  0.500000 0.000020"};
    const auto table = BuildPolarTable(lines, PolarLayout::kA, At(2019, 3, 12).value(), At(2019, 3, 13, 1).value());
    ASSERT_EQ(table.m_Days.size(), 3u);
    ASSERT_TRUE(table.m_strProblem.empty()) << table.m_strProblem;
    s.doc.m_Readings[1]->m_dtTime = At(2019, 3, 30);  // far past the table
    EXPECT_EQ(InterpolatePolarMotion(s.doc, table), 1);
    EXPECT_NEAR(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.1, 1e-12);
    EXPECT_EQ(s.doc.m_Readings[1]->m_PolarMotion.m_dX, 0.5);
}

TEST(PolarTable, FaultyTablesAreRefusedAndSayWhatIsWrong)
{
    const auto line = [](int day, double x, double y) {
        char text[96];
        std::snprintf(text, sizeof text, "19 3%2d 585%02d.00 I %9.6f 0.000026 %9.6f 0.000020\n", day, 42 + day, x, y);
        return std::string(text);
    };
    const std::string d12 = line(12, 0.04, 0.36), d13 = line(13, 0.041, 0.361), d14 = line(14, 0.042, 0.362);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {d12, "ends before 2019-03-13"},                                // covers only the first day
        {d12 + d14 + d13, "should hold the pole of 2019-03-13"},        // shuffled
        {d12 + d12 + d13 + d14, "should hold the pole of 2019-03-13"},  // repeated
        {d12 + d14, "should hold the pole of 2019-03-13"},              // missing
        {d14 + d13 + d12, "ends before 2019-03-13"},                    // reversed
        {d12 + d13 + d14 + d12, "appears twice"},
        {"19 312\n" + d13 + d14, "line 1 (2019-03-12) has no pole position"},
        {line(12, 0.04, 0.36).replace(36, 10, "     1e999") + d13 + d14, "has no pole position"},
        {d12 + line(13, 5.0, 0.36) + d14, "line 2 (2019-03-13)"},  // not a plausible pole
        {d12 + std::string(70000, ' ') + "\n", "longer than 65536"},
    };
    for (const auto& [text, expected] : cases) {
        SurveyBuilder s;
        s.AddCg3Header(45.0, 0.0);
        s.AddCg3(At(2019, 3, 12, 10), 1000.0).m_PolarMotion = {0.5, 0.25};
        s.AddCg3(At(2019, 3, 12, 20), 1000.0);
        const TempFile file(text);
        const auto result = ReadPolarMotionTable(s.doc, file.path());
        EXPECT_TRUE(result.Failed()) << expected;
        EXPECT_NE(result.ErrorText().find(expected), std::string::npos) << result.ErrorText();
        EXPECT_NE(result.ErrorText().find(file.path()), std::string::npos);
        EXPECT_EQ(s.doc.m_Readings[0]->m_PolarMotion.m_dX, 0.5) << expected;
    }
}

TEST(PolarMotionCorrection, ThreeLongitudesAtFortyFiveDegrees)
{
    EXPECT_NEAR(PolarMotionCorrection(0.1, 0.3, 45.0, 0.0), -0.001914, 5e-7);
    EXPECT_NEAR(PolarMotionCorrection(0.1, 0.3, 45.0, 90.0), 0.005742, 5e-7);
    EXPECT_NEAR(PolarMotionCorrection(0.1, 0.3, 45.0, -75.5), -0.006038, 5e-7);
}

TEST(PolarMotionCorrection, EffectsAboveOneTenthMilliGalGiveZeroLargeNegativesPass)
{
    // x = -10" at longitude 0: about +0.1914 mGal.
    EXPECT_EQ(PolarMotionCorrection(-10.0, 0.0, 45.0, 0.0), 0.0);
    EXPECT_NEAR(PolarMotionCorrection(10.0, 0.0, 45.0, 0.0), -0.1914, 1e-4);
    // Just below the cap passes unchanged.
    EXPECT_NEAR(PolarMotionCorrection(-5.0, 0.0, 45.0, 0.0), 0.0957, 1e-4);
}
