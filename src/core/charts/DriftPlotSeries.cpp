#include "charts/DriftPlotSeries.h"

#include <algorithm>

#include "charts/StationPlotSeries.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble {

DriftPlotData BuildDriftPlot(const CKelpDoc& doc, const CStationList& list)
{
    DriftPlotData data;
    data.m_nPoints = list.RowCount();
    const auto n = static_cast<std::size_t>(data.m_nPoints);
    data.m_X.assign(n, 0.0);
    for (auto& y : data.m_Y)
        y.assign(n, kPlotMissingValue);

    bool firstSelected = true;
    for (std::size_t i = 0; i < n; ++i) {
        const int row = static_cast<int>(i);
        const int index = list.StationIndex(row);
        if (index < 1 || static_cast<std::size_t>(index) > doc.m_Readings.size())
            continue;
        const CReading& reading = *doc.m_Readings[static_cast<std::size_t>(index - 1)];
        const double time = reading.m_dtTime.value();
        data.m_X[i] = time;
        if (!list.IsSelected(row))
            continue;
        if (firstSelected) {
            data.m_dEarliest = data.m_dLatest = time;
            firstSelected = false;
        } else {
            data.m_dEarliest = std::min(data.m_dEarliest, time);
            data.m_dLatest = std::max(data.m_dLatest, time);
        }
        data.m_Y[kDriftSeriesGravity][i] = reading.m_dGrav;
        data.m_Y[kDriftSeriesCorrected][i] = reading.m_dGrav - reading.m_dDriftCorr;
    }
    return data;
}

}  // namespace bramble
