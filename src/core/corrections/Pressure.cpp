#include "corrections/Pressure.h"

#include <algorithm>
#include <cmath>

#include "survey/CKelpDoc.h"
#include "survey/NumberParse.h"

namespace bramble {
namespace {

constexpr auto npos = std::string_view::npos;

// A straight line of pressure against day number through two entries of
// different times.
struct Segment {
    double k = 0.0;
    double b = 0.0;
    Segment(double tA, double pA, double tB, double pB) : k((pA - pB) / (tA - tB)), b(pA - k * tA) { }
    double at(double t) const { return k * t + b; }
};

}  // namespace

std::optional<double> NominalPressureFromElevation(double elevationM)
{
    if (!(elevationM >= kMinNominalElevationM && elevationM <= kMaxNominalElevationM))
        return std::nullopt;
    return 1013.25 * std::pow((288.15 - 0.0065 * elevationM) * 0.00347041471455839, 5.2559);
}

std::string DefaultPressureEntry(const DateTime& time)
{
    return time.format("%m/%d/%Y  %H:%M:%S  ") + kDefaultPressureText;
}

namespace {

std::optional<PressureEntry> ParseEntry(std::string_view text, std::string& why)
{
    why = "has no possible date and time";
    const std::size_t first = text.find_first_not_of(' ');
    if (first == npos)
        return std::nullopt;
    const std::string_view s = text.substr(first);

    const int month = ToInt(s);
    const std::size_t p1 = s.find('/');
    if (p1 == npos)
        return std::nullopt;
    const int day = ToInt(s.substr(p1 + 1, 2));
    const std::size_t p2 = s.find('/', p1 + 2);
    if (p2 == npos)
        return std::nullopt;
    const int year = ToInt(s.substr(p2 + 1, 4));
    const std::size_t p3 = s.find(':', p2 + 1);
    if (p3 == npos)
        return std::nullopt;
    // The hour is the two characters before the first colon.
    const int hour = p3 >= 2 ? ToInt(s.substr(p3 - 2, 2)) : ToInt(s.substr(0, p3));
    const int minute = ToInt(s.substr(p3 + 1, 2));
    const std::size_t p4 = s.find(':', p3 + 1);
    if (p4 == npos)
        return std::nullopt;
    const int second = ToInt(s.substr(p4 + 1, 2));

    PressureEntry entry;
    entry.m_dtTime = DateTime::fromParts(year, month, day, hour, minute, second);
    if (!entry.m_dtTime.isValid())
        return std::nullopt;
    // The pressure is the whole rest of the entry: "0x10" or "1013hPa" is
    // not a pressure, and neither is a missing one.
    why = "has no pressure that is a number";
    const std::size_t blank = s.find(' ', p4 + 1);
    const auto pressure = blank == npos ? std::nullopt : WholeNumber(s.substr(blank));
    if (!pressure)
        return std::nullopt;
    entry.m_dPressure = *pressure;
    const std::size_t doubleBlank = s.size() > 17 ? s.find("  ", 17) : npos;
    const auto walk = doubleBlank == npos ? std::optional<NumberPrefix>(NumberPrefix{*pressure, 0})
                                          : ReadNumberPrefix(s.substr(doubleBlank));
    if (!walk)
        return std::nullopt;
    entry.m_dWalkPressure = walk->value;
    why.clear();
    return entry;
}

}  // namespace

std::optional<PressureEntry> ParsePressureEntry(std::string_view text)
{
    std::string why;
    return ParseEntry(text, why);
}

std::vector<std::string> SortPressureEntries(std::vector<std::string> entries)
{
    std::vector<std::pair<double, std::string>> keyed;
    keyed.reserve(entries.size());
    for (std::string& text : entries) {
        const auto entry = ParsePressureEntry(text);
        keyed.emplace_back(entry ? entry->m_dtTime.value() : HUGE_VAL, std::move(text));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(keyed.size());
    for (auto& [key, text] : keyed)
        sorted.push_back(std::move(text));
    return sorted;
}

Result<int> AssignPressures(CKelpDoc& doc, const std::vector<std::string>& entries)
{
    Result<int> result = Result<int>::Of(0);
    std::vector<std::pair<PressureEntry, const std::string*>> parsed;
    for (const std::string& text : entries) {
        std::string why;
        if (auto entry = ParseEntry(text, why))
            parsed.emplace_back(*entry, &text);
        else
            result.AddWarning("The pressure entry \"" + text + "\" " + why + "; it was skipped.");
    }
    std::stable_sort(parsed.begin(), parsed.end(),
                     [](const auto& a, const auto& b) { return a.first.m_dtTime.value() < b.first.m_dtTime.value(); });
    // Two entries at one time give no line between them: the first one
    // (in list order) is used, and the operator is told.
    std::vector<PressureEntry> usable;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        if (!usable.empty() && parsed[i].first.m_dtTime.value() == usable.back().m_dtTime.value()) {
            result.AddWarning("The pressure entry \"" + *parsed[i].second + "\" has the same time as \"" +
                              *parsed[kept].second + "\"; it was skipped.");
            continue;
        }
        kept = i;
        usable.push_back(parsed[i].first);
    }
    const std::size_t n = usable.size();
    result.SetValue(static_cast<int>(n));
    if (n == 0)
        return result;

    if (n == 1) {
        for (auto& reading : doc.m_Readings)
            reading->m_dPressure = usable[0].m_dPressure;
        return result;
    }

    double tA = usable[0].m_dtTime.value();
    double pA = usable[0].m_dPressure;
    double tB = usable[1].m_dtTime.value();
    double pB = usable[1].m_dPressure;
    Segment line(tA, pA, tB, pB);
    if (n == 2) {
        for (auto& reading : doc.m_Readings)
            reading->m_dPressure = line.at(reading->m_dtTime.value());
        return result;
    }

    // The walk moves at most one segment per reading: readings in time order
    // follow the entries; a reading far beyond the current segment is
    // extrapolated and the following readings catch up.
    std::size_t next = 2;
    for (auto& reading : doc.m_Readings) {
        const double t = reading->m_dtTime.value();
        if (t < tA) {
            reading->m_dPressure = pA;
        } else if (t <= tB) {
            reading->m_dPressure = line.at(t);
        } else if (next < n) {
            tA = tB;
            pA = pB;
            tB = usable[next].m_dtTime.value();
            pB = usable[next].m_dWalkPressure;
            ++next;
            line = Segment(tA, pA, tB, pB);
            reading->m_dPressure = line.at(t);
        } else {
            reading->m_dPressure = pB;
        }
    }
    return result;
}

double PressureCorrection(double pressure, double nominalPressure)
{
    if (pressure >= nominalPressure - 200.0 && pressure <= nominalPressure + 200.0)
        return (pressure - nominalPressure) * 0.3 * 0.001;
    return 0.0;
}

}  // namespace bramble
