#include "drift/DriftCalculation.h"

#include "corrections/CorrectionSettings.h"
#include "drift/DriftLine.h"
#include "mainwnd/CStationList.h"

namespace bramble {

void CalculateDriftRate(const CStationList& list, DriftState& state, const StepsBeforeDrift& steps)
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
        const CReading& reading = list.Reading(row);
        const double x = reading.m_dtTime.value() - t0;
        // The gravity the readings get before their drift is subtracted, so
        // that the line holds no tide, pressure or polar signal that the
        // other steps already correct.
        const double y = GravityBeforeDrift(reading, steps);
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

StepsBeforeDrift DriftFitSteps(const CKelpDoc& doc, const DriftState& state)
{
    return StepsBeforeDriftOf(doc, state.m_FitSettings);
}

void ShowReadingDrift(CStationList& list, int row)
{
    list.SetCorrection(row, CStationList::kDriftCorrection, -list.Reading(row).m_dDriftCorr);
}

void ComputeReadingDrifts(CStationList& list, const DriftState& state, const StepsBeforeDrift& steps)
{
    const double t0 = state.m_dtStart.value();
    for (int row : list.SelectedRows()) {
        CReading& reading = list.Reading(row);
        reading.m_dDriftCorr = (reading.m_dtTime.value() - t0) * state.m_dCoeff[0];
        ShowReadingDrift(list, row);
        reading.m_dGrav = GravityBeforeDrift(reading, steps);
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
