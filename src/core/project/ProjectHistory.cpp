#include "project/ProjectHistory.h"

#include "session/ReductionSession.h"

namespace bramble {

// One step: what Apply does to go to the other side of it. Its inverse is
// made as it is applied, so Undo and Redo are the same operation.
struct ProjectHistory::Step {
    enum Kind { restoreState, insertSurvey, eraseSurvey, swapSurvey, activate };
    Kind kind = restoreState;
    int index = 0;
    std::string label;
    unsigned long long id = 0;  // the state after the command
    int active = -1;            // the active survey to go back to
    SessionSnapshot snapshot;                // restoreState
    std::unique_ptr<ProjectSurvey> survey;  // insertSurvey, swapSurvey
    std::size_t bytes = 0;                  // Measure() when made

    void Measure() { bytes = Bytes(); }
    std::size_t Bytes() const
    {
        std::size_t bytes = sizeof(Step) + label.capacity();
        if (kind == restoreState)
            bytes += snapshot.Bytes();
        if (survey) {
            // A whole survey: its readings and rows, and the state they carry.
            const ReductionSession& session = *survey->session;
            bytes += session.Document().m_Readings.size() * (sizeof(CScintrexStation) + 2 * sizeof(void*)) +
                     session.List().RowCount() * sizeof(CStationList::RowState);
        }
        return bytes;
    }
};

ProjectHistory::ProjectHistory(std::size_t budget, std::size_t steps) : m_budget(budget), m_maxSteps(steps) { }
ProjectHistory::~ProjectHistory() = default;

void ProjectHistory::Push(Project& project, std::unique_ptr<Step> step)
{
    step->id = m_nextId++;
    if (step->active < 0)
        step->active = project.Active();
    step->Measure();
    m_undo.push_back(std::move(step));
    m_redo.clear();
    Trim();
}

void ProjectHistory::BeforeChange(Project& project, int survey, std::string label)
{
    if (survey < 0 || survey >= project.SurveyCount())
        return;
    auto step = std::make_unique<Step>();
    step->kind = Step::restoreState;
    step->index = survey;
    step->label = std::move(label);
    step->snapshot = TakeSnapshot(*project.Survey(survey).session);
    Push(project, std::move(step));
}

void ProjectHistory::Record(Project& project, int survey, SessionSnapshot before, std::string label)
{
    if (survey < 0 || survey >= project.SurveyCount())
        return;
    auto step = std::make_unique<Step>();
    step->kind = Step::restoreState;
    step->index = survey;
    step->label = std::move(label);
    step->snapshot = std::move(before);
    Push(project, std::move(step));
}

void ProjectHistory::AddSurvey(Project& project, int index, std::unique_ptr<ProjectSurvey> survey,
                               std::string label)
{
    auto step = std::make_unique<Step>();
    step->kind = Step::eraseSurvey;
    step->active = project.Active();
    project.InsertSurvey(index, std::move(survey));
    step->index = project.Active();  // where it went
    step->label = std::move(label);
    Push(project, std::move(step));
}

bool ProjectHistory::RemoveSurvey(Project& project, int index, std::string label)
{
    auto step = std::make_unique<Step>();
    step->kind = Step::insertSurvey;
    step->active = project.Active();
    step->survey = project.TakeSurvey(index);
    if (!step->survey)
        return false;
    step->index = index;
    step->label = std::move(label);
    Push(project, std::move(step));
    return true;
}

bool ProjectHistory::ReplaceSurvey(Project& project, int index, std::unique_ptr<ProjectSurvey> survey,
                                   std::string label)
{
    auto step = std::make_unique<Step>();
    step->kind = Step::swapSurvey;
    step->active = project.Active();
    step->survey = project.ReplaceSurvey(index, std::move(survey));
    if (!step->survey)
        return false;
    step->index = index;
    step->label = std::move(label);
    Push(project, std::move(step));
    return true;
}

bool ProjectHistory::SwitchSurvey(Project& project, int index, std::string label)
{
    const int before = project.Active();
    if (index == before || project.SetActive(index).Failed())
        return false;
    auto step = std::make_unique<Step>();
    step->kind = Step::activate;
    step->index = index;
    step->label = std::move(label);
    step->active = before;  // undo makes it active again
    Push(project, std::move(step));
    return true;
}

void ProjectHistory::DropLastStep()
{
    if (!m_undo.empty())
        m_undo.pop_back();
}

std::unique_ptr<ProjectHistory::Step> ProjectHistory::Apply(Project& project, Step& step, Outcome& outcome)
{
    auto inverse = std::make_unique<Step>();
    inverse->index = step.index;
    inverse->label = step.label;
    inverse->id = step.id;
    inverse->active = project.Active();
    switch (step.kind) {
    case Step::restoreState: {
        if (step.index >= project.SurveyCount()) {
            outcome.AddError("the survey of this step is no longer in the project");
            return nullptr;
        }
        ReductionSession& session = *project.Survey(step.index).session;
        inverse->kind = Step::restoreState;
        inverse->snapshot = TakeSnapshot(session);
        outcome.Append(RestoreSnapshot(session, step.snapshot));
        if (outcome.Failed())
            return nullptr;
        break;
    }
    case Step::insertSurvey:
        inverse->kind = Step::eraseSurvey;
        project.InsertSurvey(step.index, std::move(step.survey));
        break;
    case Step::eraseSurvey:
        inverse->kind = Step::insertSurvey;
        inverse->survey = project.TakeSurvey(step.index);
        if (!inverse->survey) {
            outcome.AddError("the survey of this step is no longer in the project");
            return nullptr;
        }
        break;
    case Step::activate:
        inverse->kind = Step::activate;
        break;
    case Step::swapSurvey:
        inverse->kind = Step::swapSurvey;
        inverse->survey = project.ReplaceSurvey(step.index, std::move(step.survey));
        if (!inverse->survey) {
            outcome.AddError("the survey of this step is no longer in the project");
            return nullptr;
        }
        break;
    }
    if (step.active >= 0 && step.active < project.SurveyCount())
        (void)project.SetActive(step.active);
    inverse->Measure();
    return inverse;
}

Outcome ProjectHistory::Undo(Project& project) { return Move(project, m_undo, m_redo, "undo"); }

Outcome ProjectHistory::Redo(Project& project) { return Move(project, m_redo, m_undo, "redo"); }

// Applies the last step of `from` and keeps its inverse on `to`.
Outcome ProjectHistory::Move(Project& project, Steps& from, Steps& to, const char* verb)
{
    Outcome outcome;
    if (from.empty())
        return Outcome::Error(std::string("there is nothing to ") + verb);
    std::unique_ptr<Step> step = std::move(from.back());
    from.pop_back();
    std::unique_ptr<Step> inverse = Apply(project, *step, outcome);
    if (!inverse) {
        // The history no longer fits the project: start afresh.
        Clear();
        m_savedAt = kUnknownState;
        return outcome;
    }
    to.push_back(std::move(inverse));
    return outcome;
}

void ProjectHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    m_savedAt = 0;
}

std::string ProjectHistory::UndoLabel() const { return m_undo.empty() ? std::string() : m_undo.back()->label; }
std::string ProjectHistory::RedoLabel() const { return m_redo.empty() ? std::string() : m_redo.back()->label; }

unsigned long long ProjectHistory::CurrentId() const { return m_undo.empty() ? 0 : m_undo.back()->id; }

std::size_t ProjectHistory::Bytes() const
{
    std::size_t bytes = 0;
    for (const Steps* steps : {&m_undo, &m_redo})
        for (const auto& step : *steps)
            bytes += step->bytes;
    return bytes;
}

void ProjectHistory::Trim()
{
    while (m_undo.size() > 1 && (m_undo.size() > m_maxSteps || Bytes() > m_budget))
        m_undo.pop_front();
}

}  // namespace bramble
