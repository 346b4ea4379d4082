// The rules of the Corrections dialog, without its widgets.
#include <cmath>

#include <gtest/gtest.h>

#include "corrections/Pressure.h"
#include "session/CorrectionsDialogModel.h"
#include "session/TideChoice.h"
#include "survey/CKelpDoc.h"

using namespace bramble;

namespace {

struct Cg3Survey {
    CKelpDoc doc;
    Cg3Survey() { doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat"); }
};

}  // namespace

TEST(TideChoice, AliodDataOfferNoLongmanTide)
{
    EXPECT_TRUE(TideModeOffered(MeterKind::cg3, kTideLongman));
    EXPECT_FALSE(TideModeOffered(MeterKind::aliod, kTideLongman));
    EXPECT_TRUE(TideModeOffered(MeterKind::aliod, kTideBerger));
    EXPECT_FALSE(TideModeOffered(MeterKind::cg3, 7));
    EXPECT_EQ(OfferedTideMode(MeterKind::aliod, kTideLongman), int(kTideNone));
    EXPECT_EQ(OfferedTideMode(MeterKind::aliod, kTideBerger), int(kTideBerger));
    EXPECT_TRUE(CheckTideMode(MeterKind::aliod, kTideLongman).Failed());
}

TEST(CorrectionsDialogModel, AnAliodSurveyOpensWithoutLongmanAndRefusesIt)
{
    CKelpDoc doc;
    doc.m_bAliod = true;
    CorrectionSettings held;
    held.m_nTideMode = kTideLongman;
    CorrectionsDialogModel dialog(doc, held);
    EXPECT_FALSE(dialog.LongmanOffered());
    EXPECT_EQ(dialog.Settings().m_nTideMode, int(kTideNone));
    ASSERT_TRUE(dialog.SetTideMode(kTideBerger).Succeeded());
    const Outcome refused = dialog.SetTideMode(kTideLongman);
    EXPECT_TRUE(refused.Failed());
    EXPECT_NE(refused.ErrorText().find("Aliod"), std::string::npos);
    EXPECT_EQ(dialog.Settings().m_nTideMode, int(kTideBerger));

    doc.m_bAliod = false;
    CorrectionsDialogModel cg3(doc, held);
    EXPECT_TRUE(cg3.LongmanOffered());
    EXPECT_EQ(cg3.Settings().m_nTideMode, int(kTideLongman));
}

TEST(CorrectionsDialogModel, OpensWithTheEntriesInTimeOrderAndAddsAtTheLastReading)
{
    Cg3Survey s;
    CorrectionSettings held;
    held.m_PressureList = {"01/02/2020  08:00:00  1000", "12/31/2019  23:00:00  1001"};
    CorrectionsDialogModel dialog(s.doc, held);
    EXPECT_EQ(dialog.Settings().m_PressureList.front(), "12/31/2019  23:00:00  1001");
    EXPECT_EQ(dialog.NewPressureEntry(), std::optional<std::string>("03/13/2019  15:35:02  1013.25"));
    CKelpDoc empty;
    EXPECT_FALSE(CorrectionsDialogModel(empty, held).NewPressureEntry().has_value());
}

TEST(CorrectionsDialogModel, SetGivesTheNominalPressureOfTheElevation)
{
    CKelpDoc doc;
    CorrectionsDialogModel dialog(doc, {});
    dialog.Settings().m_dNominalElevation = 0.0;
    dialog.SetNominalFromElevation();
    EXPECT_DOUBLE_EQ(dialog.Settings().m_dNominalPressure, 1013.25);
    dialog.Settings().m_dNominalElevation = 1600.0;
    dialog.SetNominalFromElevation();
    EXPECT_NEAR(dialog.Settings().m_dNominalPressure, 835.4, 0.5);
}

TEST(CorrectionsDialogModel, ApplyingPressuresTurnsTheCorrectionOnOnlyWhenAnEntryWasUsed)
{
    Cg3Survey s;
    CorrectionsDialogModel dialog(s.doc, {});
    const Result<int> used = dialog.ApplyPressures({"13/12/2019  21:00:00  1000", "03/13/2019  16:00:00  1019"});
    EXPECT_EQ(used.Value(), 1);
    EXPECT_EQ(used.Texts(Severity::warning).size(), 1u);  // the impossible date
    EXPECT_TRUE(dialog.Settings().m_bApplyPressure);
    EXPECT_EQ(s.doc.m_Readings.front()->m_dPressure, 1019.0);

    const Result<int> none = dialog.ApplyPressures({});
    EXPECT_EQ(none.Value(), 0);
    EXPECT_FALSE(dialog.Settings().m_bApplyPressure);
    EXPECT_EQ(s.doc.m_Readings.front()->m_dPressure, 1019.0);
}

TEST(CorrectionsDialogModel, APolarTableWithoutTheFirstDayTurnsTheCorrectionOffWithAWarning)
{
    Cg3Survey s;
    CorrectionSettings held;
    held.m_bApplyPolar = true;
    held.m_strPolarFile = "old.txt";
    CorrectionsDialogModel dialog(s.doc, held);

    const Result<bool> unreadable = dialog.ReadPolarTable(BRAMBLE_EXAMPLES "/no-such-table.daily");
    EXPECT_TRUE(unreadable.Failed());
    EXPECT_EQ(dialog.Settings().m_strPolarFile, "old.txt");
    EXPECT_TRUE(dialog.Settings().m_bApplyPolar);

    const std::string other = BRAMBLE_TEST_DATA "/polar/finals-2005-01-26.daily";
    const Result<bool> notFound = dialog.ReadPolarTable(other);
    EXPECT_TRUE(notFound.Succeeded());
    EXPECT_FALSE(notFound.Value());
    EXPECT_EQ(notFound.Texts(Severity::warning).size(), 1u);
    EXPECT_FALSE(dialog.Settings().m_bApplyPolar);
    EXPECT_EQ(dialog.Settings().m_strPolarFile, other);

    const Result<bool> found = dialog.ReadPolarTable(BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily");
    EXPECT_TRUE(found.Value());
    EXPECT_TRUE(found.Messages().empty());
    EXPECT_NE(s.doc.m_Readings.front()->m_PolarMotion.m_dX, 0.0);
}
