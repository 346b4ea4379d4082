#include "survey/NumberParse.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

namespace bramble {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

// Length of the longest prefix of the form [digits][.digits][e[sign]digits]
// with at least one mantissa digit; 0 when there is none.
std::size_t MantissaAndExponentLength(std::string_view t)
{
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i]))
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        if (j < t.size() && IsDigit(t[j])) {
            while (j < t.size() && IsDigit(t[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// The value of a plain decimal such as "2400.010" (no exponent, at most 15
// digits), computed without the general conversion: the digits as a whole
// number and the power of ten are both exact doubles, so their quotient is
// the correctly rounded value, the same double from_chars gives. Empty for
// any other form, which takes the general path.
std::optional<double> ShortDecimal(std::string_view number)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t digits = 0;
    std::size_t count = 0;
    std::size_t decimals = 0;
    bool afterPoint = false;
    for (const char c : number) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (!IsDigit(c))
            return std::nullopt;  // an exponent
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        if (++count > 15)
            return std::nullopt;
        if (afterPoint)
            ++decimals;
    }
    return static_cast<double>(digits) / kPowersOfTen[decimals];
}

std::string_view Tail(std::string_view line, long long pos)
{
    if (pos < 0)
        pos = 0;
    if (static_cast<unsigned long long>(pos) >= line.size())
        return {};
    return line.substr(static_cast<std::size_t>(pos));
}

}  // namespace

std::optional<NumberPrefix> ReadNumberPrefix(std::string_view text)
{
    const std::size_t blanks = text.size() - SkipBlanks(text).size();
    std::string_view t = text.substr(blanks);
    std::size_t sign = 0;
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        sign = 1;
        t.remove_prefix(1);
    }
    const std::size_t length = MantissaAndExponentLength(t);
    if (length == 0)
        return std::nullopt;
    if (const auto exact = ShortDecimal(t.substr(0, length)))
        return NumberPrefix{negative ? -*exact : *exact, blanks + sign + length};
    double value = 0.0;
    const auto result = std::from_chars(t.data(), t.data() + length, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // A tiny exponent is 0; a huge one has no finite value.
        const auto e = t.substr(0, length).find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < length && t[e + 1] == '-';
        if (!tiny)
            return std::nullopt;
        value = 0.0;
    } else if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return NumberPrefix{negative ? -value : value, blanks + sign + length};
}

std::optional<double> WholeNumber(std::string_view text)
{
    const auto number = ReadNumberPrefix(text);
    if (!number || !SkipBlanks(text.substr(number->end)).empty())
        return std::nullopt;
    return number->value;
}

std::optional<int> WholeInt(std::string_view text)
{
    std::string_view t = SkipBlanks(text);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    const std::size_t firstDigit = i;
    while (i < t.size() && IsDigit(t[i]))
        ++i;
    if (i == firstDigit || !SkipBlanks(t.substr(i)).empty() || i - firstDigit > 10)
        return std::nullopt;
    // At most ten digits: the value fits a long long before the range check.
    long long value = 0;
    for (std::size_t k = firstDigit; k < i; ++k)
        value = value * 10 + (t[k] - '0');
    if (t[0] == '-')
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

double ToDouble(std::string_view text)
{
    const auto number = ReadNumberPrefix(text);
    return number ? number->value : 0.0;
}

int ToInt(std::string_view text)
{
    std::string_view t = SkipBlanks(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    long long value = 0;
    for (char c : t) {
        if (!IsDigit(c))
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;  // saturate, keep reading digits
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double DoubleFrom(std::string_view line, long long pos) { return ToDouble(Tail(line, pos)); }
int IntFrom(std::string_view line, long long pos) { return ToInt(Tail(line, pos)); }

bool StartsWithNumber(std::string_view text)
{
    std::string_view t = SkipBlanks(text);
    if (!t.empty() && (t[0] == '+' || t[0] == '-'))
        t.remove_prefix(1);
    return MantissaAndExponentLength(t) > 0;
}

}  // namespace bramble
