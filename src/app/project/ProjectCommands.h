#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "project/Project.h"
#include "project/ProjectHistory.h"
#include "project/SessionSnapshot.h"

class QAction;
class QWidget;

namespace bramble {

class CKelpView;
class ReductionSession;

// The project behind the main window: Open Project, Save Project, Save
// Project As, Undo and Redo, and the question before unsaved changes are
// dropped. The windows show one fixed session; the project's active
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
    // After an import into the shown session: it becomes the project's
    // active survey (a new project's first). Not undoable: the history starts
    // again.
    void OnImported(const QString& path, bool aliod, bool opened);

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

private:
    // The shown survey goes back into the project and comes out again.
    template <class Operation>
    void WithSurveyInProject(Operation operation);
    void Refresh();

    ReductionSession& m_live;
    CKelpView& m_view;
    QWidget& m_window;
    std::unique_ptr<Project> m_project;
    ProjectHistory m_history;
    bool m_bChangedOutsideHistory = false;  // an import: not undoable, still unsaved
    int m_nDepth = 0;
    std::optional<SessionSnapshot> m_before;
    QAction* m_pOpen = nullptr;
    QAction* m_pSave = nullptr;
    QAction* m_pSaveAs = nullptr;
    QAction* m_pUndo = nullptr;
    QAction* m_pRedo = nullptr;
};

}  // namespace bramble
