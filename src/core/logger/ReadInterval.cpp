#include "logger/ReadInterval.h"

#include <cctype>

namespace bramble {

std::optional<int> ParseReadInterval(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMaxReadInterval)
            return std::nullopt;  // stops before a long number can overflow
    }
    if (negative)
        value = -value;
    if (value < kMinReadInterval)
        return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace bramble
