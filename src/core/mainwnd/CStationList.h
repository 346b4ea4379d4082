#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "survey/CKelpDoc.h"

namespace bramble {

// The rows of the station list, without any window: one row per reading,
// 23 columns, an integer sort key per row and the selection (which is the
// rows' check state). The cells of columns 0..15 are made on demand from
// the reading as it was loaded; columns 16..21 show what the corrections
// wrote, kept as numbers and formatted ("%10.4f") when asked for, so that a
// million rows stay small. Column 22, the ocean-loading correction, is
// shown only while that correction is on (ShowOceanLoad); hidden, the list
// is the 22 columns it always was. A row finds its reading through its "Station
// Index" cell. Nothing here throws: a row outside the list reads as empty
// and is not changed.
class CStationList {
public:
    static constexpr int kColumnCount = 23;
    enum ColumnId {
        kHeader = 0,
        kRecord,
        kStation,
        kRelGrav,
        kStdDev,
        kTiltX,
        kTiltY,
        kTemp,
        kEtc,
        kDur,
        kRejected,
        kTime,
        kStationIndex,
        kDate,
        kDayNumber,
        kGravLessEtc,
        kCorrectedGrav,
        kBerger,
        kPressure,
        kPolarMotion,
        kDriftCorrection,
        kDriftName,
        kOceanLoad
    };
    static constexpr int kFirstCorrectionColumn = kCorrectedGrav;

    struct Column {
        const char* title;
        int width;  // pixels; 0 hides the column
    };
    static const std::array<Column, kColumnCount>& Columns();
    // The width the column has now: Columns()' width, 0 for the
    // ocean-loading column while it is hidden.
    int ColumnWidth(int column) const;
    void ShowOceanLoad(bool shown) { m_bOceanLoadShown = shown; }
    bool OceanLoadShown() const { return m_bOceanLoadShown; }

    // The list reads and, through the non-const Reading(), changes the
    // readings of `doc`, which must outlive it.
    explicit CStationList(CKelpDoc& doc) : m_doc(doc) { }

    // Rebuilds one row per reading, in reading order, none selected, the
    // ocean-loading column hidden: hint 0 for CG-3 data, 1 for Aliod data;
    // any other hint changes nothing.
    void Fill(int hint);
    void Clear();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    std::string Text(int row, int column) const;
    // Any text into any cell (the corrections write through the two below).
    void SetText(int row, int column, std::string text);
    // A correction cell (kCorrectedGrav .. kDriftCorrection, kOceanLoad)
    // shows `value` as "%10.4f"; the drift name cell shows `name`.
    void SetCorrection(int row, int column, double value);
    void SetDriftName(int row, std::string name);

    // The values the corrections show in a row's cells 16..22, written in
    // one go after a reading was recomputed.
    struct CorrectionCells {
        double correctedGrav = 0.0;
        double berger = 0.0;
        double pressure = 0.0;
        double polarMotion = 0.0;
        double drift = 0.0;
        std::string driftName;
        double oceanLoad = 0.0;
    };
    void SetCorrectionCells(int row, CorrectionCells cells);

    // True when the corrections wrote into any row (cells 16..21).
    bool AnyCorrectionShown() const;

    int StationIndex(int row) const;  // the hidden column 12
    // m_Readings[StationIndex(row) - 1]; `row` must be a row of the list
    // (0 <= row < RowCount()). FindReading gives null for any other row.
    const CReading& Reading(int row) const;
    CReading& Reading(int row);
    const CReading* FindReading(int row) const;

    bool IsSelected(int row) const;
    void SelectRow(int row);
    void DeselectRow(int row);
    void SelectAll();
    void SelectNone();
    std::vector<int> SelectedRows() const;  // in row order
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
    static long long KeyOfText(std::string_view text);
    // KeyOfText of the cell's text, without making the text where the cell
    // shows a value of its reading as it is (the station name, the "m_dt"
    // day number); `row` must be a row of the list.
    long long KeyOfCell(int row, int column) const;

    // --- Rejected readings ----------------------------------------------
    // A rejected reading keeps its row but cannot be selected, so it takes
    // no part in anything that works on the selection (corrections, drift,
    // final table, exports). Rejecting deselects the row. Rejections are
    // kept by reading (0-based index into the document's readings), so they
    // follow the row through every sort; Fill and Clear forget them.
    void Reject(int row, std::string reason);
    void Readmit(int row);
    bool IsRejected(int row) const;
    std::string RejectionReason(int row) const;  // empty when not rejected
    const std::map<int, std::string>& Rejections() const { return m_rejected; }

    // --- Saved state (undo, project files) ------------------------------
    // Everything a row holds, copyable, for putting the list back exactly.
    struct RowState {
        int reading = 0;  // 0-based index into the document's readings
        long long key = 0;
        bool selected = false;
        std::uint8_t written = 0;  // which of the cells 16..22 were written (bit c - 16)
        std::array<double, kDriftCorrection - kCorrectedGrav + 2> numbers{};  // cells 16..20, then 22
        std::string driftName;
        std::vector<std::pair<int, std::string>> texts;  // other texts written into cells

        friend bool operator==(const RowState&, const RowState&) = default;
    };
    std::vector<RowState> SaveRows() const;
    // Puts back rows, sort column and rejections as saved. Refuses (false,
    // nothing changed) rows that are not one per reading of the document
    // (or none), rows or rejections that name no reading, a reading twice, a rejected row that is selected, or a
    // column outside the list.
    bool RestoreRows(std::vector<RowState> rows, int sortColumn, std::map<int, std::string> rejections);
    // Exchanges rows, sort column and rejections with a list whose document
    // exchanges its readings at the same time (SwapSessionContents).
    void SwapRows(CStationList& other);

private:
    // The number cells 16..20, then 22 (21 is the drift name).
    static constexpr int kNumberCells = kDriftCorrection - kCorrectedGrav + 2;
    static int NumberCellOf(int column) { return column == kOceanLoad ? kNumberCells - 1 : column - kCorrectedGrav; }
    // The members are ordered largest first so that a million rows waste
    // no padding.
    struct Row {
        long long key = 0;
        std::array<double, kNumberCells> numbers{};
        std::string driftName;
        // Other texts written into cells; rare, so made only when needed.
        std::unique_ptr<std::map<int, std::string>> texts;
        int reading = 0;  // 0-based index into the document's readings
        bool selected = false;
        // Which of the cells 16..22 the corrections wrote (bit c - 16).
        std::uint8_t written = 0;
    };
    const Row* RowAt(int row) const;
    Row* RowAt(int row);
    int ReadingIndexOf(const Row& row) const;
    std::string LoadedText(const CReading& reading, int column) const;
    static void ForgetText(Row& row, int column);
    void SortBy(int column);

    CKelpDoc& m_doc;
    std::vector<Row> m_rows;
    int m_nSortColumn = 0;
    bool m_bOceanLoadShown = false;
    std::map<int, std::string> m_rejected;  // reading index -> reason
};

}  // namespace bramble
