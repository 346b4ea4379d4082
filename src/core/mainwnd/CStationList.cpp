#include "mainwnd/CStationList.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "corrections/CellFormat.h"
#include "output/StringPrintf.h"
#include "survey/NumberParse.h"

namespace bramble {

const std::array<CStationList::Column, CStationList::kColumnCount>& CStationList::Columns()
{
    static const std::array<Column, kColumnCount> columns = {{
        {"Header", 55},
        {"Record", 55},
        {"Station", 55},
        {"Rel Grav", 85},
        {"Standard Dev", 85},
        {"Tilt X", 55},
        {"Tilt Y", 55},
        {"Temp", 65},
        {"E.T.C.", 70},
        {"Dur", 55},
        {"# Rejected", 80},
        {"Time", 80},
        {"Station Index", 0},
        {"Date", 85},
        {"m_dt", 0},
        {"Rel Grav - E.T.C.", 95},
        {"Corrected Grav", 85},
        {"Berger", 80},
        {"Pressure", 80},
        {"Polar Motion", 80},
        {"Drift Correction", 80},
        {"Drift Correction Name", 125},
        {"Ocean Loading", 85},
    }};
    return columns;
}

int CStationList::ColumnWidth(int column) const
{
    if (column < 0 || column >= kColumnCount || (column == kOceanLoad && !m_bOceanLoadShown))
        return 0;
    return Columns()[static_cast<std::size_t>(column)].width;
}

void CStationList::Fill(int hint)
{
    if (hint != 0 && hint != 1)
        return;
    m_rows.clear();
    m_bOceanLoadShown = false;
    m_rejected.clear();
    m_rows.resize(m_doc.m_Readings.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].reading = static_cast<int>(i);
}

void CStationList::Clear()
{
    m_rows.clear();
    m_bOceanLoadShown = false;
    m_rejected.clear();
}

const CStationList::Row* CStationList::RowAt(int row) const
{
    if (row < 0 || row >= RowCount())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(row)];
}

CStationList::Row* CStationList::RowAt(int row)
{
    return const_cast<Row*>(static_cast<const CStationList&>(*this).RowAt(row));
}

namespace {

// A value of the meter's own, or an empty cell where the meter gives none.
std::string Optional(const char* format, const std::optional<double>& value)
{
    return value ? StringPrintf(format, *value) : std::string();
}

std::string Tilt(const std::optional<double>& tilt, int decimals)
{
    if (!tilt)
        return {};
    return decimals > 0 ? StringPrintf("%.*f", decimals, *tilt) : StringPrintf("%d", static_cast<int>(*tilt));
}

}  // namespace

// The texts a row gets when it is filled: the reading's values as loaded
// (the working gravity and E.T.C. equal the values read until the
// corrections change them, and the list keeps showing what was loaded).
std::string CStationList::LoadedText(const CReading& r, int column) const
{
    switch (column) {
    case kHeader:
        return StringPrintf("%i", r.header() ? r.header()->m_nIndex : 0);
    case kRecord:
        return StringPrintf("%i", r.m_nRecord);
    case kStation:
        return r.m_strStation;
    case kRelGrav:
        return StringPrintf("%9.3f", r.m_dRawGrav);
    case kStdDev:
        return Optional("%7.3f", r.Values().stdDev);
    case kTiltX: {
        const MeterValues values = r.Values();
        return Tilt(values.tiltX, values.tiltDecimals);
    }
    case kTiltY: {
        const MeterValues values = r.Values();
        return Tilt(values.tiltY, values.tiltDecimals);
    }
    case kTemp:
        return Optional("%7.2f", r.Values().temperature);
    case kEtc:
        return Optional("%7.3f", r.Values().etcRead);
    case kDur:
        return Optional("%.0f", r.Values().duration);
    case kRejected: {
        const std::optional<int> rejected = r.Values().rejected;
        return rejected ? StringPrintf("%i", *rejected) : std::string();
    }
    case kTime:
        return r.m_dtTime.format("%H:%M:%S");
    case kStationIndex:
        return StringPrintf("%i", r.stationIndex());
    case kDate:
        return r.m_dtTime.format("%m/%d/%Y");
    case kDayNumber:
        return StringPrintf("%16.9f", r.m_dtTime.value());
    case kGravLessEtc:
        return StringPrintf("%9.3f", r.m_dGravLessEtc);
    default:
        return {};
    }
}

std::string CStationList::Text(int row, int column) const
{
    const Row* r = RowAt(row);
    if (!r || column < 0 || column >= kColumnCount)
        return {};
    if (r->texts) {
        const auto it = r->texts->find(column);
        if (it != r->texts->end())
            return it->second;
    }
    if (column >= kCorrectedGrav && (r->written >> (column - kCorrectedGrav) & 1u)) {
        if (column == kDriftName)
            return r->driftName;
        return FormatCorrection(r->numbers[static_cast<std::size_t>(NumberCellOf(column))]);
    }
    return LoadedText(*m_doc.m_Readings[static_cast<std::size_t>(r->reading)], column);
}

void CStationList::ForgetText(Row& row, int column)
{
    if (row.texts)
        row.texts->erase(column);
}

void CStationList::SetText(int row, int column, std::string text)
{
    Row* r = RowAt(row);
    if (!r || column < 0 || column >= kColumnCount)
        return;
    if (!r->texts)
        r->texts = std::make_unique<std::map<int, std::string>>();
    (*r->texts)[column] = std::move(text);
}

void CStationList::SetCorrection(int row, int column, double value)
{
    Row* r = RowAt(row);
    if (!r || column < kCorrectedGrav || column == kDriftName || column > kOceanLoad)
        return;
    r->numbers[static_cast<std::size_t>(NumberCellOf(column))] = value;
    r->written |= static_cast<std::uint8_t>(1u << (column - kCorrectedGrav));
    ForgetText(*r, column);
}

void CStationList::SetDriftName(int row, std::string name)
{
    Row* r = RowAt(row);
    if (!r)
        return;
    r->driftName = std::move(name);
    r->written |= static_cast<std::uint8_t>(1u << (kDriftName - kCorrectedGrav));
    ForgetText(*r, kDriftName);
}

bool CStationList::AnyCorrectionShown() const
{
    for (const Row& row : m_rows)
        if (row.written != 0)
            return true;
    return false;
}

void CStationList::SetCorrectionCells(int row, CorrectionCells cells)
{
    Row* r = RowAt(row);
    if (!r)
        return;
    r->numbers = {cells.correctedGrav, cells.berger, cells.pressure, cells.polarMotion, cells.drift, cells.oceanLoad};
    r->driftName = std::move(cells.driftName);
    r->written = static_cast<std::uint8_t>((1u << (kOceanLoad - kCorrectedGrav + 1)) - 1u);
    if (r->texts) {
        for (int column = kCorrectedGrav; column <= kOceanLoad; ++column)
            ForgetText(*r, column);
    }
}

// The "Station Index" cell shows the reading's own index; a text written
// over it is what the row follows.
int CStationList::ReadingIndexOf(const Row& r) const
{
    int index = m_doc.m_Readings[static_cast<std::size_t>(r.reading)]->stationIndex();
    if (r.texts && r.texts->count(kStationIndex))
        index = ToInt(r.texts->at(kStationIndex));
    return index - 1;
}

int CStationList::StationIndex(int row) const
{
    const Row* r = RowAt(row);
    return r ? ReadingIndexOf(*r) + 1 : 0;
}

const CReading* CStationList::FindReading(int row) const
{
    const Row* r = RowAt(row);
    if (!r)
        return nullptr;
    const int index = ReadingIndexOf(*r);
    if (index < 0 || static_cast<std::size_t>(index) >= m_doc.m_Readings.size())
        return nullptr;
    return m_doc.m_Readings[static_cast<std::size_t>(index)].get();
}

const CReading& CStationList::Reading(int row) const
{
    const CReading* reading = FindReading(row);
    assert(reading && "CStationList::Reading: a row of the list is required");
    return *reading;
}

CReading& CStationList::Reading(int row)
{
    return const_cast<CReading&>(static_cast<const CStationList&>(*this).Reading(row));
}

bool CStationList::IsSelected(int row) const
{
    const Row* r = RowAt(row);
    return r && r->selected;
}

void CStationList::SelectRow(int row)
{
    if (Row* r = RowAt(row); r && !m_rejected.count(r->reading))
        r->selected = true;
}

void CStationList::DeselectRow(int row)
{
    if (Row* r = RowAt(row))
        r->selected = false;
}

void CStationList::SelectAll()
{
    for (Row& r : m_rows)
        r.selected = m_rejected.empty() || !m_rejected.count(r.reading);
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

namespace {

// The key of a cell's number: x 10000, truncated toward zero.
long long KeyOfNumber(double number)
{
    const double scaled = number * 10000.0;
    // Out-of-range numbers saturate instead of overflowing.
    constexpr double kLimit = 9.0e18;
    if (!(scaled > -kLimit))
        return scaled < 0 ? static_cast<long long>(-kLimit) : 0;
    if (scaled > kLimit)
        return static_cast<long long>(kLimit);
    return static_cast<long long>(std::trunc(scaled));
}

// The number the "m_dt" cell's text ("%16.9f") reads back as, worked out
// from the day number without writing the text: the text holds the whole
// number n nearest to day x 1e9 (found exactly in 128-bit integers), and
// reading it back gives n / 1e9 rounded once, which is what dividing the
// two exact doubles gives. Empty where that does not hold or the rounding
// of the text is a tie: a day number outside 1 .. 2^23 in size (n must stay
// below 2^53), which the text itself then decides.
std::optional<double> DayNumberAsWritten(double day)
{
    const double size = std::fabs(day);
    if (!(size >= 1.0 && size < 8388608.0))
        return std::nullopt;
    int exponent = 0;
    const double fraction = std::frexp(size, &exponent);                      // size = fraction x 2^exponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));  // exact
    const int shift = 53 - exponent;                                          // size = mantissa / 2^shift
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * 1000000000u;
    const unsigned __int128 one = 1;
    const unsigned __int128 rest = scaled & ((one << shift) - 1);
    const unsigned __int128 half = one << (shift - 1);
    if (rest == half)
        return std::nullopt;
    const std::uint64_t nearest = static_cast<std::uint64_t>(scaled >> shift) + (rest > half ? 1 : 0);
    const double value = static_cast<double>(nearest) / 1e9;
    return day < 0 ? -value : value;
}

}  // namespace

long long CStationList::KeyOfText(std::string_view text) { return KeyOfNumber(ToDouble(text)); }

long long CStationList::SortKey(int row) const
{
    const Row* r = RowAt(row);
    return r ? r->key : 0;
}

long long CStationList::KeyOfCell(int row, int column) const
{
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    if ((column != kDayNumber && column != kStation) || (r.texts && r.texts->count(column)))
        return KeyOfText(Text(row, column));
    const CReading& reading = *m_doc.m_Readings[static_cast<std::size_t>(r.reading)];
    if (column == kStation)
        return KeyOfText(reading.m_strStation);
    const double day = reading.m_dtTime.value();
    if (const auto written = DayNumberAsWritten(day))
        return KeyOfNumber(*written);
    // Otherwise the same digits ("%16.9f" and to_chars with 9 decimals
    // round alike), read back alike.
    char digits[400];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, day, std::chars_format::fixed, 9);
    if (ec != std::errc{})
        return KeyOfText(Text(row, column));
    return KeyOfText(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void CStationList::SortBy(int column)
{
    m_nSortColumn = column;
    // The rows are large: sort their keys, then move each row once.
    std::vector<std::pair<long long, int>> order(m_rows.size());
    for (int i = 0; i < RowCount(); ++i)
        order[static_cast<std::size_t>(i)] = {KeyOfCell(i, column), i};
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (std::is_sorted(order.begin(), order.end(), byKey)) {
        // Already in order (a survey read in time order): nothing moves.
        for (std::size_t i = 0; i < order.size(); ++i)
            m_rows[i].key = order[i].first;
        return;
    }
    // Stable, so that equal keys keep the order they had.
    std::stable_sort(order.begin(), order.end(), byKey);
    // Put each row in its place along the cycles of the permutation, so that
    // a million rows are never held twice.
    std::vector<bool> placed(order.size(), false);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        Row held = std::move(m_rows[start]);
        std::size_t at = start;
        for (;;) {
            placed[at] = true;
            const auto from = static_cast<std::size_t>(order[at].second);
            if (from == start) {
                m_rows[at] = std::move(held);
                break;
            }
            m_rows[at] = std::move(m_rows[from]);
            at = from;
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i)
        m_rows[i].key = order[i].first;
}

void CStationList::SortRowsByTime() { SortBy(kDayNumber); }

void CStationList::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    SortBy(column == kTime || column == kDate ? kDayNumber : column);
}

void CStationList::Reject(int row, std::string reason)
{
    if (Row* r = RowAt(row)) {
        r->selected = false;
        m_rejected[r->reading] = std::move(reason);
    }
}

void CStationList::Readmit(int row)
{
    if (const Row* r = RowAt(row))
        m_rejected.erase(r->reading);
}

bool CStationList::IsRejected(int row) const
{
    const Row* r = RowAt(row);
    return r && m_rejected.count(r->reading);
}

std::string CStationList::RejectionReason(int row) const
{
    const Row* r = RowAt(row);
    if (!r)
        return {};
    const auto it = m_rejected.find(r->reading);
    return it == m_rejected.end() ? std::string() : it->second;
}

std::vector<CStationList::RowState> CStationList::SaveRows() const
{
    std::vector<RowState> rows;
    rows.reserve(m_rows.size());
    for (const Row& r : m_rows) {
        RowState& state = rows.emplace_back();
        state.reading = r.reading;
        state.key = r.key;
        state.selected = r.selected;
        state.written = r.written;
        state.numbers = r.numbers;
        state.driftName = r.driftName;
        if (r.texts)
            state.texts.assign(r.texts->begin(), r.texts->end());
    }
    return rows;
}

bool CStationList::RestoreRows(std::vector<RowState> rows, int sortColumn, std::map<int, std::string> rejections)
{
    const std::size_t readings = m_doc.m_Readings.size();
    if (sortColumn < 0 || sortColumn >= kColumnCount || (!rows.empty() && rows.size() != readings))
        return false;
    std::vector<bool> seen(readings, false);
    for (const RowState& state : rows) {
        if (state.reading < 0 || static_cast<std::size_t>(state.reading) >= readings ||
            seen[static_cast<std::size_t>(state.reading)])
            return false;
        seen[static_cast<std::size_t>(state.reading)] = true;
        if (state.selected && rejections.count(state.reading))
            return false;
        if ((state.written >> (kNumberCells + 1)) != 0)
            return false;
        for (const auto& [column, text] : state.texts)
            if (column < 0 || column >= kColumnCount)
                return false;
    }
    for (const auto& [reading, reason] : rejections)
        if (reading < 0 || static_cast<std::size_t>(reading) >= readings || !seen[static_cast<std::size_t>(reading)])
            return false;

    m_rows.clear();
    m_rows.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        RowState& state = rows[i];
        Row& r = m_rows[i];
        r.reading = state.reading;
        r.key = state.key;
        r.selected = state.selected;
        r.written = state.written;
        r.numbers = state.numbers;
        r.driftName = std::move(state.driftName);
        if (!state.texts.empty())
            r.texts = std::make_unique<std::map<int, std::string>>(state.texts.begin(), state.texts.end());
    }
    m_nSortColumn = sortColumn;
    m_rejected = std::move(rejections);
    return true;
}

void CStationList::SwapRows(CStationList& other)
{
    m_rows.swap(other.m_rows);
    std::swap(m_nSortColumn, other.m_nSortColumn);
    m_rejected.swap(other.m_rejected);
}

}  // namespace bramble
