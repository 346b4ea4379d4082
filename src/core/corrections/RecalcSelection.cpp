#include "corrections/RecalcSelection.h"

#include <cmath>
#include <cstdio>

#include "corrections/CellFormat.h"
#include "corrections/Coordinates.h"
#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

enum class Variant { kSelection, kByRow };

// Sums over the recomputed readings, in the order they are added.
struct Sums {
    double grav = 0, stdDev = 0, tiltX = 0, tiltY = 0, temp = 0, etc = 0, tide = 0, pressure = 0, polar = 0,
           drift = 0, time = 0;
    std::vector<double> gravities;
};

// The Berger tide against the meter's own tide correction (CG-3 only).
struct EtcComparison {
    double sumSquares = 0.0;
    int count = 0;
    bool anyEtc = false;   // a meter with its tide correction off writes 0 everywhere

    void Add(double tideCorr, double etcRead)
    {
        const double d = tideCorr - etcRead;
        sumSquares += d * d;
        ++count;
        anyEtc = anyEtc || etcRead != 0.0;
    }
    bool Disagrees(double& rms) const
    {
        if (count == 0 || !anyEtc)
            return false;
        rms = std::sqrt(sumSquares / count);
        return !(rms <= kBergerEtcWarnRms);
    }
};

std::string EtcWarning(double rms, int count)
{
    char text[600];
    std::snprintf(text, sizeof text,
                  "The Berger tide differs from the meter's E.T.C. by %.3f mGal RMS over %d readings. "
                  "Check the sign of the header's longitude (the CG-3 writes \"Deg.Long.\" positive west) "
                  "and whether the meter's times are local time rather than UT (a non-zero \"GMT "
                  "Difference\"): the tide is computed for the times as stored. The readings have been "
                  "corrected with the Berger tide as chosen.",
                  rms, count);
    return text;
}

RecalcResult Recalc(Variant variant, CKelpDoc& doc, CStationList& list, const CorrectionSettings& settings,
                    const DriftState& drift, SelectionSummary& summary, const RecalcOptions& options)
{
    RecalcResult result;
    const int n = list.SelectedCount();
    result.m_nSelected = n;
    if (n <= 0)
        return result;

    const TideFunction tide = options.tide ? options.tide : DefaultTideFunction();
    const SiteCoordinates polarSite = CurrentCoordinates(doc);
    const bool driftGateOpen = !drift.AnyMeanIsZero() || n == 1;
    const std::string zero = FormatCorrection(0.0);

    Sums sums;
    if (variant == Variant::kSelection)
        sums.gravities.reserve(static_cast<std::size_t>(n));
    EtcComparison etcCheck;

    int done = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (!list.IsSelected(row))
            continue;
        if (options.progress && done > 0 && done % RecalcOptions::kProgressStep == 0 && !options.progress(done, n)) {
            result.m_bCancelled = true;
            break;
        }
        CReading& r = list.Reading(row);
        auto* cg3 = r.isAliod() ? nullptr : static_cast<CScintrexStation*>(&r);
        auto* aliod = r.isAliod() ? static_cast<CAliodStation*>(&r) : nullptr;

        ApplyTideStep(r, settings.m_nTideMode, tide);
        if (cg3 && settings.m_nTideMode == kTideBerger)
            etcCheck.Add(r.m_dTideCorr, cg3->m_dEtcRead);

        r.m_dPressureCorr = settings.m_bApplyPressure ? PressureCorrection(r.m_dPressure, settings.m_dNominalPressure)
                                                      : 0.0;
        r.m_dGrav += r.m_dPressureCorr;

        r.m_dPolarCorr = settings.m_bApplyPolar ? PolarMotionCorrection(r.m_PolarMotion.m_dX, r.m_PolarMotion.m_dY,
                                                                        polarSite.m_dLatitude,
                                                                        polarSite.m_dEastLongitude)
                                                : 0.0;
        r.m_dGrav += r.m_dPolarCorr;

        std::string driftText = zero;
        std::string driftName = "NONE";
        if (settings.m_bApplyDrift) {
            if (driftGateOpen) {
                r.m_dGrav -= r.m_dDriftCorr;
                driftText = FormatCorrection(-r.m_dDriftCorr);
            } else {
                r.m_dDriftCorr = 0.0;
            }
            driftName = r.m_strDriftName;
        }

        list.SetText(row, CStationList::kCorrectedGrav, FormatCorrection(r.m_dGrav));
        list.SetText(row, CStationList::kBerger, FormatCorrection(r.m_dTideCorr));
        list.SetText(row, CStationList::kPressure, FormatCorrection(r.m_dPressureCorr));
        list.SetText(row, CStationList::kPolarMotion, FormatCorrection(r.m_dPolarCorr));
        list.SetText(row, CStationList::kDriftCorrection, std::move(driftText));
        list.SetText(row, CStationList::kDriftName, std::move(driftName));

        if (variant == Variant::kSelection)
            sums.gravities.push_back(r.m_dGrav);
        sums.grav += r.m_dGrav;
        sums.stdDev += cg3 ? cg3->m_dStdDev : 0.0;
        sums.tiltX += cg3 ? cg3->m_nTiltX : aliod->m_nCrossLevel;
        sums.tiltY += cg3 ? cg3->m_nTiltY : aliod->m_nLongLevel;
        sums.temp += r.m_dTemp;
        sums.etc += cg3 ? cg3->m_dEtcRead : 0.0;
        sums.tide += r.m_dTideCorr;
        sums.pressure += r.m_dPressureCorr;
        sums.polar += r.m_dPolarCorr;
        sums.drift += r.m_dDriftCorr;
        sums.time += r.m_dtTime.value();
        ++done;
    }
    result.m_nRecomputed = done;

    double rms = 0.0;
    if (etcCheck.Disagrees(rms))
        result.m_Warnings.push_back(EtcWarning(rms, etcCheck.count));
    if (result.m_bCancelled)
        return result;

    const double count = n;
    SelectionSummary s;
    s.m_nReadings = n;
    s.m_dGrav = sums.grav / count;
    if (variant == Variant::kSelection) {
        double squares = 0.0;
        for (const double g : sums.gravities)
            squares += (g - s.m_dGrav) * (g - s.m_dGrav);
        s.m_dSDev = std::sqrt(squares / count);
    } else {
        s.m_dSDev = sums.stdDev / count;
    }
    s.m_dTiltX = sums.tiltX / count;
    s.m_dTiltY = sums.tiltY / count;
    s.m_dTemp = sums.temp / count;
    s.m_dEtc = sums.etc / count;
    s.m_dBerger = sums.tide / count;
    s.m_dPressure = sums.pressure / count;
    s.m_dPolarMotion = sums.polar / count;
    s.m_dDrift = sums.drift / -count;
    s.m_dtTime = DateTime(sums.time / count);
    summary = s;
    return result;
}

}  // namespace

RecalcResult RecalcSelection(CKelpDoc& doc, CStationList& list, const CorrectionSettings& settings,
                             const DriftState& drift, SelectionSummary& summary, const RecalcOptions& options)
{
    return Recalc(Variant::kSelection, doc, list, settings, drift, summary, options);
}

RecalcResult RecalcSelectionByRow(CKelpDoc& doc, CStationList& list, const CorrectionSettings& settings,
                                  DriftState& drift, SelectionSummary& summary, const RecalcOptions& options)
{
    if (!drift.m_bReapplying) {
        drift.m_Saved.clear();
        for (const int row : list.SelectedRows()) {
            const CReading& r = list.Reading(row);
            drift.m_Saved.push_back({r.m_dDriftCorr, r.m_strDriftName});
        }
    }
    return Recalc(Variant::kByRow, doc, list, settings, drift, summary, options);
}

}  // namespace bramble
