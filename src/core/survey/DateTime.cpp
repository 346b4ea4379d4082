#include "survey/DateTime.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace bramble {
namespace {

constexpr double kMinDay = -657434.0;          // 1 January 100
constexpr double kMaxDay = 2958465.999994213;  // 31 December 9999 23:59:59
constexpr long long kSecondsPerDay = 86400;

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Inverse of SerialDayFromCivil (H. Hinnant's civil_from_days, shifted epoch).
void CivilFromSerialDay(long long serial, int& year, int& month, int& day)
{
    long long z = serial - 25569 + 719468;  // to days since 1970-01-01, then to 0000-03-01
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

void AppendNumber(std::string& out, int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

}  // namespace

long long SerialDayFromCivil(int year, int month, int day)
{
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long mp = (month + 9) % 12;
    const long long doy = (153 * mp + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569;
}

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

DateTime::DateTime(double dayNumber) : m_dt(dayNumber)
{
    if (!std::isfinite(dayNumber) || dayNumber < kMinDay || dayNumber > kMaxDay)
        m_status = Status::invalid;
}

DateTime DateTime::invalid()
{
    DateTime result;
    result.m_status = Status::invalid;
    return result;
}

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return invalid();
    const long long days = SerialDayFromCivil(year, month, day);
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    // Before day 0 the fraction still counts forward from midnight, so it is subtracted.
    return DateTime(static_cast<double>(days) + (days >= 0 ? fraction : -fraction));
}

bool DateTime::decompose(Parts& parts) const
{
    if (!isValid())
        return false;
    // Whole days toward zero; the magnitude of the rest is the time of day.
    double whole = std::trunc(m_dt);
    long long seconds = std::llround(std::fabs(m_dt - whole) * kSecondsPerDay);
    long long serial = static_cast<long long>(whole);
    if (seconds >= kSecondsPerDay) {  // rounding reached the next midnight
        seconds -= kSecondsPerDay;
        serial += m_dt >= 0 ? 1 : -1;
    }
    // -0.25 is day 0 at 06:00, the same as +0.25.
    parts.serialDay = serial;
    CivilFromSerialDay(serial, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return true;
}

int DateTime::year() const
{
    Parts p{};
    return decompose(p) ? p.year : -1;
}
int DateTime::month() const
{
    Parts p{};
    return decompose(p) ? p.month : -1;
}
int DateTime::day() const
{
    Parts p{};
    return decompose(p) ? p.day : -1;
}
int DateTime::hour() const
{
    Parts p{};
    return decompose(p) ? p.hour : -1;
}
int DateTime::minute() const
{
    Parts p{};
    return decompose(p) ? p.minute : -1;
}
int DateTime::second() const
{
    Parts p{};
    return decompose(p) ? p.second : -1;
}

int DateTime::secondsOfDay() const
{
    Parts p{};
    return decompose(p) ? p.hour * 3600 + p.minute * 60 + p.second : -1;
}

int DateTime::dayOfWeek() const
{
    Parts p{};
    if (!decompose(p))
        return -1;
    // Day 0 (30 December 1899) was a Saturday.
    return static_cast<int>(((p.serialDay + 6) % 7 + 7) % 7) + 1;
}

int DateTime::dayOfYear() const
{
    Parts p{};
    if (!decompose(p))
        return -1;
    return static_cast<int>(p.serialDay - SerialDayFromCivil(p.year, 1, 1)) + 1;
}

std::string DateTime::format(std::string_view pattern) const
{
    Parts p{};
    if (!decompose(p))
        return "Invalid DateTime";
    const int weekday = dayOfWeek() - 1;
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        switch (pattern[++i]) {
        case 'Y':
            AppendNumber(out, p.year, 4);
            break;
        case 'y':
            AppendNumber(out, p.year % 100, 2);
            break;
        case 'm':
            AppendNumber(out, p.month, 2);
            break;
        case 'd':
            AppendNumber(out, p.day, 2);
            break;
        case 'H':
            AppendNumber(out, p.hour, 2);
            break;
        case 'M':
            AppendNumber(out, p.minute, 2);
            break;
        case 'S':
            AppendNumber(out, p.second, 2);
            break;
        case 'I':
            AppendNumber(out, p.hour % 12 == 0 ? 12 : p.hour % 12, 2);
            break;
        case 'p':
            out += p.hour < 12 ? "AM" : "PM";
            break;
        case 'j':
            AppendNumber(out, dayOfYear(), 3);
            break;
        case 'a':
            out.append(kDayNames[static_cast<std::size_t>(weekday)], 3);
            break;
        case 'A':
            out += kDayNames[static_cast<std::size_t>(weekday)];
            break;
        case 'b':
            out.append(kMonthNames[static_cast<std::size_t>(p.month - 1)], 3);
            break;
        case 'B':
            out += kMonthNames[static_cast<std::size_t>(p.month - 1)];
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += pattern[i];
        }
    }
    return out;
}

double ContinuousDays(const DateTime& time)
{
    const double v = time.value();
    if (v >= 0.0)
        return v;
    const double whole = std::trunc(v);
    return whole + (whole - v);  // -1.25: day -1, a quarter day after its midnight
}

DateTime FromContinuousDays(double days)
{
    if (days >= 0.0)
        return DateTime(days);
    const double whole = std::floor(days);
    return DateTime(whole - (days - whole));
}

}  // namespace bramble
