#pragma once

#include <array>
#include <string>
#include <string_view>

#include "mainwnd/CStationList.h"
#include "output/LineEnd.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// The two exports of the selected station-list rows. Their data lines are
// the same; only the header line differs: "Excel" names the columns plainly,
// "Report" pads them to line up over the data at tab stops.
enum class ExportKind { excel, report };

// The header line (without its line end) for the kind and the meter type:
// Aliod surveys name the tilt columns "Cross Level" and "Long Level".
std::string_view ExportHeaderLine(ExportKind kind, bool aliod);

// The 20 list columns an export writes, in order: all but "Station Index"
// (12) and "m_dt" (14).
const std::array<int, 20>& ExportedColumns();

// One row's data line: each exported cell's text as the list shows it,
// followed by a tab, then the line end. While the list shows its
// ocean-loading column, that cell follows the 20 (and the header line ends
// with "\tOcean Loading").
std::string ExportDataLine(const CStationList& list, int row, std::string_view lineEnd = kTextLineEnd);

// The whole file: the header line, then the data lines of the selected rows
// in the list's current order. Nothing selected gives an empty text (an
// empty file, without the header line).
std::string ExportSelected(const CStationList& list, const CKelpDoc& doc, ExportKind kind,
                           std::string_view lineEnd = kTextLineEnd);

}  // namespace bramble
