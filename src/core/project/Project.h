#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "result/Result.h"
#include "session/MeterKind.h"
#include "survey/AliodHeaderTexts.h"
#include "survey/ReadReport.h"

namespace bramble {

class ReductionSession;

// One survey of a project: a meter file read into its own reduction
// session, with what is needed to read the same file again.
struct ProjectSurvey {
    ProjectSurvey();
    ~ProjectSurvey();
    std::unique_ptr<ReductionSession> session;  // never null
    std::string path;                           // the data file, absolute
    MeterKind meter = MeterKind::cg3;
    AliodHeaderTexts header;  // the Aliod header texts it was read with
    std::string sha256;       // of the file's bytes when they were read
};

// Notes where the survey's data file is (made absolute), how it was read
// and the SHA-256 of its bytes, after the session read it. An error when
// the file cannot be read for its digest.
Outcome NoteSurveyFile(ProjectSurvey& survey, const std::string& path, MeterKind meter,
                       const AliodHeaderTexts& header);

// Reads a meter file into a new survey (ReadSurveyFile) and notes its
// SHA-256. The value is there whenever the file could be read; the
// messages are the reader's.
Result<std::unique_ptr<ProjectSurvey>> ReadProjectSurvey(const std::string& path, MeterKind meter,
                                                         const AliodHeaderTexts& header);

// Several surveys reduced together, one of them active (the one the windows
// show). An empty project has no active survey (-1).
class Project {
public:
    Project();
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    int SurveyCount() const { return static_cast<int>(m_surveys.size()); }
    ProjectSurvey& Survey(int index) { return *m_surveys.at(static_cast<std::size_t>(index)); }
    const ProjectSurvey& Survey(int index) const { return *m_surveys.at(static_cast<std::size_t>(index)); }
    int Active() const { return m_active; }
    // The active survey's session; null in an empty project.
    ReductionSession* ActiveSession();
    // Refused for an index that is not a survey of the project.
    Outcome SetActive(int index);

    // Puts `survey` at `index` (clamped to 0..SurveyCount()) and makes it
    // active.
    void InsertSurvey(int index, std::unique_ptr<ProjectSurvey> survey);
    // Takes the survey out; the active one stays the same survey, or is the
    // one before when it was taken out. Null for an index out of range.
    std::unique_ptr<ProjectSurvey> TakeSurvey(int index);
    // Puts `survey` in place of the one at `index` and gives that one back.
    std::unique_ptr<ProjectSurvey> ReplaceSurvey(int index, std::unique_ptr<ProjectSurvey> survey);

    // The project file it was last opened from or saved to; empty for a new one.
    const std::string& FilePath() const { return m_filePath; }
    void SetFilePath(std::string path) { m_filePath = std::move(path); }

private:
    std::vector<std::unique_ptr<ProjectSurvey>> m_surveys;
    int m_active = -1;
    std::string m_filePath;
};

}  // namespace bramble
