#include <gtest/gtest.h>

#include <cmath>

#include "output/FinalOutput.h"
#include "output/OutputSurvey.h"

using namespace bramble;
using bramble::test::OutputSurvey;

namespace {

const double kDay = DateTime::fromParts(2019, 3, 12).value();

std::vector<std::string> Stations(const CKelpDoc& doc)
{
    std::vector<std::string> names;
    for (const auto& e : doc.m_FinalData)
        names.push_back(e->m_strStation);
    return names;
}

// Readings of 101 at 10.000, 10.002, 10.004 and one of 102 at 20.000, with
// the 102 reading between the 101 ones in the list.
void Add101And102(OutputSurvey& s)
{
    s.Add("101", 10.000, kDay + 0.10, 0.021);
    s.Add("102", 20.000, kDay + 0.20, 0.025);
    s.Add("101", 10.002, kDay + 0.30, 0.018);
    s.Add("101", 10.004, kDay + 0.40, 0.030);
    s.ShowAndSelectAll();
}

}  // namespace

TEST(FinalOutput, AveragesPerStationWithPopulationDeviationCg3)
{
    OutputSurvey s;
    Add101And102(s);
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(Stations(s.doc), (std::vector<std::string>{"101", "102"}));
    const CFinalData& a = *s.doc.m_FinalData[0];
    EXPECT_NEAR(a.m_dGrav, 10.002, 1e-12);
    EXPECT_EQ(a.m_nPoints, 3);
    EXPECT_NEAR(a.m_dSDev, std::sqrt((0.002 * 0.002 + 0.0 + 0.002 * 0.002) / 3.0), 1e-12);
    EXPECT_NEAR(a.m_dSDev, 0.001633, 5e-7);
    EXPECT_EQ(a.m_Values, (std::vector<double>{10.000, 10.002, 10.004}));
    EXPECT_NEAR(a.m_dtTime.value(), kDay + (0.10 + 0.30 + 0.40) / 3.0, 1e-9);
    const CFinalData& b = *s.doc.m_FinalData[1];
    EXPECT_EQ(b.m_nPoints, 1);
    EXPECT_DOUBLE_EQ(b.m_dGrav, 20.000);
    // A single reading keeps the meter's own deviation.
    EXPECT_DOUBLE_EQ(b.m_dSDev, 0.025);
    EXPECT_EQ(s.doc.m_pCurFinal, s.doc.m_FinalData[1].get());  // the entry filled last
}

TEST(FinalOutput, SingleAliodReadingHasZeroDeviation)
{
    OutputSurvey s(true);
    s.AddHeader(40.02885, -105.05);
    Add101And102(s);
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(Stations(s.doc), (std::vector<std::string>{"101", "102"}));
    EXPECT_NEAR(s.doc.m_FinalData[0]->m_dSDev, 0.001633, 5e-7);
    EXPECT_EQ(s.doc.m_FinalData[1]->m_nPoints, 1);
    EXPECT_EQ(s.doc.m_FinalData[1]->m_dSDev, 0.0);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[1]->m_dLatitude, 40.02885);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[1]->m_dLongitude, -105.05);
}

TEST(FinalOutput, MeanTimeOfTwoReadingsSixHoursApart)
{
    OutputSurvey s;
    s.Add("7", 1.0, kDay + 0.25);
    s.Add("7", 1.0, kDay + 0.50);
    s.ShowAndSelectAll();
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(s.doc.m_FinalData.size(), 1u);
    EXPECT_EQ(s.doc.m_FinalData[0]->m_dtTime.format("%m/%d/%Y %H:%M:%S"), "03/12/2019 09:00:00");
    EXPECT_EQ(s.doc.m_FinalData[0]->m_dSDev, 0.0);  // two equal values
}

TEST(FinalOutput, NumericStationOrderTenAfterNine)
{
    OutputSurvey s;
    s.Add("10", 1.0, kDay + 0.1);
    s.Add("9", 2.0, kDay + 0.2);
    s.Add("100", 3.0, kDay + 0.3);
    s.Add("9.5", 4.0, kDay + 0.4);
    s.ShowAndSelectAll();
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_EQ(Stations(s.doc), (std::vector<std::string>{"9", "9.5", "10", "100"}));
}

TEST(FinalOutput, NamesAreCaseSensitiveAndNonAdjacentReadingsGroup)
{
    OutputSurvey s;
    s.Add("BASE", 1.0, kDay + 0.1);
    s.Add("X", 5.0, kDay + 0.2);
    s.Add("base", 2.0, kDay + 0.3);
    s.Add("BASE", 3.0, kDay + 0.4);
    s.Add("3", 9.0, kDay + 0.5);
    s.ShowAndSelectAll();
    ComputeFinalOutput(s.doc, s.list);
    // Names without a leading number share key 0 and keep their list order,
    // ahead of station 3.
    ASSERT_EQ(Stations(s.doc), (std::vector<std::string>{"BASE", "X", "base", "3"}));
    EXPECT_EQ(s.doc.m_FinalData[0]->m_nPoints, 2);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[0]->m_dGrav, 2.0);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[0]->m_dSDev, 1.0);
    EXPECT_EQ(s.doc.m_FinalData[2]->m_nPoints, 1);
}

TEST(FinalOutput, EqualKeysFollowTheListOrder)
{
    OutputSurvey s;
    s.Add("ALPHA", 1.0, kDay + 0.3);
    s.Add("BETA", 2.0, kDay + 0.1);
    s.ShowAndSelectAll();
    s.list.SortRowsByTime();  // BETA is now above ALPHA
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_EQ(Stations(s.doc), (std::vector<std::string>{"BETA", "ALPHA"}));
}

TEST(FinalOutput, RunningTwiceGivesTheSameTable)
{
    OutputSurvey s;
    Add101And102(s);
    ComputeFinalOutput(s.doc, s.list);
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(s.doc.m_FinalData.size(), 2u);
    EXPECT_EQ(s.doc.m_FinalData[0]->m_nPoints, 3);
    EXPECT_NEAR(s.doc.m_FinalData[0]->m_dGrav, 10.002, 1e-12);
    EXPECT_EQ(s.doc.m_FinalData[0]->m_Values.size(), 3u);
}

TEST(FinalOutput, OnlySelectedRowsCountAndNoneGiveAnEmptyTable)
{
    OutputSurvey s;
    Add101And102(s);
    s.list.DeselectRow(s.RowOfIndex(4));  // 101 at 10.004
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(s.doc.m_FinalData.size(), 2u);
    EXPECT_EQ(s.doc.m_FinalData[0]->m_nPoints, 2);
    EXPECT_NEAR(s.doc.m_FinalData[0]->m_dGrav, 10.001, 1e-12);

    s.list.SelectNone();
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_TRUE(s.doc.m_FinalData.empty());
    EXPECT_EQ(s.doc.m_pCurFinal, nullptr);
}

TEST(FinalOutput, CoordinatesComeFromTheLastReadingsHeader)
{
    OutputSurvey s;
    s.AddHeader(40.03, 105.05);
    s.Add("1", 1.0, kDay + 0.1);
    s.AddHeader(41.50, 106.25);
    s.Add("1", 1.0, kDay + 1.1);
    s.ShowAndSelectAll();
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(s.doc.m_FinalData.size(), 1u);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[0]->m_dLatitude, 41.50);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[0]->m_dLongitude, 106.25);
}

TEST(FinalOutput, UsesTheWorkingGravityNotTheRawReading)
{
    OutputSurvey s;
    s.Add("5", 10.0, kDay);
    s.ShowAndSelectAll();
    s.doc.m_Readings[0]->m_dGrav = 9.5;  // as the corrections leave it
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_DOUBLE_EQ(s.doc.m_FinalData[0]->m_dGrav, 9.5);
}

TEST(FinalOutput, LeavesTheListOrderAsItWas)
{
    OutputSurvey s;
    s.Add("30", 1.0, kDay + 0.1);
    s.Add("10", 1.0, kDay + 0.3);
    s.Add("20", 1.0, kDay + 0.2);
    s.ShowAndSelectAll();
    s.list.SortByColumn(CStationList::kTime);
    const std::vector<int> before = s.RowOrder();
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_EQ(s.RowOrder(), before);
    EXPECT_EQ(s.list.SortColumn(), CStationList::kDayNumber);
    EXPECT_EQ(Stations(s.doc), (std::vector<std::string>{"10", "20", "30"}));
}

TEST(FinalOutput, ExampleSurveyGroupsStationsAcrossBlocks)
{
    CKelpDoc doc;
    CStationList list(doc);
    doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    list.Fill(0);
    list.SortRowsByTime();
    list.SelectAll();
    ComputeFinalOutput(doc, list);
    ASSERT_EQ(Stations(doc), (std::vector<std::string>{"1", "100", "101", "102", "103", "104"}));
    const CFinalData& base = *doc.m_FinalData[0];
    EXPECT_EQ(base.m_nPoints, 6);  // four readings in block 1, two in block 2
    const double mean = (2489.871 + 2489.874 + 2489.889 + 2489.903 + 2490.214 + 2490.231) / 6.0;
    EXPECT_NEAR(base.m_dGrav, mean, 1e-9);
    EXPECT_EQ(doc.m_FinalData[5]->m_nPoints, 1);
    EXPECT_DOUBLE_EQ(doc.m_FinalData[5]->m_dSDev, 0.033);  // 104's own deviation
}

// The entry filled last is that of the last row in the table's order, also
// when stations of one key take turns in the list.
TEST(FinalOutput, LastEntryIsThatOfTheLastRowInTableOrder)
{
    OutputSurvey s;
    s.Add("A", 1.0, kDay + 0.1);
    s.Add("B", 2.0, kDay + 0.2);
    s.Add("B", 2.0, kDay + 0.3);
    s.Add("A", 3.0, kDay + 0.4);
    s.Add("7", 5.0, kDay + 0.5);
    s.ShowAndSelectAll();
    s.list.DeselectRow(s.RowOfIndex(5));
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(Stations(s.doc), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(s.doc.m_pCurFinal, s.doc.m_FinalData[0].get());
    EXPECT_EQ(s.doc.m_FinalData[0]->m_Values, (std::vector<double>{1.0, 3.0}));
}

// A station cell written over gives that row a key of its own: the row is
// visited where its key puts it, while it still counts for its reading's
// station.
TEST(FinalOutput, StationCellWrittenOverIsVisitedByItsOwnKey)
{
    OutputSurvey s;
    s.Add("20", 1.0, kDay + 0.1);
    s.Add("10", 2.0, kDay + 0.2);
    s.Add("20", 3.0, kDay + 0.3);
    s.ShowAndSelectAll();
    s.list.SetText(s.RowOfIndex(3), CStationList::kStation, "5");
    ComputeFinalOutput(s.doc, s.list);
    // Visited: the row keyed 5 (station 20), then 10, then the other 20.
    ASSERT_EQ(Stations(s.doc), (std::vector<std::string>{"20", "10"}));
    EXPECT_EQ(s.doc.m_FinalData[0]->m_Values, (std::vector<double>{3.0, 1.0}));
    EXPECT_EQ(s.doc.m_pCurFinal, s.doc.m_FinalData[0].get());
}
