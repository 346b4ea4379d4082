// Speed of the ocean-loading model: evaluations per second on one core for
// a series at one station whose constituents are prepared once (the normal
// case: a survey's readings at a station), and the preparation of a block.
#include <benchmark/benchmark.h>

#include "oceanload/OceanLoadModel.h"

namespace {

constexpr double kStartDay = 45352.0;       // 2024-03-01 00:00 UTC
constexpr double kStepDays = 1.0 / 1440.0;  // one reading a minute

// The gravity rows of a real Hawaii station (HVO10).
bramble::BlqBlock Hawaii()
{
    bramble::BlqBlock block;
    block.name = "HVO10";
    block.amplitudes = {43.27, 16.60, 8.23, 4.54, 37.48, 20.75, 11.51, 3.21, 1.81, 1.19, 1.19};
    block.phaseLagsDeg = {-128.2, -121.3, -137.0, -129.6, 52.6, 42.4, 52.0, 36.4, -132.7, -156.5, -177.2};
    return block;
}

void BM_OceanLoadSeries(benchmark::State& state)
{
    const bramble::OceanLoadModel model(Hawaii());
    double day = kStartDay;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.CorrectionMicroGal(day));
        day += kStepDays;
    }
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["constituents"] = static_cast<double>(model.termCount());
}

void BM_OceanLoadPrepareBlock(benchmark::State& state)
{
    const bramble::BlqBlock block = Hawaii();
    for (auto _ : state)
        benchmark::DoNotOptimize(bramble::OceanLoadModel(block));
    state.counters["blocks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_OceanLoadSeries);
BENCHMARK(BM_OceanLoadPrepareBlock);
BENCHMARK_MAIN();
