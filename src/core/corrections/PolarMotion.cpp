#include "corrections/PolarMotion.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "survey/CKelpDoc.h"
#include "survey/LineReader.h"
#include "survey/NumberParse.h"

namespace bramble {
namespace {

constexpr std::string_view kAsterisks = "*******************************";  // 31
constexpr std::size_t kLayoutLines = 5;

std::string_view Field(std::string_view line, std::size_t start, std::size_t length)
{
    return start < line.size() ? line.substr(start, length) : std::string_view{};
}

void BlankZero(std::string& key, std::size_t pos)
{
    if (pos < key.size() && key[pos] == '0')
        key[pos] = ' ';
}

// The lines of the table, or why they cannot be read (the same rules as
// for a meter file: text, bounded lines, a read error is an error).
std::string ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::error_code error;
    LineReader in(path);
    if (std::filesystem::is_directory(path, error) || !in.isOpen())
        return "Cannot open the polar motion file \"" + path + "\".";
    std::string line;
    while (in.next(line))
        lines.push_back(line);
    if (!in.error().empty())
        return "Cannot read the polar motion file \"" + path + "\": " + in.error() + ".";
    return {};
}

}  // namespace

PolarLayout DetectPolarLayout(const std::vector<std::string>& lines)
{
    for (std::size_t i = 0; i < lines.size() && i < kLayoutLines; ++i)
        if (lines[i].find(kAsterisks) != std::string::npos)
            return PolarLayout::kB;
    return PolarLayout::kA;
}

std::string PolarSearchKey(const DateTime& firstReading, PolarLayout layout)
{
    std::string key;
    if (layout == PolarLayout::kA) {
        key = firstReading.format("%y%m%d");
        for (std::size_t pos : {0, 2, 4})
            BlankZero(key, pos);
    } else {
        key = firstReading.format("%Y %m %d");
        for (std::size_t pos : {5, 8})
            BlankZero(key, pos);
    }
    return key;
}

CPolarMotion ParsePolarLine(std::string_view line, PolarLayout layout)
{
    if (layout == PolarLayout::kB) {
        const std::size_t first = line.find_first_not_of(' ');
        line = first == std::string_view::npos ? std::string_view{} : line.substr(first);
    }
    return {ToDouble(Field(line, 17, 10)), ToDouble(Field(line, 37, 10))};
}

std::optional<CPolarMotion> CheckedPolarLine(std::string_view line, PolarLayout layout)
{
    constexpr double kPlausibleArcSeconds = 1.0;
    if (layout == PolarLayout::kB) {
        const std::size_t first = line.find_first_not_of(' ');
        line = first == std::string_view::npos ? std::string_view{} : line.substr(first);
    }
    const auto x = WholeNumber(Field(line, 17, 10));
    const auto y = WholeNumber(Field(line, 37, 10));
    if (!x || !y || std::fabs(*x) > kPlausibleArcSeconds || std::fabs(*y) > kPlausibleArcSeconds)
        return std::nullopt;
    return CPolarMotion{*x, *y};
}

PolarTable BuildPolarTable(const std::vector<std::string>& lines, PolarLayout layout, double firstTime, double lastTime)
{
    PolarTable table;
    const double firstDay = std::trunc(firstTime);
    table.m_dFirstDay = firstDay;
    const double days = std::trunc(lastTime + 2.0) - firstDay;
    const std::size_t n = days >= 2.0 ? static_cast<std::size_t>(days) : 2;
    table.m_Days.resize(n);

    const auto dayText = [&](std::size_t j) { return DateTime(firstDay + static_cast<double>(j)).format("%Y-%m-%d"); };
    const std::string key = PolarSearchKey(DateTime(firstTime), layout);
    std::size_t start = 0;
    while (start < lines.size() && lines[start].find(key) == std::string::npos)
        ++start;
    if (start == lines.size())
        return table;
    table.m_bFound = true;
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t i = start + j;
        if (i >= lines.size()) {
            table.m_strProblem =
                "it ends before " + dayText(j) + ", and the survey needs the pole up to " + dayText(n - 1);
            return table;
        }
        const std::string lineNumber = std::to_string(i + 1);
        if (lines[i].find(PolarSearchKey(DateTime(firstDay + static_cast<double>(j)), layout)) == std::string::npos) {
            table.m_strProblem = "line " + lineNumber + " should hold the pole of " + dayText(j) +
                                 ": the days must follow one another without a gap, repeat or reversal";
            return table;
        }
        const auto pole = CheckedPolarLine(lines[i], layout);
        if (!pole) {
            table.m_strProblem = "line " + lineNumber + " (" + dayText(j) +
                                 ") has no pole position x, y that is a number of plausible size (under 1 arc-second)";
            return table;
        }
        table.m_Days[j] = *pole;
    }
    for (std::size_t i = start + n; i < lines.size(); ++i)
        if (lines[i].find(key) != std::string::npos) {
            table.m_strProblem = "the day " + dayText(0) + " appears twice, on lines " + std::to_string(start + 1) +
                                 " and " + std::to_string(i + 1);
            return table;
        }
    return table;
}

int InterpolatePolarMotion(CKelpDoc& doc, const PolarTable& table)
{
    const auto& days = table.m_Days;
    int uncovered = 0;
    for (auto& reading : doc.m_Readings) {
        const double t = reading->m_dtTime.value();
        const double offset = std::floor(t - table.m_dFirstDay);
        if (!(offset >= 0.0) || offset + 1.0 >= static_cast<double>(days.size())) {
            ++uncovered;
            continue;
        }
        const auto k = static_cast<std::size_t>(offset);
        const double d0 = table.m_dFirstDay + static_cast<double>(k);
        const double d1 = d0 + 1.0;
        const CPolarMotion& p0 = days[k];
        const CPolarMotion& p1 = days[k + 1];
        const double slopeX = (p0.m_dX - p1.m_dX) / (d0 - d1);
        const double slopeY = (p0.m_dY - p1.m_dY) / (d0 - d1);
        reading->m_PolarMotion.m_dX = slopeX * t + (p0.m_dX - slopeX * d0);
        reading->m_PolarMotion.m_dY = slopeY * t + (p0.m_dY - slopeY * d0);
    }
    return uncovered;
}

Result<PolarTableRead> ReadPolarMotionTable(CKelpDoc& doc, const std::string& path)
{
    if (doc.m_Readings.empty())
        return {};
    std::vector<std::string> lines;
    if (std::string why = ReadLines(path, lines); !why.empty())
        return Outcome::Error(std::move(why));
    PolarTableRead result;
    result.m_Layout = DetectPolarLayout(lines);
    // The table spans the survey's earliest to latest reading, whatever
    // their order in the document.
    double earliest = doc.m_Readings.front()->m_dtTime.value();
    double latest = earliest;
    for (const auto& reading : doc.m_Readings) {
        earliest = std::min(earliest, reading->m_dtTime.value());
        latest = std::max(latest, reading->m_dtTime.value());
    }
    const PolarTable table = BuildPolarTable(lines, result.m_Layout, earliest, latest);
    result.m_nDays = static_cast<int>(table.m_Days.size());
    if (!table.m_bFound) {
        Outcome notFound;
        notFound.AddWarning("the polar-motion table " + path +
                            " has no line for the survey's first day; the polar-motion correction stays off");
        return Result<PolarTableRead>::Of(result, std::move(notFound));
    }
    if (!table.m_strProblem.empty())
        return Outcome::Error("The polar motion file \"" + path + "\" cannot be used: " + table.m_strProblem + ".");
    InterpolatePolarMotion(doc, table);
    result.m_bFound = true;
    return Result<PolarTableRead>::Of(result);
}

double PolarMotionCorrection(double x, double y, double latitudeDeg, double eastLongitudeDeg)
{
    const double xr = x * 4.848136811095355e-06;  // arc-seconds to radians
    const double yr = y * 4.848136811095355e-06;
    const double phi = latitudeDeg * 0.017453292519943278;
    const double lambda = eastLongitudeDeg * 0.017453292519943278;
    const double omega = 7.292115e-05;  // rad/s
    const double w = std::pow(omega, 2.0);
    // -14848300.608 m = -2 x 1.164 x 6378136 m; 1e8 turns m/s^2 into
    // microGal and 0.001 microGal into mGal.
    const double dg = (xr * std::cos(lambda) - yr * std::sin(lambda)) * w * std::sin(phi) * std::cos(phi) *
                      (-14848300.608) * 100000000.0 * 0.001;
    return dg > 0.1 ? 0.0 : dg;
}

}  // namespace bramble
