#include "survey/MeterTypeGuess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace
}  // namespace bramble
