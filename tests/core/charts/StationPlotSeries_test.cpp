// The series, ranges and click texts of the "Station Information" plot,
// built from an in-memory survey and its station list.
#include <gtest/gtest.h>

#include "charts/ChartTime.h"
#include "charts/DriftPlotSeries.h"
#include "charts/StationPlotSeries.h"
#include "corrections/SurveyBuilder.h"

using namespace bramble;
using bramble::test::SurveyBuilder;

namespace {

// Ten CG-3 readings a quarter of an hour apart, each with distinct values.
void AddTenCg3(SurveyBuilder& s)
{
    s.AddCg3Header(40.0, 105.0);
    for (int i = 0; i < 10; ++i) {
        auto& r =
            s.AddCg3(DateTime::fromParts(2019, 3, 12, 21 + (15 * i) / 60, (15 * i) % 60), 2480.0 + i, -0.05 + 0.01 * i);
        r.m_dStdDev = 0.02 + 0.001 * i;
        r.m_nTiltX = i - 5;
        r.m_nTiltY = 2 * i;
        r.m_dTemp = -0.8 + 0.01 * i;
        r.m_dTideCorr = 0.1 * i;
        r.m_dPressureCorr = 0.001 * i;
        r.m_dPolarCorr = 0.002 * i;
        r.m_dDriftCorr = 0.003 * i;
    }
    s.list.Fill(0);
}

StationPlotRequest Only(std::initializer_list<int> series, bool rangeRequest = true)
{
    StationPlotRequest request;
    for (int s : series)
        request.m_bSeries[static_cast<std::size_t>(s)] = true;
    request.m_bRangeRequest = rangeRequest;
    return request;
}

int Gaps(const std::vector<double>& y) { return static_cast<int>(std::count(y.begin(), y.end(), kPlotMissingValue)); }

TEST(StationPlotSeries, UnselectedRowsAreGapsAndTheTimeRangeSpansTheSelection)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SelectRow(2);
    s.list.SelectRow(5);
    s.list.SelectRow(7);
    const StationPlotData data = BuildStationPlot(s.doc, s.list, Only({kSeriesGravity}, false));
    ASSERT_EQ(data.m_nPoints, 10);
    for (const auto& y : data.m_Y) {
        ASSERT_EQ(y.size(), 10u);
        EXPECT_EQ(Gaps(y), 7);
    }
    EXPECT_DOUBLE_EQ(data.m_Y[kSeriesGravity][5], 2485.0);
    EXPECT_DOUBLE_EQ(data.m_X[0], DateTime::fromParts(2019, 3, 12, 21, 0).value());
    EXPECT_DOUBLE_EQ(data.m_dEarliest, DateTime::fromParts(2019, 3, 12, 21, 30).value());
    EXPECT_DOUBLE_EQ(data.m_dLatest, DateTime::fromParts(2019, 3, 12, 22, 45).value());
    EXPECT_FALSE(data.m_bValueRange);
    EXPECT_EQ(data.m_Shown, std::vector<int>{kSeriesGravity});
}

TEST(StationPlotSeries, RowOrderFollowsTheListNotTheReadings)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SortByColumn(CStationList::kTiltX);  // ascending tilt = reading order
    s.list.SortByColumn(CStationList::kRelGrav);
    s.list.SelectAll();
    const StationPlotData data = BuildStationPlot(s.doc, s.list, Only({kSeriesGravity}));
    for (int row = 0; row < 10; ++row)
        EXPECT_DOUBLE_EQ(data.m_Y[kSeriesGravity][static_cast<std::size_t>(row)], s.list.Reading(row).m_dGrav);
}

TEST(StationPlotSeries, NothingTickedGivesMinusFiftyToFifty)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SelectAll();
    const StationPlotData data = BuildStationPlot(s.doc, s.list, Only({}));
    EXPECT_TRUE(data.m_Shown.empty());
    EXPECT_TRUE(data.m_bValueRange);
    EXPECT_DOUBLE_EQ(data.m_dLowest, -50.0);
    EXPECT_DOUBLE_EQ(data.m_dHighest, 50.0);
}

TEST(StationPlotSeries, GravityAloneLeavesTheValueRangeInverted)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SelectAll();
    const StationPlotData data = BuildStationPlot(s.doc, s.list, Only({kSeriesGravity}));
    EXPECT_GT(data.m_dLowest, data.m_dHighest);
}

TEST(StationPlotSeries, ScaleMultipliesAndTheRangeUsesScaledValuesWithMargins)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SelectRow(0);
    s.list.SelectRow(9);
    StationPlotRequest request = Only({kSeriesGravity, kSeriesTemp});
    request.m_dScale[kSeriesTemp] = 10.0;
    request.m_dScale[kSeriesGravity] = 1000.0;  // gravity is never scaled
    const StationPlotData data = BuildStationPlot(s.doc, s.list, request);
    EXPECT_DOUBLE_EQ(data.m_Y[kSeriesTemp][0], -8.0);
    EXPECT_NEAR(data.m_Y[kSeriesTemp][9], -7.1, 1e-12);
    EXPECT_DOUBLE_EQ(data.m_Y[kSeriesGravity][9], 2489.0);
    EXPECT_NEAR(data.m_dLowest, -8.1, 1e-12);
    EXPECT_NEAR(data.m_dHighest, -7.0, 1e-12);
}

TEST(StationPlotSeries, SubtractMeanCentresGravity)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SelectAll();
    StationPlotRequest request = Only({kSeriesGravity});
    request.m_bSubtractMean = true;
    request.m_dMeanGravity = 2484.5;
    const StationPlotData data = BuildStationPlot(s.doc, s.list, request);
    double sum = 0;
    for (double y : data.m_Y[kSeriesGravity])
        sum += y;
    EXPECT_NEAR(sum, 0.0, 1e-9);
}

TEST(StationPlotSeries, GravityFarFromTheOtherSeriesGetsItsOwnAxis)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.ShowAndSelectAll();
    // Some 2480 mGal beside deviations near 0: one axis would flatten both.
    EXPECT_TRUE(GravityNeedsOwnAxis(BuildStationPlot(s.doc, s.list, Only({kSeriesGravity, kSeriesSDev}))));
    // Centred on 0 it shares the axis of the tide corrections (0 .. 0.9).
    StationPlotRequest centred = Only({kSeriesGravity, kSeriesBerger});
    centred.m_bSubtractMean = true;
    centred.m_dMeanGravity = 2484.5;
    EXPECT_FALSE(GravityNeedsOwnAxis(BuildStationPlot(s.doc, s.list, centred)));
    // Alone, or without gravity, there is nothing to separate.
    EXPECT_FALSE(GravityNeedsOwnAxis(BuildStationPlot(s.doc, s.list, Only({kSeriesGravity}))));
    EXPECT_FALSE(GravityNeedsOwnAxis(BuildStationPlot(s.doc, s.list, Only({kSeriesSDev, kSeriesTemp}))));
}

TEST(StationPlotSeries, TheTenSeriesHaveDistinctColours)
{
    const auto& table = StationSeriesTable();
    for (std::size_t a = 0; a < table.size(); ++a)
        for (std::size_t b = a + 1; b < table.size(); ++b) {
            // Far enough apart to tell on screen.
            const int distance = std::abs(table[a].red - table[b].red) + std::abs(table[a].green - table[b].green) +
                                 std::abs(table[a].blue - table[b].blue);
            EXPECT_GT(distance, 100) << table[a].name << " / " << table[b].name;
        }
}

TEST(StationPlotSeries, AliodHasNoSDevNorEtc)
{
    SurveyBuilder s;
    s.AddAliodHeader(45.0, 7.0);
    for (int i = 0; i < 4; ++i) {
        auto& r = s.AddAliod(DateTime::fromParts(2020, 5, 1, 10, i), 100.0 + i);
        r.m_nCrossLevel = 10 + i;
        r.m_nLongLevel = 20 + i;
    }
    s.ShowAndSelectAll();
    const StationPlotData data = BuildStationPlot(s.doc, s.list, Only({kSeriesSDev, kSeriesTiltX, kSeriesEtc}));
    EXPECT_EQ(data.m_Shown, std::vector<int>{kSeriesTiltX});
    EXPECT_EQ(Gaps(data.m_Y[kSeriesSDev]), 4);
    EXPECT_EQ(Gaps(data.m_Y[kSeriesEtc]), 4);
    EXPECT_DOUBLE_EQ(data.m_Y[kSeriesTiltX][3], 13.0);
    EXPECT_DOUBLE_EQ(data.m_dLowest, 10.0 - 1.5);
    // A value widens the range only when it passes the previous end, margin
    // included: 10 gives 11.5, 12 gives 13.5, 13 stays inside.
    EXPECT_DOUBLE_EQ(data.m_dHighest, 13.5);
    EXPECT_STREQ(StationSeriesName(kSeriesTiltY, true), "Long Level");
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesTiltX, 1), "Number: 2\n Cross Level: 11 arcsec\n");
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesSDev, 1), "");
}

TEST(StationPlotSeries, ClickTextsShowTheStoredValues)
{
    SurveyBuilder s;
    AddTenCg3(s);
    // Each value with its real unit: mGal for gravity and the corrections,
    // arc-seconds for the tilts, mK for the CG-3's temperature.
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesGravity, 3), "Number: 4\n Grav:    2483.0000mGal\n");
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesTiltY, 3), "Number: 4\n Tilt Y: 6 arcsec\n");
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesEtc, 0), "Number: 1\n E.T.C.:      -0.0500mGal\n");
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesPolarMotion, 2), "Number: 3\n Polar Motion:       0.0040mGal\n");
    EXPECT_NE(StationPointText(s.doc, s.list, kSeriesTemp, 0).find("mK\n"), std::string::npos);
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesDrift, 10), "");
    s.doc.m_Readings[1]->m_dOceanLoadCorr = 0.00471;
    EXPECT_EQ(StationPointText(s.doc, s.list, kSeriesOceanLoad, 1), "Number: 2\n Ocean Loading:       0.0047mGal\n");
    EXPECT_EQ(StationPointText(s.doc, s.list, kStationSeriesCount, 0), "");
}

TEST(StationPlotSeries, ScaleChoices)
{
    EXPECT_STREQ(ScaleChoiceText(0), ".001");
    EXPECT_STREQ(ScaleChoiceText(6), "1000");
    EXPECT_DOUBLE_EQ(ScaleChoiceFactor(kScaleOneIndex), 1.0);
    EXPECT_DOUBLE_EQ(ScaleChoiceFactor(4), 10.0);
}

TEST(DriftPlotSeries, GravityAndCorrectedGravityOfTheSelectedRows)
{
    SurveyBuilder s;
    AddTenCg3(s);
    s.list.SelectRow(1);
    s.list.SelectRow(4);
    s.Cg3(4).m_dDriftCorr = 0.0;
    const DriftPlotData data = BuildDriftPlot(s.doc, s.list);
    EXPECT_EQ(Gaps(data.m_Y[kDriftSeriesGravity]), 8);
    EXPECT_EQ(Gaps(data.m_Y[kDriftSeriesCorrected]), 8);
    EXPECT_DOUBLE_EQ(data.m_Y[kDriftSeriesCorrected][1], 2481.0 - 0.003);
    EXPECT_DOUBLE_EQ(data.m_Y[kDriftSeriesGravity][4], data.m_Y[kDriftSeriesCorrected][4]);
    EXPECT_DOUBLE_EQ(data.m_dEarliest, s.Cg3(1).m_dtTime.value());
    EXPECT_DOUBLE_EQ(data.m_dLatest, s.Cg3(4).m_dtTime.value());
}

TEST(ChartTime, DayNumbersBecomeSecondsSince1970)
{
    EXPECT_DOUBLE_EQ(DayNumberToSeconds(25569.0), 0.0);
    EXPECT_DOUBLE_EQ(DayNumberToSeconds(25569.5), 43200.0);
    // Before 1899-12-30 the fraction still counts forward from midnight.
    EXPECT_DOUBLE_EQ(DayNumberToSeconds(-1.25), (-0.75 - 25569.0) * 86400.0);
    EXPECT_LT(DayNumberToSeconds(-1.25), DayNumberToSeconds(-1.0 + 0.5));
    for (double d : {43536.8958, 0.25, -1.25, -2.75, 25569.0})
        EXPECT_NEAR(SecondsToDayNumber(DayNumberToSeconds(d)), d, 1e-9) << d;
}

}  // namespace
