#include <gtest/gtest.h>

#include "support/TempFile.h"
#include "survey/AliodHeaderCheck.h"
#include "survey/CKelpDoc.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

const CAliodStation& Aliod(const CKelpDoc& doc, std::size_t i)
{
    return static_cast<const CAliodStation&>(*doc.m_Readings.at(i));
}

}  // namespace

TEST(AliodReader, ExampleFileWithHeaderTexts)
{
    CKelpDoc doc;
    doc.m_AliodHeader.serialNumber = "123456789";
    doc.m_AliodHeader.avgLatitude = "40.02885";
    doc.m_AliodHeader.avgLongitude = "-105.04603";
    doc.m_AliodHeader.op = "NONE";
    doc.m_AliodHeader.operTemp = "90.5";
    doc.ReadAliodFile(BRAMBLE_EXAMPLES "/aliod-loop.csv");
    ASSERT_EQ(doc.m_nRecords, 8);
    ASSERT_EQ(doc.m_Headers.size(), 1u);
    const auto& h = static_cast<const CAliodHeader&>(*doc.m_Headers[0]);
    EXPECT_EQ(h.m_nIndex, 1);
    EXPECT_EQ(h.m_nStations, 8);
    EXPECT_DOUBLE_EQ(h.m_dSerialNumber, 123456789.0);
    EXPECT_DOUBLE_EQ(h.m_dLatitude, 40.02885);
    EXPECT_DOUBLE_EQ(h.m_dLongitude, -105.04603);
    EXPECT_DOUBLE_EQ(h.m_dOperTemp, 90.5);
    EXPECT_EQ(h.m_strOperator, "NONE");

    const CAliodStation& first = Aliod(doc, 0);  // seven fields
    EXPECT_EQ(first.m_strStation, "BASE-1");
    EXPECT_EQ(first.m_dtTime.format("%Y-%m-%d %H:%M:%S"), "2019-03-14 16:05:10");
    EXPECT_DOUBLE_EQ(first.m_dGrav, 4023.5120);
    EXPECT_DOUBLE_EQ(first.m_dRawGrav, 4023.5120);
    EXPECT_DOUBLE_EQ(first.m_dGravLessEtc, 4023.5120);
    EXPECT_EQ(first.m_nLongLevel, 12);
    EXPECT_EQ(first.m_nCrossLevel, -8);
    EXPECT_DOUBLE_EQ(first.m_dTemp, 35.02);
    EXPECT_DOUBLE_EQ(first.m_dAliodField7, 0.9981);
    EXPECT_EQ(first.m_dAliodField8, 0.0);
    EXPECT_DOUBLE_EQ(Aliod(doc, 1).m_dAliodField8, 17.25);  // eight fields
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(Aliod(doc, i).m_nRecord, static_cast<int>(i) + 1);
        EXPECT_EQ(Aliod(doc, i).stationIndex(), static_cast<int>(i) + 1);
    }
}

TEST(AliodReader, DashesEndReadingsUntilAStationLine)
{
    TempFile file("A-1, 2019-03-14 16:05:10, 10.5, 1, 2, 3.5, 0.9\r\n"
                  "   \r\n"
                  "-------\r\n"
                  "B, 2019-03-14 16:06:10, 11.5, 1, 2, 3.5, 0.9\r\n"  // ignored: header mode
                  "SCINTREX\r\n"
                  "Line: 1. Date: 19/03/14\r\n"
                  "Station\r\n"
                  "C, 2019-03-14 16:07:10, 12.5, 1, 2, 3.5, 0.9, 4\r\n");
    CKelpDoc doc;
    doc.ReadAliodFile(file.path());
    ASSERT_EQ(doc.m_nRecords, 2);
    EXPECT_EQ(Aliod(doc, 0).m_strStation, "A-1");
    EXPECT_EQ(Aliod(doc, 1).m_strStation, "C");
    EXPECT_EQ(Aliod(doc, 1).m_nRecord, 2);
    EXPECT_DOUBLE_EQ(Aliod(doc, 1).m_dAliodField8, 4.0);
    ASSERT_EQ(doc.m_Headers.size(), 2u);  // the Aliod header and the CG-3 block
    EXPECT_EQ(doc.m_Headers[1]->m_nIndex, 2);
}

TEST(AliodReader, ShortLinesAreNoReadingsAndEmptyHeaderTextsGiveZero)
{
    TempFile file("X, 2019-03-14 16:05:10, 10.5\nY\nZ, 2019-03-14 16:05:10, 10.5, 1, 2, 3.5, 0.9\n");
    CKelpDoc doc;
    const ReadReport report = doc.ReadAliodFile(file.path());
    ASSERT_EQ(doc.m_nRecords, 1);
    EXPECT_EQ(Aliod(doc, 0).m_strStation, "Z");
    EXPECT_EQ(Aliod(doc, 0).m_nRecord, 1);
    const std::vector<std::string> warnings = report.Texts(Severity::warning);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].rfind("Line 1 is not a reading", 0), 0u);
    EXPECT_EQ(warnings[1].rfind("Line 2 is not a reading", 0), 0u);
    EXPECT_TRUE(report.Succeeded());
    EXPECT_EQ(static_cast<const CAliodHeader&>(*doc.m_Headers[0]).m_dLatitude, 0.0);
}

TEST(AliodHeaderCheck, EachNumberFieldMustBeOneNumber)
{
    AliodHeaderTexts texts = DefaultAliodHeaderTexts();
    EXPECT_FALSE(CheckAliodHeaderTexts(texts, false));
    const struct {
        std::string AliodHeaderTexts::*member;
        const char* typed;
        AliodHeaderField field;
    } cases[] = {{&AliodHeaderTexts::avgLatitude, "46,52", AliodHeaderField::avgLatitude},
                 {&AliodHeaderTexts::avgLongitude, "6.57E", AliodHeaderField::avgLongitude},
                 {&AliodHeaderTexts::avgLatitude, "91", AliodHeaderField::avgLatitude},
                 {&AliodHeaderTexts::serialNumber, "0x10", AliodHeaderField::serialNumber},
                 {&AliodHeaderTexts::operTemp, "nan", AliodHeaderField::operTemp}};
    for (const auto& c : cases) {
        AliodHeaderTexts typed = texts;
        typed.*c.member = c.typed;
        const auto fault = CheckAliodHeaderTexts(typed, true);
        ASSERT_TRUE(fault) << c.typed;
        EXPECT_EQ(fault->field, c.field) << c.typed;
        EXPECT_NE(fault->text.find(c.typed), std::string::npos) << fault->text;
    }
    // A blank value reads as 0 for the reader; the dialog asks for one.
    texts.avgLongitude = " ";
    EXPECT_FALSE(CheckAliodHeaderTexts(texts, true));
    ASSERT_TRUE(CheckAliodHeaderTexts(texts, false));
    EXPECT_EQ(CheckAliodHeaderTexts(texts, false)->text, "the header's longitude is empty");
}
