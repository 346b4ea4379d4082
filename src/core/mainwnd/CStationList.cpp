#include "mainwnd/CStationList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "output/StringPrintf.h"
#include "survey/NumberParse.h"

namespace bramble {

const std::array<CStationList::Column, CStationList::kColumnCount>& CStationList::Columns()
{
    static const std::array<Column, kColumnCount> columns = {{
        {"Header", 55}, {"Record", 55}, {"Station", 55}, {"Rel Grav", 85}, {"Standard Dev", 85},
        {"Tilt X", 55}, {"Tilt Y", 55}, {"Temp", 65}, {"E.T.C.", 70}, {"Dur", 55}, {"# Rejected", 80},
        {"Time", 80}, {"Station Index", 0}, {"Date", 85}, {"m_dt", 0}, {"Rel Grav - E.T.C.", 95},
        {"Corrected Grav", 85}, {"Berger", 80}, {"Pressure", 80}, {"Polar Motion", 80},
        {"Drift Correction", 80}, {"Drift Correction Name", 125},
    }};
    return columns;
}

void CStationList::Fill(int hint)
{
    if (hint != 0 && hint != 1)
        return;
    m_rows.clear();
    m_rows.resize(m_doc.m_Readings.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].reading = static_cast<int>(i);
}

void CStationList::Clear() { m_rows.clear(); }

const CStationList::Row& CStationList::RowAt(int row) const
{
    if (row < 0 || row >= RowCount())
        throw std::out_of_range("station list row out of range");
    return m_rows[static_cast<std::size_t>(row)];
}

CStationList::Row& CStationList::RowAt(int row)
{
    return const_cast<Row&>(static_cast<const CStationList&>(*this).RowAt(row));
}

// The texts a row gets when it is filled: the reading's values as loaded
// (the working gravity and E.T.C. equal the values read until the
// corrections change them, and the list keeps showing what was loaded).
std::string CStationList::LoadedText(const CReading& r, int column) const
{
    const auto* cg3 = r.isAliod() ? nullptr : static_cast<const CScintrexStation*>(&r);
    const auto* aliod = r.isAliod() ? static_cast<const CAliodStation*>(&r) : nullptr;
    switch (column) {
    case kHeader: return StringPrintf("%i", r.header() ? r.header()->m_nIndex : 0);
    case kRecord: return StringPrintf("%i", r.m_nRecord);
    case kStation: return r.m_strStation;
    case kRelGrav: return StringPrintf("%9.3f", r.m_dRawGrav);
    case kStdDev: return StringPrintf("%7.3f", cg3 ? cg3->m_dStdDev : 0.0);
    case kTiltX: return StringPrintf("%d", cg3 ? cg3->m_nTiltX : aliod->m_nCrossLevel);
    case kTiltY: return StringPrintf("%d", cg3 ? cg3->m_nTiltY : aliod->m_nLongLevel);
    case kTemp: return StringPrintf("%7.2f", r.m_dTemp);
    case kEtc: return StringPrintf("%7.3f", cg3 ? cg3->m_dEtcRead : 0.0);
    case kDur: return StringPrintf("%d", cg3 ? cg3->m_nDur : 0);
    case kRejected: return StringPrintf("%i", cg3 ? cg3->m_nRejected : 0);
    case kTime: return r.m_dtTime.format("%H:%M:%S");
    case kStationIndex: return StringPrintf("%i", r.stationIndex());
    case kDate: return r.m_dtTime.format("%m/%d/%Y");
    case kDayNumber: return StringPrintf("%16.9f", r.m_dtTime.value());
    case kGravLessEtc: return StringPrintf("%9.3f", r.m_dGravLessEtc);
    default: return {};
    }
}

std::string CStationList::Text(int row, int column) const
{
    const Row& r = RowAt(row);
    if (column < 0 || column >= kColumnCount)
        return {};
    if (r.written) {
        const auto it = r.written->find(column);
        if (it != r.written->end())
            return it->second;
    }
    return LoadedText(*m_doc.m_Readings[static_cast<std::size_t>(r.reading)], column);
}

void CStationList::SetText(int row, int column, std::string text)
{
    Row& r = RowAt(row);
    if (column < 0 || column >= kColumnCount)
        return;
    if (!r.written)
        r.written = std::make_unique<std::map<int, std::string>>();
    (*r.written)[column] = std::move(text);
}

int CStationList::StationIndex(int row) const { return ToInt(Text(row, kStationIndex)); }

CReading& CStationList::Reading(int row) const
{
    const int index = StationIndex(row);
    if (index < 1 || static_cast<std::size_t>(index) > m_doc.m_Readings.size())
        throw std::out_of_range("station index out of range");
    return *m_doc.m_Readings[static_cast<std::size_t>(index - 1)];
}

bool CStationList::IsSelected(int row) const { return RowAt(row).selected; }
void CStationList::SelectRow(int row) { RowAt(row).selected = true; }
void CStationList::DeselectRow(int row) { RowAt(row).selected = false; }

void CStationList::SelectAll()
{
    for (Row& r : m_rows)
        r.selected = true;
}

void CStationList::SelectNone()
{
    for (Row& r : m_rows)
        r.selected = false;
}

std::vector<int> CStationList::SelectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < RowCount(); ++i)
        if (m_rows[static_cast<std::size_t>(i)].selected)
            rows.push_back(i);
    return rows;
}

int CStationList::SelectedCount() const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.selected; }));
}

long long CStationList::KeyOfText(const std::string& text)
{
    const double scaled = ToDouble(text) * 10000.0;
    // Out-of-range numbers saturate instead of overflowing.
    constexpr double kLimit = 9.0e18;
    if (!(scaled > -kLimit))
        return scaled < 0 ? static_cast<long long>(-kLimit) : 0;
    if (scaled > kLimit)
        return static_cast<long long>(kLimit);
    return static_cast<long long>(std::trunc(scaled));
}

long long CStationList::SortKey(int row) const { return RowAt(row).key; }

void CStationList::SortBy(int column)
{
    m_nSortColumn = column;
    for (int i = 0; i < RowCount(); ++i)
        m_rows[static_cast<std::size_t>(i)].key = KeyOfText(Text(i, column));
    // Stable, so that equal keys keep the order they had.
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
}

void CStationList::SortRowsByTime() { SortBy(kDayNumber); }

void CStationList::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    SortBy(column == kTime || column == kDate ? kDayNumber : column);
}

}  // namespace bramble
