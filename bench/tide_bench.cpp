// Speed of the earth-tide model: evaluations per second on one core, for a
// series at one station (the normal case: a survey's readings), through the
// five-argument function, and for the simple uniform-factor model.
#include <benchmark/benchmark.h>

#include "corrections/EarthTide.h"

namespace {

constexpr double kStartDay = 38353.0;       // 2005-01-01 00:00 UTC
constexpr double kStepDays = 1.0 / 1440.0;  // one reading a minute

void Series(benchmark::State& state, bool nominal)
{
    const bramble::EarthTideModel model({45.0, 0.0, 0.0}, {1.0, nominal});
    double day = kStartDay;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.SignalMicroGal(day));
        day += kStepDays;
    }
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_TideSeries(benchmark::State& state) { Series(state, false); }
void BM_TideSeriesNominalFactors(benchmark::State& state) { Series(state, true); }

void BM_GravTide(benchmark::State& state)
{
    double hours = (kStartDay - 2.0) * 24.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bramble::GravTide(hours, 40.02885, 105.04603, 0, 1.0));
        hours += 1.0 / 60.0;
    }
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// A new station for every reading: the worst case of the five-argument call.
void BM_GravTideChangingStation(benchmark::State& state)
{
    double hours = (kStartDay - 2.0) * 24.0;
    double latitude = 40.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bramble::GravTide(hours, latitude, 105.04603, 0, 1.0));
        hours += 1.0 / 60.0;
        latitude = latitude > 50.0 ? 40.0 : latitude + 1e-4;
    }
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_TideSeries);
BENCHMARK(BM_TideSeriesNominalFactors);
BENCHMARK(BM_GravTide);
BENCHMARK(BM_GravTideChangingStation);
BENCHMARK_MAIN();
