#include "output/FinalOutput.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

namespace bramble {
namespace {

// The station's position as its meter writes it: the CG-3 header's
// longitude positive west, the others east positive; the last reading's.
void TakePosition(CFinalData& entry, const CReading& reading)
{
    if (const auto* meter = dynamic_cast<const CMeterStation*>(&reading)) {
        entry.m_dLatitude = meter->m_dLatitude.value_or(0.0);
        entry.m_dLongitude = meter->m_dEastLongitude.value_or(0.0);
    } else if (const auto* aliod = dynamic_cast<const CAliodHeader*>(reading.header())) {
        entry.m_dLatitude = aliod->m_dLatitude;
        entry.m_dLongitude = aliod->m_dLongitude;
    } else if (const auto* cg3 = dynamic_cast<const CScintrexHeader*>(reading.header())) {
        entry.m_dLatitude = cg3->m_dLatitude;
        entry.m_dLongitude = cg3->m_dLongitude;
    }
}

void AddReading(CFinalData& entry, const CReading& reading)
{
    entry.m_Values.push_back(reading.m_dGrav);
    entry.m_dTimeSum += reading.m_dtTime.value();
    TakePosition(entry, reading);
    entry.m_dGrav += reading.m_dGrav;
    entry.m_nPoints += 1;
    entry.m_dSDev = reading.Values().stdDev.value_or(0.0);
}

void FinishEntry(CFinalData& entry)
{
    const double n = entry.m_nPoints;
    entry.m_dtTime = DateTime(entry.m_dTimeSum / n);
    entry.m_dGrav /= n;
    if (entry.m_nPoints != 1) {
        double squares = 0.0;
        for (const double value : entry.m_Values)
            squares += (value - entry.m_dGrav) * (value - entry.m_dGrav);
        // Population deviation: divided by n, not n - 1.
        entry.m_dSDev = std::sqrt(squares / n);
    }
}

}  // namespace

std::vector<int> FinalOutputRowOrder(const CStationList& list)
{
    std::vector<std::pair<long long, int>> keyed;
    for (const int row : list.SelectedRows())
        keyed.emplace_back(list.KeyOfCell(row, CStationList::kStation), row);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> rows;
    rows.reserve(keyed.size());
    for (const auto& [key, row] : keyed)
        rows.push_back(row);
    return rows;
}

namespace {

// Adds the readings of `rows`, in that order, to the entries of their
// stations, made as each station is first met. Gives the entry of the last
// row.
CFinalData* AddInOrder(CKelpDoc& doc, const CStationList& list, const std::vector<int>& rows)
{
    std::unordered_map<std::string, CFinalData*> byName;
    CFinalData* entry = nullptr;
    for (const int row : rows) {
        const CReading& reading = list.Reading(row);
        // In this order a station's readings mostly follow one another.
        if (!entry || entry->m_strStation != reading.m_strStation) {
            CFinalData*& named = byName[reading.m_strStation];
            if (!named) {
                doc.m_FinalData.push_back(std::make_unique<CFinalData>());
                named = doc.m_FinalData.back().get();
                named->m_strStation = reading.m_strStation;
            }
            entry = named;
        }
        AddReading(*entry, reading);
    }
    return entry;
}

// One station met in list order: its entry, the key of its "Station" cell
// and the first and last of its rows.
struct StationRun {
    std::unique_ptr<CFinalData> entry;
    long long key = 0;
    int firstRow = 0;
    int lastRow = 0;
};

// The final output without sorting the rows: in the order of
// FinalOutputRowOrder a station's readings come in list order whenever all
// its rows have the same key, so each station can be summed in list order
// (reading the readings one after another in memory) and the entries put
// in order afterwards, by key and then by first row. False, with nothing
// added, when some station's rows differ in key (a station cell written
// over); the caller then takes the rows in sorted order.
bool AddInListOrder(CKelpDoc& doc, const CStationList& list)
{
    std::vector<StationRun> stations;
    std::unordered_map<std::string, std::size_t> byName;
    StationRun* run = nullptr;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (!list.IsSelected(row))
            continue;
        const CReading& reading = list.Reading(row);
        const long long key = list.KeyOfCell(row, CStationList::kStation);
        if (!run || run->entry->m_strStation != reading.m_strStation) {
            const auto [at, added] = byName.try_emplace(reading.m_strStation, stations.size());
            if (added) {
                stations.push_back({std::make_unique<CFinalData>(), key, row, row});
                stations.back().entry->m_strStation = reading.m_strStation;
            }
            run = &stations[at->second];
        }
        if (key != run->key)
            return false;
        run->lastRow = row;
        AddReading(*run->entry, reading);
    }
    if (stations.empty())
        return true;
    std::sort(stations.begin(), stations.end(), [](const StationRun& a, const StationRun& b) {
        return a.key != b.key ? a.key < b.key : a.firstRow < b.firstRow;
    });
    // The entry filled last in sorted row order: the greatest key's last row.
    const StationRun* last = &stations.back();
    for (const StationRun& s : stations) {
        if (s.key == last->key && s.lastRow > last->lastRow)
            last = &s;
    }
    doc.m_pCurFinal = last->entry.get();
    for (StationRun& s : stations)
        doc.m_FinalData.push_back(std::move(s.entry));
    return true;
}

}  // namespace

void ComputeFinalOutput(CKelpDoc& doc, const CStationList& list)
{
    doc.m_pCurFinal = nullptr;
    doc.m_FinalData.clear();
    if (!AddInListOrder(doc, list))
        doc.m_pCurFinal = AddInOrder(doc, list, FinalOutputRowOrder(list));
    for (const auto& entry : doc.m_FinalData)
        FinishEntry(*entry);
}

}  // namespace bramble
