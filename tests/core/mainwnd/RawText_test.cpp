#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "mainwnd/RawText.h"
#include "support/TempFile.h"

using namespace bramble;

namespace {

const std::string kTwoBlocks = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const std::string kThreeBlocks = BRAMBLE_TEST_DATA "/raw/cg3-three-blocks.dat";

// The lines of a file, line ends (LF or CR LF) removed.
std::vector<std::string> FileLines(const std::string& path)
{
    const std::string bytes = test::ReadWholeFile(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Lines first..last of a file, numbered from 1 as an editor shows them.
std::vector<std::string> Span(const std::vector<std::string>& lines, int first, int last)
{
    return {lines.begin() + (first - 1), lines.begin() + last};
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Survey {
    CKelpDoc doc;
    CStationList list{doc};
    explicit Survey(const std::string& path, bool aliod = false)
    {
        if (aliod) {
            doc.m_AliodHeader.serialNumber = "9911";
            doc.m_AliodHeader.avgLatitude = "40.02885";
            doc.m_AliodHeader.avgLongitude = "-105.05";
            doc.m_AliodHeader.op = "42";
            doc.m_AliodHeader.operTemp = "35";
            doc.ReadAliodFile(path);
        } else {
            doc.ReadScintrexFile(path);
        }
        doc.m_bAliod = aliod;
        doc.m_strFilePath = path;
        list.Fill(aliod ? 1 : 0);
        list.SortRowsByTime();
    }
    void Select(std::initializer_list<int> stationIndexes)
    {
        for (const int index : stationIndexes)
            for (int r = 0; r < list.RowCount(); ++r)
                if (list.StationIndex(r) == index)
                    list.SelectRow(r);
    }
    std::vector<int> RowOrder() const
    {
        std::vector<int> order;
        for (int r = 0; r < list.RowCount(); ++r)
            order.push_back(list.StationIndex(r));
        return order;
    }
};

}  // namespace

TEST(RawText, ReadingsThreeAndFiveOfTheFirstBlock)
{
    Survey s(kTwoBlocks);
    s.Select({3, 5});
    const RawText text = ExtractRawText(s.doc, s.list);
    EXPECT_EQ(text.error, "");
    EXPECT_EQ(text.headerLines, 0);
    const auto file = FileLines(kTwoBlocks);
    // The header through the "Station" line (line 13), then the two readings;
    // reading 5 is the line after the blank one that follows reading 4.
    EXPECT_EQ(text.lines, Concat({Span(file, 1, 13), Span(file, 17, 17), Span(file, 20, 20)}));
    EXPECT_EQ(text.lines.back(), "    102.  2471.448  0.022     -5.     0.  -0.71   0.006   60   2  22:40:51");
}

TEST(RawText, OnlyAReadingOfBlockTwo)
{
    Survey s(kTwoBlocks);
    s.Select({12});  // block 2, record 2
    const RawText text = ExtractRawText(s.doc, s.list);
    const auto file = FileLines(kTwoBlocks);
    // The line that ended block 1 (the DC3 line), block 2's header without
    // its "Station" line, then the reading.
    EXPECT_EQ(text.lines, Concat({Span(file, 26, 39), Span(file, 43, 43)}));
    EXPECT_EQ(text.lines.front(), "\x13");
    EXPECT_EQ(text.lines.back(), "    103.  2455.617  0.029     -4.     2.  -0.41  -0.064   60   0  14:25:44");
}

TEST(RawText, ReadingsInBlocksOneAndThree)
{
    Survey s(kThreeBlocks);
    ASSERT_EQ(s.list.RowCount(), 10);
    s.Select({2, 9});
    const RawText text = ExtractRawText(s.doc, s.list);
    const auto file = FileLines(kThreeBlocks);
    // Block 1's header and reading, the dashed line that ended block 2 and
    // what follows it up to block 3's "Station" line, block 3's reading.
    EXPECT_EQ(text.lines, Concat({Span(file, 1, 13), Span(file, 16, 16), Span(file, 39, 52), Span(file, 56, 56)}));
}

TEST(RawText, SeveralReadingsOfOneBlockShowItsHeaderOnce)
{
    Survey s(kThreeBlocks);
    s.Select({3, 5, 7, 10});
    const RawText text = ExtractRawText(s.doc, s.list);
    const auto file = FileLines(kThreeBlocks);
    EXPECT_EQ(text.lines, Concat({Span(file, 1, 13), Span(file, 18, 18), Span(file, 20, 33), Span(file, 36, 36),
                                  Span(file, 38, 38), Span(file, 39, 52), Span(file, 57, 57)}));
}

TEST(RawText, ListOrderIsKeptAndLinesComeInFileOrder)
{
    Survey s(kThreeBlocks);
    s.list.SortByColumn(CStationList::kStation);
    s.Select({9, 2});
    const std::vector<int> before = s.RowOrder();
    const RawText text = ExtractRawText(s.doc, s.list);
    EXPECT_EQ(s.RowOrder(), before);
    EXPECT_EQ(s.list.SortColumn(), CStationList::kStation);
    const auto file = FileLines(kThreeBlocks);
    EXPECT_EQ(text.lines, Concat({Span(file, 1, 13), Span(file, 16, 16), Span(file, 39, 52), Span(file, 56, 56)}));
}

TEST(RawText, NothingSelectedGivesNoCg3Lines)
{
    Survey s(kThreeBlocks);
    const RawText text = ExtractRawText(s.doc, s.list);
    EXPECT_TRUE(text.lines.empty());
    EXPECT_EQ(text.error, "");
}

TEST(RawText, AReadingTheChangedFileNoLongerHoldsDoesNotHoldUpTheOthers)
{
    const auto original = FileLines(kThreeBlocks);
    std::string bytes;
    for (const auto& line : original)
        bytes += line + "\n";
    const test::TempFile copy(bytes);
    Survey s(copy.path());
    s.Select({4, 9});  // block 1 record 4, block 3 record 2

    // Block 1 loses its last reading (line 19) after the import.
    std::string shorter;
    for (std::size_t i = 0; i < original.size(); ++i)
        if (i != 18)
            shorter += original[i] + "\n";
    std::FILE* f = std::fopen(copy.path().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(shorter.data(), 1, shorter.size(), f);
    std::fclose(f);

    const RawText text = ExtractRawText(s.doc, s.list);
    ASSERT_FALSE(text.lines.empty());
    EXPECT_EQ(text.lines.back(), original[55]);
}

TEST(RawText, AFileThatCannotBeOpenedGivesAMessageAndNoText)
{
    std::string path;
    Survey s(kTwoBlocks);
    {
        const test::TempFile gone(test::ReadWholeFile(kTwoBlocks));
        path = gone.path();
    }
    s.doc.m_strFilePath = path;
    s.list.SelectAll();
    const RawText text = ExtractRawText(s.doc, s.list);
    EXPECT_TRUE(text.lines.empty());
    EXPECT_NE(text.error.find(path), std::string::npos) << text.error;

    s.doc.m_strFilePath.clear();
    EXPECT_FALSE(ExtractRawText(s.doc, s.list).error.empty());
}

TEST(RawText, AliodShowsTheTypedHeaderThenTheWholeFile)
{
    const std::string path = BRAMBLE_EXAMPLES "/aliod-loop.csv";
    Survey s(path, true);
    s.Select({2});
    const RawText text = ExtractRawText(s.doc, s.list);
    EXPECT_EQ(text.headerLines, 7);
    const std::string rule(79, '-');
    const std::vector<std::string> header = {
        rule,
        "Serial Number:      9911",
        "Average Latitude of Survey Area:  40.02885",
        "Average Longitude of Survey Area: -105.05000",
        "Operator: 42",
        "Operation Temperature:   35.0000",
        rule,
    };
    EXPECT_EQ(text.lines, Concat({header, FileLines(path)}));
}

TEST(RawText, AliodFileLinesStopAtAStationLineAndNeedASelection)
{
    const test::TempFile file(
        "Station list of the loop\r\nA1, 2019-03-14 16:05:10, 4023.5120, 12, -8, 35.02, 0.9981\r\n", ".csv");
    Survey s(file.path(), true);
    RawText text = ExtractRawText(s.doc, s.list);
    EXPECT_EQ(text.lines.size(), 7u);  // nothing selected: the header lines only
    s.list.SelectAll();
    text = ExtractRawText(s.doc, s.list);
    ASSERT_EQ(text.lines.size(), 8u);
    EXPECT_EQ(text.lines[7], "Station list of the loop");
}

TEST(RawText, AliodHeaderLinesFormatTheirNumbers)
{
    CAliodHeader header;
    header.m_dSerialNumber = 123456.6;
    header.m_dLatitude = -3.5;
    header.m_dLongitude = 7.0;
    header.m_dOperTemp = 1.23456;
    header.m_strOperator = "J. Doe";
    const auto lines = AliodHeaderLines(header);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], "Serial Number:    123457");
    EXPECT_EQ(lines[2], "Average Latitude of Survey Area:  -3.50000");
    EXPECT_EQ(lines[3], "Average Longitude of Survey Area:   7.00000");
    EXPECT_EQ(lines[4], "Operator: J. Doe");
    EXPECT_EQ(lines[5], "Operation Temperature:    1.2346");
}

TEST(RawText, LinesTheReaderLeftOutAreNotCountedAsRecords)
{
    const std::string reading = "    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  ";
    const test::TempFile file("SCINTREX\nLine: 0. Date: 19/02/30\nStation\n" + reading +
                              "09:00:00\n-----\n"
                              "SCINTREX\nLine: 0. Date: 19/03/12\nStation\n" +
                              reading + "10:00:00\n" + reading.substr(0, 30) + "\n" + reading + "11:00:00\n");
    Survey s(file.path());
    ASSERT_EQ(s.list.RowCount(), 2);
    s.Select({2});
    const RawText text = ExtractRawText(s.doc, s.list);
    ASSERT_FALSE(text.lines.empty());
    EXPECT_EQ(text.lines.back(), reading + "11:00:00");
}
