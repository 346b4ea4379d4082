#include "survey/MeterTypeGuess.h"

#include <cctype>
#include <string_view>

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

}  // namespace

MeterType GuessMeterType(const std::string& path)
{
    LineReader in(path);
    std::string line;
    for (int n = 0; n < kLinesLooked && in.next(line); ++n) {
        if (line.find("SCINTREX") != std::string::npos)
            return MeterType::scintrex;
        if (LooksLikeAliodLine(line))
            return MeterType::aliod;
    }
    return MeterType::scintrex;
}

}  // namespace bramble
