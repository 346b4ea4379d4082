#include "survey/LineReader.h"

#include <cstring>

namespace bramble {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

LineReader::LineReader(const std::string& path)
    : m_file(std::fopen(path.c_str(), "rb")), m_buffer(kBufferSize)
{
}

bool LineReader::fill()
{
    if (m_eof || !m_file)
        return false;
    const std::size_t n = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file.get());
    m_begin = 0;
    m_end = n;
    if (n == 0)
        m_eof = true;
    return n > 0;
}

bool LineReader::next(std::string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        if (m_begin == m_end && !fill())
            break;
        any = true;
        const char* start = m_buffer.data() + m_begin;
        const std::size_t available = m_end - m_begin;
        const void* lf = std::memchr(start, '\n', available);
        if (lf) {
            const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
            line.append(start, length);
            m_begin += length + 1;
            m_consumed += length + 1;
            break;
        }
        line.append(start, available);
        m_begin = m_end;
        m_consumed += available;
    }
    if (!any)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

}  // namespace bramble
