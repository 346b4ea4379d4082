// Project files: a reduction saved and opened again shows the same cells,
// final table and exports; a file that cannot be used is refused whole with
// a message that names the problem.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "project/ProjectFile.h"
#include "project/SessionSnapshot.h"
#include "support/TempFile.h"
#include "support/WorkedSurvey.h"

using namespace bramble;
using namespace bramble::test;
namespace fs = std::filesystem;

namespace {

// A folder of its own for a project and copies of its data files.
class ProjectFolder {
public:
    ProjectFolder()
    {
        static int counter = 0;
        m_path = fs::temp_directory_path() /
                 ("bramble-project-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(m_path / "data");
        fs::copy_file(kCg3Example, m_path / "data" / "day1.dat");
        fs::copy_file(kAliodExample, m_path / "data" / "loop.csv");
        fs::copy_file(kPolarExample, m_path / "data" / "finals.daily");
    }
    ~ProjectFolder() { fs::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

std::unique_ptr<Project> WorkedProject(const ProjectFolder& folder)
{
    auto project = std::make_unique<Project>();
    Result<std::unique_ptr<ProjectSurvey>> cg3 = ReadProjectSurvey(folder / "data/day1.dat", MeterKind::cg3, {});
    EXPECT_TRUE(cg3.Succeeded()) << cg3.ErrorText();
    ReduceAsAnOperatorWould(*cg3.Value()->session, folder / "data/finals.daily");
    project->InsertSurvey(0, std::move(cg3.Value()));
    Result<std::unique_ptr<ProjectSurvey>> aliod =
        ReadProjectSurvey(folder / "data/loop.csv", MeterKind::aliod, DefaultAliodHeaderTexts());
    EXPECT_TRUE(aliod.Succeeded()) << aliod.ErrorText();
    aliod.Value()->session->SelectStations({});
    aliod.Value()->session->ApplyCorrections(aliod.Value()->session->Corrections());
    project->InsertSurvey(1, std::move(aliod.Value()));
    EXPECT_TRUE(project->SetActive(0).Succeeded());
    return project;
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

nlohmann::json SavedJson(Project& project, const ProjectFolder& folder)
{
    return nlohmann::json::parse(ProjectToJson(project, folder / "survey.bramble"));
}

// Opens the project text written beside the data; the error text when refused.
std::string Refusal(const nlohmann::json& file, const ProjectFolder& folder)
{
    Write(folder / "edited.bramble", file.dump());
    const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "edited.bramble");
    EXPECT_FALSE(opened.HasValue());
    return opened.ErrorText();
}

}  // namespace

TEST(ProjectFile, OpeningASavedProjectShowsEverythingAsItWasByteForByte)
{
    ProjectFolder folder;
    std::unique_ptr<Project> project = WorkedProject(folder);
    ASSERT_TRUE(SaveProject(*project, folder / "survey.bramble").Succeeded());
    EXPECT_EQ(project->FilePath(), folder / "survey.bramble");

    const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "survey.bramble");
    ASSERT_TRUE(opened.Succeeded()) << opened.ErrorText();
    Project& again = *opened.Value();
    ASSERT_EQ(again.SurveyCount(), 2);
    EXPECT_EQ(again.Active(), 0);
    for (int i = 0; i < 2; ++i) {
        ReductionSession& before = *project->Survey(i).session;
        ReductionSession& after = *again.Survey(i).session;
        EXPECT_EQ(EverythingShown(after), EverythingShown(before)) << "survey " << i;
        EXPECT_EQ(after.Corrections(), before.Corrections());
        EXPECT_EQ(again.Survey(i).meter, project->Survey(i).meter);
        EXPECT_EQ(again.Survey(i).header, project->Survey(i).header);
    }
    // The rejected reading and the drift correction came along.
    EXPECT_EQ(again.Survey(0).session->List().Rejections().size(), 1u);
    EXPECT_EQ(again.Survey(0).session->Drifts().m_DriftNames, project->Survey(0).session->Drifts().m_DriftNames);
    // Saving what was opened writes the same file.
    EXPECT_EQ(ProjectToJson(again, folder / "survey.bramble"), ProjectToJson(*project, folder / "survey.bramble"));
}

TEST(ProjectFile, DataPathsAreRelativeSoThatAMovedFolderStillOpens)
{
    ProjectFolder folder;
    std::unique_ptr<Project> project = WorkedProject(folder);
    const nlohmann::json file = SavedJson(*project, folder);
    EXPECT_EQ(file["format"], "bramble-project");
    EXPECT_EQ(file["version"], 1);
    EXPECT_EQ(file["surveys"][0]["file"], "data/day1.dat");
    EXPECT_EQ(file["surveys"][0]["corrections"]["polarFile"], "data/finals.daily");
    EXPECT_EQ(file["surveys"][0]["sha256"].get<std::string>().size(), 64u);

    ProjectFolder other;
    Write(other / "moved.bramble", file.dump());
    const Result<std::unique_ptr<Project>> opened = LoadProject(other / "moved.bramble");
    ASSERT_TRUE(opened.Succeeded()) << opened.ErrorText();
    EXPECT_EQ(opened.Value()->Survey(0).path, other / "data/day1.dat");
    EXPECT_EQ(EverythingShown(*opened.Value()->Survey(0).session), EverythingShown(*project->Survey(0).session));
}

TEST(ProjectFile, AChangedOrMissingDataFileIsNamedAndNothingIsRecomputed)
{
    ProjectFolder folder;
    std::unique_ptr<Project> project = WorkedProject(folder);
    ASSERT_TRUE(SaveProject(*project, folder / "survey.bramble").Succeeded());

    // One digit of one reading changed.
    std::string data = ReadWholeFile(folder / "data/day1.dat");
    data[data.find("2489.871")] = '3';
    Write(folder / "data/day1.dat", data);
    fs::remove(folder / "data/loop.csv");
    std::vector<DataFileProblem> problems;
    Result<std::unique_ptr<Project>> opened = LoadProject(folder / "survey.bramble", {}, &problems);
    EXPECT_FALSE(opened.HasValue());
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].kind, DataFileProblem::changed);
    EXPECT_EQ(problems[1].kind, DataFileProblem::missing);
    EXPECT_NE(opened.ErrorText().find("has changed since the project was saved"), std::string::npos);
    EXPECT_NE(opened.ErrorText().find("loop.csv cannot be found"), std::string::npos);

    // Located elsewhere: taken when the bytes are those saved, refused otherwise.
    ProjectLoadOptions options;
    options.located[0] = kCg3Example;
    options.located[1] = kAliodExample;
    opened = LoadProject(folder / "survey.bramble", options);
    ASSERT_TRUE(opened.Succeeded()) << opened.ErrorText();
    EXPECT_EQ(EverythingShown(*opened.Value()->Survey(0).session), EverythingShown(*project->Survey(0).session));
    options.located[1] = kCg3Example;
    EXPECT_FALSE(LoadProject(folder / "survey.bramble", options).HasValue());
}

TEST(ProjectFile, FilesThatAreNoProjectAreRefusedWithTheirReason)
{
    ProjectFolder folder;
    std::unique_ptr<Project> project = WorkedProject(folder);
    const std::string text = ProjectToJson(*project, folder / "survey.bramble");

    const auto refusal = [&](const std::string& bytes) {
        Write(folder / "bad.bramble", bytes);
        const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "bad.bramble");
        EXPECT_FALSE(opened.HasValue());
        EXPECT_TRUE(opened.Failed());
        return opened.ErrorText();
    };
    EXPECT_NE(refusal("not json at all").find("is not a JSON file"), std::string::npos);
    EXPECT_NE(refusal(text.substr(0, text.size() / 2)).find("cut short"), std::string::npos);
    EXPECT_NE(refusal("{\"format\": \"something-else\"}").find("is not a Bramble project"), std::string::npos);
    EXPECT_NE(refusal("[1, 2]").find("is not a Bramble project"), std::string::npos);
    EXPECT_NE(LoadProject(folder / "no-such.bramble").ErrorText().find("No such file"), std::string::npos);
    EXPECT_NE(LoadProject(folder / "data").ErrorText().find("it is a folder"), std::string::npos);

    nlohmann::json file = nlohmann::json::parse(text);
    file["version"] = 2;
    EXPECT_NE(Refusal(file, folder).find("has version 2; this Bramble reads version 1"), std::string::npos);
}

TEST(ProjectFile, HandEditedValuesAreRefusedNamingWhereTheyAre)
{
    ProjectFolder folder;
    std::unique_ptr<Project> project = WorkedProject(folder);
    const nlohmann::json good = SavedJson(*project, folder);
    const auto edited = [&](auto change) {
        nlohmann::json file = good;
        change(file);
        return Refusal(file, folder);
    };
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["readings"]["record"][4] = 99; })
                  .find("survey 1.readings.record[4] is the key of no reading of the data file (header 1, record 99)"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["rejected"][0]["key"] = {7, 1}; })
                  .find("is the key of no reading"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["readings"]["gravity"][2] = "heavy"; })
                  .find("survey 1.readings.gravity[2] should be a number"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["corrections"]["tideMode"] = 7; })
                  .find("survey 1.corrections.tideMode should be a whole number from 0 to 2"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][1]["corrections"]["applyDrift"] = "yes"; })
                  .find("survey 2.corrections.applyDrift should be true or false"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["list"].erase("selected"); }).find("has no \"selected\""),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["list"]["cells"][3] = {1, 2, 3}; })
                  .find("survey 1.list.cells[3] should hold 6 values, not 3"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["list"]["reading"][0] = 1; })
                  .find("do not fit the survey's readings"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["readings"]["poleX"].erase(0); })
                  .find("poleX should hold 15 values, not 14"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["meter"] = "cg9"; }).find("names no meter"), std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["surveys"][0]["summary"]["empty"] = {"gravity"}; })
                  .find("survey 1.summary.empty[0] names no summary value that can be empty"),
              std::string::npos);
    EXPECT_NE(edited([](auto& f) { f["active"] = 2; }).find("\"active\" should be a whole number from -1 to 1"),
              std::string::npos);
    // A rejected reading that is also selected would take part after all.
    EXPECT_NE(edited([](auto& f) {
        auto& list = f["surveys"][0]["list"];
        for (auto& selected : list["selected"])
            selected = true;
    }).find("do not fit"),
              std::string::npos);
}

TEST(ProjectFile, NonFiniteValuesComeBackAsTheyWere)
{
    ProjectFolder folder;
    Project project;
    Result<std::unique_ptr<ProjectSurvey>> survey = ReadProjectSurvey(folder / "data/day1.dat", MeterKind::cg3, {});
    ASSERT_TRUE(survey.Succeeded());
    // Before the pressure list is applied a reading's pressure is not a number.
    EXPECT_TRUE(std::isnan(survey.Value()->session->Document().m_Readings[0]->m_dPressure));
    survey.Value()->session->Document().m_Readings[1]->m_dGrav = -std::numeric_limits<double>::infinity();
    project.InsertSurvey(0, std::move(survey.Value()));
    ASSERT_TRUE(SaveProject(project, folder / "p.bramble").Succeeded());
    const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "p.bramble");
    ASSERT_TRUE(opened.Succeeded()) << opened.ErrorText();
    const CKelpDoc& doc = opened.Value()->Survey(0).session->Document();
    EXPECT_TRUE(std::isnan(doc.m_Readings[0]->m_dPressure));
    EXPECT_EQ(doc.m_Readings[1]->m_dGrav, -std::numeric_limits<double>::infinity());
}

TEST(ProjectFile, AnEmptyProjectRoundTrips)
{
    ProjectFolder folder;
    Project project;
    ASSERT_TRUE(SaveProject(project, folder / "empty.bramble").Succeeded());
    const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "empty.bramble");
    ASSERT_TRUE(opened.Succeeded()) << opened.ErrorText();
    EXPECT_EQ(opened.Value()->SurveyCount(), 0);
    EXPECT_EQ(opened.Value()->ActiveSession(), nullptr);
}

TEST(ProjectFile, OceanLoadingComesBackAndAMissingBlqFileIsNamed)
{
    ProjectFolder folder;
    fs::copy_file(std::string(BRAMBLE_TEST_DATA) + "/oceanload/cg3-two-blocks.blq", folder / "data/coast.blq");
    std::unique_ptr<Project> project = WorkedProject(folder);
    ReductionSession& session = *project->Survey(0).session;
    CorrectionsDialogModel dialog = session.OpenCorrections();
    ASSERT_TRUE(dialog.ReadBlqFile(folder / "data/coast.blq").Succeeded());
    ASSERT_TRUE(dialog.SetApplyOceanLoad(true).Succeeded());
    session.ApplyCorrections(dialog.Settings());
    ASSERT_TRUE(SaveProject(*project, folder / "survey.bramble").Succeeded());

    fs::remove(folder / "data/coast.blq");
    const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "survey.bramble");
    ASSERT_TRUE(opened.HasValue()) << opened.ErrorText();
    ASSERT_TRUE(opened.Has(Severity::warning));
    EXPECT_NE(opened.Texts(Severity::warning).front().find("coast.blq is missing"), std::string::npos);
    ReductionSession& after = *opened.Value()->Survey(0).session;
    EXPECT_EQ(after.Corrections(), session.Corrections());
    EXPECT_EQ(EverythingShown(after), EverythingShown(session));
}

TEST(ProjectFile, ASurveyReadFromAPipeIsNotSaved)
{
    ProjectFolder folder;
    std::unique_ptr<Project> project = WorkedProject(folder);
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Noting the pipe must not open it: nobody writes to it, so a read would wait forever.
    ASSERT_TRUE(NoteSurveyFile(project->Survey(1), pipe, MeterKind::aliod, DefaultAliodHeaderTexts()).Succeeded());

    Write(folder / "survey.bramble", "the project saved before");
    const Outcome saved = SaveProject(*project, folder / "survey.bramble");
    EXPECT_TRUE(saved.Failed());
    EXPECT_NE(saved.ErrorText().find("Survey 2 was read from " + pipe + ", which is not a regular file"),
              std::string::npos)
        << saved.ErrorText();
    std::ifstream file(folder / "survey.bramble");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "the project saved before");
}

TEST(ProjectFile, MeterSurveysComeBackWithTheirKindAndTheSameCells)
{
    ProjectFolder folder;
    const std::string meters = std::string(BRAMBLE_TEST_DATA) + "/meters/";
    fs::copy_file(meters + "CG-6_TestData.dat", folder / "data/cg6.dat");
    fs::copy_file(meters + "B44_2017-12-05.txt", folder / "data/burris.txt");
    Project project;
    int index = 0;
    for (const auto& [file, meter] : {std::pair{"data/cg6.dat", MeterKind::cg6}, {"data/burris.txt", MeterKind::burris}}) {
        Result<std::unique_ptr<ProjectSurvey>> read = ReadProjectSurvey(folder / file, meter, {});
        ASSERT_TRUE(read.Succeeded()) << read.ErrorText();
        ReductionSession& session = *read.Value()->session;
        session.SelectStations({});
        CorrectionsDialogModel dialog = session.OpenCorrections();
        (void)dialog.SetTideMode(kTideBerger);
        session.ApplyCorrections(dialog.Settings());
        session.RunDriftCommand(session.Corrections(), DriftMode::calculate, {});
        session.SelectStations({});
        session.List().Reject(2, "disturbed");
        session.ComputeFinalTable();
        project.InsertSurvey(index++, std::move(read.Value()));
    }
    ASSERT_TRUE(SaveProject(project, folder / "meters.bramble").Succeeded());

    // Every reading has a key of its own (loop header, record in the loop).
    const nlohmann::json saved = SavedJson(project, folder);
    for (const nlohmann::json& survey : saved["surveys"]) {
        const nlohmann::json& readings = survey["readings"];
        std::set<std::pair<int, int>> keys;
        for (std::size_t i = 0; i < readings["header"].size(); ++i)
            keys.emplace(readings["header"][i].get<int>(), readings["record"][i].get<int>());
        EXPECT_EQ(keys.size(), readings["header"].size());
    }
    EXPECT_EQ(saved["surveys"][0]["meter"], "cg6");
    EXPECT_EQ(saved["surveys"][1]["meter"], "burris");

    const Result<std::unique_ptr<Project>> opened = LoadProject(folder / "meters.bramble");
    ASSERT_TRUE(opened.Succeeded()) << opened.ErrorText();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(opened.Value()->Survey(i).meter, project.Survey(i).meter);
        EXPECT_EQ(opened.Value()->Survey(i).session->Meter(), project.Survey(i).meter);
        EXPECT_EQ(EverythingShown(*opened.Value()->Survey(i).session), EverythingShown(*project.Survey(i).session))
            << "survey " << i;
    }
}
