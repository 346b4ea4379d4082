#include "project/Autosave.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "output/SafeFile.h"
#include "project/ProjectFile.h"

namespace bramble {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

constexpr const char* kPrefix = "autosave-";
constexpr const char* kInfoFormat = "bramble-autosave";
constexpr int kInfoVersion = 1;

// Data paths in the autosave are written relative to the project file it
// stands for, so that they read back the same wherever the autosave is.
std::string AnchorOf(const std::string& projectPath, const AutosaveFiles& files)
{
    return projectPath.empty() ? files.project : projectPath;
}

std::optional<std::string> ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return bytes.str();
}

// The session named by an info file's name, empty when it is no autosave's.
std::string SessionOfInfo(const fs::path& path)
{
    const std::string name = path.filename().string();
    const std::string prefix = kPrefix;
    if (path.extension() != ".json" || name.size() <= prefix.size() + 5 || name.rfind(prefix, 0) != 0)
        return {};
    return name.substr(prefix.size(), name.size() - prefix.size() - 5);
}

}  // namespace

std::string AutosaveSession(std::int64_t startMs, std::int64_t processId)
{
    return std::to_string(startMs) + "-" + std::to_string(processId);
}

AutosaveFiles AutosaveFilesOf(const std::string& folder, const std::string& session)
{
    const fs::path base = fs::path(folder) / (kPrefix + session);
    return {base.string() + kProjectExtension, base.string() + ".json", base.string() + ".lock"};
}

Outcome WriteAutosave(Project& project, const std::string& folder, const std::string& session, std::int64_t savedMs)
{
    for (int i = 0; i < project.SurveyCount(); ++i) {
        if (project.Survey(i).sha256.empty())
            return Outcome::Error("Survey " + std::to_string(i + 1) +
                                  " was not read from a regular file; it cannot be kept in an autosave.");
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return Outcome::Error("The autosave folder " + folder + " cannot be made: " + error.message() + ".");
    const AutosaveFiles files = AutosaveFilesOf(folder, session);
    const std::string projectPath = project.FilePath();
    const Outcome written = WriteFileSafely(files.project, ProjectToJson(project, AnchorOf(projectPath, files)));
    if (written.Failed())
        return written;
    const json info = {{"format", kInfoFormat}, {"version", kInfoVersion}, {"project", projectPath},
                       {"saved", savedMs}};
    return WriteFileSafely(files.info, info.dump(2) + "\n");
}

void RemoveAutosave(const std::string& folder, const std::string& session)
{
    const AutosaveFiles files = AutosaveFilesOf(folder, session);
    std::error_code error;
    // The info first: without it what remains is no autosave.
    fs::remove(files.info, error);
    fs::remove(files.project, error);
}

std::string LeftAutosave::Name() const
{
    return projectPath.empty() ? std::string("Untitled") : fs::path(projectPath).filename().string();
}

std::vector<LeftAutosave> FindLeftAutosaves(const std::string& folder, const std::string& ownSession,
                                            const std::function<bool(const std::string&)>& isRunning)
{
    std::vector<LeftAutosave> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string session = SessionOfInfo(it->path());
        if (session.empty() || session == ownSession)
            continue;
        LeftAutosave left;
        left.session = session;
        left.files = AutosaveFilesOf(folder, session);
        std::error_code missing;
        if (!fs::is_regular_file(left.files.project, missing))
            continue;
        const std::optional<std::string> text = ReadText(left.files.info);
        if (!text)
            continue;
        const json info = json::parse(*text, nullptr, false);
        if (!info.is_object() || info.value("format", json()) != kInfoFormat ||
            info.value("version", json()) != kInfoVersion || !info.contains("project") ||
            !info["project"].is_string() || !info.contains("saved") || !info["saved"].is_number_integer())
            continue;
        left.projectPath = info["project"].get<std::string>();
        left.savedMs = info["saved"].get<std::int64_t>();
        if (isRunning && isRunning(left.files.lock))
            continue;
        found.push_back(std::move(left));
    }
    std::sort(found.begin(), found.end(),
              [](const LeftAutosave& a, const LeftAutosave& b) { return a.savedMs > b.savedMs; });
    return found;
}

Result<std::unique_ptr<Project>> RestoreAutosave(const LeftAutosave& autosave)
{
    const std::optional<std::string> text = ReadText(autosave.files.project);
    if (!text)
        return Outcome::Error("The autosave " + autosave.files.project + " cannot be read.");
    Result<std::unique_ptr<Project>> project =
        ProjectFromJson(*text, AnchorOf(autosave.projectPath, autosave.files));
    if (project.HasValue())
        project.Value()->SetFilePath(autosave.projectPath);
    return project;
}

}  // namespace bramble
