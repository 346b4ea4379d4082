#include "corrections/RecalcSelection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "corrections/BergerTides.h"
#include "corrections/CellFormat.h"
#include "corrections/Coordinates.h"
#include "corrections/GravityBeforeDrift.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

enum class Variant { kSelection, kByRow };

// The shared view of a reading that the summary adds up: CG-3 and Aliod
// readings keep their tilts and E.T.C. in different fields.
double StdDevOf(const CReading& r) { return r.isAliod() ? 0.0 : static_cast<const CScintrexStation&>(r).m_dStdDev; }
double EtcReadOf(const CReading& r) { return r.isAliod() ? 0.0 : static_cast<const CScintrexStation&>(r).m_dEtcRead; }
int TiltXOf(const CReading& r)
{
    return r.isAliod() ? static_cast<const CAliodStation&>(r).m_nCrossLevel
                       : static_cast<const CScintrexStation&>(r).m_nTiltX;
}
int TiltYOf(const CReading& r)
{
    return r.isAliod() ? static_cast<const CAliodStation&>(r).m_nLongLevel
                       : static_cast<const CScintrexStation&>(r).m_nTiltY;
}

// Sums over the recomputed readings, in the order they are added.
struct Sums {
    double grav = 0, stdDev = 0, tiltX = 0, tiltY = 0, temp = 0, etc = 0, tide = 0, ocean = 0, pressure = 0, polar = 0,
           drift = 0, time = 0;
    std::vector<double> gravities;  // kept for the spread of the kSelection variant

    void Add(const CReading& r, bool keepGravity)
    {
        if (keepGravity)
            gravities.push_back(r.m_dGrav);
        grav += r.m_dGrav;
        stdDev += StdDevOf(r);
        tiltX += TiltXOf(r);
        tiltY += TiltYOf(r);
        temp += r.m_dTemp;
        etc += EtcReadOf(r);
        tide += r.m_dTideCorr;
        ocean += r.m_dOceanLoadCorr;
        pressure += r.m_dPressureCorr;
        polar += r.m_dPolarCorr;
        drift += r.m_dDriftCorr;
        time += r.m_dtTime.value();
    }

    SelectionSummary Summary(Variant variant, int n) const
    {
        const double count = n;
        SelectionSummary s;
        s.m_nReadings = n;
        s.m_dGrav = grav / count;
        if (variant == Variant::kSelection) {
            double squares = 0.0;
            for (const double g : gravities)
                squares += (g - s.m_dGrav) * (g - s.m_dGrav);
            s.m_dSDev = std::sqrt(squares / count);
        } else {
            s.m_dSDev = stdDev / count;
        }
        s.m_dTiltX = tiltX / count;
        s.m_dTiltY = tiltY / count;
        s.m_dTemp = temp / count;
        s.m_dEtc = etc / count;
        s.m_dBerger = tide / count;
        s.m_dOceanLoad = ocean / count;
        s.m_dPressure = pressure / count;
        s.m_dPolarMotion = polar / count;
        s.m_dDrift = drift / -count;
        s.m_dtTime = DateTime(time / count);
        return s;
    }
};

// The Berger tide against the meter's own tide correction (CG-3 only).
struct EtcComparison {
    double sumSquares = 0.0;
    int count = 0;
    bool anyEtc = false;  // a meter with its tide correction off writes 0 everywhere

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

// What stays the same for every reading of one run.
struct RunConstants {
    const CorrectionSettings& settings;
    StepsBeforeDrift steps;
    bool driftGateOpen;
};

// Step 1, the physics: the reading's corrections and working gravity from
// its load-time values, in the order tide, ocean loading, pressure, polar
// motion, drift. Gives the texts the row shows for them.
// A Berger tide computed beforehand comes as `bergerTide` (mGal).
CStationList::CorrectionCells CorrectReading(CReading& r, const RunConstants& run, const double* bergerTide)
{
    StoreCorrectionsBeforeDrift(r, ComputeCorrectionsBeforeDrift(r, run.steps, bergerTide));

    // The drift cell shows the correction added to the gravity, like the
    // tide, pressure and polar cells: minus the drift.
    double driftShown = 0.0;
    std::string driftName = "NONE";
    if (run.settings.m_bApplyDrift) {
        if (run.driftGateOpen) {
            r.m_dGrav -= r.m_dDriftCorr;
            driftShown = -r.m_dDriftCorr;
        } else {
            r.m_dDriftCorr = 0.0;
        }
        driftName = r.m_strDriftName;
    }
    return {r.m_dGrav,  r.m_dTideCorr,        r.m_dPressureCorr, r.m_dPolarCorr,
            driftShown, std::move(driftName), r.m_dOceanLoadCorr};
}

RecalcResult Recalc(Variant variant, CKelpDoc& doc, CStationList& list, const CorrectionSettings& settings,
                    const DriftState& drift, SelectionSummary& summary, const RecalcOptions& options)
{
    // The ocean-loading column is shown while its correction is on, so that
    // without it the list shows, copies and exports what it always did.
    list.ShowOceanLoad(settings.m_bApplyOceanLoad);
    RecalcCounts counts;
    const int n = list.SelectedCount();
    counts.m_nSelected = n;
    if (n <= 0)
        return RecalcResult::Of(counts);

    const RunConstants run{settings, StepsBeforeDriftOf(doc, settings, options.tide), !drift.AnyMeanIsZero() || n == 1};
    Sums sums;
    const bool keepGravities = variant == Variant::kSelection;
    if (keepGravities)
        sums.gravities.reserve(static_cast<std::size_t>(n));
    EtcComparison etcCheck;

    // The program's own Berger tide, the costly part, is computed a block
    // at a time on all cores before the block's readings are corrected.
    const bool tidesBeforehand = settings.m_nTideMode == kTideBerger && !options.tide;
    std::vector<const CReading*> blockReadings;
    std::vector<double> blockTides;

    const std::vector<int> rows = list.SelectedRows();
    const std::size_t step = RecalcOptions::kProgressStep;
    int done = 0;
    for (std::size_t first = 0; first < rows.size(); first += step) {
        if (options.progress && done > 0 && !options.progress(done, n)) {
            counts.m_bCancelled = true;
            break;
        }
        const std::size_t end = std::min(rows.size(), first + step);
        if (tidesBeforehand) {
            blockReadings.clear();
            for (std::size_t i = first; i < end; ++i)
                blockReadings.push_back(&list.Reading(rows[i]));
            ComputeBergerTides(blockReadings, blockTides);
        }
        for (std::size_t i = first; i < end; ++i) {
            const int row = rows[i];
            CReading& r = list.Reading(row);
            const double* tide = tidesBeforehand ? &blockTides[i - first] : nullptr;
            list.SetCorrectionCells(row, CorrectReading(r, run, tide));  // step 2: the row's cells, in one place
            if (!r.isAliod() && settings.m_nTideMode == kTideBerger)
                etcCheck.Add(r.m_dTideCorr, EtcReadOf(r));
            sums.Add(r, keepGravities);  // step 3 gathers the summary
            ++done;
        }
    }
    counts.m_nRecomputed = done;

    RecalcResult result = RecalcResult::Of(counts);
    double rms = 0.0;
    if (etcCheck.Disagrees(rms))
        result.AddWarning(EtcWarning(rms, etcCheck.count));
    if (!counts.m_bCancelled)
        summary = sums.Summary(variant, n);
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
