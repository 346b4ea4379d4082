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

// A mean over the readings that have the value; empty when none has it.
struct Mean {
    double sum = 0.0;
    int count = 0;
    void Add(const std::optional<double>& value)
    {
        if (value) {
            sum += *value;
            ++count;
        }
    }
    double Of() const { return count > 0 ? sum / count : 0.0; }
};

// Sums over the recomputed readings, in the order they are added.
struct Sums {
    double grav = 0, tide = 0, ocean = 0, pressure = 0, polar = 0, drift = 0, time = 0;
    Mean stdDev, tiltX, tiltY, temp, etc;
    std::vector<double> gravities;  // kept for the spread of the kSelection variant

    void Add(const CReading& r, bool keepGravity)
    {
        if (keepGravity)
            gravities.push_back(r.m_dGrav);
        const MeterValues values = r.Values();
        grav += r.m_dGrav;
        stdDev.Add(values.stdDev);
        tiltX.Add(values.tiltX);
        tiltY.Add(values.tiltY);
        temp.Add(values.temperature);
        etc.Add(values.etcRead);
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
            s.m_dSDev = stdDev.Of();
            s.SetEmpty(SelectionSummary::kSDev, stdDev.count == 0);
        }
        s.m_dTiltX = tiltX.Of();
        s.m_dTiltY = tiltY.Of();
        s.m_dTemp = temp.Of();
        s.m_dEtc = etc.Of();
        s.SetEmpty(SelectionSummary::kTiltX, tiltX.count == 0);
        s.SetEmpty(SelectionSummary::kTiltY, tiltY.count == 0);
        s.SetEmpty(SelectionSummary::kTemp, temp.count == 0);
        s.SetEmpty(SelectionSummary::kEtc, etc.count == 0);
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

std::string EtcWarning(double rms, int count, bool cg3)
{
    char text[700];
    std::snprintf(text, sizeof text,
                  "The Berger tide differs from the meter's E.T.C. by %.3f mGal RMS over %d readings. %s "
                  "The readings have been corrected with the Berger tide as chosen.",
                  rms, count,
                  cg3 ? "Check the sign of the header's longitude (the CG-3 writes \"Deg.Long.\" positive west) "
                        "and whether the meter's times are local time rather than UT (a non-zero \"GMT "
                        "Difference\"): the tide is computed for the times as stored."
                      : "Check the readings' latitude and longitude and whether the file's times are UT: the "
                        "tide is computed at the position and time each reading was read with.");
    return text;
}

std::string UnplacedWarning(int count)
{
    if (count == 1)
        return "1 reading has no latitude and longitude: its Berger tide and polar-motion correction are 0.";
    return std::to_string(count) +
           " readings have no latitude and longitude: their Berger tide and polar-motion corrections are 0.";
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
// `placed` turns false when a step needed the reading's position and it
// has none.
CStationList::CorrectionCells CorrectReading(CReading& r, const RunConstants& run, const double* bergerTide,
                                             bool& placed)
{
    const CorrectionsBeforeDrift corrections = ComputeCorrectionsBeforeDrift(r, run.steps, bergerTide);
    placed = corrections.placed;
    StoreCorrectionsBeforeDrift(r, corrections);

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
    int unplaced = 0;

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
            bool placed = true;
            list.SetCorrectionCells(row, CorrectReading(r, run, tide, placed));  // step 2: the row's cells
            unplaced += placed ? 0 : 1;
            if (const std::optional<double> etcRead = r.MeterTideRead();
                placed && etcRead && settings.m_nTideMode == kTideBerger)
                etcCheck.Add(r.m_dTideCorr, *etcRead);
            sums.Add(r, keepGravities);  // step 3 gathers the summary
            ++done;
        }
    }
    counts.m_nRecomputed = done;

    RecalcResult result = RecalcResult::Of(counts);
    double rms = 0.0;
    if (etcCheck.Disagrees(rms))
        result.AddWarning(EtcWarning(rms, etcCheck.count, doc.Meter() == MeterKind::cg3));
    if (unplaced > 0)
        result.AddWarning(UnplacedWarning(unplaced));
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
