#include "project/SessionSnapshot.h"

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
        const auto* cg3 = r.isAliod() ? nullptr : static_cast<const CScintrexStation*>(&r);
        snapshot.readings.push_back({r.m_dGrav, r.m_dPressure, r.m_dTideCorr, r.m_dDriftCorr, r.m_dPolarCorr,
                                     r.m_dPressureCorr, r.m_PolarMotion.m_dX, r.m_PolarMotion.m_dY,
                                     cg3 ? cg3->m_dEtc : 0.0, texts.IndexOf(r.m_strDriftName),
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
        r.m_PolarMotion = {state.polarX, state.polarY};
        if (!r.isAliod())
            static_cast<CScintrexStation&>(r).m_dEtc = state.etc;
        r.m_strDriftName = snapshot.texts[state.driftName];
        r.m_strNote = snapshot.texts[state.note];
    }
    parts.settings = snapshot.settings;
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

}  // namespace bramble
