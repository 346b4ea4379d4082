#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bramble {

// Reads a text file line by line with the line end removed. Both LF and
// CR LF line ends give the same lines, a last line without a line end is
// still a line, and NUL or any other byte is kept as it is.
class LineReader {
public:
    explicit LineReader(const std::string& path);

    bool isOpen() const { return m_file != nullptr; }
    // Next line into `line`; false at the end of the file.
    bool next(std::string& line);
    // Bytes consumed so far (for progress and benchmarks).
    unsigned long long bytesRead() const { return m_consumed; }

private:
    bool fill();

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    unsigned long long m_consumed = 0;
    bool m_eof = false;
};

}  // namespace bramble
