#include "corrections/CellFormat.h"

#include <charconv>
#include <cstring>

namespace bramble {

std::string FormatCorrection(double value)
{
    constexpr int kWidth = 10;
    char digits[400];  // enough for the widest double in fixed notation
    // to_chars with a precision gives the same digits as printf's "%.4f",
    // several times faster, which matters for a million rows.
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits - 1, value, std::chars_format::fixed, 4);
    if (ec != std::errc{})
        return "NaN";
    *end = '\0';
    std::size_t length = static_cast<std::size_t>(end - digits);
    const char* start = digits;
    if (digits[0] == '-' && std::strspn(digits + 1, "0.") == length - 1) {
        ++start;  // -0.00001 and -0.0 print as zero: drop the sign
        --length;
    }
    std::string text;
    if (length < kWidth)
        text.assign(kWidth - length, ' ');
    text.append(start, length);
    return text;
}

}  // namespace bramble
