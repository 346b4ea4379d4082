#include "output/FinalOutput.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

namespace bramble {
namespace {

void AddReading(CFinalData& entry, const CReading& reading)
{
    entry.m_Values.push_back(reading.m_dGrav);
    entry.m_dTimeSum += reading.m_dtTime.value();
    if (const CHeaderRecord* header = reading.header()) {
        if (header->isAliod()) {
            const auto& aliod = static_cast<const CAliodHeader&>(*header);
            entry.m_dLatitude = aliod.m_dLatitude;
            entry.m_dLongitude = aliod.m_dLongitude;
        } else {
            const auto& cg3 = static_cast<const CScintrexHeader&>(*header);
            entry.m_dLatitude = cg3.m_dLatitude;
            entry.m_dLongitude = cg3.m_dLongitude;
        }
    }
    entry.m_dGrav += reading.m_dGrav;
    entry.m_nPoints += 1;
    entry.m_dSDev = reading.isAliod() ? 0.0 : static_cast<const CScintrexStation&>(reading).m_dStdDev;
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

void ComputeFinalOutput(CKelpDoc& doc, const CStationList& list)
{
    const std::vector<int> rows = FinalOutputRowOrder(list);
    doc.m_pCurFinal = nullptr;
    doc.m_FinalData.clear();
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
        doc.m_pCurFinal = entry;
        AddReading(*entry, reading);
    }
    for (const auto& entry : doc.m_FinalData)
        FinishEntry(*entry);
}

}  // namespace bramble
