// Import speed of the two meter readers: readings/s, MB/s, the ratio to
// merely reading the file's lines, heap bytes held per reading and the
// process's peak memory.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "survey/CKelpDoc.h"
#include "survey/LineReader.h"
#include "survey/SyntheticSurvey.h"

namespace {

using bramble::CKelpDoc;
using bramble::SyntheticSurvey;

const std::string& SurveyFile(std::int64_t readings, bool aliod)
{
    static std::map<std::pair<std::int64_t, bool>, std::string> files;
    auto& path = files[{readings, aliod}];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / ("bramble-bench-" + std::to_string(::getpid()) + "-" +
                                                          std::to_string(readings) + (aliod ? ".csv" : ".dat")))
                   .string();
        std::ofstream out(path, std::ios::binary);
        const SyntheticSurvey survey{.readings = readings, .readingsPerBlock = 1000};
        aliod ? survey.WriteAliod(out) : survey.WriteScintrex(out);
    }
    return path;
}

double LineReadSeconds(const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    bramble::LineReader in(path);
    std::string line;
    std::size_t n = 0;
    while (in.next(line))
        n += line.size();
    benchmark::DoNotOptimize(n);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Import(benchmark::State& state, bool aliod)
{
    const std::int64_t readings = state.range(0);
    const std::string& path = SurveyFile(readings, aliod);
    const double bytes = static_cast<double>(std::filesystem::file_size(path));
    const double lineSeconds = LineReadSeconds(path);
    double heapPerReading = 0;
    double seconds = 0;
    for (auto _ : state) {
        CKelpDoc doc;
        const std::size_t before = mallinfo2().uordblks;
        const auto start = std::chrono::steady_clock::now();
        aliod ? doc.ReadAliodFile(path) : doc.ReadScintrexFile(path);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        heapPerReading = static_cast<double>(mallinfo2().uordblks - before) / static_cast<double>(readings);
        if (doc.m_nRecords != readings)
            state.SkipWithError("wrong number of readings");
        state.SetIterationTime(seconds);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["readings/s"] = benchmark::Counter(static_cast<double>(readings) / seconds);
    state.counters["MB/s"] = benchmark::Counter(bytes / 1e6 / seconds);
    state.counters["x_lines"] = benchmark::Counter(seconds / lineSeconds);
    state.counters["heap_B/reading"] = benchmark::Counter(heapPerReading);
    state.counters["peak_MB"] = benchmark::Counter(static_cast<double>(usage.ru_maxrss) / 1024.0);
}

void BM_ImportScintrex(benchmark::State& state) { Import(state, false); }
void BM_ImportAliod(benchmark::State& state) { Import(state, true); }

BENCHMARK(BM_ImportScintrex)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_ImportAliod)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (std::int64_t n : {1000, 100000, 1000000})
        for (bool aliod : {false, true})
            std::filesystem::remove(SurveyFile(n, aliod));
    return 0;
}
