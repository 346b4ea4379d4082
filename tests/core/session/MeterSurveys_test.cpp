// CG-5, CG-6 and Burris surveys in the station list and through the
// corrections: the meter's fields on the list's columns, the meter's tide
// as the E.T.C., each reading's own position in the tide step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "mainwnd/RawText.h"
#include "session/ReductionSession.h"
#include "support/TempFile.h"
#include "survey/MeterTypeGuess.h"

using namespace bramble;

namespace {

const std::string kMeters = BRAMBLE_TEST_DATA "/meters/";
const std::string kCg5 = kMeters + "CG-5_TestData.txt";
const std::string kCg6 = kMeters + "CG-6_TestData.dat";
const std::string kBurris = kMeters + "B44_2017-12-05.txt";

// The row of the reading with this 1-based index in the file.
int RowOfReading(const CStationList& list, int stationIndex)
{
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.StationIndex(row) == stationIndex)
            return row;
    return -1;
}

std::string Cell(const ReductionSession& session, int stationIndex, int column)
{
    return session.List().Text(RowOfReading(session.List(), stationIndex), column);
}

std::string WithLineReplaced(const std::string& path, const std::string& from, const std::string& to)
{
    std::string text = test::ReadWholeFile(path);
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Berger for every reading, then the computed tide against the meter's own
// tide column: signs agree where the tide is clearly away from zero, and
// the RMS stays within a few microGal.
void ExpectBergerAgreesWithTheMeter(const std::string& path, MeterKind meter, double rmsMicroGal)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(path, meter).Succeeded());
    session.SelectStations({});
    CorrectionSettings settings = session.Corrections();
    settings.m_nTideMode = kTideBerger;
    session.ApplyCorrections(settings);
    double squares = 0.0;
    int compared = 0;
    for (int row = 0; row < session.List().RowCount(); ++row) {
        const CReading& r = session.List().Reading(row);
        const std::optional<double> etc = r.Values().etcRead;
        ASSERT_TRUE(etc);
        if (std::abs(*etc) > 0.01) {
            EXPECT_EQ(r.m_dTideCorr > 0, *etc > 0) << "row " << row;
        }
        squares += (r.m_dTideCorr - *etc) * (r.m_dTideCorr - *etc);
        ++compared;
        // The meter's tide out, the computed one in.
        EXPECT_DOUBLE_EQ(r.m_dGrav, r.m_dRawGrav - *etc + r.m_dTideCorr);
    }
    ASSERT_GT(compared, 0);
    EXPECT_LT(std::sqrt(squares / compared) * 1000.0, rmsMicroGal);
}

}  // namespace

TEST(MeterSurveys, ACg6SurveyFillsTheListColumnsFromItsNamedColumns)
{
    ReductionSession session;
    const ReadReport read = session.Import(kCg6, MeterKind::cg6);
    ASSERT_TRUE(read.Succeeded());
    EXPECT_EQ(session.Meter(), MeterKind::cg6);
    EXPECT_FALSE(session.Document().m_bAliod);
    ASSERT_EQ(session.List().RowCount(), read.Value().readings);
    using L = CStationList;
    // RMCL_1 2017-04-17 15:30:55 CorrGrav 2066.1898 Line 1 StdDev 0.0128 ...
    EXPECT_EQ(Cell(session, 1, L::kStation), "RMCL_1");
    EXPECT_EQ(Cell(session, 1, L::kHeader), "1");
    EXPECT_EQ(Cell(session, 1, L::kRecord), "1");
    EXPECT_EQ(Cell(session, 1, L::kRelGrav), " 2066.190");
    EXPECT_EQ(Cell(session, 1, L::kStdDev), "  0.013");
    EXPECT_EQ(Cell(session, 1, L::kTiltX), "0.9");
    EXPECT_EQ(Cell(session, 1, L::kTiltY), "1.5");
    EXPECT_EQ(Cell(session, 1, L::kTemp), "  43.27");
    EXPECT_EQ(Cell(session, 1, L::kEtc), " -0.049");
    EXPECT_EQ(Cell(session, 1, L::kDur), "120");
    EXPECT_EQ(Cell(session, 1, L::kRejected), "");  // the CG-6 writes no rejection count
    EXPECT_EQ(Cell(session, 1, L::kTime), "15:30:55");
    EXPECT_EQ(Cell(session, 1, L::kDate), "04/17/2017");
    EXPECT_EQ(Cell(session, 1, L::kGravLessEtc), " 2066.239");  // 2066.1898 + 0.0488
}

TEST(MeterSurveys, ABurrisSurveyLeavesWhatTheMeterDoesNotWriteEmpty)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kBurris, MeterKind::burris).Succeeded());
    using L = CStationList;
    // rg37 abc B44 2017/12/05 15:56:20 2769.695 2800 0.482 -0.103 0.005 ...
    EXPECT_EQ(Cell(session, 1, L::kStation), "rg37");
    EXPECT_EQ(Cell(session, 1, L::kRelGrav), " 2769.695");
    EXPECT_EQ(Cell(session, 1, L::kEtc), " -0.103");
    EXPECT_EQ(Cell(session, 1, L::kTiltX), "0.005");
    EXPECT_EQ(Cell(session, 1, L::kGravLessEtc), " 2769.798");
    for (int column : {L::kStdDev, L::kTiltY, L::kTemp, L::kDur, L::kRejected})
        EXPECT_EQ(Cell(session, 1, column), "") << "column " << column;
}

TEST(MeterSurveys, EachCg5LineIsALoopWithItsOwnHeaderNumber)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg5, MeterKind::cg5).Succeeded());
    using L = CStationList;
    // " 3.0000000 1.0000000 0.0000 2639.322 0.007 0.2 1.7 -2.33 0.054 60 6 05:57:01 ... 2013/09/15"
    EXPECT_EQ(Cell(session, 1, L::kStation), "1");
    EXPECT_EQ(Cell(session, 1, L::kRejected), "6");
    EXPECT_EQ(Cell(session, 1, L::kEtc), "  0.054");
    const CKelpDoc& doc = session.Document();
    ASSERT_GE(doc.m_Headers.size(), 2u);
    const auto& first = dynamic_cast<const CMeterHeader&>(*doc.m_Headers[0]);
    EXPECT_EQ(first.m_strLoop, "3");
    std::set<std::string> loops;
    for (const auto& header : doc.m_Headers)
        EXPECT_TRUE(loops.insert(dynamic_cast<const CMeterHeader&>(*header).m_strLoop).second);
    // Every reading carries its loop and its record number within it.
    for (const auto& reading : doc.m_Readings) {
        const auto& r = dynamic_cast<const CMeterStation&>(*reading);
        ASSERT_TRUE(r.m_pHeader);
        EXPECT_LE(r.m_nRecord, r.m_pHeader->m_nStations);
    }
}

TEST(MeterSurveys, TheLongmanOptionKeepsTheMetersGravityAndNoneTakesItsTideOut)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg6, MeterKind::cg6).Succeeded());
    session.SelectStations({});
    CorrectionSettings settings = session.Corrections();
    EXPECT_EQ(settings.m_nTideMode, kTideLongman);
    session.ApplyCorrections(settings);
    const CReading& r = session.List().Reading(RowOfReading(session.List(), 1));
    EXPECT_DOUBLE_EQ(r.m_dGrav, 2066.1898);
    settings.m_nTideMode = kTideNone;
    session.ApplyCorrections(settings);
    EXPECT_DOUBLE_EQ(r.m_dGrav, 2066.1898 + 0.0488);
    EXPECT_EQ(r.Values().etc, 0.0);
}

TEST(MeterSurveys, TheComputedTideAgreesWithEachMetersOwnTide)
{
    ExpectBergerAgreesWithTheMeter(kCg5, MeterKind::cg5, 10.0);
    ExpectBergerAgreesWithTheMeter(kCg6, MeterKind::cg6, 10.0);
    ExpectBergerAgreesWithTheMeter(kBurris, MeterKind::burris, 10.0);
}

TEST(MeterSurveys, ACg5WithoutTheMetersTideHasNoEtcAndBergerAddsTheWholeTide)
{
    const test::TempFile file(WithLineReplaced(kCg5, "Tide Correction:    YES", "Tide Correction:    NO"), ".txt");
    ReductionSession session;
    const ReadReport read = session.Import(file.path(), MeterKind::cg5);
    ASSERT_TRUE(read.Succeeded());
    const std::vector<std::string> warnings = read.Texts(Severity::warning);
    EXPECT_NE(std::find_if(warnings.begin(), warnings.end(),
                           [](const std::string& w) { return w.find("no meter tide correction") != w.npos; }),
              warnings.end());
    using L = CStationList;
    EXPECT_EQ(Cell(session, 1, L::kEtc), "");
    EXPECT_EQ(Cell(session, 1, L::kGravLessEtc), Cell(session, 1, L::kRelGrav));
    session.SelectStations({});
    CorrectionSettings settings = session.Corrections();
    settings.m_nTideMode = kTideBerger;
    session.ApplyCorrections(settings);
    const CReading& r = session.List().Reading(RowOfReading(session.List(), 1));
    EXPECT_NE(r.m_dTideCorr, 0.0);
    EXPECT_DOUBLE_EQ(r.m_dGrav, 2639.322 + r.m_dTideCorr);
}

TEST(MeterSurveys, AReadingWithoutAPositionGetsNoComputedTideAndAWarning)
{
    // The first Burris line without its latitude and longitude values.
    const test::TempFile file("a op B44 2017/12/05 15:56:20 2769.695 2800 0.482 -0.103 0.005 -0.033 -0.002 0 1600 x y\n"
                              "b op B44 2017/12/05 16:56:20 2769.695 2800 0.482 -0.103 0.005 -0.033 -0.002 0 1600 "
                              "35.142072 -106.669613\n",
                              ".txt");
    ReductionSession session;
    ASSERT_TRUE(session.Import(file.path(), MeterKind::burris).Succeeded());
    session.SelectStations({});
    CorrectionSettings settings = session.Corrections();
    settings.m_nTideMode = kTideBerger;
    const RecalcResult result = session.ApplyCorrections(settings);
    const std::vector<std::string> warnings = result.Texts(Severity::warning);
    EXPECT_EQ(
        std::count_if(warnings.begin(), warnings.end(),
                      [](const std::string& w) { return w.find("1 reading has no latitude and longitude") == 0; }),
        1);
    const CReading& unplaced = session.List().Reading(RowOfReading(session.List(), 1));
    EXPECT_EQ(unplaced.m_dTideCorr, 0.0);
    EXPECT_NE(session.List().Reading(RowOfReading(session.List(), 2)).m_dTideCorr, 0.0);
}

TEST(MeterSurveys, TheRawViewShowsTheHeaderAndTheSelectedReadingLines)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg6, MeterKind::cg6).Succeeded());
    session.List().SelectRow(RowOfReading(session.List(), 3));
    session.List().SelectRow(RowOfReading(session.List(), 1));
    const RawText text = ExtractRawText(session.Document(), session.List());
    ASSERT_TRUE(text.error.empty());
    // 20 header lines through the column line, then readings 1 and 3.
    ASSERT_EQ(text.lines.size(), 22u);
    EXPECT_EQ(text.lines[0], "/\t\tCG-6 Survey");
    EXPECT_EQ(text.lines[19].rfind("/Station\tDate", 0), 0u);
    EXPECT_EQ(text.lines[20].rfind("RMCL_1\t2017-04-17\t15:30:55", 0), 0u);
    EXPECT_EQ(text.lines[21].rfind("RMCL_1\t2017-04-17\t15:34:55", 0), 0u);
}

TEST(MeterSurveys, TheFinalTableAveragesTheMeterReadingsAtTheirOwnPosition)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg6, MeterKind::cg6).Succeeded());
    session.SelectStations({"RMCL_1"});
    session.ApplyCorrections(session.Corrections());
    session.ComputeFinalTable();
    const CKelpDoc& doc = session.Document();
    ASSERT_EQ(doc.m_FinalData.size(), 1u);
    const CFinalData& entry = *doc.m_FinalData[0];
    double sum = 0.0;
    int count = 0;
    for (const auto& reading : doc.m_Readings)
        if (reading->m_strStation == "RMCL_1") {
            sum += reading->m_dRawGrav;
            ++count;
        }
    EXPECT_EQ(entry.m_nPoints, count);
    EXPECT_NEAR(entry.m_dGrav, sum / count, 1e-9);
    EXPECT_DOUBLE_EQ(entry.m_dLatitude, 39.978928);
    EXPECT_DOUBLE_EQ(entry.m_dLongitude, -105.067955);
}

TEST(MeterSurveys, RecognisedKindsMapOntoTheDocumentsMeterKinds)
{
    EXPECT_EQ(MeterKindOf(*RecogniseMeterType(kCg5)), MeterKind::cg5);
    EXPECT_EQ(MeterKindOf(*RecogniseMeterType(kCg6)), MeterKind::cg6);
    EXPECT_EQ(MeterKindOf(*RecogniseMeterType(kBurris)), MeterKind::burris);
    EXPECT_EQ(MeterKindOf(MeterType::scintrex), MeterKind::cg3);
    EXPECT_EQ(MeterKindOf(MeterType::aliod), MeterKind::aliod);
}

TEST(MeterSurveys, AFileThatIsNotOfTheMeterChosenGivesAnEmptyListAndNoCrash)
{
    for (const MeterKind meter : {MeterKind::cg5, MeterKind::cg6, MeterKind::burris}) {
        ReductionSession session;
        const ReadReport read = session.Import(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat", meter);
        EXPECT_TRUE(read.Failed());  // holds no readings of the meter: the survey is not replaced
        EXPECT_EQ(session.List().RowCount(), 0);
        session.SelectStations({});
        session.ApplyCorrections(session.Corrections());
        session.ComputeFinalTable();
        EXPECT_TRUE(session.Document().m_FinalData.empty());

        const ReadReport missing = session.Import("/no/such/file.dat", meter);
        EXPECT_TRUE(missing.Failed());
        EXPECT_EQ(missing.Texts(Severity::error).front(), "File not valid");
        const test::TempFile binary(std::string("\0\x01\x02\xff binary\n", 12), ".dat");
        const ReadReport garbage = session.Import(binary.path(), meter);
        EXPECT_TRUE(garbage.Failed());
        EXPECT_EQ(session.List().RowCount(), 0);
    }
}

// The CG-6 readings lie about 5.7 km from the BOULDER block and have no
// header position: they take it by their own position within 10 km, and
// none within 1 km (so the file is refused).
TEST(MeterSurveys, OceanLoadingMatchesBlocksByEachReadingsOwnPosition)
{
    const std::string blq = BRAMBLE_TEST_DATA "/oceanload/cg3-two-blocks.blq";
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg6, MeterKind::cg6).Succeeded());
    session.SelectStations({});
    CorrectionsDialogModel near = session.OpenCorrections();
    ASSERT_TRUE(near.SetBlqMatchDistance(1.0).Succeeded());
    EXPECT_TRUE(near.ReadBlqFile(blq).Failed());
    CorrectionsDialogModel dialog = session.OpenCorrections();
    ASSERT_TRUE(dialog.SetBlqMatchDistance(10.0).Succeeded());
    const Result<SurveyOceanLoad> read = dialog.ReadBlqFile(blq);
    ASSERT_TRUE(read.Succeeded()) << read.ErrorText();
    EXPECT_EQ(read.Value().m_nReadings, session.List().RowCount());
    EXPECT_TRUE(read.Value().m_Unmatched.empty());
    session.ApplyCorrections(dialog.Settings());
    const CReading& first = session.List().Reading(0);
    EXPECT_TRUE(std::isfinite(first.m_dOceanLoad));
    EXPECT_DOUBLE_EQ(first.m_dOceanLoadCorr, first.m_dOceanLoad * 0.001);
    EXPECT_NE(first.m_dOceanLoadCorr, 0.0);
}
