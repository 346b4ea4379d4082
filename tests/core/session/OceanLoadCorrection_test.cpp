// The ocean-loading step of the corrections on the example survey: the
// readings of a station with a block move by exactly the model's loading,
// the others by nothing and are named, and without a BLQ file every text
// and export stays what it was.
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "corrections/CellFormat.h"
#include "oceanload/BlqReader.h"
#include "oceanload/OceanLoadModel.h"
#include "output/ExportSelected.h"
#include "output/TabSeparated.h"
#include "session/ReductionSession.h"

using namespace bramble;

namespace {

const std::string kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
// Station 100 by name, the others by a block 2.6 km from the header position.
const std::string kBlq = BRAMBLE_TEST_DATA "/oceanload/cg3-two-blocks.blq";

struct Survey : ::testing::Test {
    ReductionSession session;
    void SetUp() override
    {
        ASSERT_TRUE(session.Import(kCg3, MeterKind::cg3).Succeeded());
        ASSERT_TRUE(session.SelectStations({}).Succeeded());
    }
    // The Corrections dialog with Berger tide and the BLQ file, then OK.
    Result<SurveyOceanLoad> Correct(double distanceKm, bool apply = true)
    {
        CorrectionsDialogModel dialog = session.OpenCorrections();
        dialog.SetTideMode(kTideBerger);
        EXPECT_TRUE(dialog.SetBlqMatchDistance(distanceKm).Succeeded());
        Result<SurveyOceanLoad> read = dialog.ReadBlqFile(kBlq);
        if (read.Succeeded()) {
            EXPECT_TRUE(dialog.SetApplyOceanLoad(apply).Succeeded());
        }
        session.ApplyCorrections(dialog.Settings());
        return read;
    }
    void CorrectWithoutOceanLoad()
    {
        CorrectionsDialogModel dialog = session.OpenCorrections();
        dialog.SetTideMode(kTideBerger);
        session.ApplyCorrections(dialog.Settings());
    }
    std::string Texts()
    {
        session.ComputeFinalTable();
        return SelectedRowsText(session.List()) + session.ExportSelectedText(ExportKind::excel) +
               session.ExportSelectedText(ExportKind::report) + session.FinalTableText();
    }
};

const BlqBlock& Block(const std::vector<BlqBlock>& blocks, const std::string& name)
{
    for (const BlqBlock& block : blocks)
        if (block.name == name)
            return block;
    throw std::runtime_error("no block " + name);
}

}  // namespace

TEST_F(Survey, AStationWithABlockGetsExactlyTheModelsLoadingAddedTheOthersNoneAndAreNamed)
{
    const Result<SurveyOceanLoad> read = Correct(1.0);  // BOULDER is too far: only "100" has a block
    ASSERT_TRUE(read.Succeeded());
    EXPECT_EQ(read.Value().m_nStations, 1);
    EXPECT_EQ(read.Value().m_Unmatched, (std::vector<std::string>{"1", "101", "102", "103", "104"}));
    const std::vector<std::string> warnings = read.Texts(Severity::warning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("the stations 1, 101, 102, 103, 104 (none of the same name, none within 1 km)"),
              std::string::npos)
        << warnings[0];

    const OceanLoadModel model(Block(ReadBlqFile(kBlq).Value(), "100"));
    const CStationList& list = session.List();
    int corrected = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        const CReading& r = list.Reading(row);
        const double expected = r.m_strStation == "100" ? model.CorrectionMicroGal(r.m_dtTime.value()) * 0.001 : 0.0;
        EXPECT_EQ(r.m_dOceanLoadCorr, expected) << r.m_strStation;
        // Berger: the gravity less E.T.C., the tide, then the loading.
        EXPECT_EQ(r.m_dGrav, r.m_dGravLessEtc + r.m_dTideCorr + expected) << r.m_strStation;
        EXPECT_EQ(list.Text(row, CStationList::kOceanLoad), FormatCorrection(expected));
        corrected += expected != 0.0;
    }
    EXPECT_EQ(corrected, 2);  // station 100 is read twice
    EXPECT_TRUE(list.OceanLoadShown());
    double sum = 0.0;
    for (int row = 0; row < list.RowCount(); ++row)
        sum += list.Reading(row).m_dOceanLoadCorr;
    EXPECT_DOUBLE_EQ(session.Summary().m_dOceanLoad, sum / list.RowCount());
}

TEST_F(Survey, WithinTheDistanceEveryStationTakesTheNearestBlockAndTheFinalTableMovesByIt)
{
    CorrectWithoutOceanLoad();
    session.ComputeFinalTable();
    const std::vector<double> before = [&] {
        std::vector<double> g;
        for (const auto& station : session.Document().m_FinalData)
            g.push_back(station->m_dGrav);
        return g;
    }();

    const Result<SurveyOceanLoad> read = Correct(kDefaultBlqMatchDistanceKm);
    ASSERT_TRUE(read.Succeeded());
    EXPECT_EQ(read.Value().m_nStations, 6);
    EXPECT_TRUE(read.Value().m_Unmatched.empty());
    EXPECT_FALSE(read.Has(Severity::warning));
    session.ComputeFinalTable();
    // Each station's mean gravity moves by the mean loading of its readings.
    std::size_t i = 0;
    for (const auto& station : session.Document().m_FinalData) {
        ASSERT_LT(i, before.size());
        double sum = 0.0;
        int n = 0;
        for (const auto& r : session.Document().m_Readings) {
            if (r->m_strStation == station->m_strStation) {
                EXPECT_NE(r->m_dOceanLoadCorr, 0.0);
                sum += r->m_dOceanLoadCorr;
                ++n;
            }
        }
        EXPECT_NEAR(station->m_dGrav - before[i], sum / n, 1e-9) << station->m_strStation;
        ++i;
    }
}

TEST_F(Survey, WithoutABlqFileOrWithItsApplyOffEveryTextStaysAsItWas)
{
    CorrectWithoutOceanLoad();
    const std::string without = Texts();
    EXPECT_FALSE(session.List().OceanLoadShown());
    EXPECT_EQ(without.find("Ocean"), std::string::npos);

    ASSERT_TRUE(Correct(kDefaultBlqMatchDistanceKm, false).Succeeded());  // read, then "Apply" unticked
    EXPECT_EQ(Texts(), without);

    ASSERT_TRUE(Correct(kDefaultBlqMatchDistanceKm, true).Succeeded());
    const std::string with = Texts();
    EXPECT_NE(with, without);
    EXPECT_NE(session.ExportSelectedText(ExportKind::excel).find("\tDrift Correction Name\tOcean Loading\n"),
              std::string::npos);
    EXPECT_NE(SelectedRowsText(session.List()).find("\tDrift Correction Name\tOcean Loading\n"), std::string::npos);
}

TEST_F(Survey, AFileThatIsNotBlqOrHasNoBlockForAnyStationIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(Correct(kDefaultBlqMatchDistanceKm).Succeeded());
    const CorrectionSettings held = session.Corrections();
    const double loading = session.Document().m_Readings.front()->m_dOceanLoad;
    ASSERT_TRUE(std::isfinite(loading));

    CorrectionsDialogModel dialog = session.OpenCorrections();
    for (const char* file : {"/oceanload/HVO10.csv", "/oceanload/missing-number.blq",  // not BLQ
                             "/oceanload/provider-sample.blq",                         // Hawaii: no block here
                             "/oceanload/no-such.blq"}) {
        const Result<SurveyOceanLoad> read = dialog.ReadBlqFile(BRAMBLE_TEST_DATA + std::string(file));
        EXPECT_TRUE(read.Failed()) << file;
        EXPECT_NE(read.ErrorText().find(file + 1), std::string::npos) << read.ErrorText();
        EXPECT_EQ(dialog.Settings(), held) << file;
        EXPECT_EQ(session.Document().m_Readings.front()->m_dOceanLoad, loading) << file;
    }
    EXPECT_NE(dialog.ReadBlqFile(BRAMBLE_TEST_DATA "/oceanload/provider-sample.blq")
                  .ErrorText()
                  .find("has no ocean-loading block for any station of the survey"),
              std::string::npos);
    EXPECT_NE(dialog.ReadBlqFile(BRAMBLE_TEST_DATA "/oceanload/missing-number.blq").ErrorText().find("line 6"),
              std::string::npos);
}

TEST_F(Survey, TheDistanceIsCheckedAndMatchesTheChosenFileAgain)
{
    CorrectionsDialogModel dialog = session.OpenCorrections();
    EXPECT_FALSE(dialog.OceanLoadCanApply());
    EXPECT_TRUE(dialog.SetApplyOceanLoad(true).Failed());  // no file yet
    for (double bad : {-1.0, kMaxBlqMatchDistanceKm + 1.0, std::nan("")})
        EXPECT_TRUE(dialog.SetBlqMatchDistance(bad).Failed());
    EXPECT_EQ(dialog.Settings().m_dBlqMatchDistanceKm, kDefaultBlqMatchDistanceKm);

    ASSERT_TRUE(dialog.ReadBlqFile(kBlq).Succeeded());
    EXPECT_TRUE(dialog.Settings().m_bApplyOceanLoad);
    const CReading& station1 = *session.Document().m_Readings.front();
    ASSERT_EQ(station1.m_strStation, "1");
    EXPECT_TRUE(std::isfinite(station1.m_dOceanLoad));
    // Closer than BOULDER: station 1 loses its block, "100" keeps its own.
    const Result<SurveyOceanLoad> nearer = dialog.SetBlqMatchDistance(2.0);
    ASSERT_TRUE(nearer.Succeeded());
    EXPECT_EQ(dialog.Settings().m_dBlqMatchDistanceKm, 2.0);
    EXPECT_TRUE(std::isnan(station1.m_dOceanLoad));
    // No station at all within 1 km and none by name: refused, nothing moves.
    dialog.Settings().m_strBlqFile = BRAMBLE_TEST_DATA "/oceanload/provider-sample.blq";
    EXPECT_TRUE(dialog.SetBlqMatchDistance(1.0).Failed());
    EXPECT_EQ(dialog.Settings().m_dBlqMatchDistanceKm, 2.0);
}

TEST_F(Survey, AnImportForgetsTheBlqFileAndHidesTheColumn)
{
    ASSERT_TRUE(Correct(kDefaultBlqMatchDistanceKm).Succeeded());
    ASSERT_TRUE(session.Import(kCg3, MeterKind::cg3).Succeeded());
    EXPECT_FALSE(session.Corrections().m_bApplyOceanLoad);
    EXPECT_TRUE(session.Corrections().m_strBlqFile.empty());
    EXPECT_FALSE(session.List().OceanLoadShown());
    EXPECT_TRUE(std::isnan(session.Document().m_Readings.front()->m_dOceanLoad));
}
