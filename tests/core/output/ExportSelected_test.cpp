#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "output/ExportSelected.h"
#include "output/OutputSurvey.h"

using namespace bramble;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The fields of a data line; each must be ended by a tab.
std::vector<std::string> TabTerminatedFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    EXPECT_EQ(start, line.size()) << "text after the last tab: " << line;
    return fields;
}

struct Example {
    CKelpDoc doc;
    CStationList list{doc};
    explicit Example(bool aliod)
    {
        if (aliod) {
            doc.m_AliodHeader.avgLatitude = "40.02885";
            doc.ReadAliodFile(BRAMBLE_EXAMPLES "/aliod-loop.csv");
        } else {
            doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
        }
        doc.m_bAliod = aliod;
        list.Fill(aliod ? 1 : 0);
        list.SortRowsByTime();
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

TEST(ExportSelected, HeaderLinesHaveTheirLengths)
{
    EXPECT_EQ(ExportHeaderLine(ExportKind::excel, false).size() + 1, 145u);
    EXPECT_EQ(ExportHeaderLine(ExportKind::excel, true).size() + 1, 154u);
    EXPECT_EQ(ExportHeaderLine(ExportKind::report, false).size() + 1, 177u);
    EXPECT_EQ(ExportHeaderLine(ExportKind::report, true).size() + 1, 186u);
    const std::string_view start = "Header\tRecord\tStation\tGrav\tSDev\tTilt X\tTilt Y\tTemp\t";
    EXPECT_EQ(ExportHeaderLine(ExportKind::excel, false).substr(0, start.size()), start);
    EXPECT_NE(ExportHeaderLine(ExportKind::excel, true).find("\tCross Level\tLong Level\t"), std::string::npos);
    EXPECT_NE(ExportHeaderLine(ExportKind::report, false).find("\t  Grav\t\t  SDev\t"), std::string::npos);
    EXPECT_NE(ExportHeaderLine(ExportKind::report, true).find("\tTime\t\tDate\t\t  Raw Grav\t"), std::string::npos);
}

TEST(ExportSelected, TwoRowsGiveTheHeaderAndTwentyTabTerminatedFieldsEach)
{
    Example e(false);
    e.list.SelectRow(e.RowOfIndex(3));
    e.list.SelectRow(e.RowOfIndex(10));
    const std::string text = ExportSelected(e.list, e.doc, ExportKind::excel);
    ASSERT_EQ(text.back(), '\n');
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size() + 1, 145u);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(TabTerminatedFields(lines[i]).size(), 20u);
    // Every column but "Station Index" and "m_dt", as the list shows it.
    EXPECT_EQ(lines[2], "1\t10\t102\t 2471.485\t  0.023\t2\t-3\t  -0.58\t  0.094\t120\t3\t00:36:58\t03/13/2019\t"
                        " 2471.391\t\t\t\t\t\t\t");
}

TEST(ExportSelected, ReportDiffersOnlyInTheHeaderLine)
{
    Example e(false);
    e.list.SelectAll();
    const auto excel = Lines(ExportSelected(e.list, e.doc, ExportKind::excel));
    const auto report = Lines(ExportSelected(e.list, e.doc, ExportKind::report));
    ASSERT_EQ(excel.size(), 16u);
    ASSERT_EQ(report.size(), excel.size());
    EXPECT_NE(report[0], excel[0]);
    EXPECT_EQ(report[0].size() + 1, 177u);
    EXPECT_TRUE(std::equal(excel.begin() + 1, excel.end(), report.begin() + 1));
}

TEST(ExportSelected, AliodSurveyUsesTheLevelHeaders)
{
    Example e(true);
    e.list.SelectAll();
    const auto excel = Lines(ExportSelected(e.list, e.doc, ExportKind::excel));
    const auto report = Lines(ExportSelected(e.list, e.doc, ExportKind::report));
    ASSERT_EQ(excel.size(), 9u);
    EXPECT_EQ(excel[0].size() + 1, 154u);
    EXPECT_EQ(report[0].size() + 1, 186u);
    const auto fields = TabTerminatedFields(excel[1]);
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(fields[2], "BASE-1");
    EXPECT_EQ(fields[4], "  0.000");  // no deviation for Aliod
}

TEST(ExportSelected, RowsFollowTheListsCurrentOrder)
{
    Example e(false);
    e.list.SelectAll();
    e.list.SortByColumn(CStationList::kStation);
    const auto lines = Lines(ExportSelected(e.list, e.doc, ExportKind::excel));
    ASSERT_EQ(lines.size(), 16u);
    std::vector<std::string> stations;
    for (std::size_t i = 1; i < lines.size(); ++i)
        stations.push_back(TabTerminatedFields(lines[i])[2]);
    EXPECT_TRUE(std::is_sorted(stations.begin(), stations.end(),
                               [](const std::string& a, const std::string& b) { return std::stoi(a) < std::stoi(b); }));
    for (int r = 0; r < e.list.RowCount(); ++r)
        EXPECT_EQ(lines[static_cast<std::size_t>(r) + 1] + "\n", ExportDataLine(e.list, r));
}

TEST(ExportSelected, LastFieldIsTheDriftCorrectionName)
{
    Example e(false);
    const int row = e.RowOfIndex(5);
    e.list.SelectRow(row);
    e.list.SetText(row, CStationList::kCorrectedGrav, " 2471.500");
    e.list.SetText(row, CStationList::kDriftName, "Loop 1");
    const std::string text = ExportSelected(e.list, e.doc, ExportKind::excel);
    EXPECT_EQ(text.substr(text.size() - 8), "Loop 1\t\n");
    const auto fields = TabTerminatedFields(Lines(text)[1]);
    EXPECT_EQ(fields[14], " 2471.500");
}

TEST(ExportSelected, NothingSelectedGivesAnEmptyFile)
{
    Example e(false);
    EXPECT_EQ(ExportSelected(e.list, e.doc, ExportKind::excel), "");
    EXPECT_EQ(ExportSelected(e.list, e.doc, ExportKind::report), "");
}

TEST(ExportSelected, LineEndIsAParameter)
{
    Example e(false);
    e.list.SelectRow(0);
    e.list.SelectRow(1);
    const std::string text = ExportSelected(e.list, e.doc, ExportKind::report, "\r\n");
    EXPECT_EQ(text.find('\n'), 177u);  // the 176 header characters, CR, LF
    EXPECT_EQ(text.substr(text.size() - 3), "\t\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
}
