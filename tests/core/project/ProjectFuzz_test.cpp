// The project reader on hostile input: random mutations and truncations of
// a real project file never crash, hang or read outside memory (this suite
// also runs under the sanitizers), and whatever opens is sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "project/ProjectFile.h"
#include "support/WorkedSurvey.h"

using namespace bramble;
using namespace bramble::test;

namespace {

void ExpectSound(const Result<std::unique_ptr<Project>>& opened)
{
    if (!opened.HasValue()) {
        EXPECT_TRUE(opened.Failed());
        EXPECT_FALSE(opened.ErrorText().empty());
        return;
    }
    Project& project = *opened.Value();
    for (int i = 0; i < project.SurveyCount(); ++i) {
        ReductionSession& session = *project.Survey(i).session;
        const CStationList& list = session.List();
        for (int row = 0; row < list.RowCount(); ++row) {
            EXPECT_NE(list.FindReading(row), nullptr);
            EXPECT_FALSE(list.IsSelected(row) && list.IsRejected(row));
        }
        (void)EverythingShown(session);
    }
}

}  // namespace

TEST(ProjectFuzz, MutatedProjectFilesAreRefusedOrOpenSoundly)
{
    const std::string folder = std::filesystem::path(kCg3Example).parent_path().string();
    const std::string projectPath = folder + "/fuzz.bramble";  // never written: only its folder counts
    Project project;
    Result<std::unique_ptr<ProjectSurvey>> survey = ReadProjectSurvey(kCg3Example, MeterKind::cg3, {});
    ASSERT_TRUE(survey.Succeeded());
    ReduceAsAnOperatorWould(*survey.Value()->session);
    project.InsertSurvey(0, std::move(survey.Value()));
    const std::string text = ProjectToJson(project, projectPath);
    ExpectSound(ProjectFromJson(text, projectPath));

    std::mt19937 random(20261207);
    const std::string alphabet = "0123456789-.eE+,:[]{}\"ntrufalse \n\\x";
    for (int round = 0; round < 300; ++round) {
        std::string bytes = text;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0: bytes[at] = alphabet[random() % alphabet.size()]; break;
            case 1: bytes.erase(at, 1 + random() % 8); break;
            case 2: bytes.insert(at, 1, alphabet[random() % alphabet.size()]); break;
            default: bytes[at] = static_cast<char>(random() % 256); break;
            }
        }
        ExpectSound(ProjectFromJson(bytes, projectPath));
    }
    for (std::size_t cut = 0; cut < text.size(); cut += text.size() / 97 + 1)
        ExpectSound(ProjectFromJson(text.substr(0, cut), projectPath));
}
