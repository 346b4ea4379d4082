// Autosaves: written beside nothing of the user's, found again only when the
// program that wrote them no longer runs, and restored as the project they
// stood for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "project/Autosave.h"
#include "project/ProjectFile.h"
#include "session/ReductionSession.h"
#include "support/WorkedSurvey.h"

using namespace bramble;
using namespace bramble::test;
namespace fs = std::filesystem;

namespace {

class Folders {
public:
    Folders()
    {
        static int counter = 0;
        m_root = fs::temp_directory_path() /
                 ("bramble-autosave-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(m_root / "work");
        fs::copy_file(kCg3Example, m_root / "work" / "day1.dat");
    }
    ~Folders() { fs::remove_all(m_root); }
    std::string Work(const std::string& name) const { return (m_root / "work" / name).string(); }
    std::string Autosaves() const { return (m_root / "data" / "Bramble").string(); }

private:
    fs::path m_root;
};

std::unique_ptr<Project> ReducedProject(const Folders& folders)
{
    auto project = std::make_unique<Project>();
    Result<std::unique_ptr<ProjectSurvey>> read = ReadProjectSurvey(folders.Work("day1.dat"), MeterKind::cg3, {});
    EXPECT_TRUE(read.Succeeded()) << read.ErrorText();
    ReduceAsAnOperatorWould(*read.Value()->session);
    read.Value()->session->List().Reject(3, "tripod moved");
    project->InsertSurvey(0, std::move(read.Value()));
    return project;
}

const auto kNoneRunning = [](const std::string&) { return false; };

}  // namespace

TEST(Autosave, ALeftAutosaveComesBackAsTheProjectItStoodFor)
{
    Folders folders;
    std::unique_ptr<Project> project = ReducedProject(folders);
    project->SetFilePath(folders.Work("campaign.bramble"));
    const std::string shown = EverythingShown(*project->ActiveSession());
    ASSERT_TRUE(WriteAutosave(*project, folders.Autosaves(), "100-7", 5000).Succeeded());
    // Writing it leaves the project's own file alone.
    EXPECT_EQ(project->FilePath(), folders.Work("campaign.bramble"));
    EXPECT_FALSE(fs::exists(folders.Work("campaign.bramble")));

    // The program that wrote it sees nothing to restore; another one does.
    EXPECT_TRUE(FindLeftAutosaves(folders.Autosaves(), "100-7", kNoneRunning).empty());
    const std::vector<LeftAutosave> left = FindLeftAutosaves(folders.Autosaves(), "200-8", kNoneRunning);
    ASSERT_EQ(left.size(), 1U);
    EXPECT_EQ(left[0].Name(), "campaign.bramble");
    EXPECT_EQ(left[0].savedMs, 5000);

    Result<std::unique_ptr<Project>> restored = RestoreAutosave(left[0]);
    ASSERT_TRUE(restored.HasValue()) << restored.ErrorText();
    EXPECT_EQ(restored.Value()->FilePath(), folders.Work("campaign.bramble"));
    EXPECT_EQ(EverythingShown(*restored.Value()->ActiveSession()), shown);

    RemoveAutosave(folders.Autosaves(), "100-7");
    EXPECT_TRUE(FindLeftAutosaves(folders.Autosaves(), "200-8", kNoneRunning).empty());
}

TEST(Autosave, OnlyCompleteAutosavesOfProgramsThatEndedAreOfferedNewestFirst)
{
    Folders folders;
    std::unique_ptr<Project> project = ReducedProject(folders);  // untitled
    const std::string folder = folders.Autosaves();
    ASSERT_TRUE(WriteAutosave(*project, folder, "1-1", 1000).Succeeded());
    ASSERT_TRUE(WriteAutosave(*project, folder, "2-2", 3000).Succeeded());
    ASSERT_TRUE(WriteAutosave(*project, folder, "3-3", 2000).Succeeded());
    ASSERT_TRUE(WriteAutosave(*project, folder, "4-4", 4000).Succeeded());
    // Cut short before its info was written, and an info that is no autosave's.
    fs::remove(AutosaveFilesOf(folder, "4-4").info);
    std::ofstream(AutosaveFilesOf(folder, "5-5").project) << "{}";
    std::ofstream(AutosaveFilesOf(folder, "5-5").info) << "{\"format\": \"bramble-autosave\", \"version\": 9}";

    const auto running = [&](const std::string& lock) { return lock == AutosaveFilesOf(folder, "2-2").lock; };
    const std::vector<LeftAutosave> left = FindLeftAutosaves(folder, "9-9", running);
    ASSERT_EQ(left.size(), 2U);
    EXPECT_EQ(left[0].session, "3-3");
    EXPECT_EQ(left[1].session, "1-1");
    EXPECT_EQ(left[0].Name(), "Untitled");

    // An untitled project comes back untitled, its data file found again.
    Result<std::unique_ptr<Project>> restored = RestoreAutosave(left[1]);
    ASSERT_TRUE(restored.HasValue()) << restored.ErrorText();
    EXPECT_TRUE(restored.Value()->FilePath().empty());
    EXPECT_EQ(restored.Value()->Survey(0).path, folders.Work("day1.dat"));
    EXPECT_EQ(restored.Value()->ActiveSession()->List().RejectionReason(3), "tripod moved");
}

TEST(Autosave, AChangedDataFileIsNamedRatherThanRestoredFrom)
{
    Folders folders;
    std::unique_ptr<Project> project = ReducedProject(folders);
    ASSERT_TRUE(WriteAutosave(*project, folders.Autosaves(), "1-1", 1000).Succeeded());
    std::ofstream(folders.Work("day1.dat"), std::ios::app) << "\n";
    const std::vector<LeftAutosave> left = FindLeftAutosaves(folders.Autosaves(), "2-2", kNoneRunning);
    ASSERT_EQ(left.size(), 1U);
    const Result<std::unique_ptr<Project>> restored = RestoreAutosave(left[0]);
    EXPECT_FALSE(restored.HasValue());
    EXPECT_NE(restored.ErrorText().find("has changed since"), std::string::npos) << restored.ErrorText();
}
