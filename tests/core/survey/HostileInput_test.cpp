// The meter readers (CG-3, Aliod, CG-5, CG-6, Burris) on hostile input: garbage bytes, NUL, huge lines, truncated
// files and random mutations of the examples must never crash, hang or
// read outside memory (this suite also runs under the sanitizers).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <sstream>

#include "meters/BurrisReader.h"
#include "meters/Cg5Reader.h"
#include "meters/Cg6Reader.h"
#include "meters/SurveyJson.h"
#include "support/TempFile.h"
#include "survey/CKelpDoc.h"
#include "survey/MeterTypeGuess.h"
#include "survey/SyntheticSurvey.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

// Whatever the bytes, every reading that is kept is a sound one: a valid
// time, only finite numbers, no control byte in its station; and a file
// refused whole keeps no reading.
void ExpectSoundReadings(const CKelpDoc& doc, const ReadReport& report)
{
    EXPECT_EQ(doc.m_nRecords, static_cast<int>(doc.m_Readings.size()));
    ASSERT_TRUE(report.HasValue());
    EXPECT_EQ(report.Value().readings, doc.m_nRecords);
    for (const auto& r : doc.m_Readings) {
        EXPECT_TRUE(r->m_dtTime.isValid());
        (void)r->m_dtTime.format("%m/%d/%Y  %H:%M:%S  ");
        for (double v : {r->m_dGrav, r->m_dRawGrav, r->m_dGravLessEtc, r->m_dTemp})
            ASSERT_TRUE(std::isfinite(v)) << r->m_strStation;
        if (const auto* cg3 = dynamic_cast<const CScintrexStation*>(r.get())) {
            ASSERT_TRUE(std::isfinite(cg3->m_dStdDev) && std::isfinite(cg3->m_dEtc));
        }
        if (const auto* aliod = dynamic_cast<const CAliodStation*>(r.get())) {
            ASSERT_TRUE(std::isfinite(aliod->m_dAliodField7) && std::isfinite(aliod->m_dAliodField8));
        }
        EXPECT_EQ(r->m_strStation.find('\0'), std::string::npos);
    }
    if (report.Failed()) {
        EXPECT_EQ(report.ErrorText().rfind("The file cannot be read", 0), 0u) << report.ErrorText();
        EXPECT_EQ(doc.m_nRecords, 0);
        EXPECT_EQ(report.Messages().size(), 1u);
    }
}

void ReadWithEveryReader(const std::string& bytes)
{
    TempFile file(bytes);
    CKelpDoc doc;
    ExpectSoundReadings(doc, doc.ReadScintrexFile(file.path()));
    ExpectSoundReadings(doc, doc.ReadAliodFile(file.path()));
    (void)RecogniseMeterType(file.path());
    // The CG-5, CG-6 and Burris readers keep only readings with a real
    // time and gravity, and a bounded list of issues.
    for (auto read : {ReadCg5File, ReadCg6File, ReadBurrisFile}) {
        const MeterSurvey survey = read(file.path());
        for (const MeterReading& r : survey.readings) {
            EXPECT_TRUE(r.time.isValid());
            EXPECT_TRUE(std::isfinite(r.gravity));
            EXPECT_TRUE(!r.latitude || std::abs(*r.latitude) <= 90.0);
        }
        EXPECT_LE(survey.issues.size(), 1001u);
        (void)SurveyToJson(survey);
    }
}

// The first `lines` lines of a file.
std::string Head(const std::string& path, int lines)
{
    const std::string all = test::ReadWholeFile(path);
    std::size_t end = 0;
    for (int n = 0; n < lines && end != std::string::npos; ++n)
        end = all.find('\n', end + 1);
    return all.substr(0, end);
}

}  // namespace

TEST(HostileInput, FixedNastyFiles)
{
    ReadWithEveryReader("");
    ReadWithEveryReader("Station");
    ReadWithEveryReader("Station\nStation\nStation");
    ReadWithEveryReader(std::string("SCINTREX\0\0\0Station\n\0\0.\0:\n", 26));
    ReadWithEveryReader("SCINTREX\nLine:\nGREF.:\nGCAL.1:\nGCAL.2\nTEMPCO.:\nDrift const.:\nDrift Correction Start\n"
                        "Date:\nStation\n.\n..\n:\n1.\n1.2.3.4.5.6.7.8 : : :\n,\n-\n,,,,,,,,\n");
    ReadWithEveryReader(
        "SCINTREX\nLine: 0. Date: 99/99/99 Operator: x\nGCAL.2 Deg.Lat.:\nTEMPCO.: Deg.Long.:.\nStation\n"
        "    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  99:99:99\n");
    ReadWithEveryReader("SCINTREX\nLine: 0. Date: 19/03/12\nStation\n    1.  1e999999 -1e99999 99999999999999999999. "
                        "-99999999999999999999. nan inf 1e400 99999999999 99999999999 23:59:59\n");
    ReadWithEveryReader(std::string(10 * 1024 * 1024, 'x') + "\n");  // a 10 MB line
    ReadWithEveryReader("SCINTREX\nLine: 0. Date: 19/03/12\nStation\n" +
                        std::string(10 * 1024 * 1024, '1'));  // no line end
    ReadWithEveryReader("SCINTREX\nStation\n" + std::string(10 * 1024 * 1024, ' ') + "1.\n");
    // Truncated in the middle of a reading line, without a line end.
    ReadWithEveryReader("SCINTREX\nLine: 0. Date: 19/03/12\nStation\n    1.  2489.871  0.0");
    // The newer meters' files: headers without readings, columns without
    // names, lines of separators, values out of every range.
    ReadWithEveryReader("/\tCG-5 SURVEY\n/\tLONG:\t\n/\tLAT:\tN\n/\tGMT DIFF.:\t1e308\n/-\n/------\n 1 2 3\n");
    ReadWithEveryReader("/------GRAV.---TIME---DATE---STATION\n1e400 99:99:99 2013/02/30 1\n"
                        "2639 23:59:59.99999999 9999/12/31 x\n/ Note:\nLine\n");
    ReadWithEveryReader("/------LAT---LONG---GRAV.---TIME---DATE\n999 -999 1 00:00:00 2013/09/15\n");
    ReadWithEveryReader("/Station\tDate\tTime\tCorrGrav\tCorrections[\n\t\t\t\t\n-\t-\t-\t-\t-\n"
                        "A\t2017-04-17\t15:30:55\t****\t\nA\t2017-04-17\t15:30:55\t1\t1\n");
    ReadWithEveryReader(
        "/Station\tCorrGrav\n/Corrections[]\tStation\tDate\tTime\tCorrGrav\n1\tA\t0001-01-01\t0:0:0\t1\n");
    ReadWithEveryReader(",,,,,,,,,,,,,,,\n               \nStation\n" + std::string(15, ',') + "\n");
    ReadWithEveryReader(
        "a b c 1899/12/30 00:00:00 1 2 3 4 5 6 7 8 9 10 11\na b 12-31-9999 23:59:59 1 2 3 4 5 6 7 8 9 10 11\n");
}

TEST(HostileInput, RandomBytesAndMutatedExamples)
{
    std::mt19937 rng(20261207);
    std::vector<std::string> seeds = {test::ReadWholeFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat"),
                                      test::ReadWholeFile(BRAMBLE_EXAMPLES "/aliod-loop.csv"),
                                      Head(BRAMBLE_TEST_DATA "/meters/CG-5_TestData.txt", 60),
                                      test::ReadWholeFile(BRAMBLE_TEST_DATA "/meters/CG-6_TestData.dat"),
                                      Head(BRAMBLE_TEST_DATA "/meters/B44_2017-12-05.txt", 40),
                                      test::ReadWholeFile(BRAMBLE_TEST_DATA "/meters/Test4.txt")};
    std::ostringstream synthetic;
    SyntheticSurvey{.readings = 60, .readingsPerBlock = 25}.WriteScintrex(synthetic);
    seeds.push_back(synthetic.str());

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int runs = 0;
    while (std::chrono::steady_clock::now() < deadline || runs < 50) {
        std::string bytes = seeds[static_cast<std::size_t>(runs) % seeds.size()];
        std::uniform_int_distribution<int> kind(0, 4);
        std::uniform_int_distribution<int> byte(0, 255);
        const int mutations = 1 + runs % 16;
        for (int m = 0; m < mutations && !bytes.empty(); ++m) {
            std::uniform_int_distribution<std::size_t> at(0, bytes.size() - 1);
            const std::size_t pos = at(rng);
            switch (kind(rng)) {
            case 0:
                bytes[pos] = static_cast<char>(byte(rng));
                break;
            case 1:
                bytes.erase(pos, std::min<std::size_t>(bytes.size() - pos, 1 + pos % 40));
                break;
            case 2:
                bytes.insert(pos, 1 + pos % 7, "\0.:,-\x13\n"[pos % 7]);
                break;
            case 3:
                bytes.resize(pos);
                break;  // truncated file
            default:
                bytes.insert(pos, bytes.substr(at(rng) % bytes.size(), 60));
                break;
            }
        }
        ReadWithEveryReader(bytes);
        ++runs;
        if (runs > 5000)
            break;
    }
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(rng() & 0xFF);
    ReadWithEveryReader(garbage);
}
