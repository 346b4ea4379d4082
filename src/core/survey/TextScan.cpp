#include "survey/TextScan.h"

namespace bramble {
namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::size_t ClampStart(std::string_view text, long long from)
{
    if (from <= 0)
        return 0;
    const auto start = static_cast<unsigned long long>(from);
    return start > text.size() ? text.size() + 1 : static_cast<std::size_t>(start);
}

long long ToPosition(std::size_t found)
{
    return found == std::string_view::npos ? kNotFound : static_cast<long long>(found);
}

}  // namespace

long long Find(std::string_view text, std::string_view needle, long long from)
{
    const std::size_t start = ClampStart(text, from);
    if (start > text.size())
        return kNotFound;
    return ToPosition(text.find(needle, start));
}

long long Find(std::string_view text, char needle, long long from)
{
    const std::size_t start = ClampStart(text, from);
    if (start > text.size())
        return kNotFound;
    return ToPosition(text.find(needle, start));
}

std::string_view Mid(std::string_view text, long long first, long long count)
{
    if (first < 0)
        first = 0;
    if (count <= 0 || static_cast<unsigned long long>(first) >= text.size())
        return {};
    return text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

std::string_view Mid(std::string_view text, long long first)
{
    if (first < 0)
        first = 0;
    if (static_cast<unsigned long long>(first) >= text.size())
        return {};
    return text.substr(static_cast<std::size_t>(first));
}

std::string_view TrimLeft(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsWhite(text[i]))
        ++i;
    return text.substr(i);
}

std::string_view TrimRight(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && IsWhite(text[n - 1]))
        --n;
    return text.substr(0, n);
}

bool IsBlankLine(std::string_view text) { return TrimLeft(text).empty(); }

}  // namespace bramble
