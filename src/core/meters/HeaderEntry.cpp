#include "meters/HeaderEntry.h"

#include "meters/MeterFields.h"

namespace bramble::meters {

std::optional<std::pair<std::string_view, std::string_view>> SplitHeaderEntry(std::string_view line)
{
    if (!line.empty() && line.front() == '/')
        line.remove_prefix(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ':')
            continue;
        if (i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t') {
            const std::string_view name = Trim(line.substr(0, i));
            if (name.empty())
                return std::nullopt;
            return std::pair{name, Trim(line.substr(i + 1))};
        }
    }
    return std::nullopt;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace bramble::meters
