#pragma once

#include <string>
#include <string_view>

namespace bramble {

// A point in time held as a day number: whole days since 30 December 1899,
// the time of day as the fraction. Before that date the whole part counts
// back and the fraction still counts forward from midnight, so -1.25 is
// 29 December 1899 06:00 (the OLE automation date convention: files and
// drift lines written by earlier versions of the program store such values).
//
// An invalid value (an impossible calendar date, or a day number outside
// the years 100..9999) keeps its number but reports !isValid(); it formats
// as "Invalid DateTime" and its parts read as -1.
class DateTime {
public:
    enum class Status { valid, invalid };

    DateTime() = default;  // day 0 (12/30/1899 00:00:00), valid
    explicit DateTime(double dayNumber);

    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static DateTime invalid();

    double value() const { return m_dt; }
    Status status() const { return m_status; }
    bool isValid() const { return m_status == Status::valid; }

    // Calendar parts, rounded to the nearest second; -1 when invalid.
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    int dayOfWeek() const;  // 1 = Sunday
    int dayOfYear() const;  // 1 = 1 January

    // strftime-style formatting: %Y %y %m %d %H %M %S %I %p %j %a %A %b %B %%.
    // Other characters are copied.
    std::string format(std::string_view pattern) const;

    // Seconds since midnight of the time of day, rounded to the second.
    int secondsOfDay() const;

    friend bool operator==(const DateTime&, const DateTime&) = default;

private:
    struct Parts {
        int year, month, day, hour, minute, second;
        long long serialDay;
    };
    bool decompose(Parts& parts) const;

    double m_dt = 0.0;
    Status m_status = Status::valid;
};

// A day number as a continuous count of days, negative before day 0
// (29 December 1899 06:00 is -0.75), and back. Time steps across day 0
// must be taken in this form: the stored form counts the fraction forward
// but the whole days backward.
double ContinuousDays(const DateTime& time);
DateTime FromContinuousDays(double days);

// Days since 1899-12-30 of a proleptic Gregorian date (no range check).
long long SerialDayFromCivil(int year, int month, int day);
int DaysInMonth(int year, int month);

}  // namespace bramble
