#pragma once

#include <QMainWindow>

#include "mainwnd/RecentFileList.h"
#include "project/RecentProjectList.h"

class QAction;
class QLabel;
class QMenu;

namespace bramble {

class CKelpDoc;
class ReductionSession;
class CKelpView;
class ImportCommand;
class LockKeyIndicators;
class NetworkAdjustWindow;
class AutosaveKeeper;
class ProjectCommands;
class SurveyList;

// The main window: the menus, the station list view in the middle and the
// status bar ("Ready", CAP, NUM, SCRL). New, Open, Save and Print exist
// only as disabled commands, so their shortcuts do nothing. Files can also
// be dropped on it, and the File menu lists the last four imports and the
// last four projects. The Survey menu (and a box beside "Number of Points"
// while there are several) lists the project's surveys.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    // `session` outlives the frame.
    explicit CMainFrame(ReductionSession& session, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKelpView* view() const { return m_pView; }
    ImportCommand* importCommand() const { return m_pImport; }
    LockKeyIndicators* lockKeys() const { return m_pLockKeys; }
    ProjectCommands* projectCommands() const { return m_pProject; }
    SurveyList* surveyList() const { return m_pSurveys; }
    AutosaveKeeper* autosave() const { return m_pAutosave; }

    // Caption: "<document title> - Bramble", or "Bramble" before any import;
    // with a project file its name first, and a "*" after it while the
    // project has unsaved changes.
    void UpdateTitle();

    // The size and place the window takes when it is not maximised: as it
    // was when the program last ended, else the top-left of the screen.
    void RestoreNormalGeometry();

    void OnAppAbout();
    // Network > "Adjust Network...": the adjustment window on the survey,
    // created on first use and kept.
    void OnAdjustNetwork();
    NetworkAdjustWindow* adjustWindow() const { return m_pAdjust; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildDisabledCommands();
    void UpdateRecentMenu();
    void OpenRecentProject(const QString& path);
    void OnImported(const QString& path, MeterKind meter, bool opened);

    CKelpDoc& m_doc;
    CKelpView* m_pView = nullptr;
    ImportCommand* m_pImport = nullptr;
    LockKeyIndicators* m_pLockKeys = nullptr;
    NetworkAdjustWindow* m_pAdjust = nullptr;  // a child window, null until first used
    ProjectCommands* m_pProject = nullptr;
    SurveyList* m_pSurveys = nullptr;
    AutosaveKeeper* m_pAutosave = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentSeparator = nullptr;
    QAction* m_pRecentProjectSeparator = nullptr;
    QAction* m_pExitSeparator = nullptr;
    QAction* m_pExitAction = nullptr;
    QList<QAction*> m_RecentActions;
    RecentFileList m_Recent;
    RecentProjectList m_RecentProjects;
};

}  // namespace bramble
