#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "SurveyBuilder.h"
#include "corrections/CellFormat.h"
#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "corrections/RecalcSelection.h"

using namespace bramble;
using bramble::test::At;
using bramble::test::SurveyBuilder;

namespace {

TideFunction Constant(double microGal)
{
    return [microGal](double, double, double, std::int32_t, double) { return microGal; };
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{} : text.substr(first);
}

// A drift state whose four regression means are all non-zero.
DriftState FittedDrift()
{
    DriftState drift;
    drift.m_dMeanGrav = 2489.9;
    drift.m_dMeanTime = 0.07;
    drift.m_dMeanTimeGrav = 174.3;
    drift.m_dMeanTimeSquare = 0.0066;
    return drift;
}

struct Pipeline : ::testing::Test {
    SurveyBuilder s;
    CorrectionSettings settings;
    DriftState drift;
    SelectionSummary summary;
    RecalcOptions options;

    RecalcResult Run() { return RecalcSelection(s.doc, s.list, settings, drift, summary, options); }
    std::string Cell(int row, int column) const { return Trimmed(s.list.Text(row, column)); }
};

struct OneCg3Reading : Pipeline {
    void SetUp() override
    {
        s.AddCg3Header(40.03, 105.05);
        s.AddCg3(At(2019, 3, 12, 21, 30), 1234.567, -0.033);
        s.ShowAndSelectAll();
        options.tide = Constant(85.0);
    }
};

}  // namespace

TEST_F(OneCg3Reading, LongmanShowsTheGravityAsReadAndNoBerger)
{
    settings.m_nTideMode = kTideLongman;
    Run();
    EXPECT_EQ(s.list.Text(0, CStationList::kCorrectedGrav), " 1234.5670");
    EXPECT_EQ(s.list.Text(0, CStationList::kBerger), "    0.0000");
}

TEST_F(OneCg3Reading, NoneShowsTheGravityLessEtc)
{
    settings.m_nTideMode = kTideNone;
    Run();
    EXPECT_EQ(Cell(0, CStationList::kCorrectedGrav), "1234.6000");
}

TEST_F(OneCg3Reading, BergerShowsTheComputedTide)
{
    settings.m_nTideMode = kTideBerger;
    Run();
    EXPECT_EQ(Cell(0, CStationList::kCorrectedGrav), "1234.6850");
    EXPECT_EQ(Cell(0, CStationList::kBerger), "0.0850");
}

TEST_F(OneCg3Reading, EveryStepWritesItsCellAndAddsUp)
{
    settings.m_nTideMode = kTideBerger;
    settings.m_bApplyPressure = true;
    settings.m_dNominalPressure = 1013.25;
    settings.m_bApplyPolar = true;
    settings.m_bApplyDrift = true;
    drift = FittedDrift();
    CScintrexStation& r = s.Cg3(0);
    r.m_dPressure = 1023.25;  // +0.0030 mGal
    r.m_PolarMotion = {0.1, 0.3};
    r.m_dDriftCorr = 0.0125;
    r.m_strDriftName = "Loop 1";
    Run();
    const double polar = PolarMotionCorrection(0.1, 0.3, 40.03, -105.05);
    EXPECT_DOUBLE_EQ(r.m_dPolarCorr, polar);
    EXPECT_NEAR(r.m_dGrav, 1234.600 + 0.085 + 0.003 + polar - 0.0125, 1e-9);
    EXPECT_EQ(Cell(0, CStationList::kPressure), "0.0030");
    EXPECT_EQ(s.list.Text(0, CStationList::kPolarMotion), FormatCorrection(polar));
    EXPECT_EQ(Cell(0, CStationList::kDriftCorrection), "-0.0125");
    EXPECT_EQ(Cell(0, CStationList::kDriftName), "Loop 1");
    EXPECT_EQ(s.list.Text(0, CStationList::kCorrectedGrav), FormatCorrection(r.m_dGrav));
}

TEST_F(OneCg3Reading, PolarMotionUsesTheCurrentHeadersEastLongitude)
{
    // A CG-3 dump from 43.94 N 5.484 E carries "Deg.Long.: -5.484".
    s.doc.m_pCurHeader->m_dLatitude = 43.94;
    s.doc.m_pCurHeader->m_dLongitude = -5.484;
    settings.m_bApplyPolar = true;
    s.Cg3(0).m_PolarMotion = {0.1, 0.3};
    Run();
    EXPECT_DOUBLE_EQ(s.Cg3(0).m_dPolarCorr, PolarMotionCorrection(0.1, 0.3, 43.94, 5.484));
    EXPECT_NE(s.Cg3(0).m_dPolarCorr, PolarMotionCorrection(0.1, 0.3, 43.94, -5.484));
}

TEST_F(OneCg3Reading, StepsTurnedOffShowZeroAndNone)
{
    settings.m_nTideMode = kTideNone;
    s.Cg3(0).m_dPressure = 1023.25;
    s.Cg3(0).m_PolarMotion = {0.1, 0.3};
    s.Cg3(0).m_dDriftCorr = 0.0125;
    Run();
    EXPECT_DOUBLE_EQ(s.Cg3(0).m_dGrav, s.Cg3(0).m_dGravLessEtc);
    EXPECT_EQ(Cell(0, CStationList::kPressure), "0.0000");
    EXPECT_EQ(Cell(0, CStationList::kPolarMotion), "0.0000");
    EXPECT_EQ(Cell(0, CStationList::kDriftCorrection), "0.0000");
    EXPECT_EQ(Cell(0, CStationList::kDriftName), "NONE");
    EXPECT_EQ(s.Cg3(0).m_dDriftCorr, 0.0125);  // kept
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kBerger)), "0.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kPressure)), "0.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kPolarMotion)), "0.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kDrift)), "-0.0125");  // minus the stored mean
}

TEST_F(OneCg3Reading, OneReadingGetsItsDriftEvenWithZeroMeans)
{
    settings.m_bApplyDrift = true;  // drift state all zero
    s.Cg3(0).m_dDriftCorr = 0.02;
    Run();
    EXPECT_NEAR(s.Cg3(0).m_dGrav, 1234.567 - 0.02, 1e-9);
    EXPECT_EQ(Cell(0, CStationList::kDriftCorrection), "-0.0200");
}

TEST_F(OneCg3Reading, PressureBeforeTheFirstApplyGivesNoCorrection)
{
    settings.m_bApplyPressure = true;
    settings.m_dNominalPressure = 1013.25;
    Run();
    EXPECT_EQ(s.Cg3(0).m_dPressureCorr, 0.0);
}

TEST_F(Pipeline, TwoReadingsWithAZeroMeanGetNoDriftButKeepTheirNames)
{
    s.AddCg3Header(40.03, 105.05);
    s.AddCg3(At(2019, 3, 12, 21, 30), 1.0).m_dDriftCorr = 0.01;
    s.AddCg3(At(2019, 3, 12, 22, 30), 2.0).m_dDriftCorr = 0.02;
    s.Cg3(0).m_strDriftName = s.Cg3(1).m_strDriftName = "Loop 1";
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideLongman;
    settings.m_bApplyDrift = true;
    drift = FittedDrift();
    drift.m_dMeanTime = 0.0;
    Run();
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(s.Cg3(static_cast<std::size_t>(row)).m_dDriftCorr, 0.0);
        EXPECT_EQ(Cell(row, CStationList::kDriftCorrection), "0.0000");
        EXPECT_EQ(Cell(row, CStationList::kDriftName), "Loop 1");
    }
    EXPECT_DOUBLE_EQ(s.Cg3(0).m_dGrav, 1.0);
}

TEST_F(Pipeline, MeanAndStandardDeviationDivideByN)
{
    s.AddCg3Header(40.03, 105.05);
    for (const double g : {1.0, 2.0, 3.0})
        s.AddCg3(At(2019, 3, 12, 21, 30), g);
    s.ShowAndSelectAll();
    Run();
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kGrav)), "2.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kSDev)), "0.8165");
    EXPECT_DOUBLE_EQ(summary.m_dGrav, 2.0);
    EXPECT_EQ(summary.m_nReadings, 3);
}

TEST_F(Pipeline, SummaryMeansOfTheOtherFields)
{
    s.AddCg3Header(40.03, 105.05);
    CScintrexStation& a = s.AddCg3(At(2019, 3, 12, 21, 0), 10.0, -0.06);
    CScintrexStation& b = s.AddCg3(At(2019, 3, 12, 23, 0), 12.0, 0.02);
    a.m_nTiltX = -3, b.m_nTiltX = 2;
    a.m_nTiltY = 4, b.m_nTiltY = 4;
    a.m_dTemp = -0.8, b.m_dTemp = -0.6;
    s.AddCg3(At(2019, 3, 13, 1, 0), 99.0);  // not selected
    s.list.Fill(0);
    s.list.SelectRow(0);
    s.list.SelectRow(1);
    Run();
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kTiltX)), "-0.5000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kTiltY)), "4.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kTemp)), "-0.7000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kEtc)), "-0.0200");
    EXPECT_EQ(summary.Text(SelectionSummary::kTime), "22:00:00");
    EXPECT_EQ(s.list.Text(2, CStationList::kCorrectedGrav), "");  // unselected row untouched
}

TEST_F(Pipeline, AliodReadingsUseTheirLevelsAndNoEtc)
{
    s.AddAliodHeader(40.02885, -105.04603);
    CAliodStation& a = s.AddAliod(At(2019, 3, 14, 16), 4023.512);
    a.m_nCrossLevel = 12;
    a.m_nLongLevel = -8;
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideBerger;
    options.tide = Constant(-40.0);
    const auto result = Run();
    EXPECT_TRUE(result.Texts(Severity::warning).empty());  // an Aliod file has no E.T.C. to compare
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kTiltX)), "12.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kTiltY)), "-8.0000");
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kEtc)), "0.0000");
    EXPECT_EQ(Cell(0, CStationList::kCorrectedGrav), "4023.4720");
}

TEST_F(Pipeline, NoSelectionChangesNothing)
{
    s.AddCg3Header(40.03, 105.05);
    s.AddCg3(At(2019, 3, 12, 21, 30), 5.0, 0.1);
    s.list.Fill(0);
    summary.m_dGrav = 42.0;
    settings.m_nTideMode = kTideNone;
    const auto result = Run();
    EXPECT_EQ(result.Value().m_nSelected, 0);
    EXPECT_EQ(summary.m_dGrav, 42.0);
    EXPECT_EQ(s.Cg3(0).m_dGrav, 5.0);
    EXPECT_EQ(s.list.Text(0, CStationList::kCorrectedGrav), "");
}

TEST_F(Pipeline, RowsSortedDifferentlyReachTheirReadingsThroughTheStationIndex)
{
    // The example survey sorted by gravity: station 101 comes first.
    s.doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    s.list.Fill(0);
    s.list.SortByColumn(CStationList::kRelGrav);
    ASSERT_NE(s.list.StationIndex(0), 1);
    for (int row = 0; row < s.list.RowCount(); row += 2)
        s.list.SelectRow(row);
    settings.m_nTideMode = kTideNone;
    Run();
    for (int row = 0; row < s.list.RowCount(); ++row) {
        const CReading& reading = *s.doc.m_Readings[static_cast<std::size_t>(s.list.StationIndex(row) - 1)];
        if (row % 2 == 0)
            EXPECT_EQ(Cell(row, CStationList::kCorrectedGrav), Trimmed(FormatCorrection(reading.m_dGravLessEtc)))
                << "row " << row;
        else
            EXPECT_EQ(s.list.Text(row, CStationList::kCorrectedGrav), "") << "row " << row;
    }
}

TEST_F(Pipeline, RepeatedRunsGiveIdenticalResults)
{
    s.doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    s.ShowAndSelectAll();
    ASSERT_TRUE(ReadPolarMotionTable(s.doc, BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily").Value().m_bFound);
    AssignPressures(s.doc, {"03/12/2019  21:00:00  1003.1", "03/13/2019  01:00:00  1008.4"});
    settings.m_nTideMode = kTideBerger;
    settings.m_bApplyPressure = true;
    settings.m_dNominalPressure = 1005.0;
    settings.m_bApplyPolar = true;
    settings.m_bApplyDrift = true;
    drift = FittedDrift();
    for (auto& r : s.doc.m_Readings)
        r->m_dDriftCorr = 0.001 * r->stationIndex();
    Run();
    std::vector<std::string> cells;
    std::vector<double> gravities;
    for (int row = 0; row < s.list.RowCount(); ++row) {
        for (int c = CStationList::kCorrectedGrav; c <= CStationList::kDriftName; ++c)
            cells.push_back(s.list.Text(row, c));
        gravities.push_back(s.list.Reading(row).m_dGrav);
    }
    const SelectionSummary first = summary;
    Run();
    Run();
    std::size_t i = 0;
    for (int row = 0; row < s.list.RowCount(); ++row) {
        for (int c = CStationList::kCorrectedGrav; c <= CStationList::kDriftName; ++c)
            EXPECT_EQ(s.list.Text(row, c), cells[i++]);
        EXPECT_EQ(s.list.Reading(row).m_dGrav, gravities[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(summary.m_dGrav, first.m_dGrav);
    EXPECT_EQ(summary.m_dSDev, first.m_dSDev);
}

TEST_F(Pipeline, BergerFarFromTheMetersEtcWarnsOnce)
{
    s.AddCg3Header(40.03, 105.05);
    for (int i = 0; i < 5; ++i)
        s.AddCg3(At(2019, 3, 12, 21, 10 * i), 2489.9, -0.06 + 0.01 * i);
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideBerger;
    options.tide = Constant(60.0);  // +0.060 against about -0.04: 0.10 mGal RMS
    const auto result = Run();
    ASSERT_EQ(result.Texts(Severity::warning).size(), 1u);
    EXPECT_NE(result.Texts(Severity::warning)[0].find("longitude"), std::string::npos);
    EXPECT_NE(result.Texts(Severity::warning)[0].find("GMT Difference"), std::string::npos);
    // The readings are corrected as chosen all the same.
    EXPECT_DOUBLE_EQ(s.Cg3(0).m_dTideCorr, 0.06);
}

TEST_F(Pipeline, BergerCloseToTheMetersEtcDoesNotWarn)
{
    s.AddCg3Header(40.03, 105.05);
    for (int i = 0; i < 5; ++i)
        s.AddCg3(At(2019, 3, 12, 21, 10 * i), 2489.9, -0.045);
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideBerger;
    options.tide = Constant(-36.0);  // 0.009 mGal from every E.T.C.
    EXPECT_TRUE(Run().Texts(Severity::warning).empty());
    settings.m_nTideMode = kTideNone;
    options.tide = Constant(60.0);
    EXPECT_TRUE(Run().Texts(Severity::warning).empty());  // no Berger, no comparison
}

TEST_F(Pipeline, MeterWithoutTideCorrectionIsNotCompared)
{
    s.AddCg3Header(40.03, 105.05);
    s.AddCg3(At(2019, 3, 12, 21), 2489.9, 0.0);
    s.AddCg3(At(2019, 3, 12, 22), 2489.9, 0.0);
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideBerger;
    options.tide = Constant(60.0);
    EXPECT_TRUE(Run().Texts(Severity::warning).empty());
}

// A CG-3 survey whose E.T.C. is the meter's Longman tide of a reference
// series at 40.02885 N 105.04603 W: the header carries "Deg.Long.:
// 105.04603", west positive as the meter writes it.
TEST_F(Pipeline, RealBergerTideAgreesWithTheMetersEtcOnlyWithTheLongitudeReadWestPositive)
{
    s.AddCg3Header(40.02885, 105.04603);
    std::ifstream in(BRAMBLE_TEST_DATA "/tide/tide_ref_N40.02885_W105.04603_2005-01-10.csv");
    std::string line;
    std::getline(in, line);  // column titles
    while (std::getline(in, line)) {
        // utc_iso, day_number, lat, lon_east, eterna_ugal, longman_ugal; the
        // meter's correction is minus the tidal signal.
        std::vector<double> fields;
        std::size_t start = line.find(',') + 1;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
            fields.push_back(std::stod(line.substr(start, comma - start)));
        fields.push_back(std::stod(line.substr(start)));
        s.AddCg3(DateTime(fields[0]), 2489.9, -fields[4] * 0.001);
    }
    ASSERT_EQ(s.doc.m_Readings.size(), 24u);
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideBerger;
    options.tide = {};  // the program's earth-tide model
    EXPECT_TRUE(Run().Texts(Severity::warning).empty());
    for (const auto& r : s.doc.m_Readings)
        EXPECT_NEAR(r->m_dTideCorr, static_cast<const CScintrexStation&>(*r).m_dEtcRead, 0.006);
    // The station mirrored to 105.04603 E, as a literal reading of the sign would put it.
    s.doc.m_pCurHeader->m_dLongitude = -105.04603;
    EXPECT_EQ(Run().Texts(Severity::warning).size(), 1u);
}

TEST_F(Pipeline, CancelLeavesEachReadingRecomputedOrUntouched)
{
    s.AddCg3Header(40.03, 105.05);
    const int count = RecalcOptions::kProgressStep * 2 + 100;
    for (int i = 0; i < count; ++i)
        s.AddCg3(DateTime(43536.9 + i * 1e-5), 1000.0 + i, 0.05);
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideNone;
    summary.m_dGrav = 42.0;
    int calls = 0;
    options.progress = [&calls](int done, int total) {
        EXPECT_EQ(total, RecalcOptions::kProgressStep * 2 + 100);
        EXPECT_EQ(done, RecalcOptions::kProgressStep * (calls + 1));
        return ++calls < 2;
    };
    const auto result = Run();
    EXPECT_TRUE(result.Value().m_bCancelled);
    EXPECT_EQ(result.Value().m_nRecomputed, RecalcOptions::kProgressStep * 2);
    EXPECT_EQ(summary.m_dGrav, 42.0);
    for (int row = 0; row < count; ++row) {
        const CScintrexStation& r = s.Cg3(static_cast<std::size_t>(row));
        if (row < result.Value().m_nRecomputed) {
            ASSERT_EQ(r.m_dGrav, r.m_dGravLessEtc) << row;
            ASSERT_EQ(s.list.Text(row, CStationList::kDriftName), "NONE") << row;
        } else {
            ASSERT_EQ(r.m_dGrav, r.m_dRawGrav) << row;
            ASSERT_EQ(s.list.Text(row, CStationList::kCorrectedGrav), "") << row;
        }
    }
}

// The program's tide model is computed a block at a time on several
// threads: every reading must get the very tide ApplyTideStep gives it
// alone, over two headers (two stations), and a cancel between blocks
// leaves the later readings untouched.
TEST_F(Pipeline, ModelTideOfALargeSelectionIsThatOfEachReadingAlone)
{
    const int count = RecalcOptions::kProgressStep * 2 + 777;
    for (int i = 0; i < count; ++i) {
        if (i % 20000 == 0)
            s.AddCg3Header(40.03 + i * 1e-5, 105.05 - i * 1e-5);
        s.AddCg3(DateTime(43536.375 + i * (1.0 / 1440)), 2400.0 + i * 1e-3, 0.05);
    }
    s.ShowAndSelectAll();
    settings.m_nTideMode = kTideBerger;
    options.tide = {};
    options.progress = [](int done, int) { return done < 2 * RecalcOptions::kProgressStep; };
    const auto result = Run();
    ASSERT_EQ(result.Value().m_nRecomputed, 2 * RecalcOptions::kProgressStep);
    for (int row = 0; row < count; ++row) {
        const CScintrexStation& r = s.Cg3(static_cast<std::size_t>(row));
        if (row >= result.Value().m_nRecomputed) {
            ASSERT_EQ(r.m_dGrav, r.m_dRawGrav) << row;
            continue;
        }
        CScintrexStation alone = r;
        ApplyTideStep(alone, kTideBerger, DefaultTideFunction());
        ASSERT_EQ(r.m_dTideCorr, alone.m_dTideCorr) << row;
        ASSERT_EQ(r.m_dGrav, alone.m_dGrav) << row;
    }
}

TEST_F(Pipeline, ByRowAveragesTheStandardDeviationsAndSavesTheDriftValues)
{
    s.AddCg3Header(40.03, 105.05);
    // Sorted by SDev the rows are readings 2, 3, 1: list order differs from
    // the document's, so each saved value must come through "Station Index".
    for (const double sd : {0.07, 0.02, 0.03}) {
        CScintrexStation& r = s.AddCg3(At(2019, 3, 12, 21), 2489.9);
        r.m_dStdDev = sd;
        r.m_dDriftCorr = sd / 10;
        r.m_strDriftName = "D" + std::to_string(r.m_nStationIndex);
    }
    s.list.Fill(0);
    s.list.SortByColumn(CStationList::kStdDev);
    ASSERT_EQ(s.list.Text(0, CStationList::kStationIndex), "2");
    s.list.SelectRow(0);
    s.list.SelectRow(2);
    RecalcSelectionByRow(s.doc, s.list, settings, drift, summary, options);
    EXPECT_EQ(Trimmed(summary.Text(SelectionSummary::kSDev)), "0.0450");
    ASSERT_EQ(drift.m_Saved.size(), 2u);
    EXPECT_EQ(drift.m_Saved[0].m_strDriftName, "D2");
    EXPECT_DOUBLE_EQ(drift.m_Saved[0].m_dDriftCorr, 0.002);
    EXPECT_EQ(drift.m_Saved[1].m_strDriftName, "D1");
    EXPECT_DOUBLE_EQ(drift.m_Saved[1].m_dDriftCorr, 0.007);

    drift.m_bReapplying = true;
    s.Cg3(1).m_strDriftName = "changed";
    RecalcSelectionByRow(s.doc, s.list, settings, drift, summary, options);
    EXPECT_EQ(drift.m_Saved[0].m_strDriftName, "D2");  // kept while reapplying
}
