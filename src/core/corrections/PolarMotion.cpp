#include "corrections/PolarMotion.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "survey/CKelpDoc.h"
#include "survey/NumberParse.h"

namespace bramble {
namespace {

constexpr std::string_view kAsterisks = "*******************************";   // 31
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

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return !in.bad();
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

PolarTable BuildPolarTable(const std::vector<std::string>& lines, PolarLayout layout, double firstTime,
                           double lastTime)
{
    PolarTable table;
    const double firstDay = std::trunc(firstTime);
    table.m_dFirstDay = firstDay;
    const double days = std::trunc(lastTime + 2.0) - firstDay;
    // Readings out of time order can make the span short or negative: keep
    // one segment so that every reading is still given a defined pole.
    const std::size_t n = days >= 2.0 ? static_cast<std::size_t>(days) : 2;
    table.m_Days.resize(n);

    const std::string key = PolarSearchKey(DateTime(firstTime), layout);
    std::size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].find(key) == std::string::npos) {
            ++i;
            continue;
        }
        table.m_bFound = true;
        for (std::size_t j = 0; j < n; ++j, ++i)
            table.m_Days[j] = i < lines.size() ? ParsePolarLine(lines[i], layout) : CPolarMotion{};
    }
    return table;
}

void InterpolatePolarMotion(CKelpDoc& doc, const PolarTable& table)
{
    const auto& days = table.m_Days;
    if (days.size() < 2)
        return;
    const std::size_t lastSegment = days.size() - 2;
    std::size_t k = 0;
    for (auto& reading : doc.m_Readings) {
        const double t = reading->m_dtTime.value();
        const double dK = table.m_dFirstDay + static_cast<double>(k);
        if (t > dK + 1.0 && k < lastSegment)
            ++k;
        const double d0 = table.m_dFirstDay + static_cast<double>(k);
        const double d1 = d0 + 1.0;
        const CPolarMotion& p0 = days[k];
        const CPolarMotion& p1 = days[k + 1];
        const double slopeX = (p0.m_dX - p1.m_dX) / (d0 - d1);
        const double slopeY = (p0.m_dY - p1.m_dY) / (d0 - d1);
        reading->m_PolarMotion.m_dX = slopeX * t + (p0.m_dX - slopeX * d0);
        reading->m_PolarMotion.m_dY = slopeY * t + (p0.m_dY - slopeY * d0);
    }
}

PolarTableResult ReadPolarMotionTable(CKelpDoc& doc, const std::string& path)
{
    PolarTableResult result;
    if (doc.m_Readings.empty())
        return result;
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) {
        result.m_Status = PolarTableResult::Status::kCannotOpen;
        result.m_strMessage = "Cannot open the polar motion file \"" + path + "\".";
        return result;
    }
    result.m_Layout = DetectPolarLayout(lines);
    const PolarTable table = BuildPolarTable(lines, result.m_Layout, doc.m_Readings.front()->m_dtTime.value(),
                                             doc.m_Readings.back()->m_dtTime.value());
    result.m_nDays = static_cast<int>(table.m_Days.size());
    if (!table.m_bFound) {
        result.m_Status = PolarTableResult::Status::kNotFound;
        return result;
    }
    InterpolatePolarMotion(doc, table);
    result.m_Status = PolarTableResult::Status::kRead;
    return result;
}

double PolarMotionCorrection(double x, double y, double latitudeDeg, double eastLongitudeDeg)
{
    const double xr = x * 4.848136811095355e-06;   // arc-seconds to radians
    const double yr = y * 4.848136811095355e-06;
    const double phi = latitudeDeg * 0.017453292519943278;
    const double lambda = eastLongitudeDeg * 0.017453292519943278;
    const double omega = 7.292115e-05;   // rad/s
    const double w = std::pow(omega, 2.0);
    // -14848300.608 m = -2 x 1.164 x 6378136 m; 1e8 turns m/s^2 into
    // microGal and 0.001 microGal into mGal.
    const double dg = (xr * std::cos(lambda) - yr * std::sin(lambda)) * w * std::sin(phi) * std::cos(phi) *
                      (-14848300.608) * 100000000.0 * 0.001;
    return dg > 0.1 ? 0.0 : dg;
}

}  // namespace bramble
