#include "survey/LineReader.h"

#include <cerrno>
#include <cstring>

namespace bramble {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Control bytes a meter's text may hold: tab, line and form feeds, CR, the
// XON/XOFF pair of a serial transfer (DC3 also ends a block of readings) and
// the end-of-file mark of old DOS files.
bool IsTextByte(unsigned char c)
{
    if (c >= 0x20)
        return true;
    switch (c) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x11:
    case 0x13:
    case 0x1A:
        return true;
    default:
        return false;
    }
}

std::string Hex(unsigned char c)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[c >> 4] + kDigits[c & 0xF];
}

}  // namespace

LineReader::LineReader(const std::string& path) : LineReader(std::fopen(path.c_str(), "rb")) { }

LineReader::LineReader(std::FILE* file) : m_file(file), m_buffer(kBufferSize) { }

bool LineReader::fail(std::string why)
{
    m_error = std::move(why);
    m_eof = true;
    m_begin = m_end = 0;
    return false;
}

bool LineReader::fill()
{
    if (m_eof || !m_file)
        return false;
    errno = 0;
    const std::size_t n = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file.get());
    // A short read that failed still delivers its bytes; the error is
    // reported when they are used up.
    if (std::ferror(m_file.get()) && m_readErrno == 0)
        m_readErrno = errno != 0 ? errno : EIO;
    m_begin = 0;
    m_end = n;
    if (n == 0) {
        if (std::ferror(m_file.get()))
            return fail("a read error after " + std::to_string(m_consumed) + " bytes (" + std::strerror(m_readErrno) +
                        "): the rest of the file could not be read");
        m_eof = true;
    }
    return n > 0;
}

bool LineReader::failNotText(const std::string& line, std::size_t column)
{
    const auto c = static_cast<unsigned char>(line[column]);
    return fail("line " + std::to_string(m_lineNumber) + " holds the byte " + Hex(c) + " at column " +
                std::to_string(column + 1) + ", which is not text: it is not a text file");
}

bool LineReader::checkFirstLine(std::string& line)
{
    if (line.size() >= 2 && ((line[0] == '\xFF' && line[1] == '\xFE') || (line[0] == '\xFE' && line[1] == '\xFF')))
        return fail("it is UTF-16 text; save it as plain text (ASCII or UTF-8)");
    if (line.starts_with(kUtf8Mark))
        line.erase(0, kUtf8Mark.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!IsTextByte(static_cast<unsigned char>(line[i])))
            return failNotText(line, i);
    }
    return true;
}

bool LineReader::next(std::string& line)
{
    line.clear();
    bool any = false;
    bool ended = false;
    // The first byte of the line that is not text, found while looking for
    // the line end so that each byte is looked at once.
    std::size_t notText = std::string::npos;
    while (!ended) {
        if (m_begin == m_end && !fill())
            break;
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (m_buffer[m_begin] == '\n') {
                ++m_begin;
                ++m_consumed;
                continue;
            }
        }
        any = true;
        const char* start = m_buffer.data() + m_begin;
        const std::size_t available = m_end - m_begin;
        std::size_t length = 0;
        for (; length < available; ++length) {
            const auto c = static_cast<unsigned char>(start[length]);
            if (c >= 0x20)
                continue;
            if (c == '\n' || c == '\r')
                break;
            if (notText == std::string::npos && !IsTextByte(c))
                notText = line.size() + length;
        }
        const std::size_t taken = length < available ? length + 1 : length;
        if (line.size() + length > kMaxLineLength) {
            ++m_lineNumber;
            return fail("line " + std::to_string(m_lineNumber) + " is longer than " + std::to_string(kMaxLineLength) +
                        " characters, which no meter writes: it is not a meter file");
        }
        line.append(start, length);
        if (length < available) {
            ended = true;
            m_skipLineFeed = start[length] == '\r';
        }
        m_begin += taken;
        m_consumed += taken;
    }
    if (!m_error.empty() || !any)
        return false;
    ++m_lineNumber;
    if (m_lineNumber == 1)
        return checkFirstLine(line);
    return notText == std::string::npos || failNotText(line, notText);
}

}  // namespace bramble
