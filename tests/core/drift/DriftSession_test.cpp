#include <gtest/gtest.h>

#include "DriftTestSurvey.h"
#include "drift/DriftLine.h"
#include "drift/DriftSession.h"

using namespace bramble;
using bramble::test::DriftTestSurvey;

namespace {

struct Session {
    DriftTestSurvey s{
        {{"1", 100.000, "06:00:00"}, {"2", 95.000, "07:00:00"}, {"3", 97.000, "08:00:00"}, {"1", 100.030, "12:00:00"}}};
    DriftNames names;
    int recalcs = 0;
    DriftContext ctx{s.doc, s.list, s.drift, s.settings, [this] { ++recalcs; }, [this] { ++recalcs; }};
};

}  // namespace

TEST(DriftSession, FirstCommandAppendsTheRegressionAsEntryNone)
{
    Session t;
    t.s.list.SelectRow(t.s.RowOf(1));
    t.s.list.SelectRow(t.s.RowOf(4));
    const std::string line = BeginDriftCommand(t.ctx, t.names, CorrectionSettings{});
    ASSERT_EQ(t.s.doc.m_DriftCorrections.size(), 1u);
    EXPECT_EQ(line, FormatDriftLine(*t.s.doc.m_DriftCorrections[0]));
    EXPECT_NEAR(t.s.doc.m_DriftCorrections[0]->m_dCoeff[0], 0.03 / 0.25, 1e-9);

    DriftDialogModel dialog(t.ctx, t.names.m_DriftNames, t.names.m_nDriftSel, DriftMode::calculate, line);
    dialog.Start();
    EXPECT_EQ(dialog.Selection(), 0);
    EXPECT_EQ(t.s.list.Text(t.s.RowOf(4), CStationList::kDriftName), "NONE");
    dialog.Ok();
    FinishDriftCommand(dialog, t.names);
    EXPECT_FALSE(t.names.m_bAddNextDrift);
    // Later commands no longer append.
    EXPECT_EQ(BeginDriftCommand(t.ctx, t.names, CorrectionSettings{}), "No Drift Selected");
    EXPECT_EQ(t.s.doc.m_DriftCorrections.size(), 1u);
}

TEST(DriftSession, InputThenOkKeepsNamesAndEntriesInStep)
{
    Session t;
    t.s.list.SelectAll();
    const std::string line = BeginDriftCommand(t.ctx, t.names, CorrectionSettings{});
    DriftDialogModel dialog(t.ctx, t.names.m_DriftNames, 0, DriftMode::calculate, line);
    dialog.Start();
    t.s.list.SortByColumn(CStationList::kStation);
    const auto prefill = dialog.BeginAdd();
    EXPECT_EQ(prefill.name, "New Drift Correction");
    EXPECT_EQ(t.s.list.SortColumn(), CStationList::kDayNumber);  // rows sorted by time meanwhile
    EXPECT_EQ(t.s.Reading(2).m_strNote, "None*");
    dialog.FinishAdd(true, true, "Loop A", DateTime::fromParts(2024, 1, 15, 6, 0, 0), " 0.25 0.5");
    EXPECT_EQ(t.s.list.SortColumn(), CStationList::kStation);  // and back to the station sort
    ASSERT_EQ(dialog.Names().size(), 2u);
    EXPECT_EQ(dialog.Selection(), 1);
    ASSERT_EQ(t.s.doc.m_DriftCorrections.size(), 2u);
    EXPECT_EQ(t.s.doc.m_DriftCorrections[1]->m_dCoeff[1], 0.5);
    EXPECT_EQ(t.s.Reading(3).m_strNote, "Loop A*");
    EXPECT_EQ(t.s.Reading(3).m_strDriftName, "Loop A*");
    EXPECT_EQ(t.s.list.Text(t.s.RowOf(3), CStationList::kDriftName), "Loop A*");
    dialog.Ok();
    FinishDriftCommand(dialog, t.names);
    EXPECT_EQ(t.names.m_DriftNames, (std::vector<std::string>{"None", "Loop A"}));
    EXPECT_EQ(t.names.m_nDriftSel, 1);
    // x = 2 h after t0: 0.25 x + 0.5 x^2.
    const double x = 2.0 / 24.0;
    EXPECT_NEAR(t.s.Reading(3).m_dDriftCorr, 0.25 * x + 0.5 * x * x, 1e-12);
}

TEST(DriftSession, DeleteNeverRemovesEntryZero)
{
    Session t;
    t.s.list.SelectAll();
    DriftDialogModel dialog(t.ctx, t.names.m_DriftNames, 0, DriftMode::calculate,
                            BeginDriftCommand(t.ctx, t.names, CorrectionSettings{}));
    dialog.Start();
    dialog.Delete();
    EXPECT_EQ(dialog.Names().size(), 1u);
    EXPECT_EQ(t.s.doc.m_DriftCorrections.size(), 1u);
    dialog.BeginAdd();
    dialog.FinishAdd(true, false, "Calc", DateTime(), "");
    ASSERT_EQ(t.s.doc.m_DriftCorrections.size(), 2u);
    dialog.Delete();
    EXPECT_EQ(dialog.Selection(), 0);
    EXPECT_EQ(dialog.Names().size(), 1u);
    EXPECT_EQ(t.s.doc.m_DriftCorrections.size(), 1u);
}

TEST(DriftSession, CancelRestoresEveryReadingAfterAResort)
{
    Session t;
    t.s.Reading(1).m_dDriftCorr = 0.011;
    t.s.Reading(1).m_strDriftName = "Earlier";
    t.s.Reading(4).m_dDriftCorr = 0.044;
    t.s.list.SortByColumn(CStationList::kStation);  // ties of station 1 in time order...
    t.s.list.SelectAll();
    DriftDialogModel dialog(t.ctx, t.names.m_DriftNames, 0, DriftMode::calculate,
                            BeginDriftCommand(t.ctx, t.names, CorrectionSettings{}));
    dialog.Start();
    dialog.BeginAdd();
    dialog.FinishAdd(true, true, "Typed", DateTime::fromParts(2024, 1, 15), "1.0");
    EXPECT_NE(t.s.Reading(1).m_dDriftCorr, 0.011);
    dialog.Cancel(t.names);
    EXPECT_EQ(t.s.Reading(1).m_dDriftCorr, 0.011);
    EXPECT_EQ(t.s.Reading(1).m_strDriftName, "Earlier");
    EXPECT_EQ(t.s.Reading(4).m_dDriftCorr, 0.044);
    EXPECT_EQ(t.s.Reading(2).m_strDriftName, "NONE");
    EXPECT_FALSE(t.s.drift.m_bReapplying);
    // The names follow the document's entries, which stay after Cancel.
    EXPECT_EQ(t.names.m_DriftNames.size(), t.s.doc.m_DriftCorrections.size());
    EXPECT_TRUE(t.names.m_bAddNextDrift);
}

TEST(DriftSession, CancelledRecalculationLeavesNoNamelessEntry)
{
    Session t;
    t.s.list.SelectAll();
    for (int run = 0; run < 3; ++run) {
        DriftDialogModel dialog(t.ctx, t.names.m_DriftNames, t.names.m_nDriftSel, DriftMode::calculate,
                                BeginDriftCommand(t.ctx, t.names, CorrectionSettings{}));
        dialog.Start();
        dialog.Cancel(t.names);
        ASSERT_EQ(t.names.m_DriftNames.size(), t.s.doc.m_DriftCorrections.size()) << run;
    }
}

TEST(DriftSession, ATypedRateThatIsNotNumbersAddsNoEntry)
{
    Session t;
    t.s.list.SelectAll();
    DriftDialogModel dialog(t.ctx, t.names.m_DriftNames, 0, DriftMode::calculate,
                            BeginDriftCommand(t.ctx, t.names, CorrectionSettings{}));
    dialog.Start();
    dialog.BeginAdd();
    const Outcome added = dialog.FinishAdd(true, true, "Comma", DateTime::fromParts(2024, 1, 15), "46,52");
    EXPECT_TRUE(added.Failed());
    EXPECT_EQ(dialog.Names().size(), 1u);
    EXPECT_EQ(t.s.doc.m_DriftCorrections.size(), 1u);
}
