#include <gtest/gtest.h>

#include <cmath>

#include "DriftTestSurvey.h"
#include "drift/DriftCalculation.h"
#include "drift/DriftLine.h"

using namespace bramble;
using bramble::test::DriftTestSurvey;

TEST(DriftLine, FormatsCharacterForCharacter)
{
    CDriftCorrection drift;
    drift.m_dtStart = DateTime::fromParts(2024, 1, 15, 13, 45, 30);
    drift.m_dCoeff = {0.123, 0, 0, 0, 0, 0};
    EXPECT_EQ(FormatDriftLine(drift),
              "01/15/2024  13:45:30      0.123     0.000     0.000     0.000     0.000     0.000 ");
    // And reads back to the same correction.
    const CDriftCorrection back = ParseDriftLine("  " + FormatDriftLine(drift));
    EXPECT_EQ(back.m_dtStart.value(), drift.m_dtStart.value());
    EXPECT_EQ(back.m_dCoeff, drift.m_dCoeff);
}

TEST(DriftLine, TypedLinesAndMissingParts)
{
    const CDriftCorrection single = ParseDriftLine("01/15/2024  13:45:30  0.2");
    EXPECT_EQ(single.m_dCoeff, (std::array<double, 6>{0.2, 0, 0, 0, 0, 0}));
    const CDriftCorrection quadratic = ParseDriftLine("01/15/2024 12:00:00 0.5 -0.25");
    EXPECT_DOUBLE_EQ(DriftAt(quadratic, quadratic.m_dtStart.value() + 2.0), 0.5 * 2 - 0.25 * 4);
    const CDriftCorrection garbage = ParseDriftLine("No Drift Selected");
    EXPECT_EQ(garbage.m_dtStart.value(), 0.0);
    EXPECT_TRUE(garbage.m_dtStart.isValid());
    EXPECT_EQ(garbage.m_dCoeff, (std::array<double, 6>{}));
    EXPECT_EQ(ParseDriftLine("13/45/2024  25:00:00  1").m_dtStart.value(), 0.0);  // impossible date
    EXPECT_EQ(ParseCoefficients("  1 2 3 4 5 6 7"), (std::array<double, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(DriftLine, ACoefficientThatIsNotAFiniteNumberMakesNoDriftLine)
{
    for (const char* rate : {"1e999", "nan", "-inf", "0.2x", "0x10"}) {
        const CDriftCorrection drift = ParseDriftLine(std::string("01/15/2024  13:45:30  0.1 ") + rate);
        EXPECT_EQ(drift.m_dtStart.value(), 0.0) << rate;
        EXPECT_EQ(drift.m_dCoeff, (std::array<double, 6>{})) << rate;
        EXPECT_FALSE(CheckedCoefficients(rate).has_value()) << rate;
        for (double c : ParseCoefficients(rate))
            EXPECT_TRUE(std::isfinite(c));
    }
    EXPECT_EQ(CheckedCoefficients(" 0.5  -0.25 ").value(), (std::array<double, 6>{0.5, -0.25, 0, 0, 0, 0}));
}

TEST(DriftRate, ThreeReadingsHalfADayApart)
{
    DriftTestSurvey s({{"1", 100.000, "00:00:00"}, {"1", 100.050, "12:00:00"}, {"1", 100.100, "23:59:59"}});
    // 23:59:59 is a second short of a day: move the last reading onto the next midnight.
    s.Reading(3).m_dtTime = DateTime(s.Reading(1).m_dtTime.value() + 1.0);
    s.list.SelectAll();
    CalculateDriftRate(s.list, s.drift, DriftFitSteps(s.doc, s.drift));
    EXPECT_NEAR(s.drift.m_dCoeff[0], 0.1, 1e-9);
    EXPECT_EQ(s.drift.m_dtStart.value(), s.Reading(1).m_dtTime.value());
    ComputeReadingDrifts(s.list, s.drift, DriftFitSteps(s.doc, s.drift));
    EXPECT_NEAR(s.Reading(1).m_dDriftCorr, 0.0, 1e-12);
    EXPECT_NEAR(s.Reading(2).m_dDriftCorr, 0.05, 1e-9);
    EXPECT_NEAR(s.Reading(3).m_dDriftCorr, 0.1, 1e-9);
    EXPECT_EQ(s.list.Text(s.RowOf(3), CStationList::kDriftCorrection), "   -0.1000");  // the correction added
}

TEST(DriftRate, OneReadingOrNoneGivesZero)
{
    DriftTestSurvey s({{"1", 100.0, "10:00:00"}, {"2", 120.0, "11:00:00"}});
    CalculateDriftRate(s.list, s.drift, DriftFitSteps(s.doc, s.drift));
    EXPECT_EQ(s.drift.m_dCoeff[0], 0.0);
    EXPECT_EQ(s.drift.m_dtStart.value(), 0.0);
    s.list.SelectRow(s.RowOf(2));
    CalculateDriftRate(s.list, s.drift, DriftFitSteps(s.doc, s.drift));
    EXPECT_EQ(s.drift.m_dCoeff[0], 0.0);
    EXPECT_EQ(s.drift.m_dMeanTimeSquare, 0.0);
}

TEST(DriftRate, SortedListPairsEachRowWithItsOwnReading)
{
    // Gravity falls with the station number but rises with time.
    DriftTestSurvey s({{"3", 100.000, "06:00:00"}, {"2", 100.100, "12:00:00"}, {"1", 100.200, "18:00:00"}});
    s.list.SortByColumn(CStationList::kStation);  // rows now in reverse time order
    ASSERT_EQ(s.list.StationIndex(0), 3);
    s.list.SelectAll();
    CalculateDriftRate(s.list, s.drift, DriftFitSteps(s.doc, s.drift));
    // t0 is the first selected row's reading (18:00); the slope is still +0.4/day.
    EXPECT_EQ(s.drift.m_dtStart.value(), s.Reading(3).m_dtTime.value());
    EXPECT_NEAR(s.drift.m_dCoeff[0], 0.4, 1e-9);
}

TEST(DriftApply, StarredNamesInApplyModeOnly)
{
    DriftTestSurvey s({{"1", 100.0, "06:00:00"}, {"1", 100.1, "12:00:00"}, {"2", 90.0, "18:00:00"}});
    s.doc.AddDriftCorrection(s.Reading(1).m_dtTime, 0.2);
    s.list.SelectAll();
    s.Reading(1).m_strNote = "Loop*";
    s.Reading(3).m_strNote = "Other*";
    int recalcs = 0;
    const std::string line = FormatDriftLine(*s.doc.m_DriftCorrections[0]);
    ApplyDriftEntry(s.doc, s.list, s.drift, s.settings, 0, line, "Loop", DriftMode::calculate, [&] { ++recalcs; });
    EXPECT_EQ(recalcs, 1);
    EXPECT_TRUE(s.settings.m_bApplyDrift);
    EXPECT_EQ(s.Reading(1).m_strDriftName, "NONE");
    EXPECT_NEAR(s.Reading(3).m_dDriftCorr, 0.1, 1e-9);

    ApplyDriftEntry(s.doc, s.list, s.drift, s.settings, 0, line, "Loop", DriftMode::apply, [&] { ++recalcs; });
    EXPECT_EQ(s.Reading(1).m_strDriftName, "Loop*");
    EXPECT_EQ(s.Reading(2).m_strDriftName, "Loop");
    EXPECT_EQ(s.Reading(3).m_strDriftName, "Loop");

    // An edited line changes the stored entry; an index past the list changes nothing.
    ApplyDriftEntry(s.doc, s.list, s.drift, s.settings, 0, "01/15/2024  06:00:00  0.5", "Loop", DriftMode::apply, {});
    EXPECT_EQ(s.doc.m_DriftCorrections[0]->m_dCoeff[0], 0.5);
    ApplyDriftEntry(s.doc, s.list, s.drift, s.settings, 7, line, "Loop", DriftMode::apply, [&] { ++recalcs; });
    EXPECT_EQ(recalcs, 2);
}
