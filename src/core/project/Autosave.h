#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "project/Project.h"
#include "result/Result.h"

namespace bramble {

// The autosave of a running program: a copy of the project with its unsaved
// changes, kept in the per-user data folder so that a crash loses at most
// the work since the last copy. Each running program (a "session") has its
// own files there, all named after the session:
//   autosave-<session>.bramble  the project, as a project file
//   autosave-<session>.json     what it is the autosave of (written last: an
//                               autosave without it is not complete)
//   autosave-<session>.lock     held while the session runs
// A session that ended cleanly removes its files. Files left by a session
// that no longer runs are offered for restoring at the next start.
struct AutosaveFiles {
    std::string project;
    std::string info;
    std::string lock;
};

// A session's name: its start time (milliseconds since 1970, UTC) and the
// process id, so that two programs started at once never share files.
std::string AutosaveSession(std::int64_t startMs, std::int64_t processId);
AutosaveFiles AutosaveFilesOf(const std::string& folder, const std::string& session);

// Writes the autosave of `project` (its file path is the project file it
// was opened from or saved to, empty for an untitled one): the project
// first, then the file that says what it is, each written safely. The
// project's own file path is left as it is. Refused like SaveProject for a
// survey read from a pipe.
Outcome WriteAutosave(Project& project, const std::string& folder, const std::string& session,
                      std::int64_t savedMs);
// Removes a session's autosave (not its lock).
void RemoveAutosave(const std::string& folder, const std::string& session);

// An autosave left by a session that no longer runs.
struct LeftAutosave {
    std::string session;
    std::string projectPath;  // the project file it was the autosave of; empty: untitled
    std::int64_t savedMs = 0;
    AutosaveFiles files;

    // The name to show for it: the project file's name, or "Untitled".
    std::string Name() const;
};

// The complete autosaves in `folder` whose session is not `ownSession` and
// no longer runs (`isRunning` is asked with the lock file's path), newest
// first. An autosave that cannot be read is left out.
std::vector<LeftAutosave> FindLeftAutosaves(const std::string& folder, const std::string& ownSession,
                                            const std::function<bool(const std::string& lockPath)>& isRunning);

// Opens a left autosave as the project it was: with the file path of the
// original project (so that Save writes there), or none for an untitled one.
// The data files are checked as when a project is opened.
Result<std::unique_ptr<Project>> RestoreAutosave(const LeftAutosave& autosave);

}  // namespace bramble
