#include "survey/AliodLines.h"

#include <optional>

#include "survey/NumberParse.h"
#include "survey/TextScan.h"

namespace bramble {
namespace {

// The text between the comma at `comma` and the next comma (or the end).
std::string_view FieldAfter(std::string_view line, long long comma)
{
    const long long next = Find(line, ',', comma + 1);
    return next == kNotFound ? Mid(line, comma + 1) : Mid(line, comma + 1, next - comma - 1);
}

bool IsDigitAt(std::string_view text, std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; }

// "YYYY-MM-DD hh:mm:ss" with every digit in its place.
bool IsStampShape(std::string_view stamp)
{
    if (stamp.size() != 19)
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u, 11u, 12u, 14u, 15u, 17u, 18u})
        if (!IsDigitAt(stamp, i))
            return false;
    return stamp[4] == '-' && stamp[7] == '-' && stamp[10] == ' ' && stamp[13] == ':' && stamp[16] == ':';
}

}  // namespace

std::string ParseAliodReadingLine(std::string_view line, CAliodStation& r)
{
    const long long c0 = Find(line, ',');
    if (c0 == kNotFound)
        return "it has no comma-separated fields";
    r.m_strStation = std::string(TrimLeft(Mid(line, 0, c0)));
    if (IsBlankLine(r.m_strStation))
        return "it has no station name";
    // The date's first dash is searched after the name, which may hold dashes.
    const long long d = Find(line, '-', c0 + 1);
    const std::string_view stamp = d == kNotFound ? std::string_view{} : Mid(line, d - 4, 19);
    const long long c1 = d == kNotFound ? kNotFound : Find(line, ',', d + 15);
    // The date field must hold the stamp and nothing else.
    if (c1 == kNotFound || d - 4 <= c0 || !IsStampShape(stamp) ||
        TrimRight(TrimLeft(Mid(line, c0 + 1, c1 - c0 - 1))) != stamp)
        return "the date and time are missing or not in the form YYYY-MM-DD hh:mm:ss";
    r.m_dtTime = DateTime::fromParts(ToInt(Mid(stamp, 0, 4)), ToInt(Mid(stamp, 5, 2)), ToInt(Mid(stamp, 8, 2)),
                                     ToInt(Mid(stamp, 11, 2)), ToInt(Mid(stamp, 14, 2)), ToInt(Mid(stamp, 17, 2)));
    if (!r.m_dtTime.isValid())
        return "the date and time " + std::string(stamp) + " are not a valid date and time";

    const long long c2 = Find(line, ',', c1 + 1);
    const long long c3 = c2 == kNotFound ? kNotFound : Find(line, ',', c2 + 1);
    const long long c4 = c3 == kNotFound ? kNotFound : Find(line, ',', c3 + 1);
    const long long c5 = c4 == kNotFound ? kNotFound : Find(line, ',', c4 + 1);
    if (c5 == kNotFound)
        return "it has fewer than the seven fields of a reading";
    const long long c6 = Find(line, ',', c5 + 1);
    if (c6 != kNotFound && Find(line, ',', c6 + 1) != kNotFound)
        return "it has more than the eight fields of a reading";

    const auto grav = WholeNumber(FieldAfter(line, c1));
    if (!grav)
        return "the gravity is not a number";
    const auto longLevel = WholeInt(FieldAfter(line, c2));
    if (!longLevel)
        return "the long level is not a whole number";
    const auto crossLevel = WholeInt(FieldAfter(line, c3));
    if (!crossLevel)
        return "the cross level is not a whole number";
    const auto temp = WholeNumber(FieldAfter(line, c4));
    if (!temp)
        return "the temperature is not a number";
    const auto field7 = WholeNumber(FieldAfter(line, c5));
    if (!field7)
        return "the seventh field is not a number";
    const std::optional<double> field8 =
        c6 == kNotFound ? std::optional<double>(0.0) : WholeNumber(FieldAfter(line, c6));
    if (!field8)
        return "the eighth field is not a number";

    r.m_dGrav = *grav;
    r.m_dRawGrav = r.m_dGrav;
    r.m_dGravLessEtc = r.m_dGrav;
    r.m_nLongLevel = *longLevel;
    r.m_nCrossLevel = *crossLevel;
    r.m_dTemp = *temp;
    r.m_dAliodField7 = *field7;
    r.m_dAliodField8 = *field8;
    return {};
}

}  // namespace bramble
