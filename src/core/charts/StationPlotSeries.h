#pragma once

#include <array>
#include <string>
#include <vector>

namespace bramble {

class CKelpDoc;
class CStationList;

// The eleven quantities of the "Station Information" plot, in their fixed
// order (the index is the chart's series index).
enum StationSeries : int {
    kSeriesGravity = 0,
    kSeriesSDev,
    kSeriesTiltX,
    kSeriesTiltY,
    kSeriesTemp,
    kSeriesEtc,
    kSeriesBerger,
    kSeriesPressure,
    kSeriesPolarMotion,
    kSeriesDrift,
    kSeriesOceanLoad
};
inline constexpr int kStationSeriesCount = 11;

// The value that marks a gap in a series.
inline constexpr double kPlotMissingValue = -9999.0;

struct StationSeriesInfo {
    const char* name;       // CG-3 name and legend text
    const char* aliodName;  // the name for Aliod data
    int red, green, blue;   // the series colour
    double margin;          // added around the series' values in a value range
    bool cg3Only;           // the series has no value for Aliod data
};
const std::array<StationSeriesInfo, kStationSeriesCount>& StationSeriesTable();
const char* StationSeriesName(int series, bool aliod);

// The scale selectors: ".001" .. "1000" at list index 0..6.
inline constexpr int kScaleChoiceCount = 7;
inline constexpr int kScaleOneIndex = 3;  // "1"
const char* ScaleChoiceText(int index);
double ScaleChoiceFactor(int index);

// What the window's controls ask of one build.
struct StationPlotRequest {
    std::array<bool, kStationSeriesCount> m_bSeries{};  // the check boxes
    std::array<double, kStationSeriesCount> m_dScale{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    bool m_bSubtractMean = false;
    double m_dMeanGravity = 0.0;
    // Set only while a check box or scale change rebuilds: the value range
    // is computed only then.
    bool m_bRangeRequest = false;
};

// One build: a point per row of the station list for every series, in row
// order. Rows that are not selected, and series that have no value for the
// meter type, hold kPlotMissingValue.
struct StationPlotData {
    int m_nPoints = 0;
    std::vector<double> m_X;  // the row's reading time, day number
    std::array<std::vector<double>, kStationSeriesCount> m_Y;
    // The series to show, in series order (Aliod data never shows SDev and
    // E.T.C.); empty when nothing is ticked.
    std::vector<int> m_Shown;
    // Earliest and latest time of the selected readings; earliest >
    // latest when nothing is selected.
    double m_dEarliest = 9999999.0;
    double m_dLatest = -9999999.0;
    // Only with a range request: lowest and highest scaled value of the
    // ticked series 1..10 with their margins; -50..50 when nothing is ticked;
    // lowest > highest when no ticked series 1..10 has a value (for example
    // when only "Gravity" is ticked).
    bool m_bValueRange = false;
    double m_dLowest = 9999999.0;
    double m_dHighest = -9999999.0;
};

// Builds the series from the rows of `list` (row order, selection) and the
// readings of `doc` they name. Gravity is never scaled; with subtract mean
// it is the reading's gravity less the mean gravity.
StationPlotData BuildStationPlot(const CKelpDoc& doc, const CStationList& list, const StationPlotRequest& request);

// True when the shown gravity lies so far from the other shown series
// that one value axis for all of them would flatten one side into a line
// (gravity of some 2490 mGal beside deviations and corrections near 0):
// gravity then gets a value axis of its own. False when gravity is not
// shown with another series that has a value.
bool GravityNeedsOwnAxis(const StationPlotData& data);

// The text shown for a click on point `point` (a row of the list) of
// `series`: the reading number as the list shows it and the stored value,
// unscaled and without mean subtraction. Empty for a series without a value
// for the meter type, or a row that does not exist.
std::string StationPointText(const CKelpDoc& doc, const CStationList& list, int series, int point);

}  // namespace bramble
