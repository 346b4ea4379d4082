#include "output/TabSeparated.h"

#include <algorithm>
#include <iterator>

#include "mainwnd/CStationList.h"
#include "output/FinalTexts.h"

namespace bramble {
namespace {

std::string CleanCell(const std::string& text)
{
    std::string cell = text;
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    const auto first = cell.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = cell.find_last_not_of(' ');
    return cell.substr(first, last - first + 1);
}

void AppendLine(std::string& text, const std::vector<std::string>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += '\t';
        text += CleanCell(cells[i]);
    }
    text += '\n';
}

}  // namespace

std::string TabSeparatedText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows)
{
    std::string text;
    AppendLine(text, header);
    for (const auto& row : rows)
        AppendLine(text, row);
    return text;
}

std::string SelectedRowsText(const CStationList& list)
{
    std::vector<int> shown;
    std::vector<std::string> header;
    for (int c = 0; c < CStationList::kColumnCount; ++c) {
        if (list.ColumnWidth(c) > 0) {
            shown.push_back(c);
            header.emplace_back(CStationList::Columns()[static_cast<std::size_t>(c)].title);
        }
    }
    std::vector<std::vector<std::string>> rows;
    for (int row : list.SelectedRows()) {
        std::vector<std::string> cells;
        cells.reserve(shown.size());
        for (int c : shown)
            cells.push_back(list.Text(row, c));
        rows.push_back(std::move(cells));
    }
    return TabSeparatedText(header, rows);
}

std::string FinalRowsText(const CKelpDoc& doc, const std::vector<int>& rows)
{
    std::vector<std::string> header;
    for (const FinalColumn& column : FinalColumns())
        header.emplace_back(column.title);
    std::vector<std::vector<std::string>> cells;
    for (int row : rows) {
        if (row < 0 || static_cast<std::size_t>(row) >= doc.m_FinalData.size())
            continue;
        const auto it = std::next(doc.m_FinalData.begin(), row);
        const auto texts = FinalListRow(**it);
        cells.emplace_back(texts.begin(), texts.end());
    }
    return TabSeparatedText(header, cells);
}

}  // namespace bramble
