// Snapshots of a reduction and rejected readings.
#include <gtest/gtest.h>

#include "project/SessionSnapshot.h"
#include "support/WorkedSurvey.h"

using namespace bramble;
using namespace bramble::test;

TEST(SessionSnapshot, PuttingASnapshotBackUndoesEverythingDoneSince)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg3Example, MeterKind::cg3).Succeeded());
    session.SelectStations({});
    session.ApplyCorrections(session.Corrections());
    const std::string before = EverythingShown(session);
    const SessionSnapshot snapshot = TakeSnapshot(session);

    ReduceAsAnOperatorWould(session);
    session.List().SortByColumn(CStationList::kStation);
    session.List().SetText(2, CStationList::kStation, "typed over");
    ASSERT_NE(EverythingShown(session), before);
    const SessionSnapshot after = TakeSnapshot(session);

    ASSERT_TRUE(RestoreSnapshot(session, snapshot).Succeeded());
    EXPECT_EQ(EverythingShown(session), before);
    EXPECT_TRUE(session.Document().m_DriftCorrections.empty());
    EXPECT_TRUE(session.Document().m_FinalData.empty());
    // And forward again.
    ASSERT_TRUE(RestoreSnapshot(session, after).Succeeded());
    EXPECT_EQ(TakeSnapshot(session).rows, after.rows);
    EXPECT_EQ(TakeSnapshot(session).readings, after.readings);
    EXPECT_EQ(session.Document().m_DriftCorrections.size(), after.driftCorrections.size());
    EXPECT_FALSE(after.driftCorrections.empty());
}

TEST(SessionSnapshot, ASnapshotOfAnotherSurveyIsRefusedAndChangesNothing)
{
    ReductionSession cg3, aliod;
    cg3.Import(kCg3Example, MeterKind::cg3);
    aliod.Import(kAliodExample, MeterKind::aliod, DefaultAliodHeaderTexts());
    const std::string before = EverythingShown(aliod);
    EXPECT_TRUE(RestoreSnapshot(aliod, TakeSnapshot(cg3)).Failed());
    EXPECT_EQ(EverythingShown(aliod), before);
}

TEST(RejectedReadings, TakeNoPartInTheSelectionDriftFinalTableOrExports)
{
    ReductionSession session;
    session.Import(kCg3Example, MeterKind::cg3);
    CStationList& list = session.List();
    const std::string station = list.Reading(4).m_strStation;
    list.SelectRow(4);
    list.Reject(4, "bumped");
    EXPECT_FALSE(list.IsSelected(4));
    list.SelectRow(4);
    list.SelectAll();
    EXPECT_FALSE(list.IsSelected(4));
    EXPECT_EQ(list.SelectedCount(), list.RowCount() - 1);
    EXPECT_EQ(list.RejectionReason(4), "bumped");

    // The rejection follows its reading through a sort.
    const int reading = list.StationIndex(4);
    list.SortByColumn(CStationList::kStation);
    int row = 0;
    while (list.StationIndex(row) != reading)
        ++row;
    EXPECT_TRUE(list.IsRejected(row));

    session.ApplyCorrections(session.Corrections());
    session.ComputeFinalTable();
    EXPECT_EQ(session.Summary().m_nReadings, list.RowCount() - 1);
    int points = 0;
    for (const auto& final : session.Document().m_FinalData)
        points += final->m_nPoints;
    EXPECT_EQ(points, list.RowCount() - 1);
    const std::string excel = session.ExportSelectedText(ExportKind::excel);
    EXPECT_EQ(std::count(excel.begin(), excel.end(), '\n'), list.RowCount());  // a header line, no rejected row

    list.Readmit(row);
    EXPECT_FALSE(list.IsRejected(row));
    list.SelectRow(row);
    EXPECT_TRUE(list.IsSelected(row));
    (void)station;
}

TEST(SessionSnapshot, SameStateSeesEveryChangeAndSwappingShowsAnotherSurvey)
{
    ReductionSession shown, other;
    shown.Import(kCg3Example, MeterKind::cg3);
    other.Import(kAliodExample, MeterKind::aliod, DefaultAliodHeaderTexts());
    const SessionSnapshot before = TakeSnapshot(shown);
    EXPECT_TRUE(SameState(before, TakeSnapshot(shown)));  // the readings' pressures are NaN: still the same
    shown.List().Reject(2, "spike");
    EXPECT_FALSE(SameState(before, TakeSnapshot(shown)));
    shown.List().Readmit(2);
    EXPECT_TRUE(SameState(before, TakeSnapshot(shown)));
    ReduceAsAnOperatorWould(shown);
    EXPECT_FALSE(SameState(before, TakeSnapshot(shown)));

    const std::string cg3 = EverythingShown(shown);
    const std::string aliod = EverythingShown(other);
    SwapSessionContents(shown, other);
    EXPECT_EQ(EverythingShown(shown), aliod);
    EXPECT_EQ(EverythingShown(other), cg3);
    EXPECT_EQ(shown.Meter(), MeterKind::aliod);
    SwapSessionContents(shown, other);
    EXPECT_EQ(EverythingShown(shown), cg3);

    // A CG-6 survey keeps its kind through the swaps.
    ReductionSession cg6;
    ASSERT_TRUE(cg6.Import(BRAMBLE_TEST_DATA "/meters/CG-6_TestData.dat", MeterKind::cg6).Succeeded());
    SwapSessionContents(shown, cg6);
    EXPECT_EQ(shown.Meter(), MeterKind::cg6);
    EXPECT_EQ(cg6.Meter(), MeterKind::cg3);
    SwapSessionContents(shown, cg6);
    EXPECT_EQ(cg6.Meter(), MeterKind::cg6);
}

TEST(SessionSnapshot, UndoingTheOceanLoadingTakesItsColumnAndValuesAway)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg3Example, MeterKind::cg3).Succeeded());
    session.SelectStations({});
    session.ApplyCorrections(session.Corrections());
    const std::string before = EverythingShown(session);
    const SessionSnapshot snapshot = TakeSnapshot(session);

    CorrectionsDialogModel dialog = session.OpenCorrections();
    ASSERT_TRUE(dialog.ReadBlqFile(std::string(BRAMBLE_TEST_DATA) + "/oceanload/cg3-two-blocks.blq").Succeeded());
    session.ApplyCorrections(dialog.Settings());
    ASSERT_GT(session.List().ColumnWidth(CStationList::kOceanLoad), 0);

    ASSERT_TRUE(RestoreSnapshot(session, snapshot).Succeeded());
    EXPECT_EQ(session.List().ColumnWidth(CStationList::kOceanLoad), 0);
    EXPECT_EQ(EverythingShown(session), before);
    EXPECT_EQ(TakeSnapshot(session).readings, snapshot.readings);
}
