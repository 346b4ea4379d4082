#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "output/CFinalData.h"
#include "output/LineEnd.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// The texts of the final table: its on-screen list, its printed report and
// its tab-separated export. All read doc.m_FinalData as ComputeFinalOutput
// left it, in its order.

inline constexpr int kFinalColumnCount = 8;
enum FinalColumnId {
    kFinalTime = 0,
    kFinalDate,
    kFinalStation,
    kFinalLatitude,
    kFinalLongitude,
    kFinalGravity,
    kFinalSDev,
    kFinalPoints
};

struct FinalColumn {
    const char* title;
    int width;  // pixels
};
const std::array<FinalColumn, kFinalColumnCount>& FinalColumns();

// The cell texts of one row of the final table (list precision: "%9.3f"
// for coordinates and gravity, "%10.4f" for the deviation).
std::array<std::string, kFinalColumnCount> FinalListRow(const CFinalData& entry);

// The printed report, one string per printed line: the banner
// "Bramble V.2.0502", the column line, then one line per station (four
// decimals). No entries give no lines at all, not even the banner.
std::vector<std::string> FinalReportLines(const CKelpDoc& doc);

// The "&Export Text" file: banner, tab-separated column names, then per
// station its Date and Time cells followed by the other list cells, each
// cell followed by a tab. No entries give an empty text.
std::string FinalTextExport(const CKelpDoc& doc, std::string_view lineEnd = kTextLineEnd);

}  // namespace bramble
