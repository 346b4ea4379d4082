// Round trip: files written by the generator read back to the values written.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "support/TempFile.h"
#include "survey/CKelpDoc.h"
#include "survey/SyntheticSurvey.h"

using namespace bramble;

TEST(SyntheticSurvey, Cg3FileReadsBackBlockByBlock)
{
    std::ostringstream out;
    SyntheticSurvey{.readings = 3000, .readingsPerBlock = 1500, .crlf = true}.WriteScintrex(out);
    test::TempFile file(out.str());
    CKelpDoc doc;
    doc.ReadScintrexFile(file.path());
    ASSERT_EQ(doc.m_nRecords, 3000);
    ASSERT_EQ(doc.m_Headers.size(), 2u);
    // One reading a minute: 1500 minutes cross midnight, and the time keeps increasing.
    for (std::size_t i = 1; i < 1500; ++i) {
        const double step = doc.m_Readings[i]->m_dtTime.value() - doc.m_Readings[i - 1]->m_dtTime.value();
        ASSERT_NEAR(step, 1.0 / 1440.0, 1e-6) << i;
    }
    const auto& last = static_cast<const CScintrexStation&>(*doc.m_Readings.back());
    EXPECT_EQ(last.m_nRecord, 1500);
    EXPECT_EQ(last.m_nStationIndex, 3000);
    EXPECT_EQ(last.m_nDur, 60);
    EXPECT_EQ(last.m_strStation, std::to_string(2999 % 37 + 100));
}

TEST(SyntheticSurvey, AliodFileReadsBack)
{
    std::ostringstream out;
    SyntheticSurvey{.readings = 500, .crlf = false}.WriteAliod(out);
    test::TempFile file(out.str());
    CKelpDoc doc;
    doc.ReadAliodFile(file.path());
    ASSERT_EQ(doc.m_nRecords, 500);
    const auto& second = static_cast<const CAliodStation&>(*doc.m_Readings[1]);
    EXPECT_EQ(second.m_strStation, "ST-101");
    EXPECT_EQ(second.m_dtTime.format("%Y-%m-%d %H:%M:%S"), "2019-03-12 09:01:00");
    EXPECT_EQ(second.m_dAliodField8, 18.0);
}
