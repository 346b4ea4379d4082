#include "output/FinalTexts.h"

#include "output/StringPrintf.h"

namespace bramble {
namespace {

std::string Banner(const CKelpDoc& doc) { return StringPrintf("Bramble V.%6.4f", doc.m_dVersion); }

}  // namespace

const std::array<FinalColumn, kFinalColumnCount>& FinalColumns()
{
    static const std::array<FinalColumn, kFinalColumnCount> columns = {{
        {"Time", 75},
        {"Date", 75},
        {"Station", 65},
        {"Latitude", 65},
        {"Longitude", 65},
        {"Gravity", 65},
        {"SDev", 65},
        {"# of Points", 75},
    }};
    return columns;
}

std::array<std::string, kFinalColumnCount> FinalListRow(const CFinalData& e)
{
    return {
        e.m_dtTime.format("%H:%M:%S"),        e.m_dtTime.format("%m/%d/%Y"),         e.m_strStation,
        StringPrintf("%9.3f", e.m_dLatitude), StringPrintf("%9.3f", e.m_dLongitude), StringPrintf("%9.3f", e.m_dGrav),
        StringPrintf("%10.4f", e.m_dSDev),    StringPrintf("%i", e.m_nPoints),
    };
}

std::vector<std::string> FinalReportLines(const CKelpDoc& doc)
{
    std::vector<std::string> lines;
    if (doc.m_FinalData.empty())
        return lines;
    lines.push_back(Banner(doc));
    lines.emplace_back("Date            Time           Station      Latitude     Longitude    Gravity        "
                       "SDev       # Of Points");
    for (const auto& e : doc.m_FinalData) {
        lines.push_back(e->m_dtTime.format("%m/%d/%Y  %H:%M:%S     ") + e->m_strStation +
                        StringPrintf("        %9.4f", e->m_dLatitude) + StringPrintf("    %9.4f", e->m_dLongitude) +
                        StringPrintf("    %9.4f", e->m_dGrav) + StringPrintf("   %9.4f", e->m_dSDev) +
                        StringPrintf("     %i", e->m_nPoints));
    }
    return lines;
}

std::string FinalTextExport(const CKelpDoc& doc, std::string_view lineEnd)
{
    std::string text;
    if (doc.m_FinalData.empty())
        return text;
    text += Banner(doc);
    text += lineEnd;
    text += "Date\tTime\tStation\tLatitude\tLongitude\tGravity\tSDev\t# Of Points";
    text += lineEnd;
    for (const auto& e : doc.m_FinalData) {
        const auto cells = FinalListRow(*e);
        // The date comes first, as in the column line above.
        text += cells[kFinalDate] + '\t' + cells[kFinalTime] + '\t';
        for (int c = kFinalStation; c < kFinalColumnCount; ++c)
            text += cells[static_cast<std::size_t>(c)] + '\t';
        text += lineEnd;
    }
    return text;
}

}  // namespace bramble
