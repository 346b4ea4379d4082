#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble::test {

// A survey made in memory for the output tests: readings with a station
// name, working gravity, time and (CG-3) standard deviation, and the
// station list over them, rows in reading order.
struct OutputSurvey {
    CKelpDoc doc;
    CStationList list{doc};

    explicit OutputSurvey(bool aliod = false) { doc.m_bAliod = aliod; }

    // A new header block (CG-3) or the single typed header (Aliod).
    void AddHeader(double latitude, double longitude)
    {
        if (doc.m_bAliod) {
            auto header = std::make_unique<CAliodHeader>();
            header->m_dLatitude = latitude;
            header->m_dLongitude = longitude;
            doc.m_pCurAliodHeader = header.get();
            doc.m_Headers.push_back(std::move(header));
        } else {
            auto header = std::make_unique<CScintrexHeader>();
            header->m_nIndex = static_cast<int>(doc.m_Headers.size()) + 1;
            header->m_dLatitude = latitude;
            header->m_dLongitude = longitude;
            doc.m_pCurHeader = header.get();
            doc.m_Headers.push_back(std::move(header));
        }
    }

    CReading& Add(const std::string& station, double grav, double dayNumber, double stdDev = 0.0)
    {
        if (doc.m_Headers.empty())
            AddHeader(40.03, 105.05);
        const int index = static_cast<int>(doc.m_Readings.size()) + 1;
        std::unique_ptr<CReading> reading;
        if (doc.m_bAliod) {
            auto r = std::make_unique<CAliodStation>();
            r->m_pHeader = doc.m_pCurAliodHeader;
            r->m_nRecord = index;
            doc.m_pCurAliodStation = r.get();
            reading = std::move(r);
        } else {
            auto r = std::make_unique<CScintrexStation>();
            r->m_pHeader = doc.m_pCurHeader;
            r->m_nStationIndex = index;
            r->m_nRecord = ++doc.m_pCurHeader->m_nStations;
            r->m_dStdDev = stdDev;
            reading = std::move(r);
        }
        reading->m_strStation = station;
        reading->m_dGrav = reading->m_dRawGrav = reading->m_dGravLessEtc = grav;
        reading->m_dtTime = DateTime(dayNumber);
        doc.m_Readings.push_back(std::move(reading));
        doc.m_nRecords = index;
        return *doc.m_Readings.back();
    }

    // Shows one row per reading, in reading order, and selects them all.
    void ShowAndSelectAll()
    {
        list.Fill(doc.m_bAliod ? 1 : 0);
        list.SelectAll();
    }

    // The station indexes of the rows, top to bottom.
    std::vector<int> RowOrder() const
    {
        std::vector<int> order;
        for (int r = 0; r < list.RowCount(); ++r)
            order.push_back(list.StationIndex(r));
        return order;
    }

    int RowOfIndex(int stationIndex) const
    {
        for (int r = 0; r < list.RowCount(); ++r)
            if (list.StationIndex(r) == stationIndex)
                return r;
        return -1;
    }
};

}  // namespace bramble::test
