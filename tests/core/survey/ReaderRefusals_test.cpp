// What the meter readers refuse and how they say so: lines that are not
// readings, blocks without a usable date or position, non-finite numbers,
// missing E.T.C. values, and files that are not text or cannot be read.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/TempFile.h"
#include "survey/CKelpDoc.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

const std::string kCg3Line = "    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  21:30:12";
const std::string kCg3NoEtc = "  104.  2480.113  0.020      1.    -2.  -0.40  120   1  14:48:10";
const std::string kAliodLine = "BASE-1, 2019-03-14 16:06:40, 4023.5147, 11, -7, 35.02, 0.9982, 17.25";

std::string Header(const std::string& date, const std::string& lat = "40.03")
{
    return "SCINTREX V4.1  AUTOGRAV\n"
           "Line:  0.  Grid:  0.  Job:  1.  Date: " +
           date +
           "  Operator:  7.\n"
           "GCAL.2:        0.                  Deg.Lat.:    " +
           lat +
           "\n"
           "  Station   Grav.\n";
}

struct Read {
    ReadReport report;
    std::vector<std::string> errors;
    int readings = 0;
};

Read ReadCg3(const std::string& bytes)
{
    TempFile file(bytes);
    CKelpDoc doc;
    Read r;
    r.report = doc.ReadScintrexFile(file.path());
    r.errors = r.report.Texts(Severity::error);
    r.readings = doc.m_nRecords;
    return r;
}

Read ReadAliod(const std::string& bytes, const std::string& latitude = "46.5")
{
    TempFile file(bytes);
    CKelpDoc doc;
    doc.m_AliodHeader.avgLatitude = latitude;
    Read r;
    r.report = doc.ReadAliodFile(file.path());
    r.errors = r.report.Texts(Severity::error);
    r.readings = doc.m_nRecords;
    return r;
}

bool Says(const ReadReport& report, const std::string& text)
{
    for (const Message& m : report.Messages())
        if (m.text.find(text) != std::string::npos)
            return true;
    return false;
}

std::string Replace(std::string line, const std::string& from, const std::string& to)
{
    return line.replace(line.find(from), from.size(), to);
}

}  // namespace

TEST(ReaderRefusals, Cg3LineCutShortOrNotNumericIsNoReadingAndIsNamed)
{
    // Every cut of a reading line, as an unplugged logger leaves the last
    // line, is no reading; the line before it stays.
    for (std::size_t n = 1; n < kCg3Line.size(); ++n) {
        const Read r = ReadCg3(Header("19/03/12") + kCg3Line + "\n" + kCg3Line.substr(0, n));
        EXPECT_EQ(r.readings, 1) << kCg3Line.substr(0, n);
        if (n > 4) {  // a cut inside the blanks before the station number is a blank line
            EXPECT_TRUE(Says(r.report, "Line 6 is not a reading")) << kCg3Line.substr(0, n);
        }
    }
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{{"2489.871", "1e999"},
                                                                                   {"2489.871", "2489.8x1"},
                                                                                   {"0.021", "nan"},
                                                                                   {"-0.82", "inf"},
                                                                                   {"-0.062", "-1e999"},
                                                                                   {"60", "6O"},
                                                                                   {"21:30:12", "21:70:12"},
                                                                                   {"21:30:12", "2a:30:12"}}) {
        const Read r = ReadCg3(Header("19/03/12") + Replace(kCg3Line, from, to) + "\n" + kCg3Line + "\n");
        EXPECT_EQ(r.readings, 1) << to;
        EXPECT_TRUE(Says(r.report, "Line 5 is not a reading")) << to;
    }
    // Lines with and without E.T.C. both stay readings.
    EXPECT_EQ(ReadCg3(Header("19/03/12") + kCg3Line + "\n" + kCg3NoEtc + "\n").readings, 2);
}

TEST(ReaderRefusals, AliodLineWithFewerFieldsOrNotNumericIsNoReadingAndIsNamed)
{
    const std::size_t seventhComma = kAliodLine.find(", 0.9982");
    for (std::size_t n = 1; n <= seventhComma + 1; ++n) {
        const Read r = ReadAliod(kAliodLine + "\n" + kAliodLine.substr(0, n));
        EXPECT_EQ(r.readings, 1) << kAliodLine.substr(0, n);
        EXPECT_TRUE(Says(r.report, "Line 2 is not a reading")) << kAliodLine.substr(0, n);
    }
    EXPECT_EQ(ReadAliod(kAliodLine.substr(0, kAliodLine.find(", 17.25")) + "\n").readings, 1);  // seven fields
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{{"4023.5147", "1e999"},
                                                                                   {"4023.5147", "nan"},
                                                                                   {"4023.5147", "0x10"},
                                                                                   {"35.02", "inf"},
                                                                                   {" 11", " 1 1"},
                                                                                   {"17.25", "17,25"},
                                                                                   {"17.25", "x"},
                                                                                   {"2019-03-14", "2019-02-30"},
                                                                                   {"16:06:40", "25:06:40"},
                                                                                   {"BASE-1", "  "}}) {
        const Read r = ReadAliod(Replace(kAliodLine, from, to) + "\n" + kAliodLine + "\n");
        EXPECT_EQ(r.readings, 1) << to;
        EXPECT_TRUE(Says(r.report, "Line 1 is not a reading")) << to;
    }
}

TEST(ReaderRefusals, ManyBadLinesAreSummarised)
{
    std::string bytes = Header("19/03/12");
    for (int i = 0; i < 100; ++i)
        bytes += kCg3Line.substr(0, 30) + "\n";
    const Read r = ReadCg3(bytes);
    EXPECT_EQ(r.readings, 0);
    EXPECT_LE(r.report.Messages().size(), 22u);
    EXPECT_TRUE(Says(r.report, "80 more line(s) are not readings"));
}

TEST(ReaderRefusals, BlockWithoutValidDateOrPositionIsNotUsed)
{
    for (const std::string date : {"19/02/30", "19/13/01", "xx/yy/zz"}) {
        const Read r =
            ReadCg3(Header(date) + kCg3Line + "\n" + kCg3Line + "\n-----\n" + Header("19/03/12") + kCg3Line + "\n");
        EXPECT_EQ(r.readings, 1) << date;
        EXPECT_TRUE(Says(r.report, "The SCINTREX block of line 1 has no valid survey date")) << date;
        EXPECT_TRUE(Says(r.report, "its 2 reading line(s) were not used")) << date;
    }
    // A block without any date line.
    EXPECT_EQ(ReadCg3("SCINTREX\nStation\n" + kCg3Line + "\n").readings, 0);
    const Read far = ReadCg3(Header("19/03/12", "1e20.5") + kCg3Line + "\n");
    EXPECT_EQ(far.readings, 0);
    EXPECT_TRUE(Says(far.report, "latitude of 1e+20"));
    // The Aliod header typed by the operator: a latitude that is no number
    // or none on Earth refuses the read.
    for (const std::string latitude : {"north", "1e999", "95", "nan"}) {
        const Read r = ReadAliod(kAliodLine + "\n", latitude);
        EXPECT_EQ(r.readings, 0) << latitude;
        ASSERT_EQ(r.errors.size(), 1u) << latitude;
        EXPECT_NE(r.errors[0].find("latitude"), std::string::npos) << r.errors[0];
        EXPECT_EQ(r.report.Messages().size(), 1u) << latitude;
    }
    EXPECT_EQ(ReadAliod(kAliodLine + "\n", " ").readings, 1);  // empty header text: 0
}

TEST(ReaderRefusals, NoNonFiniteNumberIsEverStored)
{
    // Headers and fields full of huge exponents, nan and inf.
    const std::string bytes = "SCINTREX Ser No: 1e999\nCycle Time: 1e999 Ser No: inf\n"
                              "Line: 1e999 Grid: nan Job: inf Date: 19/03/12 Operator: x.\n"
                              "GCAL.1: 1e999 Tilt y sensit.: 1e999.5\nGCAL.2 1e999 Deg.Lat.:    1e999.5\n"
                              "TEMPCO.: -1e999 Deg.Long.:  -1e999.1\nDrift const.: 1e999\n"
                              "Station\n" +
                              kCg3Line + "\n";
    TempFile file(bytes);
    CKelpDoc doc;
    doc.ReadScintrexFile(file.path());
    ASSERT_EQ(doc.m_Headers.size(), 1u);
    const auto& h = static_cast<const CScintrexHeader&>(*doc.m_Headers[0]);
    for (double v : {h.m_dGcal1, h.m_dGcal2, h.m_dTempco, h.m_dDriftConst, h.m_dTiltXSens, h.m_dTiltYSens,
                     h.m_dLatitude, h.m_dLongitude})
        EXPECT_TRUE(std::isfinite(v));
}

TEST(ReaderRefusals, ReadingsWithoutEtcAreNamed)
{
    const Read r = ReadCg3(Header("19/03/12") + kCg3Line + "\n" + kCg3NoEtc + "\n" + kCg3NoEtc + "\n");
    EXPECT_EQ(r.readings, 3);
    EXPECT_TRUE(Says(r.report, "2 reading(s) have no E.T.C. value (line(s) 6, 7): the meter's tide is taken as 0"));
    EXPECT_FALSE(Says(ReadCg3(Header("19/03/12") + kCg3Line + "\n").report, "E.T.C."));
}

TEST(ReaderRefusals, TextRulesHoldInBothReaders)
{
    // A byte-order mark is no part of the first station.
    const Read aliod = [] {
        TempFile file("\xEF\xBB\xBF" + kAliodLine + "\n" + kAliodLine + "\n");
        CKelpDoc doc;
        Read r;
        r.report = doc.ReadAliodFile(file.path());
        EXPECT_EQ(doc.m_Readings.at(0)->m_strStation, "BASE-1");
        r.readings = doc.m_nRecords;
        return r;
    }();
    EXPECT_EQ(aliod.readings, 2);
    EXPECT_EQ(ReadCg3("\xEF\xBB\xBF" + Header("19/03/12") + kCg3Line + "\n").readings, 1);
    // CR-only line ends read as line ends.
    std::string cr = Header("19/03/12") + kCg3Line + "\n" + kCg3NoEtc + "\n";
    for (char& c : cr)
        if (c == '\n')
            c = '\r';
    EXPECT_EQ(ReadCg3(cr).readings, 2);
    EXPECT_EQ(ReadAliod(kAliodLine + "\r" + kAliodLine + "\r").readings, 2);
    // NUL in a station, UTF-16, endless or random bytes: the file is refused
    // whole, with a message saying why, in both readers.
    std::string utf16 = "\xFF\xFE";
    for (char c : kAliodLine + "\n")
        utf16 += std::string{c, '\0'};
    std::string random;
    for (int i = 0; i < 4096; ++i)
        random += static_cast<char>((i * 7919 + 13) % 256);
    for (const std::string& bytes : {Replace(kAliodLine, "BASE-1", std::string("BA\0SE", 5)) + "\n", utf16, random,
                                     kAliodLine + "\n" + std::string(70000, '1')}) {
        for (const Read& r : {ReadAliod(bytes), ReadCg3(Header("19/03/12") + kCg3Line + "\n" + bytes)}) {
            EXPECT_EQ(r.readings, 0);
            ASSERT_EQ(r.errors.size(), 1u);
            EXPECT_EQ(r.errors[0].rfind("The file cannot be read: ", 0), 0u) << r.errors[0];
            EXPECT_EQ(r.report.Messages().size(), 1u);  // the notes on single lines give way to it
        }
    }
}
