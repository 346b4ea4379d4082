// Speed and memory of the CG-5, CG-6 and Burris readers on generated files
// of 10^6 readings: readings/s and the ratio to merely reading the file's
// lines (both in processor time), heap bytes held per reading and the process's peak memory (run one
// reader per process, --benchmark_filter=Cg5 etc., for a clean peak).
#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "meters/BurrisReader.h"
#include "meters/Cg5Reader.h"
#include "meters/Cg6Reader.h"
#include "survey/LineReader.h"

namespace {

using namespace bramble;

constexpr std::int64_t kReadings = 1000000;

// hh:mm:ss and the date of the i-th reading, one every 40 s from 2017-12-05.
void Clock(std::int64_t i, char* time, char* date, char separator, bool yearFirst)
{
    const std::int64_t s = i * 40;
    const int day = 5 + static_cast<int>(s / 86400) % 20;
    std::snprintf(time, 16, "%02d:%02d:%02d", static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                  static_cast<int>(s % 60));
    if (yearFirst)
        std::snprintf(date, 16, "2017%c12%c%02d", separator, separator, day);
    else
        std::snprintf(date, 16, "12%c%02d%c2017", separator, day, separator);
}

void WriteBurris(std::ofstream& out)
{
    char line[256], time[16], date[16];
    for (std::int64_t i = 0; i < kReadings; ++i) {
        Clock(i, time, date, '/', true);
        std::snprintf(line, sizeof line,
                      "rg%lld abc B44 %s %s %.3f 2800 %.3f %.3f 0.005 -0.033 0.001 0 1600 35.142072 -106.669613\n",
                      static_cast<long long>(i % 70), date, time, 2769.0 + (i % 1000) * 0.001, 0.4 + (i % 97) * 0.001,
                      -0.1 + (i % 200) * 0.001);
        out << line;
    }
}

void WriteCg5(std::ofstream& out)
{
    out << "/\tCG-5 SURVEY\n/\tSurvey name:   \tbench\n/\tInstrument S/N:\t9379\n/\tLONG:        \t1.6000000 E\n"
           "/\tLAT:         \t9.7000000 N\n/\tGMT DIFF.:   \t0.0 \n/\tTide Correction:    YES\nLine\t   0.000S\n"
           "/------LINE-----STATION-----ALT.------GRAV.---SD.--TILTX--TILTY-TEMP---TIDE---DUR-REJ-----TIME----"
           "DEC.TIME+DATE--TERRAIN---DATE\n";
    char line[256], time[16], date[16];
    for (std::int64_t i = 0; i < kReadings; ++i) {
        Clock(i, time, date, '/', true);
        std::snprintf(line, sizeof line,
                      " %d.0000000 %9.7f    0.0000   %.3f 0.007    0.2    1.7 -2.33 %.3f  60   6 %s     41500.24753"
                      "    0.0000  %s\n",
                      static_cast<int>(i / 5000 % 9), static_cast<double>(i % 70), 2639.0 + (i % 1000) * 0.001,
                      -0.1 + (i % 200) * 0.001, time, date);
        out << line;
    }
}

void WriteCg6(std::ofstream& out)
{
    out << "/\t\tCG-6 Survey\n/\t\tSurvey Name:\tbench\n/\t\tInstrument Serial Number:\t000000016050001\n"
           "/Station\tDate\tTime\tCorrGrav\tLine\tStdDev\tStdErr\tRawGrav\tX\tY\tSensorTemp\tTideCorr\tTiltCorr\t"
           "TempCorr\tDriftCorr\tMeasurDur\tInstrHeight\tLatUser\tLonUser\tElevUser\tLatGPS\tLonGPS\tElevGPS\t"
           "Corrections[drift-temp-na-tide-tilt]\n";
    char line[320], time[16], date[16];
    for (std::int64_t i = 0; i < kReadings; ++i) {
        Clock(i, time, date, '-', true);
        std::snprintf(line, sizeof line,
                      "RMCL_%lld\t%s\t%s\t%.4f\t%d\t0.0128\t0.0012\t2058.5220\t0.9\t1.5\t43.2662\t%.4f\t0.0001\t"
                      "5.4077\t2.3088\t120\t0.000\t39.978928\t-105.067955\t1577.00\t--\t--\t--\t11011\n",
                      static_cast<long long>(i % 70), date, time, 2066.0 + (i % 10000) * 0.0001,
                      static_cast<int>(i / 5000 % 9), -0.05 + (i % 500) * 0.0001);
        out << line;
    }
}

std::string GeneratedFile(const char* name, void (*write)(std::ofstream&))
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("bramble-bench-" + std::to_string(::getpid()) + "-" + name))
            .string();
    std::ofstream out(path, std::ios::binary);
    write(out);
    return path;
}

// Processor seconds of this process: on a shared machine the wall clock
// mostly measures the other processes.
double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Heap bytes in use, the large blocks malloc maps on their own included.
std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double LineReadSeconds(const std::string& path)
{
    const double start = CpuSeconds();
    LineReader in(path);
    std::string line;
    std::size_t n = 0;
    while (in.next(line))
        n += line.size();
    benchmark::DoNotOptimize(n);
    return CpuSeconds() - start;
}

void Read(benchmark::State& state, const char* name, void (*write)(std::ofstream&),
          MeterSurvey (*read)(const std::string&))
{
    const std::string path = GeneratedFile(name, write);
    const double bytes = static_cast<double>(std::filesystem::file_size(path));
    const double lineSeconds = LineReadSeconds(path);
    double heapPerReading = 0;
    double seconds = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        const double start = CpuSeconds();
        const MeterSurvey survey = read(path);
        seconds = CpuSeconds() - start;
        heapPerReading = static_cast<double>(HeapInUse() - before) / static_cast<double>(kReadings);
        if (static_cast<std::int64_t>(survey.readings.size()) != kReadings || !survey.issues.empty())
            state.SkipWithError("wrong number of readings");
        state.SetIterationTime(seconds);
    }
    std::filesystem::remove(path);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["readings/s"] = benchmark::Counter(static_cast<double>(kReadings) / seconds);
    state.counters["file_B/reading"] = benchmark::Counter(bytes / static_cast<double>(kReadings));
    state.counters["x_lines"] = benchmark::Counter(seconds / lineSeconds);
    state.counters["heap_B/reading"] = benchmark::Counter(heapPerReading);
    state.counters["peak_MB"] = benchmark::Counter(static_cast<double>(usage.ru_maxrss) / 1024.0);
}

void BM_ReadBurris(benchmark::State& state) { Read(state, "burris.txt", WriteBurris, ReadBurrisFile); }
void BM_ReadCg5(benchmark::State& state) { Read(state, "cg5.txt", WriteCg5, ReadCg5File); }
void BM_ReadCg6(benchmark::State& state) { Read(state, "cg6.dat", WriteCg6, ReadCg6File); }

BENCHMARK(BM_ReadBurris)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReadCg5)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReadCg6)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
