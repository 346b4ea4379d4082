#include "drift/DriftCalculation.h"

#include "corrections/CorrectionSettings.h"
#include "drift/DriftLine.h"
#include "mainwnd/CStationList.h"
#include "survey/NumberParse.h"

namespace bramble {

void CalculateDriftRate(const CStationList& list, DriftState& state)
{
    const std::vector<int> rows = list.SelectedRows();
    state.m_dCoeff = {};
    if (rows.empty()) {
        state.m_dtStart = DateTime(0.0);
        return;
    }
    const double t0 = list.Reading(rows.front()).m_dtTime.value();
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (int row : rows) {
        const double x = list.Reading(row).m_dtTime.value() - t0;
        // The gravity as the list shows it, with the cell's precision.
        const double y = ToDouble(list.Text(row, CStationList::kRelGrav));
        sx += x;
        sy += y;
        sxy += x * y;
        sxx += x * x;
    }
    const double n = static_cast<double>(rows.size());
    state.m_dMeanGrav = sy / n;
    state.m_dMeanTime = sx / n;
    state.m_dMeanTimeGrav = sxy / n;
    state.m_dMeanTimeSquare = sxx / n;
    state.m_dtStart = DateTime(t0);
    const double spread = state.m_dMeanTimeSquare - state.m_dMeanTime * state.m_dMeanTime;
    state.m_dCoeff[0] = state.m_dMeanTimeSquare == state.m_dMeanTime * state.m_dMeanTime
                            ? 0.0
                            : (state.m_dMeanTimeGrav - state.m_dMeanTime * state.m_dMeanGrav) / spread;
}

void ResetToTideBase(CReading& reading, int tideMode)
{
    switch (tideMode) {
    case kTideBerger:
        reading.m_dGrav = reading.m_dTideCorr + reading.m_dGravLessEtc;
        break;
    case kTideNone:
        reading.m_dGrav = reading.m_dGravLessEtc;
        break;
    default:
        reading.m_dGrav = reading.m_dRawGrav;
        break;
    }
}

void ComputeReadingDrifts(CStationList& list, const DriftState& state, int tideMode)
{
    const double t0 = state.m_dtStart.value();
    for (int row : list.SelectedRows()) {
        CReading& reading = list.Reading(row);
        reading.m_dDriftCorr = (reading.m_dtTime.value() - t0) * state.m_dCoeff[0];
        list.SetCorrection(row, CStationList::kDriftCorrection, reading.m_dDriftCorr);
        ResetToTideBase(reading, tideMode);
    }
}

void ApplyDriftEntry(CKelpDoc& doc, CStationList& list, DriftState& state, CorrectionSettings& settings,
                     std::size_t index, const std::string& line, const std::string& name, DriftMode mode,
                     const std::function<void()>& recalc)
{
    settings.m_bApplyDrift = true;
    const CDriftCorrection parsed = ParseDriftLine(line);
    if (index >= doc.m_DriftCorrections.size())
        return;  // no such entry: nothing to apply
    CDriftCorrection& entry = *doc.m_DriftCorrections[index];
    entry = parsed;
    state.m_dtStart = parsed.m_dtStart;
    state.m_dCoeff = parsed.m_dCoeff;
    const std::string starred = name + "*";
    for (int row : list.SelectedRows()) {
        CReading& reading = list.Reading(row);
        reading.m_dDriftCorr = DriftAt(entry, reading.m_dtTime.value());
        if (mode == DriftMode::apply)
            reading.m_strDriftName = reading.m_strNote == starred ? reading.m_strNote : name;
    }
    if (recalc)
        recalc();
}

}  // namespace bramble
