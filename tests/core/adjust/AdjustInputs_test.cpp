#include <gtest/gtest.h>

#include <cmath>

#include "adjust/DatumSources.h"
#include "adjust/SetupBuilder.h"
#include "adjust/SetupSources.h"
#include "adjust/SetupsCsv.h"
#include "support/TempFile.h"

namespace bramble {
namespace {

using test::TempFile;

TEST(SetupBuilder, SigmaFormulaAndWeightedMeans)
{
    const SigmaOptions defaults;
    AdjustReading r;
    r.sd = 0.06;
    r.duration = 36.0;  // 0.06/6 = 0.01, with 0.005 added in quadrature
    EXPECT_NEAR(ReadingSigma(r, defaults), std::hypot(0.01, 0.005), 1e-12);
    r.duration.reset();  // no duration: the SD alone
    EXPECT_NEAR(ReadingSigma(r, defaults), std::hypot(0.06, 0.005), 1e-12);
    r.sd.reset();  // no SD: the additive term, at least the floor
    EXPECT_NEAR(ReadingSigma(r, defaults), 0.005, 1e-12);
    EXPECT_NEAR(ReadingSigma(r, {1.0, 0.0, 0.003}), 0.003, 1e-12);

    // A A (rejected B) A B A: setups A (three readings), B, A.
    const auto reading = [](std::string station, double g, double sd, double t, bool rejected = false) {
        AdjustReading x;
        x.loop = "1";
        x.station = std::move(station);
        x.gravity = g;
        x.sd = sd;
        x.time = t;
        x.temperature = 20.0 + t;
        x.rejected = rejected;
        return x;
    };
    const SetupsFromReadings built = BuildSetups({reading("A", 10.0, 0.010, 1.0), reading("A", 10.3, 0.020, 2.0),
                                                  reading("B", 99.0, 0.01, 2.5, true), reading("A", 10.0, 0.010, 3.0),
                                                  reading("B", 5.0, 0.01, 4.0), reading("A", 10.1, 0.01, 5.0)},
                                                 {1.0, 0.0, 0.001});
    ASSERT_EQ(built.setups.size(), 3u);
    const bramble::Setup& a = built.setups[0];
    EXPECT_EQ(a.station, "A");
    EXPECT_EQ(a.readings, 3);
    // weights 1/0.01^2, 1/0.02^2, 1/0.01^2 = 4 : 1 : 4
    EXPECT_NEAR(a.gravity, (4 * 10.0 + 10.3 + 4 * 10.0) / 9.0, 1e-12);
    EXPECT_NEAR(a.time, (4 * 1.0 + 2.0 + 4 * 3.0) / 9.0, 1e-12);
    EXPECT_NEAR(*a.temperature, 20.0 + a.time, 1e-12);
    EXPECT_NEAR(a.sd, std::sqrt(1.0 / (9.0 / 4e-4)), 1e-12);
    EXPECT_EQ(built.setups[1].station, "B");
    EXPECT_EQ(built.setups[1].gravity, 5.0);
    EXPECT_EQ(built.setups[2].station, "A");
}

TEST(SetupSources, ALoopNameInTwoSourcesIsToldApartByTheFileName)
{
    const auto setup = [](const char* loop) {
        bramble::Setup s;
        s.loop = loop;
        return s;
    };
    const std::vector<bramble::Setup> all = CombineSources({{"/data/day1.dat", {setup("L1"), setup("L2")}},
                                                   {"/other/day2.dat", {setup("L1")}},
                                                   {"setups.csv", {setup("L3")}}});
    std::vector<std::string> loops;
    for (const bramble::Setup& s : all)
        loops.push_back(s.loop);
    EXPECT_EQ(loops, (std::vector<std::string>{"day1.dat:L1", "L2", "day2.dat:L1", "L3"}));
}

TEST(SetupSources, ALoopLeftOutTakesNoPartAndWarningsNameTheirSurvey)
{
    const auto reading = [](const char* loop, const char* station, double time, double gravity) {
        AdjustReading r;
        r.loop = loop;
        r.station = station;
        r.time = time;
        r.gravity = gravity;
        return r;
    };
    const SurveyReadings day{"/data/day.dat",
                             {reading("L1", "A", 1.0, 5.0), reading("L1", "A", 1.1, 5.2), reading("L2", "B", 2.0, 7.0),
                              reading("L1", "C", 3.0, std::nan(""))}};
    EXPECT_EQ(LoopsOf(day.readings), (std::vector<std::pair<std::string, int>>{{"L1", 3}, {"L2", 1}}));

    std::vector<std::string> warnings;
    const std::vector<SetupSource> sources = SourcesFromSurveys({day}, SigmaOptions{}, {{"/data/day.dat", "L2"}}, warnings);
    ASSERT_EQ(sources.size(), 1u);
    ASSERT_EQ(sources[0].setups.size(), 1u);  // A's two readings; B's loop is out, C's gravity is not a number
    EXPECT_EQ(sources[0].setups[0].station, "A");
    EXPECT_EQ(sources[0].setups[0].source, "/data/day.dat");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("/data/day.dat: ", 0), 0u) << warnings[0];
}

TEST(SetupsCsv, ReadsSetupsWithOptionalColumnsInAnyOrder)
{
    const TempFile file("\xEF\xBB\xBFstation,loop,g,sd,time,meter,temp\r\n"
                        "\"B, north\",7,12.5,0.004,2021-01-02 03:04:05,CG6 1,\r\n"
                        "\n"
                        "A,7,10,0.005,2021-01-02 04:00:00,CG6 1,21.5\r\n",
                        ".csv");
    const SetupsFile read = ReadSetupsCsv(file.path());
    ASSERT_TRUE(read.Succeeded()) << read.ErrorText();
    ASSERT_EQ(read.Value().size(), 2u);
    EXPECT_EQ(read.Value()[0].station, "B, north");
    EXPECT_EQ(read.Value()[0].loop, "7");
    EXPECT_EQ(read.Value()[0].meter, "CG6 1");
    EXPECT_FALSE(read.Value()[0].temperature);
    EXPECT_EQ(*read.Value()[1].temperature, 21.5);
    EXPECT_EQ(read.Value()[1].sd, 0.005);
}

TEST(SetupsCsv, RefusesHostileFilesNamingTheLine)
{
    const std::string header = "loop,station,time,g,sd\n";
    const std::string good = "1,A,2021-01-02 03:04:05,1.0,0.005\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "no header line"},
        {header, "no setups after the header"},
        {"loop,station,time,g\n" + good, "line 1: the header has no column 'sd'"},
        {"loop,station,time,g,sd,gravity\n", "line 1: unknown column 'gravity'"},
        {"loop,station,time,g,sd,g\n", "line 1: column 'g' appears twice"},
        {header + "1,A,2021-01-02 03:04:05,nan,0.005\n", "line 2: g 'nan' is not a number"},
        {header + "1,A,2021-01-02 03:04:05,inf,0.005\n", "line 2: g 'inf'"},
        {header + "1,A,2021-01-02 03:04:05,1e999,0.005\n", "line 2: g '1e999'"},
        {header + "1,A,2021-01-02 03:04:05,1.0x,0.005\n", "line 2: g '1.0x'"},
        {header + "1,A,2021-01-02 03:04:05,1.0,0\n", "line 2: sd '0' is not a number greater than 0"},
        {header + "1,A,2021-01-02 03:04:05,1.0,-0.1\n", "line 2: sd '-0.1'"},
        {header + "1,A,2021-02-30 03:04:05,1.0,0.005\n", "line 2: time '2021-02-30 03:04:05'"},
        {header + "1,A,02/01/2021 03:04:05,1.0,0.005\n", "line 2: time"},
        {header + "1,\"A,2021-01-02 03:04:05,1.0,0.005\n", "line 2: a quoted field is not closed"},
        {header + "1,A,2021-01-02 03:04:05,1.0\n", "line 2: has 4 fields, the header 5"},
        {header + ",A,2021-01-02 03:04:05,1.0,0.005\n", "line 2: the loop is empty"},
        {header + good + "1,B,2021-01-02 03:00:00,1.0,0.005\n", "line 3: the setup is earlier"},
        {header + std::string("1,A\0,2021-01-02 03:04:05,1.0,0.005\n", 35), "line 2 holds the byte 0x00 at column 4"},
    };
    for (const auto& [bytes, message] : cases) {
        const TempFile file(bytes, ".csv");
        const SetupsFile read = ReadSetupsCsv(file.path());
        EXPECT_FALSE(read.Succeeded()) << bytes;
        EXPECT_FALSE(read.HasValue());
        EXPECT_NE(read.ErrorText().find(message), std::string::npos) << read.ErrorText() << " / " << message;
    }
    EXPECT_EQ(ReadSetupsCsv(BRAMBLE_TEST_DATA).ErrorText(),
              std::string("cannot read ") + BRAMBLE_TEST_DATA + ": it is a folder");
    EXPECT_FALSE(ReadSetupsCsv(BRAMBLE_TEST_DATA "/no-such-file.csv").Succeeded());
}

TEST(DatumSources, ArgumentsAndSimpleFiles)
{
    DatumsRead d = ParseDatumArgument("RG 26=979197.8759:0.0106");
    ASSERT_TRUE(d.Succeeded());
    EXPECT_EQ(d.Value()[0].station, "RG 26");
    EXPECT_EQ(d.Value()[0].gravity, 979197.8759);
    EXPECT_EQ(d.Value()[0].sd, 0.0106);
    d = ParseDatumArgument("A=5");
    ASSERT_TRUE(d.Succeeded());
    EXPECT_EQ(d.Value()[0].sd, 0.0);
    for (const char* bad : {"A", "=5", "A=", "A=5:", "A=5:-1", "A=nan", "A=5:inf", "A=5 mGal"})
        EXPECT_FALSE(ParseDatumArgument(bad).Succeeded()) << bad;

    d = ReadDatumFile(BRAMBLE_TEST_DATA "/adjust/simple-datums.txt");
    ASSERT_TRUE(d.Succeeded()) << d.ErrorText();
    ASSERT_EQ(d.Value().size(), 5u);
    EXPECT_EQ(d.Value()[0].station, "test");
    EXPECT_NEAR(d.Value()[0].gravity, 979500.20788, 1e-9);
    EXPECT_NEAR(d.Value()[1].sd, 0.00425, 1e-12);

    for (const char* bad : {"A 1\n", "A 1 2 3\n", "A x 2\n", "A 1 -2\n", "\n# only a comment\n"}) {
        const TempFile file(bad, ".txt");
        EXPECT_FALSE(ReadDatumFile(file.path()).Succeeded()) << bad;
    }
}

TEST(DatumSources, AbsoluteReportMovedToTheReadingHeight)
{
    const std::string path = BRAMBLE_TEST_DATA "/adjust/rg26_2017-12-01.project.txt";
    // 979197575.92 uGal at 100 cm, gradient -3.000 uGal/cm.
    DatumsRead d = ReadDatumFile(path);
    ASSERT_TRUE(d.Succeeded()) << d.ErrorText();
    ASSERT_EQ(d.Value().size(), 1u);
    EXPECT_EQ(d.Value()[0].station, "rg26");
    EXPECT_NEAR(d.Value()[0].gravity, (979197575.92 + 300.0) * 1e-3, 1e-9);
    EXPECT_NEAR(d.Value()[0].sd, 0.01055, 1e-12);  // the total uncertainty
    d = ReadAbsoluteReport(path, 25.0);
    ASSERT_TRUE(d.Succeeded());
    EXPECT_NEAR(d.Value()[0].gravity, (979197575.92 + 225.0) * 1e-3, 1e-9);

    // UTF-8 micro signs and the set scatter when the total is missing.
    const std::string utf8 = "Name: X1\nTransfer Height: 130.0 cm\nGradient: -2.5 \xC2\xB5Gal/cm\n"
                             "Gravity: 979000000.0 \xC2\xB5Gal\nSet Scatter: 2.0 \xC2\xB5Gal\n";
    const TempFile file(utf8, ".project.txt");
    d = ReadDatumFile(file.path());
    ASSERT_TRUE(d.Succeeded()) << d.ErrorText();
    EXPECT_NEAR(d.Value()[0].gravity, 979000.325, 1e-9);
    EXPECT_NEAR(d.Value()[0].sd, 0.002, 1e-12);

    const std::pair<std::string, const char*> broken[] = {
        {"Name: X1\nTransfer Height: 130.0 cm\nGravity: 979000000.0 uGal\nSet Scatter: 2 uGal\n", "\"Gradient:\""},
        {"Name: X1\nTransfer Height: 130.0 cm\nGradient: -2.5 uGal/cm\nGravity: 979000000.0 uGal\n", "Uncertainty"},
        {"Transfer Height: 130.0 cm\nGradient: -2.5 uGal/cm\nGravity: 9.8 uGal\nSet Scatter: 2 uGal\n", "Name:"},
        {"Name: X1\nTransfer Height: 130.0 cm\nGradient: -2.5 uGal/cm\nGravity: nan uGal\nSet Scatter: 2 uGal\n",
         "\"Gravity:\""},
        {"Name: X1\nTransfer Height: 1.3 m\nGradient: -2.5 uGal/cm\nGravity: 9.8 uGal\nSet Scatter: 2 uGal\n",
         "\"Transfer Height:\" in cm"},
    };
    for (const auto& [bytes, message] : broken) {
        const TempFile bad(bytes, ".project.txt");
        d = ReadAbsoluteReport(bad.path());
        EXPECT_FALSE(d.Succeeded()) << bytes;
        EXPECT_NE(d.ErrorText().find(message), std::string::npos) << d.ErrorText();
    }
}

}  // namespace
}  // namespace bramble
