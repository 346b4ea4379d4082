#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "project/Project.h"
#include "result/Result.h"

namespace bramble {

// The project file: JSON, {"format": "bramble-project", "version": 1, ...},
// described in docs/file-formats.md. It holds each survey's data file (by
// path, relative to the project file where it can be, and SHA-256) and the
// whole state of its reduction, so that opening it gives the same cells,
// final table and exports as when it was saved.
inline constexpr const char* kProjectFormat = "bramble-project";
inline constexpr int kProjectVersion = 1;
inline constexpr const char* kProjectExtension = ".bramble";

// The project as the text of its file, data paths relative to the folder
// of `projectPath`.
std::string ProjectToJson(Project& project, const std::string& projectPath);
// Writes it safely (a temporary file renamed over `path`); on success the
// project's file path becomes `path`.
Outcome SaveProject(Project& project, const std::string& path);

// A data file of the project that cannot be used as it is.
struct DataFileProblem {
    enum Kind { missing, changed };
    int survey = 0;    // 0-based
    std::string path;  // where the project file says it is
    Kind kind = missing;
};

struct ProjectLoadOptions {
    // Data files the operator located elsewhere, by survey (0-based). Their
    // bytes must still be those the project was saved with.
    std::map<int, std::string> located;
};

// Reads a project file. Either the whole project comes back or, with an
// error naming the problem, nothing: a file that is no JSON or not a
// project, another version, a value of the wrong type, a data file that is
// missing or changed since (listed in `problems` when given), a reading key
// that matches no reading of the data file.
Result<std::unique_ptr<Project>> LoadProject(const std::string& path, const ProjectLoadOptions& options = {},
                                             std::vector<DataFileProblem>* problems = nullptr);
// The same from the file's text; data paths are relative to `projectPath`'s folder.
Result<std::unique_ptr<Project>> ProjectFromJson(std::string_view text, const std::string& projectPath,
                                                 const ProjectLoadOptions& options = {},
                                                 std::vector<DataFileProblem>* problems = nullptr);

}  // namespace bramble
