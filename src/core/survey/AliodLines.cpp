#include "survey/AliodLines.h"

#include "survey/NumberParse.h"
#include "survey/TextScan.h"

namespace bramble {

void ParseAliodReadingLine(std::string_view line, CAliodStation& r)
{
    const long long c0 = Find(line, ',');
    r.m_strStation = std::string(TrimLeft(Mid(line, 0, c0)));
    // The date's first dash is searched after the name, which may hold dashes.
    const long long d = Find(line, '-', c0 + 1);
    const std::string_view stamp = Mid(line, d - 4, 19);
    r.m_dtTime = DateTime::fromParts(ToInt(Mid(stamp, 0, 4)), ToInt(Mid(stamp, 5, 2)), ToInt(Mid(stamp, 8, 2)),
                                     ToInt(Mid(stamp, 11, 2)), ToInt(Mid(stamp, 14, 2)), ToInt(Mid(stamp, 17, 2)));
    const long long c1 = Find(line, ',', d + 15);
    r.m_dGrav = DoubleFrom(line, c1 + 1);
    r.m_dRawGrav = r.m_dGrav;
    r.m_dGravLessEtc = r.m_dGrav;
    const long long c2 = Find(line, ',', c1 + 1);
    r.m_nLongLevel = IntFrom(line, c2 + 1);
    const long long c3 = Find(line, ',', c2 + 1);
    r.m_nCrossLevel = IntFrom(line, c3 + 1);
    const long long c4 = Find(line, ',', c3 + 1);
    r.m_dTemp = DoubleFrom(line, c4 + 1);
    const long long c5 = Find(line, ',', c4 + 1);
    r.m_dAliodField7 = DoubleFrom(line, c5 + 1);
    const long long c6 = Find(line, ',', c5 + 1);
    r.m_dAliodField8 = c6 == kNotFound ? 0.0 : DoubleFrom(line, c6 + 1);
}

}  // namespace bramble
