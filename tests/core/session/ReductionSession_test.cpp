// The reduction session: what an import, the selection, the corrections,
// a drift command and the outputs do to the state both front ends show.
#include <gtest/gtest.h>

#include "corrections/Pressure.h"
#include "output/FinalTexts.h"
#include "session/ReductionSession.h"
#include "support/TempFile.h"

using namespace bramble;

namespace {

const std::string kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const std::string kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";
const std::string kPolar = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";

}  // namespace

TEST(ReductionSession, AnImportListsTheReadingsInTimeOrderWithTheDefaultPressureEntries)
{
    ReductionSession session;
    const ReadReport read = session.Import(kCg3, MeterKind::cg3);
    ASSERT_TRUE(read.Succeeded());
    EXPECT_EQ(read.Value().readings, 15);
    EXPECT_EQ(session.Meter(), MeterKind::cg3);
    const CStationList& list = session.List();
    ASSERT_EQ(list.RowCount(), 15);
    EXPECT_EQ(list.SelectedCount(), 0);
    for (int row = 1; row < list.RowCount(); ++row)
        EXPECT_LE(list.Reading(row - 1).m_dtTime.value(), list.Reading(row).m_dtTime.value());
    EXPECT_EQ(session.Corrections().m_PressureList,
              (std::vector<std::string>{"03/12/2019  21:30:12  1013.25", "03/13/2019  15:35:02  1013.25"}));
}

TEST(ReductionSession, AFileWithoutReadingsKeepsTheCurrentSurveyAndItsCorrections)
{
    ReductionSession session;
    session.Import(kCg3, MeterKind::cg3);
    session.SelectStations({});
    CorrectionSettings chosen = session.Corrections();
    chosen.m_nTideMode = kTideBerger;
    session.ApplyCorrections(chosen);
    ASSERT_TRUE(session.HasCorrectionsApplied());
    const std::string before = session.ExportSelectedText(ExportKind::excel);

    // One that cannot be opened, and an exported final table: no readings in either.
    session.ComputeFinalTable();
    const test::TempFile finalTable(session.FinalTableText());
    const struct {
        std::string path;
        MeterKind meter;
        std::string error;
    } cases[] = {{BRAMBLE_EXAMPLES "/no-such-file.dat", MeterKind::cg3, "File not valid"},
                 {finalTable.path(), MeterKind::cg3, " holds no Scintrex CG-3 readings: the current survey is kept."},
                 {finalTable.path(), MeterKind::aliod, " holds no Aliod reading lines: the current survey is kept."}};
    for (const auto& c : cases) {
        const ReadReport read = session.Import(c.path, c.meter);
        EXPECT_TRUE(read.Failed()) << c.path;
        EXPECT_NE(read.ErrorText().find(c.error), std::string::npos) << read.ErrorText();
        EXPECT_EQ(session.Document().m_strFilePath, kCg3);
        EXPECT_EQ(session.Meter(), MeterKind::cg3);
        EXPECT_EQ(session.Corrections().m_nTideMode, int(kTideBerger));
        EXPECT_EQ(session.ExportSelectedText(ExportKind::excel), before);
        EXPECT_TRUE(session.HasCorrectionsApplied());
    }
    // A survey with readings replaces it, and has nothing applied yet.
    ASSERT_TRUE(session.Import(kAliod, MeterKind::aliod, DefaultAliodHeaderTexts()).Succeeded());
    EXPECT_EQ(session.List().RowCount(), 8);
    EXPECT_FALSE(session.HasCorrectionsApplied());
}

TEST(ReductionSession, AnImportForgetsThePolarTableButKeepsTheDriftCorrections)
{
    ReductionSession session;
    session.Import(kCg3, MeterKind::cg3);
    CorrectionSettings chosen = session.Corrections();
    chosen.m_bApplyPolar = true;
    chosen.m_strPolarFile = kPolar;
    session.ApplyCorrections(chosen);
    session.Document().AddDriftCorrection(DateTime::fromParts(2019, 3, 12), 0.1);
    session.Import(kCg3, MeterKind::cg3);
    EXPECT_FALSE(session.Corrections().m_bApplyPolar);
    EXPECT_TRUE(session.Corrections().m_strPolarFile.empty());
    EXPECT_EQ(session.Document().m_DriftCorrections.size(), 1u);
}

TEST(ReductionSession, AliodHeaderTextsAreThoseGivenOrThoseOfThePreviousImport)
{
    ReductionSession session;
    session.Import(kAliod, MeterKind::aliod);  // nothing typed yet: empty texts
    ASSERT_NE(session.Document().m_pCurAliodHeader, nullptr);
    EXPECT_EQ(session.Document().m_pCurAliodHeader->m_dLatitude, 0.0);

    AliodHeaderTexts typed = DefaultAliodHeaderTexts();
    typed.operTemp = "21.5";
    session.Import(kAliod, MeterKind::aliod, typed);
    session.Import(kAliod, MeterKind::aliod);
    const CAliodHeader& header = *session.Document().m_pCurAliodHeader;
    EXPECT_EQ(header.m_dLatitude, 40.02885);
    EXPECT_EQ(header.m_dLongitude, -105.04603);
    EXPECT_EQ(header.m_dOperTemp, 21.5);
    EXPECT_EQ(session.Meter(), MeterKind::aliod);

    // A file read elsewhere with the same texts gets the same header.
    const Result<ImportedSurvey> elsewhere = ReadSurveyFile(kAliod, MeterKind::aliod, typed);
    EXPECT_EQ(elsewhere.Value().doc->m_pCurAliodHeader->m_dLatitude, header.m_dLatitude);
    EXPECT_EQ(elsewhere.Value().doc->m_pCurAliodHeader->m_dOperTemp, header.m_dOperTemp);
}

TEST(ReductionSession, StationsAreSelectedByExactNameAndAnUnknownNameIsAnError)
{
    ReductionSession session;
    session.Import(kCg3, MeterKind::cg3);
    EXPECT_TRUE(session.SelectStations({"100", "1"}).Succeeded());
    for (const int row : session.List().SelectedRows()) {
        const std::string& name = session.List().Reading(row).m_strStation;
        EXPECT_TRUE(name == "100" || name == "1") << name;
    }
    EXPECT_GT(session.List().SelectedCount(), 0);
    const Outcome unknown = session.SelectStations({"100", "10"});
    ASSERT_TRUE(unknown.Failed());
    EXPECT_NE(unknown.ErrorText().find("'10'"), std::string::npos);
    EXPECT_TRUE(session.SelectStations({}).Succeeded());
    EXPECT_EQ(session.List().SelectedCount(), 15);
}

TEST(ReductionSession, OkRecomputesTheSelectionAndReportsTheBergerDisagreementAsAWarning)
{
    ReductionSession session;
    session.Import(kCg3, MeterKind::cg3);
    session.SelectStations({});
    CorrectionsDialogModel dialog = session.OpenCorrections();
    ASSERT_TRUE(dialog.SetTideMode(kTideBerger).Succeeded());
    const RecalcResult result = session.ApplyCorrections(dialog.Settings());
    EXPECT_EQ(result.Value().m_nRecomputed, 15);
    EXPECT_FALSE(result.Failed());
    EXPECT_EQ(session.Corrections().m_nTideMode, int(kTideBerger));
    EXPECT_EQ(session.Summary().m_nReadings, 15);
    EXPECT_FALSE(session.List().Text(0, CStationList::kBerger).empty());
}

TEST(ReductionSession, ADriftCommandWithoutAWindowKeepsItsNameAndTurnsTheDriftOn)
{
    ReductionSession session;
    session.Import(kCg3, MeterKind::cg3);
    session.SelectStations({"1"});
    session.ApplyCorrections(session.Corrections());
    const std::string name = session.RunDriftCommand(session.Corrections(), DriftMode::calculate, [](DriftDialogModel& d) {
        const DriftDialogModel::AddPrefill prefill = d.BeginAdd();
        d.FinishAdd(true, false, "Base loop", prefill.start, prefill.rate);
    });
    EXPECT_EQ(name, "Base loop");
    EXPECT_EQ(session.Drifts().m_DriftNames, (std::vector<std::string>{"None", "Base loop"}));
    EXPECT_EQ(session.Drifts().m_DriftNames.size(), session.Document().m_DriftCorrections.size());
    EXPECT_FALSE(session.Drifts().m_bAddNextDrift);
    EXPECT_TRUE(session.Corrections().m_bApplyDrift);
    const int row = session.List().SelectedRows().front();
    EXPECT_EQ(session.List().Text(row, CStationList::kDriftName), "Base loop*");
}

TEST(ReductionSession, TheFinalTableAveragesTheSelectionPerStation)
{
    ReductionSession session;
    session.Import(kCg3, MeterKind::cg3);
    session.SelectStations({"1", "100"});
    session.ApplyCorrections(session.Corrections());
    session.ComputeFinalTable();
    ASSERT_EQ(session.Document().m_FinalData.size(), 2u);
    EXPECT_EQ(session.FinalTableText(), FinalTextExport(session.Document()));
    const std::string excel = session.ExportSelectedText(ExportKind::excel);
    EXPECT_EQ(std::count(excel.begin(), excel.end(), '\n'), session.List().SelectedCount() + 1);
}
