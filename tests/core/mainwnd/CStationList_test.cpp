#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "mainwnd/CStationList.h"

using namespace bramble;

namespace {

struct Loaded {
    CKelpDoc doc;
    CStationList list{doc};
    explicit Loaded(bool aliod)
    {
        if (aliod) {
            doc.m_AliodHeader.avgLatitude = "40.02885";
            doc.ReadAliodFile(BRAMBLE_EXAMPLES "/aliod-loop.csv");
        } else {
            doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
        }
        list.Fill(aliod ? 1 : 0);
    }
    int RowOfIndex(int stationIndex) const
    {
        for (int r = 0; r < list.RowCount(); ++r)
            if (list.StationIndex(r) == stationIndex)
                return r;
        return -1;
    }
};

}  // namespace

TEST(StationList, ColumnsInOrderWithHiddenIndexAndDayNumber)
{
    const auto& columns = CStationList::Columns();
    EXPECT_STREQ(columns[0].title, "Header");
    EXPECT_STREQ(columns[12].title, "Station Index");
    EXPECT_EQ(columns[12].width, 0);
    EXPECT_STREQ(columns[14].title, "m_dt");
    EXPECT_EQ(columns[14].width, 0);
    EXPECT_STREQ(columns[15].title, "Rel Grav - E.T.C.");
    EXPECT_STREQ(columns[21].title, "Drift Correction Name");
    EXPECT_EQ(columns[21].width, 125);
    EXPECT_STREQ(columns[22].title, "Ocean Loading");
}

TEST(StationList, TheOceanLoadingColumnIsShownOnlyWhileAskedForUntilTheNextFill)
{
    Loaded l(false);
    EXPECT_EQ(l.list.ColumnWidth(CStationList::kOceanLoad), 0);
    EXPECT_EQ(l.list.ColumnWidth(CStationList::kDriftName), 125);
    l.list.ShowOceanLoad(true);
    EXPECT_EQ(l.list.ColumnWidth(CStationList::kOceanLoad), 85);
    l.list.SetCorrection(0, CStationList::kOceanLoad, 0.00471);
    l.list.SetCorrection(0, CStationList::kDriftCorrection, -0.25);
    EXPECT_EQ(l.list.Text(0, CStationList::kOceanLoad), "    0.0047");
    EXPECT_EQ(l.list.Text(0, CStationList::kDriftCorrection), "   -0.2500");
    EXPECT_EQ(l.list.Text(0, CStationList::kDriftName), "");
    l.list.Fill(0);
    EXPECT_FALSE(l.list.OceanLoadShown());
}

TEST(StationList, Cg3RowCellsUseTheirFormats)
{
    Loaded l(false);
    ASSERT_EQ(l.list.RowCount(), 15);
    const int r = l.RowOfIndex(10);  // header 1, record 10: "102" after midnight, 120 s
    const std::vector<std::string> expected = {
        "1", "10",       "102", " 2471.485",  "  0.023",          "2",         "-3", "  -0.58", "  0.094", "120",
        "3", "00:36:58", "10",  "03/13/2019", " 43537.025671296", " 2471.391", "",   "",        "",        "",
        "",  "",         ""};
    for (int c = 0; c < CStationList::kColumnCount; ++c)
        EXPECT_EQ(l.list.Text(r, c), expected[static_cast<std::size_t>(c)]) << "column " << c;
    EXPECT_EQ(l.list.Reading(r).m_strStation, "102");
}

TEST(StationList, AliodRowShowsZerosAndLevels)
{
    Loaded l(true);
    ASSERT_EQ(l.list.RowCount(), 8);
    const int r = l.RowOfIndex(4);  // R-201, long level 6, cross level 2
    EXPECT_EQ(l.list.Text(r, CStationList::kStation), "R-201");
    EXPECT_EQ(l.list.Text(r, CStationList::kStdDev), "  0.000");
    EXPECT_EQ(l.list.Text(r, CStationList::kEtc), "  0.000");
    EXPECT_EQ(l.list.Text(r, CStationList::kDur), "0");
    EXPECT_EQ(l.list.Text(r, CStationList::kRejected), "0");
    EXPECT_EQ(l.list.Text(r, CStationList::kTiltX), "2");
    EXPECT_EQ(l.list.Text(r, CStationList::kTiltY), "6");
    EXPECT_EQ(l.list.Text(r, CStationList::kRelGrav), " 3998.246");
}

TEST(StationList, SortsByTimeAcrossDaysAndByColumnKeys)
{
    Loaded l(false);
    l.list.SortRowsByTime();
    EXPECT_EQ(l.list.SortColumn(), 14);
    for (int r = 1; r < l.list.RowCount(); ++r)
        EXPECT_LE(l.list.Reading(r - 1).m_dtTime.value(), l.list.Reading(r).m_dtTime.value());

    l.list.SortByColumn(CStationList::kTime);  // "Time" sorts by the full date-time
    EXPECT_EQ(l.list.SortColumn(), 14);
    EXPECT_EQ(l.list.Text(l.list.RowCount() - 1, CStationList::kTime), "15:35:02");
    EXPECT_EQ(l.list.Text(0, CStationList::kTime), "21:30:12");

    l.list.SortByColumn(CStationList::kStation);
    EXPECT_EQ(l.list.SortColumn(), 2);
    for (int r = 1; r < l.list.RowCount(); ++r)
        EXPECT_LE(l.list.SortKey(r - 1), l.list.SortKey(r));
    EXPECT_EQ(l.list.Text(0, CStationList::kStation), "1");
    EXPECT_EQ(l.list.Text(l.list.RowCount() - 1, CStationList::kStation), "104");
}

TEST(StationList, KeysOfCellTexts)
{
    EXPECT_EQ(CStationList::KeyOfText("43537.025671296"), 435370256);
    EXPECT_EQ(CStationList::KeyOfText("R-201"), 0);
    EXPECT_EQ(CStationList::KeyOfText("  -0.58"), -5800);
    EXPECT_EQ(CStationList::KeyOfText("1e300"), 9000000000000000000LL);
}

TEST(StationList, SelectionFollowsRowsThroughSortsAndWrittenCellsStay)
{
    Loaded l(false);
    l.list.SelectRow(0);
    const int index = l.list.StationIndex(0);
    l.list.SetText(0, CStationList::kCorrectedGrav, " 2489.9000");
    l.list.SortByColumn(CStationList::kRelGrav);
    const int r = l.RowOfIndex(index);
    EXPECT_TRUE(l.list.IsSelected(r));
    EXPECT_EQ(l.list.Text(r, CStationList::kCorrectedGrav), " 2489.9000");
    EXPECT_EQ(l.list.SelectedCount(), 1);
    l.list.SelectAll();
    EXPECT_EQ(l.list.SelectedRows().size(), 15u);
    l.list.SelectNone();
    EXPECT_EQ(l.list.SelectedCount(), 0);
    l.list.Fill(7);  // an unknown hint changes nothing
    EXPECT_EQ(l.list.RowCount(), 15);
    // A row outside the list reads as empty and is not changed; nothing throws.
    EXPECT_EQ(l.list.Text(15, 0), "");
    EXPECT_EQ(l.list.Text(-1, CStationList::kStation), "");
    EXPECT_EQ(l.list.FindReading(15), nullptr);
    EXPECT_FALSE(l.list.IsSelected(15));
    l.list.SelectRow(15);
    l.list.SetCorrection(-1, CStationList::kBerger, 1.0);
    EXPECT_EQ(l.list.SelectedCount(), 0);
}

TEST(StationList, CorrectionCellsShowTheirNumbersUntilAnotherTextIsWritten)
{
    Loaded l(false);
    l.list.SetCorrectionCells(2, {2489.87654, -0.04, 0.0, -0.00001, 0.25, "Loop A"});
    EXPECT_EQ(l.list.Text(2, CStationList::kCorrectedGrav), " 2489.8765");
    EXPECT_EQ(l.list.Text(2, CStationList::kBerger), "   -0.0400");
    EXPECT_EQ(l.list.Text(2, CStationList::kPolarMotion), "    0.0000");  // no minus sign on a zero
    EXPECT_EQ(l.list.Text(2, CStationList::kDriftCorrection), "    0.2500");
    EXPECT_EQ(l.list.Text(2, CStationList::kDriftName), "Loop A");
    EXPECT_EQ(l.list.Text(3, CStationList::kBerger), "");  // other rows untouched
    l.list.SetText(2, CStationList::kBerger, "typed");
    EXPECT_EQ(l.list.Text(2, CStationList::kBerger), "typed");
    l.list.SetCorrection(2, CStationList::kBerger, 0.5);  // the last write wins
    EXPECT_EQ(l.list.Text(2, CStationList::kBerger), "    0.5000");
    l.list.SetDriftName(2, "NONE");
    EXPECT_EQ(l.list.Text(2, CStationList::kDriftName), "NONE");
}

TEST(StationList, SortingByTimeGivesTheKeysOfTheDayNumberTexts)
{
    Loaded l(false);
    l.list.SortByColumn(CStationList::kRelGrav);
    l.list.SortRowsByTime();
    for (int r = 0; r < l.list.RowCount(); ++r)
        EXPECT_EQ(l.list.SortKey(r), CStationList::KeyOfText(l.list.Text(r, CStationList::kDayNumber)));
}

// The time key is worked out from the day number without writing the cell's
// text; it must be the key of the text for any day number: ordinary times,
// times whose ninth decimal is a rounding tie (1/1024 of a day), days before
// 1899-12-30, fractions of the first day and values no date has.
TEST(StationList, TimeKeysAreThoseOfTheDayNumberTextsForAnyDayNumber)
{
    std::vector<double> days = {43536.375,     43536.0 + 1.0 / 1024, 43536.0 + 3.0 / 1024, 1.0 + 1.0 / 1024,
                                -1.25,         -2.0 - 1.0 / 1024,    0.5,                  0.0,
                                1.0,           8388607.9,            8388608.5,            1e300,
                                -657434.0,     2958465.999994213,    43537.025671296,      -0.000000000499};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> anyDay(-700000.0, 3000000.0);
    for (int i = 0; i < 20000; ++i)
        days.push_back(anyDay(random));
    CKelpDoc doc;
    for (std::size_t i = 0; i < days.size(); ++i) {
        auto reading = std::make_unique<CScintrexStation>();
        reading->m_dtTime = DateTime(days[i]);
        reading->m_nStationIndex = static_cast<int>(i) + 1;
        doc.m_Readings.push_back(std::move(reading));
    }
    CStationList list(doc);
    list.Fill(0);
    list.SortRowsByTime();
    for (int r = 0; r < list.RowCount(); ++r)
        ASSERT_EQ(list.SortKey(r), CStationList::KeyOfText(list.Text(r, CStationList::kDayNumber)))
            << list.Text(r, CStationList::kDayNumber);
}
