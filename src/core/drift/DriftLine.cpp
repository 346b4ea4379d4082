#include "drift/DriftLine.h"

#include <cstdio>

#include "output/StringPrintf.h"
#include "survey/NumberParse.h"
#include "survey/TextScan.h"

namespace bramble {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string FormatDriftLine(const CDriftCorrection& drift)
{
    std::string line = drift.m_dtStart.format("%m/%d/%Y  %H:%M:%S  ");
    for (double c : drift.m_dCoeff)
        line += StringPrintf("%9.3f ", c);
    return line;
}

namespace {

// The coefficients and whether each field read was one finite number.
std::array<double, 6> Coefficients(std::string_view text, bool& allNumbers)
{
    std::array<double, 6> coeff{};
    allNumbers = true;
    std::size_t i = 0;
    for (double& c : coeff) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i == text.size())
            break;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        const auto number = WholeNumber(text.substr(start, i - start));
        allNumbers = allNumbers && number.has_value();
        c = number.value_or(0.0);
    }
    return coeff;
}

}  // namespace

std::array<double, 6> ParseCoefficients(std::string_view text)
{
    bool allNumbers = true;
    return Coefficients(text, allNumbers);
}

std::optional<std::array<double, 6>> CheckedCoefficients(std::string_view text)
{
    bool allNumbers = true;
    const auto coeff = Coefficients(text, allNumbers);
    if (!allNumbers)
        return std::nullopt;
    return coeff;
}

Result<std::array<double, 6>> ReadDriftRate(std::string_view text)
{
    std::size_t fields = 0;
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i < text.size())
            ++fields;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
    }
    const auto coeff = CheckedCoefficients(text);
    if (fields == 0 || fields > 6 || !coeff)
        return Outcome::Error("The rate \"" + std::string(text) +
                              "\" is not a drift rate: type one to six numbers separated by blanks, c1 in mGal "
                              "per day first (for example 0.125 or -0.3 0.01).");
    return Result<std::array<double, 6>>::Of(*coeff);
}

CDriftCorrection ParseDriftLine(std::string_view raw)
{
    const std::string_view line = TrimLeft(raw);
    const int month = ToInt(Mid(line, 0, 2));
    const long long slash1 = Find(line, '/');
    const long long slash2 = slash1 == kNotFound ? kNotFound : Find(line, '/', slash1 + 1);
    const int day = slash1 == kNotFound ? 0 : IntFrom(line, slash1 + 1);
    const int year = slash2 == kNotFound ? 0 : IntFrom(line, slash2 + 1);
    const long long colon1 = Find(line, ':');
    const long long colon2 = colon1 == kNotFound ? kNotFound : Find(line, ':', colon1 + 1);
    const int hour = colon1 == kNotFound ? 0 : ToInt(Mid(line, colon1 - 2));
    const int minute = colon1 == kNotFound ? 0 : IntFrom(line, colon1 + 1);
    const int second = colon2 == kNotFound ? 0 : IntFrom(line, colon2 + 1);

    CDriftCorrection drift;
    const DateTime start = DateTime::fromParts(year, month, day, hour, minute, second);
    drift.m_dtStart = start.isValid() ? start : DateTime(0.0);
    // The coefficients follow the first blank after the seconds.
    const long long blank = Find(line, ' ', colon2 == kNotFound ? 0 : colon2 + 1);
    if (blank != kNotFound) {
        const auto coeff = CheckedCoefficients(Mid(line, blank));
        if (!coeff)
            return CDriftCorrection{};  // a coefficient that is not a number: no drift line at all
        drift.m_dCoeff = *coeff;
    }
    return drift;
}

double DriftAt(const CDriftCorrection& drift, double dayNumber)
{
    const double x = dayNumber - drift.m_dtStart.value();
    double power = 1.0;
    double sum = 0.0;
    for (double c : drift.m_dCoeff) {
        power *= x;
        sum += c * power;
    }
    return sum;
}

}  // namespace bramble
