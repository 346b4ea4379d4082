#include "meters/MeterFields.h"

#include <array>
#include <charconv>
#include <cmath>

namespace bramble::meters {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits (blanks before them allowed, as in "2013/ 9/11"); -1 when none or
// more than `maxDigits`.
int DatePart(std::string_view part, std::size_t maxDigits)
{
    part = Trim(part);
    if (part.empty() || part.size() > maxDigits)
        return -1;
    int value = 0;
    for (char c : part) {
        if (!IsDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> Number(std::string_view field)
{
    field = Trim(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (field.empty())
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> Integer(std::string_view field)
{
    field = Trim(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (field.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

std::optional<CivilDate> ParseDate(std::string_view field)
{
    field = Trim(field);
    const char separator = field.find('/') != std::string_view::npos ? '/' : '-';
    const std::size_t first = field.find(separator);
    const std::size_t second = first == std::string_view::npos ? first : field.find(separator, first + 1);
    if (second == std::string_view::npos || field.find(separator, second + 1) != std::string_view::npos)
        return std::nullopt;
    const std::string_view a = Trim(field.substr(0, first));
    const std::string_view b = field.substr(first + 1, second - first - 1);
    const std::string_view c = Trim(field.substr(second + 1));
    CivilDate date;
    if (a.size() == 4) {
        date = {DatePart(a, 4), DatePart(b, 2), DatePart(c, 2)};
    } else if (c.size() == 4) {
        date = {DatePart(c, 4), DatePart(a, 2), DatePart(b, 2)};
    } else {
        return std::nullopt;
    }
    if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

std::optional<ClockTime> ParseClock(std::string_view field)
{
    field = Trim(field);
    const std::size_t first = field.find(':');
    const std::size_t second = first == std::string_view::npos ? first : field.find(':', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const int hour = DatePart(field.substr(0, first), 2);
    const int minute = DatePart(field.substr(first + 1, second - first - 1), 2);
    const std::string_view secondText = field.substr(second + 1);
    const std::optional<double> sec =
        secondText.empty() || !IsDigit(secondText.front()) ? std::nullopt : Number(secondText);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || !sec || *sec < 0.0 || *sec >= 60.0)
        return std::nullopt;
    return ClockTime{hour, minute, *sec};
}

std::optional<DateTime> MakeTime(const CivilDate& date, const ClockTime& clock, double addHours)
{
    // Day numbers before 1900 count the time of day backwards; no meter file is that old.
    const DateTime midnight = DateTime::fromParts(date.year, date.month, date.day);
    if (date.year < 1900 || !midnight.isValid() || !std::isfinite(addHours) || std::abs(addHours) > 24.0)
        return std::nullopt;
    const double seconds = clock.hour * 3600.0 + clock.minute * 60.0 + clock.second + addHours * 3600.0;
    const DateTime moment(midnight.value() + seconds / 86400.0);
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

void SplitFields(std::string_view line, std::string_view separators, bool mergeRuns,
                 std::vector<std::string_view>& fields)
{
    fields.clear();
    // A table rather than a search of `separators` per character: this
    // loop sees every byte of the file.
    std::array<bool, 256> isSeparator{};
    for (char c : separators)
        isSeparator[static_cast<unsigned char>(c)] = true;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i != line.size() && !isSeparator[static_cast<unsigned char>(line[i])])
            continue;
        if (!mergeRuns || i > start)
            fields.push_back(line.substr(start, i - start));
        start = i + 1;
    }
}

std::string_view ShortDecimal(std::string_view text)
{
    text = Trim(text);
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos || !Number(text))
        return text;
    for (char c : text.substr(dot + 1))
        if (!IsDigit(c))
            return text;
    std::size_t end = text.size();
    while (end > dot + 1 && text[end - 1] == '0')
        --end;
    if (end == dot + 1)
        end = dot;
    return end == 0 ? text : text.substr(0, end);
}

}  // namespace bramble::meters
