#include "survey/MeterTypeGuess.h"

#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <vector>

#include "meters/MeterFields.h"
#include "survey/LineReader.h"

namespace bramble {
namespace {

constexpr int kLinesLooked = 64;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// "YYYY-MM-DD" after optional blanks, right after the first comma.
bool LooksLikeAliodLine(std::string_view line)
{
    const auto comma = line.find(',');
    if (comma == std::string_view::npos)
        return false;
    std::string_view rest = line.substr(comma + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    if (rest.size() < 10)
        return false;
    for (std::size_t i = 0; i < 10; ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? rest[i] != '-' : !IsDigit(rest[i]))
            return false;
    }
    return true;
}

std::optional<MeterType> ScintrexSlashLine(std::string_view line)
{
    if (line.empty() || line.front() != '/')
        return std::nullopt;
    if (line.find("CG-5") != std::string_view::npos ||
        (line.substr(0, 2) == "/-" && line.find("GRAV") != std::string_view::npos))
        return MeterType::cg5;
    if (line.find("CG-6") != std::string_view::npos || line.find("\tCorrGrav") != std::string_view::npos)
        return MeterType::cg6;
    return std::nullopt;
}

// 15 or 16 fields, the date and time of day where a Burris line has them.
bool LooksLikeBurrisLine(std::string_view line, std::vector<std::string_view>& fields)
{
    if (line.find(',') != std::string_view::npos)
        meters::SplitFields(line, ",", false, fields);
    else
        meters::SplitFields(line, " \t", true, fields);
    if (fields.size() != 15 && fields.size() != 16)
        return false;
    const std::size_t date = fields.size() == 16 ? 3 : 2;
    return meters::ParseDate(fields[date]) && meters::ParseClock(fields[date + 1]) && meters::Number(fields[date + 2]);
}

constexpr std::array<std::pair<MeterType, const char*>, 5> kNames = {{{MeterType::scintrex, "cg3"},
                                                                      {MeterType::aliod, "aliod"},
                                                                      {MeterType::cg5, "cg5"},
                                                                      {MeterType::cg6, "cg6"},
                                                                      {MeterType::burris, "burris"}}};

}  // namespace

std::optional<MeterType> RecogniseMeterType(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    LineReader in(path);
    std::string line;
    std::vector<std::string_view> fields;
    for (int n = 0; n < kLinesLooked && in.next(line); ++n) {
        if (line.find("SCINTREX") != std::string::npos)
            return MeterType::scintrex;
        if (const auto scintrex = ScintrexSlashLine(line))
            return scintrex;
        if (LooksLikeAliodLine(line))
            return MeterType::aliod;
        if (LooksLikeBurrisLine(line, fields))
            return MeterType::burris;
    }
    return std::nullopt;
}

MeterType GuessMeterType(const std::string& path) { return RecogniseMeterType(path).value_or(MeterType::scintrex); }

const char* MeterTypeName(MeterType type)
{
    for (const auto& [t, name] : kNames)
        if (t == type)
            return name;
    return "cg3";
}

std::optional<MeterType> MeterTypeFromName(const std::string& name)
{
    for (const auto& [t, n] : kNames)
        if (name == n)
            return t;
    return std::nullopt;
}

MeterKind MeterKindOf(MeterType type)
{
    switch (type) {
    case MeterType::aliod:
        return MeterKind::aliod;
    case MeterType::cg5:
        return MeterKind::cg5;
    case MeterType::cg6:
        return MeterKind::cg6;
    case MeterType::burris:
        return MeterKind::burris;
    case MeterType::scintrex:
        break;
    }
    return MeterKind::cg3;
}

std::string MeterTypesTried() { return "CG-3, Aliod, CG-5, CG-6 and Burris"; }

}  // namespace bramble
