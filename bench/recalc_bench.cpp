// Speed of the corrections pipeline: RecalcSelection over 10^5 and 10^6
// selected CG-3 readings with the Berger tide, pressure and polar motion on
// Reports readings/s of repeated runs, which rewrite the rows' correction
// cells; the very first run, which also creates them, takes about 40 % longer
// and is done before timing.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "corrections/Pressure.h"
#include "corrections/RecalcSelection.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace {

using namespace bramble;

// A survey made in memory: one reading a minute from 12 March 2019 on,
// blocks of 1000 readings under their own headers, all rows selected,
// pressures from two entries and a pole for every reading.
struct Survey {
    CKelpDoc doc;
    CStationList list{doc};
    CorrectionSettings settings;
    DriftState drift;
    SelectionSummary summary;

    explicit Survey(int readings)
    {
        const double start = DateTime::fromParts(2019, 3, 12, 8).value();
        for (int i = 0; i < readings; ++i) {
            if (i % 1000 == 0) {
                auto header = std::make_unique<CScintrexHeader>();
                header->m_nIndex = static_cast<int>(doc.m_Headers.size()) + 1;
                header->m_dLatitude = 40.03;
                header->m_dLongitude = 105.05;
                doc.m_pCurHeader = header.get();
                doc.m_Headers.push_back(std::move(header));
            }
            auto r = std::make_unique<CScintrexStation>();
            r->m_pHeader = doc.m_pCurHeader;
            r->m_nStationIndex = i + 1;
            r->m_nRecord = i % 1000 + 1;
            r->m_strStation = std::to_string(100 + i % 7);
            r->m_dtTime = DateTime(start + i / 1440.0);
            r->m_dRawGrav = 2489.871 + 0.001 * (i % 97);
            r->m_dEtcRead = r->m_dEtc = -0.05;
            r->m_dGravLessEtc = r->m_dRawGrav - r->m_dEtc;
            r->m_dGrav = r->m_dRawGrav;
            r->m_PolarMotion = {0.045 + 1e-8 * i, 0.36 + 1e-8 * i};
            doc.m_Readings.push_back(std::move(r));
        }
        doc.m_nRecords = readings;
        list.Fill(0);
        list.SelectAll();
        AssignPressures(doc, {DefaultPressureEntry(doc.m_Readings.front()->m_dtTime), "03/12/2019  08:00:00  1003.5",
                              DefaultPressureEntry(doc.m_Readings.back()->m_dtTime)});
        settings.m_nTideMode = kTideBerger;
        settings.m_bApplyPressure = true;
        settings.m_dNominalPressure = NominalPressureFromElevation(1600.0).value();
        settings.m_bApplyPolar = true;
        RecalcSelection(doc, list, settings, drift, summary);
    }
};

Survey& SurveyOf(int readings)
{
    static std::map<int, std::unique_ptr<Survey>> surveys;
    auto& survey = surveys[readings];
    if (!survey)
        survey = std::make_unique<Survey>(readings);
    return *survey;
}

void BM_RecalcSelection(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    Survey& s = SurveyOf(readings);
    for (auto _ : state) {
        const RecalcResult result = RecalcSelection(s.doc, s.list, s.settings, s.drift, s.summary);
        benchmark::DoNotOptimize(result.Value().m_nRecomputed);
    }
    state.counters["readings/s"] = benchmark::Counter(
        static_cast<double>(readings) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecalcSelection)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The same without the tide model, to show what the tide costs.
void BM_RecalcSelectionNoTide(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    Survey& s = SurveyOf(readings);
    CorrectionSettings settings = s.settings;
    settings.m_nTideMode = kTideNone;
    for (auto _ : state) {
        const RecalcResult result = RecalcSelection(s.doc, s.list, settings, s.drift, s.summary);
        benchmark::DoNotOptimize(result.Value().m_nRecomputed);
    }
    state.counters["readings/s"] = benchmark::Counter(
        static_cast<double>(readings) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecalcSelectionNoTide)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
