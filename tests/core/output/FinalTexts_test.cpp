#include <gtest/gtest.h>

#include <algorithm>

#include "output/FinalOutput.h"
#include "output/FinalTexts.h"
#include "output/OutputSurvey.h"

using namespace bramble;
using bramble::test::OutputSurvey;

namespace {

const double kDay = DateTime::fromParts(2019, 3, 12).value();

// Station 101 three times (mean 10.002 at 03:00:00), station 102 once.
struct TwoStations : OutputSurvey {
    TwoStations()
    {
        AddHeader(40.03, 105.05);
        Add("101", 10.000, kDay + 1.0 / 24);
        Add("102", 20.0004, kDay + 0.5, 0.025);
        Add("101", 10.002, kDay + 3.0 / 24);
        Add("101", 10.004, kDay + 5.0 / 24);
        ShowAndSelectAll();
        ComputeFinalOutput(doc, list);
    }
};

}  // namespace

TEST(FinalTexts, ListColumnsAndCells)
{
    const auto& columns = FinalColumns();
    EXPECT_STREQ(columns[0].title, "Time");
    EXPECT_STREQ(columns[7].title, "# of Points");
    EXPECT_EQ(columns[7].width, 75);
    EXPECT_EQ(columns[2].width, 65);

    const TwoStations s;
    const auto row = FinalListRow(*s.doc.m_FinalData[0]);
    const std::array<std::string, 8> expected = {"03:00:00",  "03/12/2019", "101",        "   40.030",
                                                 "  105.050", "   10.002",  "    0.0016", "3"};
    EXPECT_EQ(row, expected);
}

TEST(FinalTexts, ReportHasBannerColumnLineAndOneLinePerStation)
{
    const TwoStations s;
    const std::vector<std::string> lines = FinalReportLines(s.doc);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Bramble V.2.0502");
    EXPECT_EQ(lines[1], "Date            Time           Station      Latitude     Longitude    Gravity        SDev"
                        "       # Of Points");
    EXPECT_EQ(lines[2], "03/12/2019  03:00:00     101          40.0300     105.0500      10.0020      0.0016     3");
    EXPECT_EQ(lines[3], "03/12/2019  12:00:00     102          40.0300     105.0500      20.0004      0.0250     1");
}

TEST(FinalTexts, ReportBannerFollowsTheDocumentVersion)
{
    TwoStations s;
    s.doc.m_dVersion = 3.5;
    EXPECT_EQ(FinalReportLines(s.doc)[0], "Bramble V.3.5000");
}

TEST(FinalTexts, EmptyTableGivesNoReportLinesAndAnEmptyExport)
{
    OutputSurvey s;
    s.Add("1", 1.0, kDay);
    s.ShowAndSelectAll();
    s.list.SelectNone();
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_TRUE(FinalReportLines(s.doc).empty());
    EXPECT_EQ(FinalTextExport(s.doc), "");
}

TEST(FinalTexts, TextExportStartsEachLineWithDateThenTimeAndEndsWithATab)
{
    const TwoStations s;
    EXPECT_EQ(FinalTextExport(s.doc), "Bramble V.2.0502\n"
                                      "Date\tTime\tStation\tLatitude\tLongitude\tGravity\tSDev\t# Of Points\n"
                                      "03/12/2019\t03:00:00\t101\t   40.030\t  105.050\t   10.002\t    0.0016\t3\t\n"
                                      "03/12/2019\t12:00:00\t102\t   40.030\t  105.050\t   20.000\t    0.0250\t1\t\n");
}

TEST(FinalTexts, TextExportLineEndIsAParameter)
{
    const TwoStations s;
    const std::string text = FinalTextExport(s.doc, "\r\n");
    EXPECT_EQ(text.substr(0, 18), "Bramble V.2.0502\r\n");
    EXPECT_EQ(text.substr(text.size() - 4), "1\t\r\n");
    std::size_t crlf = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2))
        ++crlf;
    EXPECT_EQ(crlf, 4u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
}

TEST(FinalTexts, LongStationNamesAreWrittenWhole)
{
    OutputSurvey s;
    const std::string name(300, 'S');
    s.Add(name, 1.0, kDay);
    s.ShowAndSelectAll();
    ComputeFinalOutput(s.doc, s.list);
    EXPECT_NE(FinalReportLines(s.doc)[2].find(name + "          40.0300"), std::string::npos);
}
