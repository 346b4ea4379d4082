#include "logger/LineEcho.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace bramble {

void LineEcho::Restart(const std::string& path, std::uint64_t size)
{
    m_path = path;
    m_next = 0;
    m_end = size;
    m_lines = 0;
    if (size == 0)
        return;
    std::ifstream in(path, std::ios::binary);
    std::vector<char> block(65536);
    std::uint64_t offset = 0;
    std::uint64_t lineStart = 0;
    while (in && offset < size) {
        const auto want = static_cast<std::streamsize>(std::min<std::uint64_t>(block.size(), size - offset));
        in.read(block.data(), want);
        const auto got = static_cast<std::uint64_t>(in.gcount());
        for (std::uint64_t i = 0; i < got; ++i) {
            const std::uint64_t at = offset + i;
            if (block[static_cast<std::size_t>(i)] == '\n' || at + 1 - lineStart == kMaxLine) {
                lineStart = at + 1;
                ++m_lines;
            }
        }
        offset += got;
        if (got == 0)
            break;
    }
    m_next = lineStart;
}

std::optional<std::string> LineEcho::Next()
{
    if (m_next >= m_end)
        return std::nullopt;
    std::ifstream in(m_path, std::ios::binary);
    if (!in || !in.seekg(static_cast<std::streamoff>(m_next)))
        return std::nullopt;
    const std::uint64_t want = std::min(m_end - m_next, kMaxLine);
    std::string bytes(static_cast<std::size_t>(want), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(want));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const std::size_t lf = bytes.find('\n');
    if (lf != std::string::npos) {
        bytes.resize(lf);
        m_next += lf + 1;
        if (!bytes.empty() && bytes.back() == '\r')
            bytes.pop_back();
    } else if (bytes.size() == kMaxLine) {
        m_next += kMaxLine;
    } else {
        return std::nullopt;  // the line's line feed has not arrived
    }
    ++m_lines;
    return bytes;
}

}  // namespace bramble
