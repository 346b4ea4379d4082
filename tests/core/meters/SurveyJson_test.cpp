// The JSON every reader's survey prints as, and the CG-3 and Aliod
// documents mapped onto the same readings (longitude east, tide, loops).
#include "meters/SurveyJson.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "meters/BurrisReader.h"
#include "meters/DocumentSurvey.h"
#include "survey/CKelpDoc.h"

using namespace bramble;
using Json = nlohmann::json;

TEST(SurveyJson, BurrisReadingWithMissingValuesAsNull)
{
    MeterSurvey s = ReadBurrisFile(BRAMBLE_TEST_DATA "/meters/Test1.txt");
    s.issues.push_back({7, std::string("bad \xff byte")});
    const Json j = Json::parse(SurveyToJson(s));
    EXPECT_EQ(j["format"], "burris");
    ASSERT_EQ(j["readings"].size(), 11u);
    const Json& r = j["readings"][1];
    // sta2 abc B44 2010/01/01 12:22:58 2548.003 50000 25.480 0 0 0 0 0 600 32.6 -110.1
    EXPECT_EQ(r["station"], "sta2");
    EXPECT_EQ(r["time"], "2010-01-01 12:22:58");
    EXPECT_EQ(r["gravity"], 2548.003);
    EXPECT_TRUE(r["sd"].is_null());
    EXPECT_EQ(r["tide"], 0.0);
    EXPECT_EQ(r["latitude"], 32.6);
    EXPECT_EQ(r["longitude"], -110.1);
    EXPECT_EQ(r["elevation"], 600.0);
    EXPECT_EQ(r["loop"], "2010-01-01");
    EXPECT_EQ(r["rejected"], false);
    EXPECT_EQ(j["warnings"][0], "line 7: bad \xEF\xBF\xBD byte");
}

TEST(SurveyJson, Cg3LongitudeTurnsEastAndEachHeaderBlockIsALoop)
{
    CKelpDoc doc;
    const ReadReport report = doc.ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    const MeterSurvey s = SurveyFromDocument(doc, report, false);
    ASSERT_EQ(s.readings.size(), 15u);
    EXPECT_EQ(s.kind, MeterKind::cg3);
    //       1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  21:30:12   (Deg.Long.: 105.05)
    const MeterReading& r = s.readings[0];
    EXPECT_DOUBLE_EQ(*r.longitude, -105.05);
    EXPECT_DOUBLE_EQ(*r.latitude, 40.03);
    EXPECT_DOUBLE_EQ(*r.tide, -0.062);
    EXPECT_DOUBLE_EQ(*r.sd, 0.021);
    EXPECT_DOUBLE_EQ(r.gravity, 2489.871);
    EXPECT_EQ(r.loop, "1");
    EXPECT_EQ(s.readings.back().loop, "2");
    EXPECT_FALSE(r.elevation);
}

TEST(SurveyJson, AliodKeepsTheTypedEastLongitudeAndHasNoTide)
{
    CKelpDoc doc;
    doc.m_AliodHeader.avgLatitude = "40.5";
    doc.m_AliodHeader.avgLongitude = "-105.25";
    const ReadReport report = doc.ReadAliodFile(BRAMBLE_EXAMPLES "/aliod-loop.csv");
    const Json j = Json::parse(SurveyToJson(SurveyFromDocument(doc, report, true)));
    EXPECT_EQ(j["format"], "aliod");
    ASSERT_FALSE(j["readings"].empty());
    EXPECT_EQ(j["readings"][0]["longitude"], -105.25);
    EXPECT_TRUE(j["readings"][0]["tide"].is_null());
    EXPECT_TRUE(j["readings"][0]["sd"].is_null());
}
