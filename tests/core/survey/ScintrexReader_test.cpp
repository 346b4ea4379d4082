#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFile.h"
#include "survey/CKelpDoc.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

struct RecordingView final : IDocumentObserver {
    std::vector<int> hints;
    void OnUpdate(int hint) override { hints.push_back(hint); }
};

const CScintrexStation& Cg3(const CKelpDoc& doc, std::size_t i)
{
    return static_cast<const CScintrexStation&>(*doc.m_Readings.at(i));
}

const CScintrexHeader& Cg3Header(const CKelpDoc& doc, std::size_t i)
{
    return static_cast<const CScintrexHeader&>(*doc.m_Headers.at(i));
}

// A minimal block around the given reading lines.
std::string Block(const std::string& date, const std::string& readings)
{
    return "SCINTREX V4.1  AUTOGRAV\n"
           "Line:  0.  Grid:  0.  Job:  1.  Date: " +
           date +
           "  Operator:  7.\n"
           "  Station   Grav.\n" +
           readings + "-----\n";
}

}  // namespace

TEST(ScintrexReader, ExampleHeadersCarryEveryField)
{
    CKelpDoc doc;
    RecordingView view;
    doc.AddView(&view);
    const ReadReport report = doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    EXPECT_TRUE(report.HasValue());
    EXPECT_EQ(view.hints, std::vector<int>{0});
    ASSERT_EQ(doc.m_Headers.size(), 2u);
    const CScintrexHeader& h = Cg3Header(doc, 0);
    EXPECT_EQ(h.m_nIndex, 1);
    EXPECT_EQ(h.m_nStations, 10);
    EXPECT_EQ(h.m_nCycleTime, 60);
    EXPECT_EQ(h.m_nSerNo, 9911);
    EXPECT_EQ(h.m_nJob, 7);
    EXPECT_EQ(h.m_dtDate.format("%Y-%m-%d %H:%M:%S"), "2019-03-12 00:00:00");
    EXPECT_EQ(h.m_strOperator, "   42");
    EXPECT_DOUBLE_EQ(h.m_dGcal1, 6183.270);
    EXPECT_DOUBLE_EQ(h.m_dTempco, -0.1287);
    EXPECT_DOUBLE_EQ(h.m_dDriftConst, 0.412);
    EXPECT_EQ(h.m_dtDriftStart.format("%Y-%m-%d %H:%M:%S"), "2019-03-10 00:00:00");
    EXPECT_DOUBLE_EQ(h.m_dTiltXSens, 275.81);  // two decimals only
    EXPECT_DOUBLE_EQ(h.m_dTiltYSens, 268.10);
    EXPECT_DOUBLE_EQ(h.m_dLatitude, 40.03);
    EXPECT_DOUBLE_EQ(h.m_dLongitude, 105.05);
    EXPECT_EQ(h.m_nGmtDiff, 0);
    EXPECT_EQ(h.m_nCalAfter, 12);
    EXPECT_EQ(h.m_strTiltCorrected, "\"*\"");
    // The second block writes the long coordinate keys.
    EXPECT_EQ(Cg3Header(doc, 1).m_nIndex, 2);
    EXPECT_DOUBLE_EQ(Cg3Header(doc, 1).m_dLatitude, 40.03);
    EXPECT_DOUBLE_EQ(Cg3Header(doc, 1).m_dLongitude, 105.05);
}

TEST(ScintrexReader, ExampleReadingsAcrossBlocksAndMidnight)
{
    CKelpDoc doc;
    doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    ASSERT_EQ(doc.m_nRecords, 15);
    ASSERT_EQ(doc.m_Readings.size(), 15u);
    for (std::size_t i = 0; i < doc.m_Readings.size(); ++i)
        EXPECT_EQ(Cg3(doc, i).m_nStationIndex, static_cast<int>(i) + 1);

    const CScintrexStation& first = Cg3(doc, 0);
    EXPECT_EQ(first.m_strStation, "1");
    EXPECT_DOUBLE_EQ(first.m_dRawGrav, 2489.871);
    EXPECT_DOUBLE_EQ(first.m_dGrav, 2489.871);
    EXPECT_DOUBLE_EQ(first.m_dStdDev, 0.021);
    EXPECT_EQ(first.m_nTiltX, -3);
    EXPECT_EQ(first.m_nTiltY, 2);
    EXPECT_DOUBLE_EQ(first.m_dTemp, -0.82);
    EXPECT_DOUBLE_EQ(first.m_dEtc, -0.062);
    EXPECT_DOUBLE_EQ(first.m_dEtcRead, -0.062);
    EXPECT_DOUBLE_EQ(first.m_dGravLessEtc, 2489.871 + 0.062);
    EXPECT_EQ(first.m_nDur, 60);
    EXPECT_EQ(first.m_nRejected, 0);
    EXPECT_EQ(first.m_dtTime.format("%m/%d/%Y %H:%M:%S"), "03/12/2019 21:30:12");
    EXPECT_EQ(first.m_strDriftName, "NONE");
    EXPECT_EQ(first.m_pHeader, doc.m_Headers[0].get());

    // After midnight the meter's date has moved on a day.
    EXPECT_EQ(Cg3(doc, 8).m_dtTime.format("%m/%d/%Y %H:%M:%S"), "03/13/2019 00:14:09");
    EXPECT_EQ(Cg3(doc, 9).m_nDur, 120);
    EXPECT_EQ(Cg3(doc, 9).m_nRejected, 3);

    // The second block numbers its records from 1 and continues the index.
    const CScintrexStation& second = Cg3(doc, 10);
    EXPECT_EQ(second.m_nRecord, 1);
    EXPECT_EQ(second.m_nStationIndex, 11);
    EXPECT_EQ(second.m_pHeader->m_nIndex, 2);
    EXPECT_EQ(second.m_dtTime.format("%m/%d/%Y %H:%M:%S"), "03/13/2019 14:00:21");

    // A line without E.T.C. and with a three-digit duration.
    const CScintrexStation& noEtc = Cg3(doc, 12);
    EXPECT_EQ(noEtc.m_strStation, "104");
    EXPECT_EQ(noEtc.m_dEtc, 0.0);
    EXPECT_DOUBLE_EQ(noEtc.m_dGravLessEtc, noEtc.m_dRawGrav);
    EXPECT_EQ(noEtc.m_nDur, 120);
    EXPECT_EQ(noEtc.m_nRejected, 1);
    EXPECT_EQ(noEtc.m_dtTime.format("%H:%M:%S"), "14:48:10");
}

TEST(ScintrexReader, SameFileWithLfOrCrLfEnds)
{
    const std::string crlf = test::ReadWholeFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    std::string lf;
    for (char c : crlf)
        if (c != '\r')
            lf += c;
    TempFile lfFile(lf);
    CKelpDoc a, b;
    a.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    b.ReadScintrexFile(lfFile.path());
    ASSERT_EQ(a.m_nRecords, b.m_nRecords);
    for (std::size_t i = 0; i < a.m_Readings.size(); ++i) {
        EXPECT_EQ(Cg3(a, i).m_strStation, Cg3(b, i).m_strStation);
        EXPECT_EQ(Cg3(a, i).m_dtTime.value(), Cg3(b, i).m_dtTime.value());
        EXPECT_EQ(Cg3(a, i).m_dEtc, Cg3(b, i).m_dEtc);
    }
    EXPECT_EQ(Cg3Header(a, 0).m_strTiltCorrected, Cg3Header(b, 0).m_strTiltCorrected);
}

TEST(ScintrexReader, DateRuleCentury)
{
    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::string>>{
             {"99/12/31", "1999-12-31"}, {"74/01/02", "2074-01-02"}, {"75/01/02", "1975-01-02"}}) {
        TempFile file(Block(text, "    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  10:00:00\n"));
        CKelpDoc doc;
        doc.ReadScintrexFile(file.path());
        ASSERT_EQ(doc.m_nRecords, 1);
        EXPECT_EQ(Cg3(doc, 0).m_dtTime.format("%Y-%m-%d %H:%M:%S"), expected + " 10:00:00") << text;
    }
}

TEST(ScintrexReader, BlankLinesDc3AndLinesOutsideBlocks)
{
    const std::string reading = "    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  10:00:00\n";
    TempFile file(
        // A reading before any block has no date: it is skipped and reported.
        "  Station\n" + reading + "-----\n" +
        "SCINTREX\nLine: 0. Grid: 0. Job: 0. Date: 19/03/12 Operator: 1.\nStation\n" + reading + "   \t \r\n" + "\n" +
        reading + "\x13\n" + reading +  // after DC3: header mode, ignored
        "SCINTREX\nLine: 0. Grid: 0. Job: 0. Date: 19/03/13 Operator: 1.\nStation\n" + reading);
    CKelpDoc doc;
    const ReadReport report = doc.ReadScintrexFile(file.path());
    EXPECT_EQ(report.Value().skippedLines, 1);
    EXPECT_EQ(report.Texts(Severity::warning).size(), 1u);
    ASSERT_EQ(doc.m_nRecords, 3);
    EXPECT_EQ(Cg3Header(doc, 0).m_nStations, 2);
    EXPECT_EQ(Cg3(doc, 1).m_nRecord, 2);
    EXPECT_EQ(Cg3(doc, 2).m_nRecord, 1);
    EXPECT_EQ(Cg3(doc, 2).m_nStationIndex, 3);
    EXPECT_EQ(Cg3(doc, 2).m_dtTime.format("%m/%d"), "03/13");
}

TEST(ScintrexReader, MidnightAdvancesOnlyWithinABlock)
{
    const auto line = [](const char* time) {
        return std::string("    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  ") + time + "\n";
    };
    TempFile file(Block("19/03/12",
                        line("22:00:00") + line("23:59:59") + line("00:00:10") + line("05:00:00") + line("01:00:00")) +
                  Block("19/03/20", line("08:00:00")));
    CKelpDoc doc;
    doc.ReadScintrexFile(file.path());
    ASSERT_EQ(doc.m_nRecords, 6);
    const char* expected[] = {"03/12 22:00:00", "03/12 23:59:59", "03/13 00:00:10",
                              "03/13 05:00:00", "03/14 01:00:00", "03/20 08:00:00"};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(Cg3(doc, i).m_dtTime.format("%m/%d %H:%M:%S"), expected[i]) << i;
}

TEST(ScintrexReader, FieldModeSerialNumberAndMissingSecondaryKeys)
{
    TempFile file("SCINTREX V5.2 Field Mode\n"
                  "Ser No:   40123.\n"
                  "Cycle Time:   30.\n"  // no serial number here: it stays as read above
                  "Line:  3.  Date: 19/03/12\n"
                  "GREF.:  0.\n"  // no tilt sensitivity: stays 0
                  "GCAL.2:   0.   Deg.Latitude:45.50\n"
                  "TEMPCO.: -0.13  Deg.Longitude:-5.48\n"
                  "Station\n");
    CKelpDoc doc;
    doc.ReadScintrexFile(file.path());
    ASSERT_EQ(doc.m_Headers.size(), 1u);
    const CScintrexHeader& h = Cg3Header(doc, 0);
    EXPECT_EQ(h.m_nSerNo, 40123);
    EXPECT_EQ(h.m_nCycleTime, 30);
    EXPECT_EQ(h.m_nLine, 3);
    EXPECT_EQ(h.m_nGrid, 0);
    EXPECT_EQ(h.m_strOperator, "");
    EXPECT_EQ(h.m_dTiltXSens, 0.0);
    EXPECT_DOUBLE_EQ(h.m_dLatitude, 45.50);
    EXPECT_DOUBLE_EQ(h.m_dLongitude, -5.48);
}

TEST(ScintrexReader, UnreadableFileEmptiesTheDocument)
{
    CKelpDoc doc;
    RecordingView view;
    doc.AddView(&view);
    doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    ASSERT_EQ(doc.m_nRecords, 15);
    const ReadReport report = doc.ReadScintrexFile("/nonexistent/dump.dat");
    EXPECT_FALSE(report.HasValue());
    EXPECT_EQ(doc.m_nRecords, 0);
    EXPECT_TRUE(doc.m_Readings.empty());
    EXPECT_TRUE(doc.m_Headers.empty());
    EXPECT_EQ(doc.m_pCurHeader, nullptr);
    EXPECT_EQ(report.Messages(), (std::vector<Message>{{Severity::error, "File not valid"}}));
    EXPECT_EQ(view.hints, (std::vector<int>{0, 0}));
}

TEST(ScintrexReader, SecondImportReplacesTheFirstAndKeepsDrifts)
{
    CKelpDoc doc;
    doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    doc.AddDriftCorrection(DateTime(43536.5), 0.02);
    TempFile file(Block("19/03/12", "    7.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  10:00:00\n"));
    doc.ReadScintrexFile(file.path());
    ASSERT_EQ(doc.m_nRecords, 1);
    EXPECT_EQ(Cg3(doc, 0).m_strStation, "7");
    EXPECT_EQ(Cg3(doc, 0).m_nStationIndex, 1);
    EXPECT_EQ(Cg3Header(doc, 0).m_nIndex, 1);
    ASSERT_EQ(doc.m_DriftCorrections.size(), 1u);
    EXPECT_EQ(doc.m_pCurDrift->m_dCoeff[0], 0.02);
}
