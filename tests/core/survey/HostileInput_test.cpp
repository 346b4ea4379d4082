// The readers on hostile input: garbage bytes, NUL, huge lines, truncated
// files and random mutations of the examples must never crash, hang or
// read outside memory (this suite also runs under the sanitizers).
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>

#include "support/TempFile.h"
#include "survey/CKelpDoc.h"
#include "survey/SyntheticSurvey.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

void ReadBoth(const std::string& bytes)
{
    TempFile file(bytes);
    CKelpDoc doc;
    doc.ReadScintrexFile(file.path());
    EXPECT_EQ(doc.m_nRecords, static_cast<int>(doc.m_Readings.size()));
    doc.ReadAliodFile(file.path());
    EXPECT_EQ(doc.m_nRecords, static_cast<int>(doc.m_Readings.size()));
    for (const auto& r : doc.m_Readings)
        (void)r->m_dtTime.format("%m/%d/%Y  %H:%M:%S  ");
}

}  // namespace

TEST(HostileInput, FixedNastyFiles)
{
    ReadBoth("");
    ReadBoth("Station");
    ReadBoth("Station\nStation\nStation");
    ReadBoth(std::string("SCINTREX\0\0\0Station\n\0\0.\0:\n", 26));
    ReadBoth("SCINTREX\nLine:\nGREF.:\nGCAL.1:\nGCAL.2\nTEMPCO.:\nDrift const.:\nDrift Correction Start\n"
             "Date:\nStation\n.\n..\n:\n1.\n1.2.3.4.5.6.7.8 : : :\n,\n-\n,,,,,,,,\n");
    ReadBoth("SCINTREX\nLine: 0. Date: 99/99/99 Operator: x\nGCAL.2 Deg.Lat.:\nTEMPCO.: Deg.Long.:.\nStation\n"
             "    1.  2489.871  0.021     -3.     2.  -0.82  -0.062   60   0  99:99:99\n");
    ReadBoth("SCINTREX\nLine: 0. Date: 19/03/12\nStation\n    1.  1e999999 -1e99999 99999999999999999999. "
             "-99999999999999999999. nan inf 1e400 99999999999 99999999999 23:59:59\n");
    ReadBoth(std::string(10 * 1024 * 1024, 'x') + "\n");                       // a 10 MB line
    ReadBoth("SCINTREX\nStation\n" + std::string(10 * 1024 * 1024, ' ') + "1.\n");
    // Truncated in the middle of a reading line, without a line end.
    ReadBoth("SCINTREX\nLine: 0. Date: 19/03/12\nStation\n    1.  2489.871  0.0");
}

TEST(HostileInput, RandomBytesAndMutatedExamples)
{
    std::mt19937 rng(20261207);
    std::vector<std::string> seeds = {test::ReadWholeFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat"),
                                      test::ReadWholeFile(BRAMBLE_EXAMPLES "/aliod-loop.csv")};
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
            case 0: bytes[pos] = static_cast<char>(byte(rng)); break;
            case 1: bytes.erase(pos, std::min<std::size_t>(bytes.size() - pos, 1 + pos % 40)); break;
            case 2: bytes.insert(pos, 1 + pos % 7, "\0.:,-\x13\n"[pos % 7]); break;
            case 3: bytes.resize(pos); break;   // truncated file
            default: bytes.insert(pos, bytes.substr(at(rng) % bytes.size(), 60)); break;
            }
        }
        ReadBoth(bytes);
        ++runs;
        if (runs > 5000)
            break;
    }
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(rng() & 0xFF);
    ReadBoth(garbage);
}
