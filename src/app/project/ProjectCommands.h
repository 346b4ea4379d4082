#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

#include "project/Autosave.h"
#include "project/Project.h"
#include "project/ProjectHistory.h"
#include "project/SessionSnapshot.h"
#include "session/SurveyImport.h"

class QAction;
class QWidget;

namespace bramble {

class CKelpView;
class ReductionSession;

// The project behind the main window: Open Project, Save Project, Save
// Project As, Undo and Redo, the question before unsaved changes are
// dropped, and the project's surveys (added, removed, switched, replaced by
// an import). The windows show one fixed session; the project's active
// survey lives in it (SwapSessionContents), and is put back into the
// project for every operation on the project as a whole (save, undo).
class ProjectCommands final : public QObject {
    Q_OBJECT
public:
    // `live` is the session the windows show; it outlives this object.
    ProjectCommands(ReductionSession& live, CKelpView& view, QWidget& window);
    ~ProjectCommands() override;

    QAction* openAction() const { return m_pOpen; }
    QAction* saveAction() const { return m_pSave; }
    QAction* saveAsAction() const { return m_pSaveAs; }
    QAction* undoAction() const { return m_pUndo; }
    QAction* redoAction() const { return m_pRedo; }

    // The project's name for the caption ("survey.bramble"), empty while it
    // has no file; and whether it has unsaved changes.
    QString ProjectName() const;
    bool IsModified() const;
    // Every survey of the project in order, the one shown as it is shown
    // (the network adjustment reads them all).
    std::vector<const ReductionSession*> Sessions() const;

    // Around a command that may change the reduction: Begin takes the
    // state, End records an undo step when the state changed. Nested
    // commands (the Corrections dialog's drift) make one step.
    void BeginCommand();
    void EndCommand(const QString& label);
    // A command is under way (its dialog may be open).
    bool InCommand() const { return m_nDepth > 0; }
    // A survey read by Import or Add Survey: added to the project, or put in
    // place of the active survey, as one step of the history, and shown. The
    // first survey of a project that is neither saved nor changed starts it
    // afresh (nothing to undo, nothing to save). Fails, changing nothing,
    // for a survey without readings.
    Outcome AdoptSurvey(ImportedSurvey survey, const QString& path, MeterKind meter, bool add);

    // The surveys by name ("1  day1.dat"), in order, and the active one (-1: none).
    QStringList SurveyNames() const;
    int ActiveSurvey() const { return m_project->Active(); }
    // The survey at `index` becomes the one shown, as a step of the history.
    void SwitchSurvey(int index);
    // Asks, then takes the survey at `index` out of the project (a step of
    // the history). False when cancelled or out of range.
    bool RemoveSurvey(int index);

    // The autosave of the project as it stands (see project/Autosave.h).
    Outcome WriteAutosave(const std::string& folder, const std::string& session, std::int64_t savedMs);
    // Opens a left autosave as an unsaved project named after the one it
    // stood for; an error message and false when it cannot be opened.
    bool RestoreAutosave(const LeftAutosave& autosave);

    bool OpenProject(const QString& path);
    bool SaveProject();
    bool SaveProjectAs();
    bool SaveProjectTo(const QString& path);
    void Undo();
    void Redo();
    // Unsaved changes: asks Save / Discard / Cancel; false for Cancel (or
    // a save that failed).
    bool MaybeSave();

signals:
    // The caption or the undo state changed.
    void stateChanged();
    void projectOpened(const QString& path);
    void projectSaved(const QString& path);
    // A command changed the project (or the survey shown): time for an autosave.
    void commandCompleted();

private:
    // The shown survey goes back into the project and comes out again.
    template <class Operation>
    void WithSurveyInProject(Operation operation);
    void Refresh();
    // `project` takes the place of the current one and is shown.
    void Install(std::unique_ptr<Project> project, bool modified);
    // The survey shown changed wholesale: the view, the caption, an autosave.
    void SurveysChanged();

    ReductionSession& m_live;
    CKelpView& m_view;
    QWidget& m_window;
    std::unique_ptr<Project> m_project;
    ProjectHistory m_history;
    bool m_bChangedOutsideHistory = false;  // a restored autosave: unsaved, no history
    int m_nDepth = 0;
    std::optional<SessionSnapshot> m_before;
    QAction* m_pOpen = nullptr;
    QAction* m_pSave = nullptr;
    QAction* m_pSaveAs = nullptr;
    QAction* m_pUndo = nullptr;
    QAction* m_pRedo = nullptr;
};

}  // namespace bramble
