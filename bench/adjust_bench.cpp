// Speed of the network adjustment: 10^4 stations on a 100 x 100 grid and
// 10^5 setups in 5000 loops of 20 (random walks between neighbouring
// stations, back to the loop's base), four meters, a linear drift per loop,
// two datums; adjusted with every statistic, redundancy numbers included.
// Prints the time of a whole adjustment (network build, solution, selected
// inverse, tests) and the peak memory of the process.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <random>

#include "adjust/Adjustment.h"
#include "survey/DateTime.h"

namespace {

using namespace bramble;

constexpr int kSide = 100;  // stations per grid side
constexpr int kLoops = 5000;
constexpr int kSetupsPerLoop = 20;

struct Campaign {
    std::vector<Setup> setups;
    std::vector<Datum> datums;
};

double Truth(int station) { return 979000.0 + 20.0 * std::sin(station * 0.01) + 0.001 * station; }

const Campaign& GeneratedCampaign()
{
    static const Campaign campaign = [] {
        Campaign c;
        std::mt19937 random(11);
        std::normal_distribution<double> noise(0.0, 0.005);
        std::uniform_int_distribution<int> anyStation(0, kSide * kSide - 1), step(0, 3);
        const double start = DateTime::fromParts(2022, 4, 1, 7).value();
        c.setups.reserve(static_cast<std::size_t>(kLoops) * kSetupsPerLoop);
        for (int l = 0; l < kLoops; ++l) {
            const int base = anyStation(random);
            int station = base;
            const double rate = 0.1 + 0.01 * (l % 7);
            for (int v = 0; v < kSetupsPerLoop; ++v) {
                if (v == kSetupsPerLoop - 1) {
                    station = base;
                } else if (v > 0) {
                    int row = station / kSide, col = station % kSide;
                    switch (step(random)) {
                    case 0:
                        row = row + 1 < kSide ? row + 1 : row - 1;
                        break;
                    case 1:
                        row = row > 0 ? row - 1 : row + 1;
                        break;
                    case 2:
                        col = col + 1 < kSide ? col + 1 : col - 1;
                        break;
                    default:
                        col = col > 0 ? col - 1 : col + 1;
                        break;
                    }
                    station = row * kSide + col;
                }
                const double t = v * 15.0 / 1440.0;
                Setup s;
                s.loop = std::to_string(l);
                s.station = "S" + std::to_string(station);
                s.meter = "M" + std::to_string(l % 4);
                s.time = start + l * 0.5 + t;
                s.sd = 0.005;
                s.gravity = 3000.0 + (Truth(station) - 979000.0) + rate * t + noise(random);
                c.setups.push_back(std::move(s));
            }
        }
        c.datums = {{"S0", Truth(0), 0.0, "bench"}, {"S9999", Truth(9999), 0.01, "bench"}};
        return c;
    }();
    return campaign;
}

void Adjustment(benchmark::State& state, ObservationModel model)
{
    const Campaign& c = GeneratedCampaign();
    AdjustOptions options;
    options.model = model;
    int dof = 0, stations = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const AdjustOutcome out = Adjust(c.setups, c.datums, options);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!out.HasValue()) {
            state.SkipWithError(out.ErrorText().c_str());
            return;
        }
        dof = out.Value().dof;
        stations = static_cast<int>(out.Value().stations.size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["stations"] = stations;
    state.counters["setups"] = static_cast<double>(c.setups.size());
    state.counters["dof"] = dof;
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_AdjustReadings(benchmark::State& state) { Adjustment(state, ObservationModel::readings); }
void BM_AdjustDifferences(benchmark::State& state) { Adjustment(state, ObservationModel::differences); }

BENCHMARK(BM_AdjustReadings)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AdjustDifferences)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
