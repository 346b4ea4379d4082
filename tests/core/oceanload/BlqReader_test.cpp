// The BLQ reader: a provider file, and every kind of bad input refused with
// the line and the fault named (this suite also runs under the sanitizers).
#include <gtest/gtest.h>

#include <random>

#include "oceanload/BlqReader.h"
#include "support/TempFile.h"

using namespace bramble;

namespace {

const std::string kSample = BRAMBLE_TEST_DATA "/oceanload/provider-sample.blq";

const std::string kRows = "  43.27 16.60 8.23 4.54 37.48 20.75 11.51 3.21 1.81 1.19 1.19\n"
                          "  22.64 10.38 4.71 2.85 14.33 8.62 4.45 1.46 0.36 0.21 0.17\n"
                          "  34.66 11.89 6.10 3.21 6.47 3.79 1.81 0.66 1.14 0.70 0.68\n"
                          "  -128.2 -121.3 -137.0 -129.6 52.6 42.4 52.0 36.4 -132.7 -156.5 -177.2\n"
                          "  3.0 19.5 -1.8 16.1 -134.8 -154.0 -136.5 -165.7 39.0 24.6 -5.7\n"
                          "  -108.4 -84.4 -118.5 -91.9 -6.4 -33.3 -8.5 -51.3 -166.5 -170.5 -175.2\n";

TEST(BlqReader, ReadsAProviderFile)
{
    const BlqReadResult read = ReadBlqFile(kSample);
    ASSERT_TRUE(read.Succeeded()) << read.ErrorText();
    ASSERT_EQ(read.Value().size(), 2u);
    const BlqBlock& hvo = read.Value()[0];
    EXPECT_EQ(hvo.name, "HVO10");
    EXPECT_EQ(hvo.line, 20);
    ASSERT_TRUE(hvo.position);
    EXPECT_DOUBLE_EQ(hvo.position->longitudeEastDeg, -155.2658);
    EXPECT_DOUBLE_EQ(hvo.position->latitudeDeg, 19.4022);
    EXPECT_DOUBLE_EQ(hvo.amplitudes[0], 43.27);      // M2 gravity, not a tilt row
    EXPECT_DOUBLE_EQ(hvo.phaseLagsDeg[10], -177.2);  // SSA gravity phase
    EXPECT_EQ(read.Value()[1].name, "109YY");        // a name may start with digits
    EXPECT_FALSE(read.Value()[1].position);
    EXPECT_DOUBLE_EQ(read.Value()[1].amplitudes[9], 1.18);

    // A byte-order mark, CR LF line ends and the same block twice read the same.
    std::string text = "\xEF\xBB\xBF" + test::ReadWholeFile(kSample) + "HVO10\n" + kRows;
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, 1, '\r');
    const BlqReadResult again = ReadBlqText(text, "edited");
    ASSERT_TRUE(again.Succeeded()) << again.ErrorText();
    ASSERT_EQ(again.Value().size(), 2u);
    EXPECT_EQ(again.Value()[0].amplitudes, hvo.amplitudes);
    EXPECT_EQ(again.Value()[0].phaseLagsDeg, hvo.phaseLagsDeg);
}

struct BadInput {
    std::string text;
    std::string message;
};

std::string WithRow(int row, const std::string& replacement)
{
    std::string rows = kRows;
    std::size_t begin = 0;
    for (int i = 0; i < row; ++i)
        begin = rows.find('\n', begin) + 1;
    return "ST1\n" + rows.replace(begin, rows.find('\n', begin) - begin, replacement);
}

TEST(BlqReader, RefusesBadInputNamingTheLineAndTheFault)
{
    const std::string n10 = "1 2 3 4 5 6 7 8 9 10";
    const std::vector<BadInput> cases = {
        {"", "src: it holds no station block"},
        {"$$ only comments\n\n", "src: it holds no station block"},
        {"Dear colleague,\nplease find the data.\n",
         "src, line 2: row 1 (gravity amplitudes) of station 'Dear colleague,' is 'please find the data.', not "
         "eleven numbers: this is not a BLQ file"},
        {WithRow(1, n10), "src, line 3: row 2 (tilt east-west amplitudes) of station 'ST1' has 10 numbers instead"},
        {WithRow(0, n10 + " 11 12"), "src, line 2: row 1 (gravity amplitudes) of station 'ST1' has 12 numbers"},
        {WithRow(3, "1 2 3 4 nan 6 7 8 9 10 11"), "line 5: row 4 (gravity phases) of station 'ST1', column K1: "
                                                  "'nan' is not a finite number"},
        {WithRow(0, "1 2 3 4 5 6 7 8 9 10 1e999"), "line 2: row 1 (gravity amplitudes) of station 'ST1', column "
                                                   "SSA: '1e999' is not a finite number"},
        {WithRow(1, "1 2 3 4,5 6 7 8 9 10 11 12"),
         "line 3: row 2 (tilt east-west amplitudes) of station 'ST1', column K2: '4,5' is not a number"},
        {WithRow(2, "1 2 -3 4 5 6 7 8 9 10 11"), "line 4: row 3 (tilt north-south amplitudes) of station 'ST1', "
                                                 "column N2: an amplitude cannot be negative"},
        {WithRow(5, "1 2 3 4 5 6 7 8 9 10 400"), "line 7: row 6 (tilt north-south phases) of station 'ST1', "
                                                 "column SSA: '400' is not a phase in degrees"},
        {"ST1\n" + kRows.substr(0, kRows.find("  -128")), "src: the file ends after 3 of the six rows of station 'ST1' "
                                                          "(line 1)"},
        {"ST1\n$$ ST1   RADI TANG  lon/lat:  11.9255   57.3953    0.000\n" + kRows,
         "src, line 2: station 'ST1' is an ocean-loading displacement block (RADI TANG); gravity needs the "
         "GRAV TILT parameters"},
        {"$$ COLUMN ORDER:  M2  S2  K1  O1\nST1\n" + kRows,
         "src, line 1: the columns must be M2 S2 N2 K2 K1 O1 P1 Q1 MF MM SSA, not 'M2  S2  K1  O1'"},
        {"ST1\n$$ ST1  GRAV TILT  lon/lat: east 57.3\n" + kRows, "src, line 2: 'east' is not a number"},
        {"ST1\n$$ ST1  GRAV TILT  lon/lat: 11.9 97.3 0\n" + kRows,
         "src, line 2: the position after 'lon/lat:' is not a longitude and a latitude in degrees"},
        {"ST1\n" + kRows + "st1\n" + WithRow(0, "9 2 3 4 5 6 7 8 9 10 11").substr(4),
         "src, line 14: station 'st1' is given twice with different numbers (lines 1 and 8)"},
        {std::string("ST\0\x01\n", 5) + kRows, "src, line 1: 'ST?"
                                               "?' is not a station name: this is not a BLQ file"},
        {std::string(10 << 20, 'x') + "\n" + kRows,
         "src, line 1: 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...' is not a station name"},
    };
    for (const BadInput& bad : cases) {
        const BlqReadResult read = ReadBlqText(bad.text, "src");
        EXPECT_TRUE(read.Failed());
        EXPECT_FALSE(read.HasValue());
        ASSERT_EQ(read.Messages().size(), 1u);
        EXPECT_NE(read.ErrorText().find(bad.message), std::string::npos)
            << read.ErrorText() << "\n  expected: " << bad.message;
    }
}

TEST(BlqReader, RefusesWhatIsNotAFile)
{
    EXPECT_EQ(ReadBlqFile("/no/such/file.blq").ErrorText(), "cannot read /no/such/file.blq: there is no such file");
    EXPECT_EQ(ReadBlqFile(BRAMBLE_TEST_DATA).ErrorText(), "cannot read " BRAMBLE_TEST_DATA ": it is a folder");
}

TEST(BlqReader, MutatedFilesAreReadOrRefusedWithAMessage)
{
    const std::string sample = test::ReadWholeFile(kSample);
    std::mt19937 rng(20261207);
    const std::string alphabet("0123456789.-+eE $\n\r\tnaifxyz/:\0", 30);
    for (int round = 0; round < 3000; ++round) {
        std::string text = sample;
        for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0; --edits) {
            const std::size_t at = rng() % text.size();
            switch (rng() % 3) {
            case 0:
                text[at] = alphabet[rng() % alphabet.size()];
                break;
            case 1:
                text.erase(at, 1 + rng() % 8);
                break;
            default:
                text.insert(at, 1, alphabet[rng() % alphabet.size()]);
                break;
            }
        }
        const BlqReadResult read = ReadBlqText(text, "mutated");
        // Read: at least one block; refused: an error and no blocks.
        EXPECT_EQ(read.Succeeded(), read.HasValue() && !read.Value().empty());
        EXPECT_EQ(read.Failed(), !read.ErrorText().empty());
        if (!read.HasValue())
            continue;
        for (const BlqBlock& block : read.Value())
            for (std::size_t k = 0; k < block.amplitudes.size(); ++k)
                ASSERT_TRUE(std::isfinite(block.amplitudes[k]) && block.amplitudes[k] >= 0.0 &&
                            std::abs(block.phaseLagsDeg[k]) <= 360.0);
    }
}

}  // namespace
