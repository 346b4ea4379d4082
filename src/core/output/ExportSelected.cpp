#include "output/ExportSelected.h"

namespace bramble {

std::string_view ExportHeaderLine(ExportKind kind, bool aliod)
{
    static constexpr std::string_view kExcelCg3 =
        "Header\tRecord\tStation\tGrav\tSDev\tTilt X\tTilt Y\tTemp\tE.T.C\tDur\t#Rej\tTime\tDate\tRaw Grav\t"
        "Cor. Grav\tBerger\tPressure\tPolar\tDrift\tDrift Correction Name";
    static constexpr std::string_view kExcelAliod =
        "Header\tRecord\tStation\tGrav\tSDev\tCross Level\tLong Level\tTemp\tE.T.C\tDur\t#Rej\tTime\tDate\t"
        "Raw Grav\tCor. Grav\tBerger\tPressure\tPolar\tDrift\tDrift Correction Name";
    static constexpr std::string_view kReportCg3 =
        "Header\tRecord\tStation\t  Grav\t\t  SDev\tTilt X\tTilt Y\t   Temp\t  E.T.C\tDur\t#Rej\tTime\t\tDate\t\t"
        "  Raw Grav\t  Cor. Grav\t    Berger\t    Pressure\t    Polar\t    Drift\tDrift Correction Name";
    static constexpr std::string_view kReportAliod =
        "Header\tRecord\tStation\t  Grav\t\t  SDev\tCross Level\tLong Level\t   Temp\t  E.T.C\tDur\t#Rej\tTime\t\t"
        "Date\t\t  Raw Grav\t  Cor. Grav\t    Berger\t    Pressure\t    Polar\t    Drift\tDrift Correction Name";
    if (kind == ExportKind::excel)
        return aliod ? kExcelAliod : kExcelCg3;
    return aliod ? kReportAliod : kReportCg3;
}

const std::array<int, 20>& ExportedColumns()
{
    using L = CStationList;
    static const std::array<int, 20> columns = {
        L::kHeader,   L::kRecord,      L::kStation,         L::kRelGrav,
        L::kStdDev,   L::kTiltX,       L::kTiltY,           L::kTemp,
        L::kEtc,      L::kDur,         L::kRejected,        L::kTime,
        L::kDate,     L::kGravLessEtc, L::kCorrectedGrav,   L::kBerger,
        L::kPressure, L::kPolarMotion, L::kDriftCorrection, L::kDriftName,
    };
    return columns;
}

std::string ExportDataLine(const CStationList& list, int row, std::string_view lineEnd)
{
    std::string line;
    for (const int column : ExportedColumns()) {
        line += list.Text(row, column);
        line += '\t';
    }
    if (list.OceanLoadShown()) {
        line += list.Text(row, CStationList::kOceanLoad);
        line += '\t';
    }
    line += lineEnd;
    return line;
}

std::string ExportSelected(const CStationList& list, const CKelpDoc& doc, ExportKind kind, std::string_view lineEnd)
{
    std::string text;
    const std::vector<int> rows = list.SelectedRows();
    if (rows.empty())
        return text;
    text += ExportHeaderLine(kind, doc.m_bAliod);
    if (list.OceanLoadShown())
        text += "\tOcean Loading";
    text += lineEnd;
    for (const int row : rows)
        text += ExportDataLine(list, row, lineEnd);
    return text;
}

}  // namespace bramble
