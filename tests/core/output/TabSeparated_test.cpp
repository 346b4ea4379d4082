// The clipboard text of the station list's and the final table's Ctrl+C.
#include <gtest/gtest.h>

#include <algorithm>

#include "corrections/SurveyBuilder.h"
#include "mainwnd/CStationList.h"
#include "output/FinalOutput.h"
#include "output/TabSeparated.h"

using namespace bramble;
using bramble::test::SurveyBuilder;

TEST(TabSeparated, CellsAreTrimmedAndCannotSplitARowOrACell)
{
    EXPECT_EQ(TabSeparatedText({"Station", "Gravity"}, {{"  1", " 2489.871 "}, {"a\tb", "x\ny"}, {"", "  "}}),
              "Station\tGravity\n1\t2489.871\na b\tx y\n\t\n");
    EXPECT_EQ(TabSeparatedText({"A"}, {}), "A\n");
}

TEST(TabSeparated, SelectedRowsOfTheStationListWithTheShownColumns)
{
    SurveyBuilder s;
    s.AddCg3Header(40.0, 105.0);
    for (int i = 0; i < 3; ++i)
        s.AddCg3(DateTime::fromParts(2019, 3, 12, 21, 10 * i), 2480.0 + i, 0.01);
    s.list.Fill(0);
    s.list.SelectRow(2);
    s.list.SelectRow(0);
    const std::string text = SelectedRowsText(s.list);
    const auto firstLineEnd = text.find('\n');
    const std::string header = text.substr(0, firstLineEnd);
    // The 20 shown columns; "Station Index" and "m_dt" are hidden.
    EXPECT_EQ(std::count(header.begin(), header.end(), '\t'), 19);
    EXPECT_EQ(header.rfind("Header\tRecord\tStation\tRel Grav\t", 0), 0u);
    EXPECT_EQ(header.find("m_dt"), std::string::npos);
    EXPECT_EQ(header.find("Station Index"), std::string::npos);
    // Two rows in list order, each cell as the list shows it, unpadded.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    const std::string first = text.substr(firstLineEnd + 1, text.find('\n', firstLineEnd + 1) - firstLineEnd - 1);
    EXPECT_EQ(first.rfind("1\t1\t1\t2480.000\t", 0), 0u) << first;
    EXPECT_NE(text.find("\n1\t3\t3\t2482.000\t"), std::string::npos) << text;
    s.list.SelectNone();
    EXPECT_EQ(SelectedRowsText(s.list), header + "\n");
}

TEST(TabSeparated, FinalRowsWithTheTableTitles)
{
    SurveyBuilder s;
    s.AddCg3Header(40.0, 105.0);
    s.AddCg3(DateTime::fromParts(2019, 3, 12, 21, 0), 2480.0);
    s.AddCg3(DateTime::fromParts(2019, 3, 12, 21, 10), 2470.0);
    s.ShowAndSelectAll();
    ComputeFinalOutput(s.doc, s.list);
    ASSERT_EQ(s.doc.m_FinalData.size(), 2u);
    const std::string text = FinalRowsText(s.doc, {1, 7});  // a row that does not exist is left out
    EXPECT_EQ(text.rfind("Time\tDate\tStation\tLatitude\tLongitude\tGravity\tSDev\t# of Points\n", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_NE(text.find("\t2\t"), std::string::npos) << text;
}
