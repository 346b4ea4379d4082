#pragma once

#include <string>
#include <vector>

#include "corrections/CorrectionSettings.h"
#include "corrections/DriftState.h"
#include "mainwnd/CStationList.h"
#include "support/TempFile.h"
#include "survey/CKelpDoc.h"

namespace bramble::test {

// A CG-3 survey of the given (station, gravity, time of day) readings on
// 2024-01-15, loaded, listed and sorted by time as the view shows it.
struct DriftTestSurvey {
    struct Entry {
        const char* station;
        double gravity;
        const char* time;
    };

    CKelpDoc doc;
    CStationList list{doc};
    DriftState drift;
    CorrectionSettings settings;

    explicit DriftTestSurvey(const std::vector<Entry>& readings)
    {
        std::string text = "SCINTREX\nLine: 0. Date: 24/01/15\n  Station\n";
        char line[160];
        for (const Entry& r : readings) {
            std::snprintf(line, sizeof line, "%7s.%10.3f%7.3f%7d.%6d.%7.2f%8.3f%5d%4d  %s\n", r.station, r.gravity,
                          0.02, 1, 1, -0.5, 0.0, 60, 0, r.time);
            text += line;
        }
        TempFile file(text);
        doc.ReadScintrexFile(file.path());
        list.Fill(0);
        list.SortRowsByTime();
    }

    int RowOf(int stationIndex) const
    {
        for (int r = 0; r < list.RowCount(); ++r)
            if (list.StationIndex(r) == stationIndex)
                return r;
        return -1;
    }
    CReading& Reading(int stationIndex) { return *doc.m_Readings.at(static_cast<std::size_t>(stationIndex - 1)); }
};

}  // namespace bramble::test
