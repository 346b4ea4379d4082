#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "logger/LineEcho.h"
#include "support/TempFile.h"

using namespace bramble;
using bramble::test::ReadWholeFile;
using bramble::test::TempFile;

namespace {

// A receive file that grows the way the logger writes it, with the echo
// told of every write.
class GrowingFile {
public:
    explicit GrowingFile(const std::string& old = {}) : m_file(old) { m_echo.Restart(m_file.path(), old.size()); }

    void Write(const std::string& bytes)
    {
        std::ofstream out(m_file.path(), std::ios::binary | std::ios::app);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        m_echo.Appended(bytes.size());
    }
    // Every line the echo gives now.
    std::vector<std::string> Drain()
    {
        std::vector<std::string> lines;
        while (auto line = m_echo.Next())
            lines.push_back(*line);
        return lines;
    }
    LineEcho& echo() { return m_echo; }
    const std::string& path() const { return m_file.path(); }

private:
    TempFile m_file;
    LineEcho m_echo;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST(LineEcho, GivesEachCompleteLineOnceWithoutItsLineEnd)
{
    GrowingFile f;
    f.Write("SCINTREX V4.1\r\nCycle Time:  60.\r\n\r\n   \r\n");
    EXPECT_EQ(f.echo().Next(), "SCINTREX V4.1");
    EXPECT_EQ(f.Drain(), (Lines{"Cycle Time:  60.", "", "   "}));
    EXPECT_EQ(f.echo().Next(), std::nullopt);
    EXPECT_EQ(f.echo().EchoedLines(), 4);
}

TEST(LineEcho, ASingleTrailingCharacterWaitsForItsLineFeed)
{
    GrowingFile f;
    f.Write("      1.  2489.871\r\n1");
    EXPECT_EQ(f.Drain(), (Lines{"      1.  2489.871"}));
    EXPECT_EQ(f.echo().Next(), std::nullopt);  // not an empty row
    EXPECT_EQ(f.echo().EchoedLines(), 1);
    f.Write("00.  2476.312\r");
    EXPECT_EQ(f.echo().Next(), std::nullopt);  // CR without its LF: still open
    f.Write("\n");
    EXPECT_EQ(f.Drain(), (Lines{"100.  2476.312"}));
}

TEST(LineEcho, KeepsBinaryBytesAndTheDc3EndOfBlock)
{
    GrowingFile f;
    const std::string binary{"\x13\x00\x11\xff\r", 5};
    f.Write(binary + "\n");
    EXPECT_EQ(f.Drain(), (Lines{std::string{"\x13\x00\x11\xff", 4}}));
}

TEST(LineEcho, LineFeedAloneEndsALine)
{
    GrowingFile f;
    f.Write("a\nb\r\r\nc\rd\n");
    EXPECT_EQ(f.Drain(), (Lines{"a", "b\r", "c\rd"}));
}

TEST(LineEcho, ReadsOnlyWhatTheLoggerReportedWritten)
{
    GrowingFile f;
    f.Write("one\r\n");
    {  // bytes that reach the file behind the logger's back
        std::ofstream out(f.path(), std::ios::binary | std::ios::app);
        out << "two\r\n";
    }
    EXPECT_EQ(f.Drain(), (Lines{"one"}));
}

TEST(LineEcho, AnAppendedFileEchoesOnlyTheNewLines)
{
    GrowingFile f("old 1\r\nold 2\r\n");
    EXPECT_EQ(f.echo().EchoedLines(), 2);
    EXPECT_EQ(f.echo().Next(), std::nullopt);
    f.Write("new 1\r\n");
    EXPECT_EQ(f.Drain(), (Lines{"new 1"}));
    EXPECT_EQ(f.echo().EchoedLines(), 3);
}

TEST(LineEcho, AnOldPartialLineIsEchoedWhenTheNewBytesCompleteIt)
{
    GrowingFile f("old 1\r\nhalf a li");
    EXPECT_EQ(f.echo().EchoedLines(), 1);
    f.Write("ne\r\nnext\r\n");
    EXPECT_EQ(f.Drain(), (Lines{"half a line", "next"}));
}

TEST(LineEcho, RestartOnAnEmptiedFileStartsAtItsFirstLine)
{
    GrowingFile f;
    f.Write("a\r\nb\r\n");
    f.Drain();
    std::ofstream(f.path(), std::ios::binary | std::ios::trunc).close();
    f.echo().Restart(f.path(), 0);
    f.Write("c\r\n");
    EXPECT_EQ(f.Drain(), (Lines{"c"}));
    EXPECT_EQ(f.echo().EchoedLines(), 1);
}

TEST(LineEcho, ALongRunWithoutLineFeedComesInPieces)
{
    GrowingFile f;
    const std::string run(LineEcho::kMaxLine + 10, 'x');
    f.Write(run);
    EXPECT_EQ(f.Drain(), (Lines{std::string(LineEcho::kMaxLine, 'x')}));
    f.Write("\r\n");
    EXPECT_EQ(f.Drain(), (Lines{std::string(10, 'x')}));

    GrowingFile appended(run);  // the same pieces are counted on Restart
    EXPECT_EQ(appended.echo().EchoedLines(), 1);
    appended.Write("\r\n");
    EXPECT_EQ(appended.Drain(), (Lines{std::string(10, 'x')}));
}

TEST(LineEcho, AFileThatCannotBeReadGivesNothing)
{
    LineEcho echo;
    echo.Restart("/nonexistent/folder/receive.dat", 0);
    echo.Appended(10);
    EXPECT_EQ(echo.Next(), std::nullopt);
}

TEST(LineEcho, TheWholeExampleDumpLineByLine)
{
    const std::string dump = ReadWholeFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    ASSERT_FALSE(dump.empty());
    GrowingFile f;
    Lines echoed;
    for (std::size_t at = 0; at < dump.size(); at += 100) {  // the logger's 100-byte reads
        f.Write(dump.substr(at, 100));
        for (auto& line : f.Drain())
            echoed.push_back(line);
    }
    Lines expected;
    std::size_t start = 0;
    for (std::size_t lf = dump.find('\n'); lf != std::string::npos; start = lf + 1, lf = dump.find('\n', start))
        expected.push_back(dump.substr(start, lf - start - 1));  // every line of the example ends in CR LF
    EXPECT_EQ(echoed, expected);
    EXPECT_EQ(expected.size(), 48u);  // wc -l of the example
}
