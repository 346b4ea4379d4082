#include "project/SessionSnapshot.h"

#include <cstring>
#include <unordered_map>

#include "session/ReductionSession.h"

namespace bramble {
namespace {

// Gives each distinct text one index, so that a hundred thousand readings
// named after a handful of drift corrections hold a handful of strings.
class TextTable {
public:
    explicit TextTable(std::vector<std::string>& texts) : m_texts(texts) { }
    std::uint32_t IndexOf(const std::string& text)
    {
        const auto [it, added] = m_index.try_emplace(text, static_cast<std::uint32_t>(m_texts.size()));
        if (added)
            m_texts.push_back(text);
        return it->second;
    }

private:
    std::vector<std::string>& m_texts;
    std::unordered_map<std::string, std::uint32_t> m_index;
};

template <class T>
int IndexOf(const std::vector<std::unique_ptr<T>>& items, const T* current)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == current)
            return static_cast<int>(i);
    return -1;
}

std::size_t StringBytes(const std::string& text)
{
    // Short texts live inside the string object.
    return sizeof(std::string) + (text.size() > 15 ? text.capacity() + 1 : 0);
}

}  // namespace

std::size_t SessionSnapshot::Bytes() const
{
    std::size_t bytes = sizeof(SessionSnapshot);
    for (const std::string& text : texts)
        bytes += StringBytes(text);
    bytes += readings.capacity() * sizeof(ReadingState);
    bytes += rows.capacity() * sizeof(SnapshotRow);
    for (const CellText& cell : cellTexts)
        bytes += sizeof(CellText) - sizeof(std::string) + StringBytes(cell.text);
    for (const auto& [reading, reason] : rejections)
        bytes += 48 + StringBytes(reason);
    for (const std::string& entry : settings.m_PressureList)
        bytes += StringBytes(entry);
    bytes += driftCorrections.capacity() * sizeof(CDriftCorrection);
    for (const CFinalData& row : finalData)
        bytes += sizeof(CFinalData) + row.m_Values.capacity() * sizeof(double);
    return bytes;
}

SessionSnapshot TakeSnapshot(ReductionSession& session)
{
    const ReductionSession::StateParts parts = session.State();
    const CKelpDoc& doc = parts.doc;
    SessionSnapshot snapshot;
    TextTable texts(snapshot.texts);
    snapshot.readings.reserve(doc.m_Readings.size());
    for (const auto& reading : doc.m_Readings) {
        const CReading& r = *reading;
        snapshot.readings.push_back({r.m_dGrav, r.m_dPressure, r.m_dTideCorr, r.m_dDriftCorr, r.m_dPolarCorr,
                                     r.m_dPressureCorr, r.m_PolarMotion.m_dX, r.m_PolarMotion.m_dY,
                                     r.Values().etc.value_or(0.0), r.m_dOceanLoad, r.m_dOceanLoadCorr,
                                     texts.IndexOf(r.m_strDriftName),
                                     texts.IndexOf(r.m_strNote)});
    }
    const std::vector<CStationList::RowState> rows = parts.list.SaveRows();
    snapshot.rows.reserve(rows.size());
    for (const CStationList::RowState& row : rows) {
        snapshot.rows.push_back({row.key, row.numbers, row.reading, texts.IndexOf(row.driftName), row.written,
                                 row.selected});
        for (const auto& [column, text] : row.texts)
            snapshot.cellTexts.push_back({static_cast<int>(snapshot.rows.size()) - 1, column, text});
    }
    snapshot.sortColumn = parts.list.SortColumn();
    snapshot.rejections = parts.list.Rejections();
    snapshot.settings = parts.settings;
    // What a drift command keeps for its Cancel is made afresh by the next
    // command before it is used, so it is no part of the state between
    // commands.
    snapshot.drift = parts.drift;
    snapshot.drift.m_Saved.clear();
    snapshot.drift.m_bReapplying = false;
    snapshot.driftNames = parts.driftNames;
    snapshot.driftNames.m_Saved.clear();
    snapshot.summary = parts.summary;
    for (const auto& drift : doc.m_DriftCorrections)
        snapshot.driftCorrections.push_back(*drift);
    snapshot.currentDrift = IndexOf(doc.m_DriftCorrections, doc.m_pCurDrift);
    for (const auto& row : doc.m_FinalData)
        snapshot.finalData.push_back(*row);
    snapshot.currentFinal = IndexOf(doc.m_FinalData, doc.m_pCurFinal);
    snapshot.aliodHeader = doc.m_AliodHeader;
    snapshot.subtractMean = doc.m_bSubtractMean;
    return snapshot;
}

Outcome RestoreSnapshot(ReductionSession& session, const SessionSnapshot& snapshot)
{
    const ReductionSession::StateParts parts = session.State();
    CKelpDoc& doc = parts.doc;
    if (snapshot.readings.size() != doc.m_Readings.size())
        return Outcome::Error("the saved state holds " + std::to_string(snapshot.readings.size()) +
                              " readings, the survey " + std::to_string(doc.m_Readings.size()));
    for (const ReadingState& r : snapshot.readings)
        if (r.driftName >= snapshot.texts.size() || r.note >= snapshot.texts.size())
            return Outcome::Error("the saved state names a text it does not hold");
    const auto inRange = [](int index, std::size_t size) {
        return index >= -1 && (index < 0 || static_cast<std::size_t>(index) < size);
    };
    if (!inRange(snapshot.currentDrift, snapshot.driftCorrections.size()) ||
        !inRange(snapshot.currentFinal, snapshot.finalData.size()))
        return Outcome::Error("the saved state's current drift or final row is not one of its own");
    std::vector<CStationList::RowState> rows(snapshot.rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SnapshotRow& row = snapshot.rows[i];
        if (row.driftName >= snapshot.texts.size())
            return Outcome::Error("the saved state names a text it does not hold");
        rows[i] = {row.reading, row.key, row.selected, row.written, row.numbers, snapshot.texts[row.driftName], {}};
    }
    for (const CellText& cell : snapshot.cellTexts) {
        if (cell.row < 0 || static_cast<std::size_t>(cell.row) >= rows.size())
            return Outcome::Error("the saved state has a cell text of a row it does not hold");
        rows[static_cast<std::size_t>(cell.row)].texts.emplace_back(cell.column, cell.text);
    }
    if (!parts.list.RestoreRows(std::move(rows), snapshot.sortColumn, snapshot.rejections))
        return Outcome::Error("the saved rows of the station list do not fit the survey's readings");

    for (std::size_t i = 0; i < snapshot.readings.size(); ++i) {
        const ReadingState& state = snapshot.readings[i];
        CReading& r = *doc.m_Readings[i];
        r.m_dGrav = state.grav;
        r.m_dPressure = state.pressure;
        r.m_dTideCorr = state.tideCorr;
        r.m_dDriftCorr = state.driftCorr;
        r.m_dPolarCorr = state.polarCorr;
        r.m_dPressureCorr = state.pressureCorr;
        r.m_dOceanLoad = state.oceanLoad;
        r.m_dOceanLoadCorr = state.oceanLoadCorr;
        r.m_PolarMotion = {state.polarX, state.polarY};
        r.SetWorkingEtc(state.etc);
        r.m_strDriftName = snapshot.texts[state.driftName];
        r.m_strNote = snapshot.texts[state.note];
    }
    parts.settings = snapshot.settings;
    parts.list.ShowOceanLoad(snapshot.settings.m_bApplyOceanLoad);
    parts.drift = snapshot.drift;
    parts.driftNames = snapshot.driftNames;
    parts.summary = snapshot.summary;
    doc.m_DriftCorrections.clear();
    for (const CDriftCorrection& drift : snapshot.driftCorrections)
        doc.m_DriftCorrections.push_back(std::make_unique<CDriftCorrection>(drift));
    doc.m_pCurDrift = snapshot.currentDrift < 0 ? nullptr : doc.m_DriftCorrections[snapshot.currentDrift].get();
    doc.m_FinalData.clear();
    for (const CFinalData& row : snapshot.finalData)
        doc.m_FinalData.push_back(std::make_unique<CFinalData>(row));
    doc.m_pCurFinal = snapshot.currentFinal < 0 ? nullptr : doc.m_FinalData[snapshot.currentFinal].get();
    doc.m_AliodHeader = snapshot.aliodHeader;
    doc.m_bSubtractMean = snapshot.subtractMean;
    return {};
}

namespace {

template <class T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool SameDrift(const DriftState& a, const DriftState& b)
{
    return a.m_dMeanGrav == b.m_dMeanGrav && a.m_dMeanTime == b.m_dMeanTime && a.m_dMeanTimeGrav == b.m_dMeanTimeGrav &&
           a.m_dMeanTimeSquare == b.m_dMeanTimeSquare && a.m_dtStart.value() == b.m_dtStart.value() &&
           a.m_dCoeff == b.m_dCoeff;
}

bool SameFinal(const CFinalData& a, const CFinalData& b)
{
    return a.m_dtTime.value() == b.m_dtTime.value() && a.m_dTimeSum == b.m_dTimeSum && a.m_strStation == b.m_strStation &&
           a.m_dLatitude == b.m_dLatitude && a.m_dLongitude == b.m_dLongitude && a.m_dGrav == b.m_dGrav &&
           a.m_dSDev == b.m_dSDev && a.m_nPoints == b.m_nPoints && a.m_Values == b.m_Values;
}

}  // namespace

bool SameState(const SessionSnapshot& a, const SessionSnapshot& b)
{
    // Readings and rows are plain numbers, without padding that could differ
    // (ReadingState: eleven doubles and two 32-bit indexes; rows compared field by field).
    static_assert(sizeof(ReadingState) == 11 * sizeof(double) + 2 * sizeof(std::uint32_t));
    if (a.texts != b.texts || !SameBits(a.readings, b.readings) || a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const SnapshotRow& x = a.rows[i];
        const SnapshotRow& y = b.rows[i];
        if (x.key != y.key || x.reading != y.reading || x.driftName != y.driftName || x.written != y.written ||
            x.selected != y.selected || std::memcmp(x.numbers.data(), y.numbers.data(), sizeof x.numbers) != 0)
            return false;
    }
    if (!(a.cellTexts == b.cellTexts) || a.sortColumn != b.sortColumn || a.rejections != b.rejections ||
        !(a.settings == b.settings) || !SameDrift(a.drift, b.drift) || a.currentDrift != b.currentDrift ||
        a.currentFinal != b.currentFinal || !(a.aliodHeader == b.aliodHeader) || a.subtractMean != b.subtractMean)
        return false;
    if (a.driftNames.m_DriftNames != b.driftNames.m_DriftNames || a.driftNames.m_nDriftSel != b.driftNames.m_nDriftSel ||
        a.driftNames.m_bAddNextDrift != b.driftNames.m_bAddNextDrift)
        return false;
    if (std::memcmp(&a.summary.m_nReadings, &b.summary.m_nReadings, sizeof(int)) != 0 ||
        a.summary.Text(SelectionSummary::kTime) != b.summary.Text(SelectionSummary::kTime))
        return false;
    for (int field = SelectionSummary::kGrav; field < SelectionSummary::kTime; ++field)
        if (a.summary.Text(static_cast<SelectionSummary::Field>(field)) !=
            b.summary.Text(static_cast<SelectionSummary::Field>(field)))
            return false;
    if (a.driftCorrections.size() != b.driftCorrections.size() || a.finalData.size() != b.finalData.size())
        return false;
    for (std::size_t i = 0; i < a.driftCorrections.size(); ++i)
        if (a.driftCorrections[i].m_dtStart.value() != b.driftCorrections[i].m_dtStart.value() ||
            a.driftCorrections[i].m_dCoeff != b.driftCorrections[i].m_dCoeff)
            return false;
    for (std::size_t i = 0; i < a.finalData.size(); ++i)
        if (!SameFinal(a.finalData[i], b.finalData[i]))
            return false;
    return true;
}

void SwapSessionContents(ReductionSession& a, ReductionSession& b)
{
    const ReductionSession::StateParts x = a.State();
    const ReductionSession::StateParts y = b.State();
    CKelpDoc& d = x.doc;
    CKelpDoc& e = y.doc;
    const MeterKind meterOfD = d.Meter();
    const MeterKind meterOfE = e.Meter();
    d.m_Readings.swap(e.m_Readings);
    d.m_Headers.swap(e.m_Headers);
    d.m_DriftCorrections.swap(e.m_DriftCorrections);
    d.m_FinalData.swap(e.m_FinalData);
    std::swap(d.m_pCurHeader, e.m_pCurHeader);
    std::swap(d.m_pCurStation, e.m_pCurStation);
    std::swap(d.m_pCurAliodHeader, e.m_pCurAliodHeader);
    std::swap(d.m_pCurAliodStation, e.m_pCurAliodStation);
    std::swap(d.m_pCurDrift, e.m_pCurDrift);
    std::swap(d.m_pCurFinal, e.m_pCurFinal);
    std::swap(d.m_AliodHeader, e.m_AliodHeader);
    std::swap(d.m_bSubtractMean, e.m_bSubtractMean);
    d.SetMeter(meterOfE);  // and m_bAliod with it
    e.SetMeter(meterOfD);
    std::swap(d.m_nRecords, e.m_nRecords);
    std::swap(d.m_strFilePath, e.m_strFilePath);
    std::swap(d.m_bInstrument, e.m_bInstrument);
    std::swap(d.m_bAsciiFile, e.m_bAsciiFile);
    const std::string title = d.GetTitle();
    d.SetTitle(e.GetTitle());
    e.SetTitle(title);
    x.list.SwapRows(y.list);
    std::swap(x.settings, y.settings);
    std::swap(x.drift, y.drift);
    std::swap(x.driftNames, y.driftNames);
    std::swap(x.summary, y.summary);
}

}  // namespace bramble
