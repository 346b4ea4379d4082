// Projects of 10^5 CG-3 readings reduced with the Berger tide, pressure
// entries and a drift correction applied: saving the project file, opening
// it again (which reads and hashes the data file and puts the saved state
// back), one undo step and one redo step, and the memory an undo step holds
// (the counter "undo_bytes_per_step").
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "project/ProjectFile.h"
#include "project/ProjectHistory.h"
#include "session/ReductionSession.h"
#include "survey/SyntheticSurvey.h"

namespace {

using namespace bramble;
namespace fs = std::filesystem;

constexpr int kReadings = 100000;

// A data file, a project reduced from it and its project file, made once.
struct Fixture {
    fs::path folder = fs::temp_directory_path() / ("bramble-project-bench-" + std::to_string(::getpid()));
    std::string data = (folder / "survey.dat").string();
    std::string file = (folder / "survey.bramble").string();
    Project project;

    Fixture()
    {
        fs::create_directories(folder);
        {
            std::ofstream out(data, std::ios::binary);
            SyntheticSurvey survey;
            survey.readings = kReadings;
            survey.WriteScintrex(out);
        }
        Result<std::unique_ptr<ProjectSurvey>> read = ReadProjectSurvey(data, MeterKind::cg3, {});
        ReductionSession& session = *read.Value()->session;
        session.SelectStations({});
        CorrectionsDialogModel dialog = session.OpenCorrections();
        dialog.Settings().m_PressureList.push_back(dialog.NewPressureEntry().value_or(""));
        (void)dialog.ApplyPressures(dialog.Settings().m_PressureList);
        (void)dialog.SetTideMode(kTideBerger);
        session.ApplyCorrections(dialog.Settings());
        session.RunDriftCommand(session.Corrections(), DriftMode::calculate, {});
        session.ComputeFinalTable();
        project.InsertSurvey(0, std::move(read.Value()));
        (void)SaveProject(project, file);
    }
    ~Fixture() { fs::remove_all(folder); }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        const Outcome saved = SaveProject(f.project, f.file);
        if (saved.Failed())
            state.SkipWithError(saved.ErrorText().c_str());
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(f.file)) / 1e6;
    state.counters["readings"] = kReadings;
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        Result<std::unique_ptr<Project>> opened = LoadProject(f.file);
        if (!opened.HasValue())
            state.SkipWithError(opened.ErrorText().c_str());
        benchmark::DoNotOptimize(opened);
    }
    state.counters["readings"] = kReadings;
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

// A command's step recorded, undone and redone: each iteration is one
// snapshot taken (BeforeChange) and two steps (Undo, Redo).
void BM_UndoStep(benchmark::State& state)
{
    Fixture& f = Shared();
    ProjectHistory history;
    history.BeforeChange(f.project, 0, "Reject Reading");
    f.project.Survey(0).session->List().Reject(5, "spike");
    const std::size_t perStep = history.Bytes();
    for (auto _ : state) {
        (void)history.Undo(f.project);
        (void)history.Redo(f.project);
    }
    state.counters["undo_bytes_per_step"] = static_cast<double>(perStep);
    state.counters["steps_per_iteration"] = 2;
    f.project.Survey(0).session->List().Readmit(5);
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMillisecond);

void BM_RecordStep(benchmark::State& state)
{
    Fixture& f = Shared();
    ProjectHistory history;
    for (auto _ : state)
        history.BeforeChange(f.project, 0, "Apply Corrections");
    state.counters["undo_bytes_per_step"] = static_cast<double>(history.Bytes()) / history.UndoSteps();
}
BENCHMARK(BM_RecordStep)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
