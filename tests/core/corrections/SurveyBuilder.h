#pragma once

#include <memory>

#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble::test {

// A survey built in memory, reading by reading, with its station list.
struct SurveyBuilder {
    CKelpDoc doc;
    CStationList list{doc};

    CScintrexHeader& AddCg3Header(double latitude, double longitudeAsWritten)
    {
        auto header = std::make_unique<CScintrexHeader>();
        header->m_nIndex = static_cast<int>(doc.m_Headers.size()) + 1;
        header->m_dLatitude = latitude;
        header->m_dLongitude = longitudeAsWritten;
        doc.m_pCurHeader = header.get();
        doc.m_Headers.push_back(std::move(header));
        doc.m_bAliod = false;
        return *doc.m_pCurHeader;
    }

    CAliodHeader& AddAliodHeader(double latitude, double eastLongitude)
    {
        auto header = std::make_unique<CAliodHeader>();
        header->m_dLatitude = latitude;
        header->m_dLongitude = eastLongitude;
        doc.m_pCurAliodHeader = header.get();
        doc.m_Headers.push_back(std::move(header));
        doc.m_bAliod = true;
        return *doc.m_pCurAliodHeader;
    }

    // A CG-3 reading under the current header: gravity as read and the
    // meter's E.T.C. (the gravity less E.T.C. follows from them).
    CScintrexStation& AddCg3(const DateTime& time, double rawGrav, double etc = 0.0)
    {
        auto r = std::make_unique<CScintrexStation>();
        r->m_pHeader = doc.m_pCurHeader;
        r->m_nStationIndex = static_cast<int>(doc.m_Readings.size()) + 1;
        r->m_nRecord = r->m_nStationIndex;
        r->m_strStation = std::to_string(r->m_nStationIndex);
        r->m_dtTime = time;
        r->m_dRawGrav = rawGrav;
        r->m_dGrav = rawGrav;
        r->m_dEtc = r->m_dEtcRead = etc;
        r->m_dGravLessEtc = rawGrav - etc;
        auto& added = *r;
        doc.m_Readings.push_back(std::move(r));
        doc.m_nRecords = static_cast<int>(doc.m_Readings.size());
        return added;
    }

    CAliodStation& AddAliod(const DateTime& time, double grav)
    {
        auto r = std::make_unique<CAliodStation>();
        r->m_pHeader = doc.m_pCurAliodHeader;
        r->m_nRecord = static_cast<int>(doc.m_Readings.size()) + 1;
        r->m_strStation = std::to_string(r->m_nRecord);
        r->m_strStation.insert(0, 1, 'A');  // not "A" + ...: GCC 12 -O3 warns about that falsely (-Wrestrict)
        r->m_dtTime = time;
        r->m_dRawGrav = r->m_dGravLessEtc = r->m_dGrav = grav;
        auto& added = *r;
        doc.m_Readings.push_back(std::move(r));
        doc.m_nRecords = static_cast<int>(doc.m_Readings.size());
        return added;
    }

    // Shows the rows (in reading order) and selects them all.
    void ShowAndSelectAll()
    {
        list.Fill(doc.m_bAliod ? 1 : 0);
        list.SelectAll();
    }

    CScintrexStation& Cg3(std::size_t index) { return static_cast<CScintrexStation&>(*doc.m_Readings.at(index)); }
    CAliodStation& Aliod(std::size_t index) { return static_cast<CAliodStation&>(*doc.m_Readings.at(index)); }
};

inline DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::fromParts(year, month, day, hour, minute, second);
}

}  // namespace bramble::test
