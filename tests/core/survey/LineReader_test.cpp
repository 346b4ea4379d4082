// The line reader under the meter readers and the polar table: line ends,
// byte-order marks, what is not text, over-long lines and read errors.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/TempFile.h"
#include "survey/LineReader.h"

using namespace bramble;
using bramble::test::TempFile;

namespace {

struct Result {
    std::vector<std::string> lines;
    std::string error;
};

Result ReadAll(LineReader& in)
{
    Result result;
    std::string line;
    while (in.next(line))
        result.lines.push_back(line);
    result.error = in.error();
    return result;
}

Result ReadBytes(const std::string& bytes)
{
    TempFile file(bytes);
    LineReader in(file.path());
    return ReadAll(in);
}

// A stream that yields `bytes` and then fails with EIO, as a disk with a
// bad sector does in the middle of a file.
struct FailingSource {
    std::string bytes;
    std::size_t at = 0;
};

ssize_t ReadThenFail(void* cookie, char* buffer, std::size_t size)
{
    auto* source = static_cast<FailingSource*>(cookie);
    if (source->at == source->bytes.size()) {
        errno = EIO;
        return -1;
    }
    const std::size_t n = std::min(size, source->bytes.size() - source->at);
    std::memcpy(buffer, source->bytes.data() + source->at, n);
    source->at += n;
    return static_cast<ssize_t>(n);
}

}  // namespace

TEST(LineReader, EveryKindOfLineEndEndsALine)
{
    const std::vector<std::string> expected = {"a", "b", "", "c"};
    EXPECT_EQ(ReadBytes("a\nb\n\nc").lines, expected);
    EXPECT_EQ(ReadBytes("a\r\nb\r\n\r\nc\r\n").lines, expected);
    EXPECT_EQ(ReadBytes("a\rb\r\rc\r").lines, expected);  // CR only, as old Macs wrote
    EXPECT_EQ(ReadBytes("a\rb\n\r\nc").lines, expected);  // mixed
    // A CR LF pair split across the reader's 64 KiB buffers is one line end.
    const std::string first(65535, 'x');
    const Result split = ReadBytes(first + "\r\nnext\r\n");
    ASSERT_EQ(split.lines.size(), 2u);
    EXPECT_EQ(split.lines[0], first);
    EXPECT_EQ(split.lines[1], "next");
    EXPECT_TRUE(split.error.empty());
}

TEST(LineReader, Utf8MarkIsDroppedOtherTextStays)
{
    const Result marked = ReadBytes("\xEF\xBB\xBF"
                                    "BASE-1, x\n\xEF\xBB\xBF"
                                    "B\n");
    ASSERT_EQ(marked.lines.size(), 2u);
    EXPECT_EQ(marked.lines[0], "BASE-1, x");
    EXPECT_EQ(marked.lines[1], "\xEF\xBB\xBF"
                               "B");  // only a mark at the start of the file is one
    // Latin-1 and UTF-8 letters, tabs, DC3 and a DOS end-of-file mark are text.
    EXPECT_TRUE(ReadBytes("Op\xE9rateur\tM\xC3\xBCller\x13\n\x1A").error.empty());
}

TEST(LineReader, WhatIsNotTextIsRefusedWithItsLine)
{
    for (const std::string& bytes :
         {std::string("\xFF\xFE"
                      "S\0C\0",
                      6),
          std::string("\xFE\xFF\0S\0C", 6), std::string("ok\nSTA\0TION 1\n", 14), std::string("ok\n\x01\x02\x03\n")}) {
        const Result r = ReadBytes(bytes);
        EXPECT_FALSE(r.error.empty());
        EXPECT_TRUE(r.error.find("UTF-16") != std::string::npos || r.error.find("line 2") != std::string::npos)
            << r.error;
    }
    EXPECT_NE(ReadBytes(std::string("ok\nSTA\0TION 1\n", 14)).error.find("0x00"), std::string::npos);
}

// The byte and its column are named wherever the line lies in the reader's
// buffer, also when the line runs on from one buffer full into the next;
// on the first line the column counts after a UTF-8 mark.
TEST(LineReader, NotTextIsNamedByItsColumnWhereverTheLineLies)
{
    // The second line runs on from the first 64 KiB read into the next.
    std::string bytes = std::string(40000, 'x') + "\n" + std::string(40000, 'a') + '\x01' + "z\n";
    EXPECT_NE(ReadBytes(bytes).error.find("line 2 holds the byte 0x01 at column 40001,"), std::string::npos)
        << ReadBytes(bytes).error;
    EXPECT_NE(ReadBytes("\xEF\xBB\xBF"
                        "ab\x02").error.find("line 1 holds the byte 0x02 at column 3,"), std::string::npos);
    // Too long and not text: the length is what is named.
    bytes = "first\n" + std::string(LineReader::kMaxLineLength + 5, 'b') + '\x01' + "\n";
    EXPECT_NE(ReadBytes(bytes).error.find("line 2 is longer than"), std::string::npos);
}

TEST(LineReader, OverLongLineIsRefusedWithoutHoldingIt)
{
    const Result r = ReadBytes("first\n" + std::string(LineReader::kMaxLineLength + 1, '7') + "\nlast\n");
    EXPECT_EQ(r.lines, std::vector<std::string>{"first"});
    EXPECT_NE(r.error.find("line 2 is longer than 65536"), std::string::npos) << r.error;
    // A line of exactly the limit is still a line.
    EXPECT_TRUE(ReadBytes(std::string(LineReader::kMaxLineLength, '7') + "\n").error.empty());
    // An endless file without line ends stops at the limit.
    LineReader zero("/dev/zero");
    ASSERT_TRUE(zero.isOpen());
    const Result endless = ReadAll(zero);
    EXPECT_TRUE(endless.lines.empty());
    EXPECT_FALSE(endless.error.empty());
    EXPECT_LE(zero.bytesRead(), 2 * LineReader::kMaxLineLength);
}

TEST(LineReader, ReadErrorIsAnErrorNotTheEnd)
{
    FailingSource source{"one\ntwo\nthr"};
    std::FILE* stream = fopencookie(&source, "r", cookie_io_functions_t{ReadThenFail, nullptr, nullptr, nullptr});
    ASSERT_NE(stream, nullptr);
    LineReader in(stream);
    const Result r = ReadAll(in);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"one", "two"}));  // "thr" is not taken for a last line
    EXPECT_NE(r.error.find("read error"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find(std::strerror(EIO)), std::string::npos) << r.error;

    // A folder opens as a stream but cannot be read.
    LineReader folder(BRAMBLE_EXAMPLES);
    if (folder.isOpen()) {
        EXPECT_FALSE(ReadAll(folder).error.empty());
    }
}
