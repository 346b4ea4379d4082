#include "charts/StationPlotSeries.h"

#include <algorithm>

#include "mainwnd/CStationList.h"
#include "output/StringPrintf.h"
#include "survey/CKelpDoc.h"

namespace bramble {

const std::array<StationSeriesInfo, kStationSeriesCount>& StationSeriesTable()
{
    static const std::array<StationSeriesInfo, kStationSeriesCount> table{{
        // Eleven colours that are told apart on white paper and on screen.
        {"Gravity", "Gravity", 255, 0, 0, 0.0, false},
        {"SDev", "SDev", 0, 170, 0, 0.2, true},
        {"Tilt X", "Cross Level", 0, 0, 0, 1.5, false},
        {"Tilt Y", "Long Level", 255, 0, 255, 1.5, false},
        {"Temp", "Temp", 140, 85, 30, 0.1, false},
        {"E.T.C", "E.T.C", 0, 0, 255, 0.1, true},
        {"Berger", "Berger", 255, 140, 0, 0.1, false},
        {"Pressure", "Pressure", 120, 40, 180, 0.01, false},
        {"Polar Motion", "Polar Motion", 0, 170, 170, 0.01, false},
        {"Drift", "Drift", 150, 150, 0, 0.01, false},
        {"Ocean Loading", "Ocean Loading", 0, 90, 200, 0.001, false},
    }};
    return table;
}

const char* StationSeriesName(int series, bool aliod)
{
    if (series < 0 || series >= kStationSeriesCount)
        return "";
    const StationSeriesInfo& info = StationSeriesTable()[static_cast<std::size_t>(series)];
    return aliod ? info.aliodName : info.name;
}

const char* ScaleChoiceText(int index)
{
    static const char* const texts[kScaleChoiceCount] = {".001", ".01", ".1", "1", "10", "100", "1000"};
    return index >= 0 && index < kScaleChoiceCount ? texts[index] : "";
}

double ScaleChoiceFactor(int index)
{
    static const double factors[kScaleChoiceCount] = {0.001, 0.01, 0.1, 1.0, 10.0, 100.0, 1000.0};
    return index >= 0 && index < kScaleChoiceCount ? factors[index] : 1.0;
}

namespace {

// The stored value of a series for one reading; false when the series has
// no value for the reading's meter type, or the meter gave none.
bool SeriesValue(const CReading& reading, int series, double& value)
{
    const auto take = [&value](const std::optional<double>& v) {
        if (v)
            value = *v;
        return v.has_value();
    };
    switch (series) {
    case kSeriesGravity:
        value = reading.m_dGrav;
        return true;
    case kSeriesSDev:
        return !reading.isAliod() && take(reading.Values().stdDev);
    case kSeriesTiltX:
        return take(reading.Values().tiltX);
    case kSeriesTiltY:
        return take(reading.Values().tiltY);
    case kSeriesTemp:
        return take(reading.Values().temperature);
    case kSeriesEtc:
        return !reading.isAliod() && take(reading.Values().etc);
    case kSeriesBerger:
        value = reading.m_dTideCorr;
        return true;
    case kSeriesPressure:
        value = reading.m_dPressureCorr;
        return true;
    case kSeriesPolarMotion:
        value = reading.m_dPolarCorr;
        return true;
    case kSeriesDrift:
        value = reading.m_dDriftCorr;
        return true;
    case kSeriesOceanLoad:
        value = reading.m_dOceanLoadCorr;
        return true;
    default:
        return false;
    }
}

// The reading a row names through its "Station Index" cell, or null.
const CReading* RowReading(const CKelpDoc& doc, const CStationList& list, int row)
{
    if (row < 0 || row >= list.RowCount())
        return nullptr;
    const int index = list.StationIndex(row);
    if (index < 1 || static_cast<std::size_t>(index) > doc.m_Readings.size())
        return nullptr;
    return doc.m_Readings[static_cast<std::size_t>(index - 1)].get();
}

}  // namespace

StationPlotData BuildStationPlot(const CKelpDoc& doc, const CStationList& list, const StationPlotRequest& request)
{
    const bool aliod = doc.m_bAliod;
    const auto& table = StationSeriesTable();
    StationPlotData data;
    data.m_nPoints = list.RowCount();
    const auto n = static_cast<std::size_t>(data.m_nPoints);
    data.m_X.assign(n, 0.0);
    for (auto& y : data.m_Y)
        y.assign(n, kPlotMissingValue);

    for (int s = 0; s < kStationSeriesCount; ++s)
        if (request.m_bSeries[static_cast<std::size_t>(s)] && !(aliod && table[static_cast<std::size_t>(s)].cg3Only))
            data.m_Shown.push_back(s);
    data.m_bValueRange = request.m_bRangeRequest;

    // The series that can widen the value range: ticked, not gravity, and
    // with a value for this meter type.
    std::vector<int> ranged;
    for (int s : data.m_Shown)
        if (s != kSeriesGravity)
            ranged.push_back(s);

    bool firstSelected = true;
    for (std::size_t i = 0; i < n; ++i) {
        const int row = static_cast<int>(i);
        const CReading* reading = RowReading(doc, list, row);
        if (!reading)
            continue;
        const double time = reading->m_dtTime.value();
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
        for (int s = 0; s < kStationSeriesCount; ++s) {
            double value = 0.0;
            if (!SeriesValue(*reading, s, value))
                continue;
            if (s == kSeriesGravity) {
                if (request.m_bSubtractMean)
                    value -= request.m_dMeanGravity;
            } else {
                value *= request.m_dScale[static_cast<std::size_t>(s)];
            }
            data.m_Y[static_cast<std::size_t>(s)][i] = value;
        }
        if (request.m_bRangeRequest) {
            for (int s : ranged) {
                const double value = data.m_Y[static_cast<std::size_t>(s)][i];
                const double margin = table[static_cast<std::size_t>(s)].margin;
                if (value > data.m_dHighest)
                    data.m_dHighest = value + margin;
                if (value < data.m_dLowest)
                    data.m_dLowest = value - margin;
            }
        }
    }
    if (data.m_Shown.empty() && request.m_bRangeRequest) {
        data.m_dLowest = -50.0;
        data.m_dHighest = 50.0;
    }
    return data;
}

bool GravityNeedsOwnAxis(const StationPlotData& data)
{
    struct Span {
        double low = 0.0, high = 0.0;
        bool empty = true;
        void Add(double v)
        {
            low = empty ? v : std::min(low, v);
            high = empty ? v : std::max(high, v);
            empty = false;
        }
    };
    Span gravity, others;
    for (int s : data.m_Shown) {
        for (double v : data.m_Y[static_cast<std::size_t>(s)]) {
            if (v == kPlotMissingValue)
                continue;
            (s == kSeriesGravity ? gravity : others).Add(v);
        }
    }
    if (gravity.empty || others.empty)
        return false;
    // Together the two would need more than three times the height either
    // needs alone: then at least one of them is squeezed into a third.
    const double together = std::max(gravity.high, others.high) - std::min(gravity.low, others.low);
    const double alone = std::max(gravity.high - gravity.low, others.high - others.low);
    return together > 3.0 * alone && together > 1e-9;
}

std::string StationPointText(const CKelpDoc& doc, const CStationList& list, int series, int point)
{
    const CReading* reading = RowReading(doc, list, point);
    if (!reading)
        return {};
    const std::string number = list.Text(point, CStationList::kStationIndex);
    const char* n = number.c_str();
    const bool aliod = reading->isAliod();
    const bool cg3 = dynamic_cast<const CScintrexStation*>(reading) != nullptr;
    const MeterValues values = reading->Values();
    // Each value with its own unit: gravity, its deviation and every
    // correction in mGal, tilts and levels in arc-seconds, the CG-3's
    // temperature in mK. Other temperatures are shown as the file gives
    // them, without a unit, since the Aliod file does not say which it is
    // and the CG-5, CG-6 and Burris use their own.
    const auto tilt = [&](const char* name, const std::optional<double>& v) {
        if (!v)
            return std::string();
        return StringPrintf("Number: %s\n %s: %.*f arcsec\n", n, name, values.tiltDecimals, *v);
    };
    switch (series) {
    case kSeriesGravity:
        return StringPrintf("Number: %s\n Grav:%13.4fmGal\n", n, reading->m_dGrav);
    case kSeriesSDev:
        return !aliod && values.stdDev ? StringPrintf("Number: %s\n SDev:%13.4fmGal\n", n, *values.stdDev)
                                       : std::string();
    case kSeriesTiltX:
        return tilt(aliod ? "Cross Level" : "Tilt X", values.tiltX);
    case kSeriesTiltY:
        return tilt(aliod ? "Long Level" : "Tilt Y", values.tiltY);
    case kSeriesTemp:
        if (!values.temperature)
            return {};
        return cg3 ? StringPrintf("Number: %s\n Temp:%13.4fmK\n", n, *values.temperature)
                   : StringPrintf("Number: %s\n Temp:%13.4f\n", n, *values.temperature);
    case kSeriesEtc:
        return !aliod && values.etc ? StringPrintf("Number: %s\n E.T.C.:%13.4fmGal\n", n, *values.etc) : std::string();
    case kSeriesBerger:
        return StringPrintf("Number: %s\n Berger:%13.4fmGal\n", n, reading->m_dTideCorr);
    case kSeriesPressure:
        return StringPrintf("Number: %s\n Pressure:%13.4fmGal\n", n, reading->m_dPressureCorr);
    case kSeriesPolarMotion:
        return StringPrintf("Number: %s\n Polar Motion:%13.4fmGal\n", n, reading->m_dPolarCorr);
    case kSeriesDrift:
        return StringPrintf("Number: %s\n Drift:%13.4fmGal\n", n, reading->m_dDriftCorr);
    case kSeriesOceanLoad:
        return StringPrintf("Number: %s\n Ocean Loading:%13.4fmGal\n", n, reading->m_dOceanLoadCorr);
    default:
        return {};
    }
}

}  // namespace bramble
