#include "survey/MeterTypeGuess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bramble {
namespace {

class MeterTypeGuessTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const auto path = std::filesystem::temp_directory_path() / ("bramble-guess-" + name);
        std::ofstream(path, std::ios::binary) << text;
        m_paths.push_back(path);
        return path.string();
    }
    void TearDown() override
    {
        for (const auto& p : m_paths)
            std::filesystem::remove(p);
    }
    std::vector<std::filesystem::path> m_paths;
};

TEST_F(MeterTypeGuessTest, ExamplesAreRecognised)
{
    EXPECT_EQ(GuessMeterType(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat"), MeterType::scintrex);
    EXPECT_EQ(GuessMeterType(BRAMBLE_EXAMPLES "/aliod-loop.csv"), MeterType::aliod);
}

TEST_F(MeterTypeGuessTest, AliodLineNeedsAFullDateAfterTheFirstComma)
{
    EXPECT_EQ(GuessMeterType(Write("a.csv", "\r\nB1,2019-03-14 16:05:10, 4023.5\r\n")), MeterType::aliod);
    EXPECT_EQ(GuessMeterType(Write("b.csv", "B1, 2019-3-14 16:05:10, 4023.5\n")), MeterType::scintrex);
    EXPECT_EQ(GuessMeterType(Write("c.csv", "B1 2019-03-14 16:05:10 4023.5\n")), MeterType::scintrex);
}

TEST_F(MeterTypeGuessTest, ScintrexHeaderWinsAndUnknownTextIsScintrex)
{
    EXPECT_EQ(GuessMeterType(Write("d.dat", "SCINTREX V4.1\nB1, 2019-03-14 16:05:10\n")), MeterType::scintrex);
    EXPECT_EQ(GuessMeterType(Write("e.dat", std::string("\0\x01\x02 binary", 10))), MeterType::scintrex);
    EXPECT_EQ(GuessMeterType("/no/such/file.dat"), MeterType::scintrex);
}

TEST_F(MeterTypeGuessTest, NewMeterSamplesAreRecognised)
{
    const std::string data = BRAMBLE_TEST_DATA "/meters/";
    EXPECT_EQ(RecogniseMeterType(data + "CG-5_TestData.txt"), MeterType::cg5);
    EXPECT_EQ(RecogniseMeterType(data + "CG-6_TestData.dat"), MeterType::cg6);
    EXPECT_EQ(RecogniseMeterType(data + "B44_2017-12-05.txt"), MeterType::burris);
    EXPECT_EQ(RecogniseMeterType(data + "Test4.txt"), MeterType::burris);
    // Without their headers the CG-5 and CG-6 are known by the column line.
    EXPECT_EQ(RecogniseMeterType(Write("f.txt", "/---LINE---STATION---ALT.---GRAV.---SD.\n")), MeterType::cg5);
    EXPECT_EQ(RecogniseMeterType(Write("g.dat", "/Station\tDate\tTime\tCorrGrav\n")), MeterType::cg6);
    EXPECT_EQ(RecogniseMeterType(Write("h.txt", "Station,Meter,Date\nA, B44, 12-05-2017, 15:56:20, 2769.695, 2800, "
                                                "0.482, -0.1, 0, 0, 0, 0, 1600, 35.1, -106.6\n")),
              MeterType::burris);
}

TEST_F(MeterTypeGuessTest, UnknownContentIsRecognisedAsNothing)
{
    EXPECT_FALSE(RecogniseMeterType(Write("i.txt", "a b c 2017/13/05 15:56:20 1 2 3 4 5 6 7 8 9 10 11\n")));
    EXPECT_FALSE(RecogniseMeterType(Write("j.txt", "a b c 2017/12/05 15:56:20 x 2 3 4 5 6 7 8 9 10 11\n")));
    EXPECT_FALSE(RecogniseMeterType(BRAMBLE_TEST_DATA "/polar/finals-2005-01-26.daily"));
    EXPECT_FALSE(RecogniseMeterType("/no/such/file.dat"));
    EXPECT_EQ(GuessMeterType(Write("k.txt", "nothing\n")), MeterType::scintrex);
    for (MeterType t : {MeterType::scintrex, MeterType::aliod, MeterType::cg5, MeterType::cg6, MeterType::burris})
        EXPECT_EQ(MeterTypeFromName(MeterTypeName(t)), t);
    EXPECT_FALSE(MeterTypeFromName("cg4"));
}

TEST_F(MeterTypeGuessTest, APipeIsNotLookedIntoSoItsLinesStayForTheRead)
{
    const auto fifo = std::filesystem::temp_directory_path() / ("bramble-guess-fifo-" + std::to_string(::getpid()));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    m_paths.push_back(fifo);
    // A writer that comes along if anyone opens the pipe to read it.
    std::thread writer([&fifo] {
        for (int tries = 0; tries < 100; ++tries) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                const char line[] = "BASE-1, 2024-03-01 08:00:00, 980.1, 20.0, 1, 2, 0, 0\n";
                [[maybe_unused]] const auto written = ::write(fd, line, sizeof line - 1);
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    EXPECT_FALSE(RecogniseMeterType(fifo.string()));
    EXPECT_EQ(GuessMeterType(fifo.string()), MeterType::scintrex);
    writer.join();
}

}  // namespace
}  // namespace bramble
