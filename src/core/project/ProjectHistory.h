#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "project/Project.h"
#include "project/SessionSnapshot.h"
#include "result/Result.h"

namespace bramble {

// Undo and redo for a project: every change to a reduction is a step that
// holds what is needed to go back (a snapshot of the survey's state before
// it, or the survey that was added, removed or replaced). The front end
// records a step around each command; Undo and Redo move along them.
//
// Old steps are dropped when the steps hold more than the memory budget or
// are more than the step limit; the last step is always kept.
class ProjectHistory {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{512} << 20;  // bytes
    static constexpr std::size_t kDefaultSteps = 100;

    explicit ProjectHistory(std::size_t budget = kDefaultBudget, std::size_t steps = kDefaultSteps);
    ~ProjectHistory();

    // Before a command changes survey `survey`'s reduction: the state it can
    // go back to. A command that changed nothing after all is taken back
    // with DropLastStep.
    void BeforeChange(Project& project, int survey, std::string label);
    // The same with the state taken elsewhere (a window that shows the
    // survey in a session of its own).
    void Record(Project& project, int survey, SessionSnapshot before, std::string label);
    // The commands on the project's surveys, carried out here so that the
    // step knows which survey was active: a survey added at `index` (and
    // made active), the survey at `index` removed (the value, null for an
    // index out of range), the survey at `index` replaced (an import over it).
    void AddSurvey(Project& project, int index, std::unique_ptr<ProjectSurvey> survey, std::string label);
    bool RemoveSurvey(Project& project, int index, std::string label);
    bool ReplaceSurvey(Project& project, int index, std::unique_ptr<ProjectSurvey> survey, std::string label);
    // Makes the survey at `index` the active one (the project file keeps
    // which one is); false, and no step, when it is already or out of range.
    bool SwitchSurvey(Project& project, int index, std::string label);
    void DropLastStep();

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The command the next Undo or Redo takes back or does again.
    std::string UndoLabel() const;
    std::string RedoLabel() const;
    Outcome Undo(Project& project);
    Outcome Redo(Project& project);
    // A new or opened project starts without history.
    void Clear();

    // The project as saved is this point of the history.
    void MarkSaved() { m_savedAt = CurrentId(); }
    bool IsModified() const { return m_savedAt != CurrentId(); }
    // Memory the steps hold, roughly, in bytes.
    std::size_t Bytes() const;
    std::size_t UndoSteps() const { return m_undo.size(); }

private:
    struct Step;
    using Steps = std::deque<std::unique_ptr<Step>>;
    void Push(Project& project, std::unique_ptr<Step> step);
    static std::unique_ptr<Step> Apply(Project& project, Step& step, Outcome& outcome);
    Outcome Move(Project& project, Steps& from, Steps& to, const char* verb);
    unsigned long long CurrentId() const;
    void Trim();

    Steps m_undo;
    Steps m_redo;
    std::size_t m_budget;
    std::size_t m_maxSteps;
    unsigned long long m_nextId = 1;
    unsigned long long m_savedAt = 0;  // 0: the state before any step
    static constexpr unsigned long long kUnknownState = ~0ULL;
};

}  // namespace bramble
