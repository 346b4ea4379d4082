#include "oceanload/BlqReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>

namespace bramble {
namespace {

constexpr std::size_t kRowsPerBlock = 6;
constexpr std::size_t kMaxNameLength = 80;
// Far above any provider file (about 500 bytes a station): a bigger file is
// something else and is not read into memory.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

const char* const kRowNames[kRowsPerBlock] = {
    "gravity amplitudes", "tilt east-west amplitudes", "tilt north-south amplitudes",
    "gravity phases",     "tilt east-west phases",     "tilt north-south phases",
};

struct Fault {
    std::string text;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A piece of the file for a message: at most 32 characters, control
// characters shown as '?'.
std::string Quote(std::string_view s)
{
    std::string out = "'";
    for (char c : s.substr(0, 32))
        out += std::iscntrl(static_cast<unsigned char>(c)) ? '?' : c;
    return out + (s.size() > 32 ? "...'" : "'");
}

std::vector<std::string_view> Tokens(std::string_view s)
{
    std::vector<std::string_view> tokens;
    for (;;) {
        while (!s.empty() && IsBlank(s.front()))
            s.remove_prefix(1);
        if (s.empty())
            return tokens;
        std::size_t n = 0;
        while (n < s.size() && !IsBlank(s[n]))
            ++n;
        tokens.push_back(s.substr(0, n));
        s.remove_prefix(n);
    }
}

// A whole token as a number (a non-finite one included: the caller says
// why it cannot be used), or nothing when the token is not one.
std::optional<double> ToNumber(std::string_view token)
{
    std::string_view digits = token;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || end != digits.data() + digits.size())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

// A whole token as a finite number, or a fault.
double ToFiniteNumber(std::string_view token)
{
    const std::optional<double> value = ToNumber(token);
    if (!value)
        throw Fault{Quote(token) + " is not a number"};
    if (!std::isfinite(*value))
        throw Fault{Quote(token) + " is not a finite number"};
    return *value;
}

std::string Upper(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

class BlqParser {
public:
    void Line(std::string_view line, int number)
    {
        const std::string_view text = Trim(line);
        if (text.starts_with("$$"))
            return Comment(text.substr(2));
        if (text.empty())
            return;
        if (m_rows == kRowsPerBlock)
            return StartBlock(text, number);
        Row(text);
    }

    std::vector<BlqBlock> Finish()
    {
        if (m_rows < kRowsPerBlock)
            throw Fault{"the file ends after " + std::to_string(m_rows) + " of the six rows of station '" +
                        m_block.name + "' (line " + std::to_string(m_block.line) + ")"};
        if (m_blocks.empty())
            throw Fault{"it holds no station block (a station name line followed by six rows of eleven numbers)"};
        return std::move(m_blocks);
    }

private:
    void Comment(std::string_view text)
    {
        const std::string upper = Upper(text);
        if (const std::size_t at = upper.find("COLUMN ORDER:"); at != std::string::npos)
            return CheckColumnOrder(text.substr(at + 13));
        const std::size_t at = upper.find("LON/LAT:");
        // A position belongs to the block whose name came last and whose rows are still to come.
        if (at == std::string::npos || m_rows != 0 || m_block.position)
            return;
        if (upper.find("RADI TANG") != std::string::npos)
            throw Fault{"station '" + m_block.name +
                        "' is an ocean-loading displacement block (RADI TANG); gravity needs the GRAV TILT "
                        "parameters"};
        const std::vector<std::string_view> numbers = Tokens(text.substr(at + 8));
        if (numbers.size() < 2 || numbers.size() > 3)
            throw Fault{"'lon/lat:' must be followed by longitude, latitude and height"};
        const BlqPosition p{ToFiniteNumber(numbers[0]), ToFiniteNumber(numbers[1]),
                            numbers.size() > 2 ? ToFiniteNumber(numbers[2]) : 0.0};
        if (std::abs(p.longitudeEastDeg) > 360.0 || std::abs(p.latitudeDeg) > 90.0)
            throw Fault{"the position after 'lon/lat:' is not a longitude and a latitude in degrees"};
        m_block.position = p;
    }

    static void CheckColumnOrder(std::string_view columns)
    {
        const std::vector<std::string_view> names = Tokens(columns);
        bool same = names.size() == oceanload::kBlqColumnCount;
        for (std::size_t i = 0; same && i < names.size(); ++i)
            same = Upper(names[i]) == oceanload::kBlqConstituents[i].name;
        if (!same)
            throw Fault{"the columns must be M2 S2 N2 K2 K1 O1 P1 Q1 MF MM SSA, not " + Quote(Trim(columns))};
    }

    void StartBlock(std::string_view name, int number)
    {
        if (name.size() > kMaxNameLength ||
            std::any_of(name.begin(), name.end(), [](unsigned char c) { return std::iscntrl(c) && c != '\t'; }))
            throw Fault{Quote(name) + " is not a station name: this is not a BLQ file"};
        m_block = BlqBlock{};
        m_block.name = std::string(name);
        m_block.line = number;
        m_rows = 0;
    }

    void Row(std::string_view text)
    {
        const std::vector<std::string_view> tokens = Tokens(text);
        const std::string where =
            "row " + std::to_string(m_rows + 1) + " (" + kRowNames[m_rows] + ") of station '" + m_block.name + "'";
        std::vector<double> values;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const std::string column = i < oceanload::kBlqColumnCount ? oceanload::kBlqConstituents[i].name
                                                                      : "number " + std::to_string(i + 1);
            // Text where the first row should be usually means the file is something else.
            if (m_rows == 0 && !ToNumber(tokens[i]))
                throw Fault{where + " is " + Quote(text) + ", not eleven numbers: this is not a BLQ file"};
            try {
                values.push_back(ToFiniteNumber(tokens[i]));
            } catch (const Fault& fault) {
                throw Fault{where + ", column " + column + ": " + fault.text};
            }
            const bool amplitude = m_rows < 3;
            if (amplitude && values[i] < 0.0)
                throw Fault{where + ", column " + column + ": an amplitude cannot be negative"};
            if (!amplitude && std::abs(values[i]) > 360.0)
                throw Fault{where + ", column " + column + ": " + Quote(tokens[i]) + " is not a phase in degrees"};
        }
        if (values.size() != oceanload::kBlqColumnCount)
            throw Fault{where + " has " + std::to_string(values.size()) + " numbers instead of eleven"};
        if (m_rows == 0)
            std::copy(values.begin(), values.end(), m_block.amplitudes.begin());
        else if (m_rows == 3)
            std::copy(values.begin(), values.end(), m_block.phaseLagsDeg.begin());
        if (++m_rows == kRowsPerBlock)
            Keep();
    }

    void Keep()
    {
        const auto same = std::find_if(m_blocks.begin(), m_blocks.end(),
                                       [&](const BlqBlock& b) { return SameStationName(b.name, m_block.name); });
        if (same == m_blocks.end()) {
            m_blocks.push_back(m_block);
            return;
        }
        if (same->amplitudes != m_block.amplitudes || same->phaseLagsDeg != m_block.phaseLagsDeg)
            throw Fault{"station '" + m_block.name + "' is given twice with different numbers (lines " +
                        std::to_string(same->line) + " and " + std::to_string(m_block.line) + ")"};
    }

    std::vector<BlqBlock> m_blocks;
    BlqBlock m_block;
    std::size_t m_rows = kRowsPerBlock;  // rows read of the current block; all of them when between blocks
};

}  // namespace

BlqReadResult ReadBlqText(std::string_view text, const std::string& source)
{
    // A byte-order mark, as some editors write, is not part of the first line.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    BlqParser parser;
    int number = 0;
    try {
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            ++number;
            parser.Line(text.substr(0, end), number);
            text.remove_prefix(std::min(end + 1, text.size()));
        }
    } catch (const Fault& fault) {
        return Outcome::Error(source + ", line " + std::to_string(number) + ": " + fault.text);
    }
    try {
        return BlqReadResult::Of(parser.Finish());
    } catch (const Fault& fault) {
        return Outcome::Error(source + ": " + fault.text);
    }
}

BlqReadResult ReadBlqFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        return Outcome::Error("cannot read " + path + ": there is no such file");
    if (fs::is_directory(status))
        return Outcome::Error("cannot read " + path + ": it is a folder");
    if (fs::is_regular_file(status) && fs::file_size(path, ec) > kMaxFileBytes)
        return Outcome::Error("cannot read " + path + ": at more than 64 MB it is not a BLQ file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Outcome::Error("cannot read " + path + ": it could not be opened");
    std::string text;
    // Pipes have no size: read them in pieces up to the same limit.
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxFileBytes)
            return Outcome::Error("cannot read " + path + ": at more than 64 MB it is not a BLQ file");
    }
    if (in.bad())
        return Outcome::Error("cannot read " + path + ": reading it failed");
    return ReadBlqText(text, path);
}

}  // namespace bramble
