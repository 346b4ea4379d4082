// bramble-cli reduce of a generated survey of 10^6 CG-3 readings with the
// Berger tide and the final table, as a user runs it: the program started
// as a process of its own, its wall time and its peak memory (maximum
// resident set) reported. The windows read, list and correct such a
// survey in about 1.7 s; the command line should not take longer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "survey/SyntheticSurvey.h"

namespace {

std::string SurveyFile(std::int64_t readings)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("bramble-reduce-bench-" + std::to_string(::getpid()) + ".dat"))
            .string();
    std::ofstream out(path, std::ios::binary);
    const bramble::SyntheticSurvey survey{.readings = readings, .readingsPerBlock = 1000};
    survey.WriteScintrex(out);
    return path;
}

struct Run {
    double seconds = 0;
    double peakMiB = 0;
    double cpuSeconds = 0;  // user + system: what the program costs on a busy machine
    int status = -1;
};

// The program measured: the one built with the benchmark, or another
// named by BRAMBLE_CLI (to compare two builds).
const char* Program()
{
    const char* other = std::getenv("BRAMBLE_CLI");
    return other && *other ? other : BRAMBLE_CLI;
}

// Runs `bramble-cli reduce FILE --tide berger` with standard output to
// /dev/null and waits for it.
Run RunReduce(const std::string& file)
{
    const char* program = Program();
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::execl(program, program, "reduce", file.c_str(), "--tide", "berger", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    Run run;
    struct rusage usage { };
    int status = 0;
    if (child > 0 && ::wait4(child, &status, 0, &usage) == child) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
        const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

void ReduceCli(benchmark::State& state)
{
    const std::string file = SurveyFile(state.range(0));
    double peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        const Run run = RunReduce(file);
        if (run.status != 0) {
            state.SkipWithError("bramble-cli reduce failed");
            break;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMiB);
        cpu += run.cpuSeconds;
    }
    std::filesystem::remove(file);
    state.counters["peak_MiB"] = peak;
    state.counters["cpu_s"] = state.iterations() > 0 ? cpu / static_cast<double>(state.iterations()) : 0.0;
}

}  // namespace

BENCHMARK(ReduceCli)->Arg(1000000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
