#include "adjust/DatumSources.h"

#include <filesystem>
#include <optional>
#include <sstream>

#include "adjust/TextFields.h"
#include "survey/LineReader.h"

namespace bramble {
namespace {

constexpr double kMicroToMilli = 1e-3;

bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& error)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    LineReader reader(path);
    if (!reader.isOpen()) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    if (!reader.error().empty()) {  // not text, an over-long line or a read error
        error = "cannot read " + path + ": " + reader.error();
        return false;
    }
    return true;
}

// The unit text with the micro sign (Latin-1, UTF-8) written as 'u'.
std::string PlainUnit(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xB5) {
            out += 'u';
            ++i;
        } else if (c == 0xB5) {
            out += 'u';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// "Key: number unit": the number and the unit text after it.
struct KeyValue {
    double value;
    std::string unit;
};

std::optional<KeyValue> ValueAfter(std::string_view line, std::string_view key)
{
    line = TrimBlanks(line);
    if (line.substr(0, key.size()) != key)
        return std::nullopt;
    std::string_view rest = TrimBlanks(line.substr(key.size()));
    const std::size_t end = rest.find_first_of(" \t");
    const auto value = ParseFiniteNumber(rest.substr(0, end));
    if (!value)
        return std::nullopt;
    return KeyValue{*value, end == std::string_view::npos ? std::string() : PlainUnit(TrimBlanks(rest.substr(end)))};
}

bool LooksLikeAbsoluteReport(const std::vector<std::string>& lines)
{
    bool gravity = false, transfer = false;
    for (const std::string& l : lines) {
        const std::string_view t = TrimBlanks(l);
        gravity = gravity || t.rfind("Gravity:", 0) == 0;
        transfer = transfer || t.rfind("Transfer Height:", 0) == 0;
    }
    return gravity && transfer;
}

DatumsRead SimpleDatums(const std::string& path, const std::vector<std::string>& lines)
{
    std::vector<Datum> datums;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string where = path + " line " + std::to_string(n + 1) + ": ";
        const std::string_view line = TrimBlanks(lines[n]);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.find('\0') != std::string_view::npos)
            return Outcome::Error(where + "holds a NUL byte");
        std::istringstream words{std::string(line)};
        std::string station, g, sd, extra;
        if (!(words >> station >> g >> sd) || (words >> extra))
            return Outcome::Error(where + "is not \"station gravity_uGal sd_uGal\"");
        const auto gv = ParseFiniteNumber(g);
        const auto sv = ParseFiniteNumber(sd);
        if (!gv)
            return Outcome::Error(where + "gravity '" + g + "' is not a number");
        if (!sv || *sv < 0.0)
            return Outcome::Error(where + "sd '" + sd + "' is not a number of 0 or more");
        datums.push_back({station, *gv * kMicroToMilli, *sv * kMicroToMilli, path + ":" + std::to_string(n + 1)});
    }
    if (datums.empty())
        return Outcome::Error(path + ": no datum lines (\"station gravity_uGal sd_uGal\")");
    return DatumsRead::Of(std::move(datums));
}

DatumsRead AbsoluteDatum(const std::string& path, const std::vector<std::string>& lines, double readingHeightCm)
{
    std::vector<Datum> datums;
    std::string name;
    std::optional<double> gravity, total, scatter, transfer, gradient;
    for (const std::string& raw : lines) {
        const std::string_view l = TrimBlanks(raw);
        if (name.empty() && l.rfind("Name:", 0) == 0)
            name = std::string(TrimBlanks(l.substr(5)));
        // Each key is taken the first time it comes with the expected unit:
        // the reports repeat "Transfer Height:" and "Gradient:" further down
        // as corrections in uGal.
        if (const auto v = ValueAfter(l, "Gravity:"); v && !gravity && v->unit == "uGal")
            gravity = v->value;
        if (const auto v = ValueAfter(l, "Total Uncertainty:"); v && !total && v->unit == "uGal")
            total = v->value;
        if (const auto v = ValueAfter(l, "Set Scatter:"); v && !scatter && v->unit == "uGal")
            scatter = v->value;
        if (const auto v = ValueAfter(l, "Transfer Height:"); v && !transfer && v->unit == "cm")
            transfer = v->value;
        if (const auto v = ValueAfter(l, "Gradient:"); v && !gradient && v->unit == "uGal/cm")
            gradient = v->value;
    }
    const auto missing = [&](const char* what) {
        return Outcome::Error(path + ": the absolute-gravity report has no " + what);
    };
    if (name.empty())
        return missing("station \"Name:\"");
    if (name.find_first_of(" \t") != std::string::npos)
        return missing("station name without blanks in \"Name:\"");
    if (!gravity)
        return missing("\"Gravity:\" in uGal");
    if (!total && !scatter)
        return missing("\"Total Uncertainty:\" or \"Set Scatter:\" in uGal");
    if (!transfer)
        return missing("\"Transfer Height:\" in cm");
    if (!gradient)
        return missing("\"Gradient:\" in uGal/cm");
    const double sd = total ? *total : *scatter;
    if (sd < 0.0)
        return Outcome::Error(path + ": the uncertainty is negative");
    const double g = *gravity + *gradient * (readingHeightCm - *transfer);
    datums.push_back({name, g * kMicroToMilli, sd * kMicroToMilli, path});
    return DatumsRead::Of(std::move(datums));
}

}  // namespace

DatumsRead ParseDatumArgument(std::string_view text)
{
    std::vector<Datum> datums;
    const std::size_t eq = text.rfind('=');
    if (eq == std::string_view::npos || eq == 0)
        return Outcome::Error("datum '" + std::string(text) + "' is not STATION=G[:SD]");
    const std::string station(TrimBlanks(text.substr(0, eq)));
    std::string_view value = text.substr(eq + 1);
    std::optional<double> sd = 0.0;
    if (const std::size_t colon = value.find(':'); colon != std::string_view::npos) {
        sd = ParseFiniteNumber(value.substr(colon + 1));
        value = value.substr(0, colon);
    }
    const auto g = ParseFiniteNumber(value);
    if (station.empty() || !g || !sd || *sd < 0.0)
        return Outcome::Error("datum '" + std::string(text) + "' is not STATION=G[:SD] (mGal, SD 0 or more)");
    datums.push_back({station, *g, *sd, "--datum " + std::string(text)});
    return DatumsRead::Of(std::move(datums));
}

DatumsRead ReadDatumFile(const std::string& path, double readingHeightCm)
{
    std::vector<std::string> lines;
    std::string error;
    if (!ReadLines(path, lines, error))
        return Outcome::Error(error);
    return LooksLikeAbsoluteReport(lines) ? AbsoluteDatum(path, lines, readingHeightCm) : SimpleDatums(path, lines);
}

DatumsRead ReadAbsoluteReport(const std::string& path, double readingHeightCm)
{
    std::vector<std::string> lines;
    std::string error;
    if (!ReadLines(path, lines, error))
        return Outcome::Error(error);
    return AbsoluteDatum(path, lines, readingHeightCm);
}

}  // namespace bramble
