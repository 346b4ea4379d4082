#pragma once

#include <array>
#include <vector>

namespace bramble {

class CKelpDoc;
class CStationList;

// The two series of the drift plot: the working gravity and the gravity
// less the drift correction, a point per row of the station list in row
// order; rows that are not selected hold kPlotMissingValue.
enum DriftSeries : int { kDriftSeriesGravity = 0, kDriftSeriesCorrected };
inline constexpr int kDriftSeriesCount = 2;

struct DriftPlotData {
    int m_nPoints = 0;
    std::vector<double> m_X;  // the row's reading time, day number
    std::array<std::vector<double>, kDriftSeriesCount> m_Y;
    // Earliest and latest time of the selected readings; earliest > latest
    // when nothing is selected.
    double m_dEarliest = 9999999.0;
    double m_dLatest = -9999999.0;
};

DriftPlotData BuildDriftPlot(const CKelpDoc& doc, const CStationList& list);

}  // namespace bramble
