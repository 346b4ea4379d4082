#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "survey/CKelpDoc.h"

namespace bramble {

// The rows of the station list, without any window: one row per reading,
// 22 columns, an integer sort key per row and the selection (which is the
// rows' check state). The cells of columns 0..15 are made on demand from
// the reading as it was loaded; columns 16..21 hold what the corrections
// wrote. A row finds its reading through its "Station Index" cell.
class CStationList {
public:
    static constexpr int kColumnCount = 22;
    enum ColumnId {
        kHeader = 0, kRecord, kStation, kRelGrav, kStdDev, kTiltX, kTiltY, kTemp, kEtc, kDur, kRejected,
        kTime, kStationIndex, kDate, kDayNumber, kGravLessEtc, kCorrectedGrav, kBerger, kPressure,
        kPolarMotion, kDriftCorrection, kDriftName
    };
    static constexpr int kFirstCorrectionColumn = kCorrectedGrav;

    struct Column {
        const char* title;
        int width;   // pixels; 0 hides the column
    };
    static const std::array<Column, kColumnCount>& Columns();

    explicit CStationList(const CKelpDoc& doc) : m_doc(doc) {}

    // Rebuilds one row per reading, in reading order, none selected:
    // hint 0 for CG-3 data, 1 for Aliod data; any other hint changes nothing.
    void Fill(int hint);
    void Clear();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    std::string Text(int row, int column) const;
    void SetText(int row, int column, std::string text);

    int StationIndex(int row) const;       // the hidden column 12
    CReading& Reading(int row) const;      // m_Readings[StationIndex(row) - 1]

    bool IsSelected(int row) const;
    void SelectRow(int row);
    void DeselectRow(int row);
    void SelectAll();
    void SelectNone();
    std::vector<int> SelectedRows() const;   // in row order
    int SelectedCount() const;

    // Sorts ascending by the "m_dt" cell (key = day number x 10000, truncated).
    void SortRowsByTime();
    // Header click: "Time" and "Date" sort by "m_dt"; the key of every other
    // column is the number at the start of its cell x 10000, truncated.
    void SortByColumn(int column);
    int SortColumn() const { return m_nSortColumn; }
    long long SortKey(int row) const;

    // Key of a cell text: the number at its start x 10000, truncated toward
    // zero (0 when the text does not start with a number).
    static long long KeyOfText(const std::string& text);

private:
    struct Row {
        int reading = 0;        // 0-based index into the document's readings
        long long key = 0;
        bool selected = false;
        // Texts written into the cells after the fill (mostly 16..21).
        std::unique_ptr<std::map<int, std::string>> written;
    };
    const Row& RowAt(int row) const;
    Row& RowAt(int row);
    std::string LoadedText(const CReading& reading, int column) const;
    void SortBy(int column);

    const CKelpDoc& m_doc;
    std::vector<Row> m_rows;
    int m_nSortColumn = 0;
};

}  // namespace bramble
