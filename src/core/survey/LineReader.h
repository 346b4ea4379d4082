#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bramble {

// Reads a text file line by line with the line end removed. LF, CR LF and
// a lone CR all end a line, a last line without a line end is still a line,
// and a UTF-8 byte-order mark before the first line is dropped.
//
// Reading stops with an error (next() returns false and error() says why)
// when the file is not text a meter writes: a UTF-16 file, a control byte
// such as NUL, a line longer than kMaxLineLength (so that a file without
// line ends cannot fill the memory), or a read error of the system, which
// is never taken for the end of the file.
class LineReader {
public:
    static constexpr std::size_t kMaxLineLength = 64 * 1024;

    explicit LineReader(const std::string& path);
    // Takes over an open stream (closed with the reader).
    explicit LineReader(std::FILE* file);

    bool isOpen() const { return m_file != nullptr; }
    // Next line into `line`; false at the end of the file or on an error.
    bool next(std::string& line);
    // Why reading stopped before the end of the file; empty when it did not.
    const std::string& error() const { return m_error; }
    // 1-based number of the line last returned (or refused).
    long long lineNumber() const { return m_lineNumber; }
    // Bytes consumed so far (for progress and benchmarks).
    unsigned long long bytesRead() const { return m_consumed; }

private:
    bool fill();
    bool fail(std::string why);
    // The first line may be UTF-16 or start with a UTF-8 byte-order mark.
    bool checkFirstLine(std::string& line);
    bool failNotText(const std::string& line, std::size_t column);

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    unsigned long long m_consumed = 0;
    long long m_lineNumber = 0;
    bool m_eof = false;
    int m_readErrno = 0;
    bool m_skipLineFeed = false;  // the last line ended in CR: a LF right after it belongs to it
    std::string m_error;
};

}  // namespace bramble
