#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace bramble {

// The live echo of a receive file while it grows: hands out its completed
// lines one at a time, read back from the file. A line is complete when its
// line feed has arrived; its text is given without the line feed and
// without a carriage return just before it (a CR LF pair ends one line). A
// trailing partial line, even a single character, is never given until it
// completes, so the echo shows no empty row that the file does not hold.
// A run of kMaxLine bytes without a line feed is given as one line, so that
// binary data cannot hold the echo back for ever.
//
// Only the bytes the logger has reported as written are read: the echo never
// runs ahead of what is known to be in the file.
class LineEcho {
public:
    static constexpr std::uint64_t kMaxLine = 4096;

    // Starts echoing `path`, whose first `size` bytes are already there (an
    // appended file, or 0 for a new or emptied one). The lines complete in
    // those bytes are counted as echoed: the first line given is the one
    // the next bytes complete, which may have begun in the old bytes.
    void Restart(const std::string& path, std::uint64_t size);

    // `bytes` more bytes were written at the end of the file.
    void Appended(std::uint64_t bytes) { m_end += bytes; }

    // The next complete line, or nothing when it is not complete yet (or the
    // file cannot be read). Each line is given once.
    std::optional<std::string> Next();

    // Lines of the file counted as echoed, the old complete ones included.
    std::int64_t EchoedLines() const { return m_lines; }

private:
    std::string m_path;
    std::uint64_t m_next = 0;  // offset of the first byte of the next line
    std::uint64_t m_end = 0;   // bytes known to be in the file
    std::int64_t m_lines = 0;
};

}  // namespace bramble
