#pragma once

#include <string>
#include <vector>

namespace bramble {

class CKelpDoc;
class CStationList;

// Rows of cells as tab-separated text, as the clipboard gives it to a
// spreadsheet: the header line, then one line per row, every line ended by
// "\n". Cells lose the blanks around them (the list pads its numbers), and
// a tab or line end inside a cell becomes a blank, so that it cannot split
// a cell or a row.
std::string TabSeparatedText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

// The selected rows of the station list, in list order, with the columns
// the list shows (the hidden "Station Index" and "m_dt" are left out, and
// the ocean-loading column while it is hidden).
std::string SelectedRowsText(const CStationList& list);

// Rows `rows` (0-based, in the order given) of the final table, with its
// column titles.
std::string FinalRowsText(const CKelpDoc& doc, const std::vector<int>& rows);

}  // namespace bramble
