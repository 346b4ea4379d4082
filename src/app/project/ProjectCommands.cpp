#include "project/ProjectCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include "mainwnd/CKelpView.h"
#include "project/ProjectFile.h"
#include "session/ReductionSession.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

const char* const kProjectFilter = "Bramble Projects (*.bramble);;All Files (*)";

void ShowError(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setObjectName("projectErrorBox");
    box.exec();
}

}  // namespace

ProjectCommands::ProjectCommands(ReductionSession& live, CKelpView& view, QWidget& window)
    : QObject(&window), m_live(live), m_view(view), m_window(window), m_project(std::make_unique<Project>())
{
    m_pOpen = new QAction("&Open Project...", this);
    m_pOpen->setObjectName("actionOpenProject");
    m_pOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_pOpen, &QAction::triggered, this, [this] {
        if (!MaybeSave())
            return;
        const QString path = QFileDialog::getOpenFileName(&m_window, "Open Project", QString(), kProjectFilter);
        if (!path.isEmpty())
            OpenProject(path);
    });
    m_pSave = new QAction("&Save Project", this);
    m_pSave->setObjectName("actionSaveProject");
    m_pSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_pSave, &QAction::triggered, this, &ProjectCommands::SaveProject);
    m_pSaveAs = new QAction("Save Project &As...", this);
    m_pSaveAs->setObjectName("actionSaveProjectAs");
    connect(m_pSaveAs, &QAction::triggered, this, &ProjectCommands::SaveProjectAs);
    m_pUndo = new QAction("&Undo", this);
    m_pUndo->setObjectName("actionUndo");
    m_pUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_pUndo, &QAction::triggered, this, &ProjectCommands::Undo);
    m_pRedo = new QAction("&Redo", this);
    m_pRedo->setObjectName("actionRedo");
    m_pRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_pRedo, &QAction::triggered, this, &ProjectCommands::Redo);
    Refresh();
}

ProjectCommands::~ProjectCommands() = default;

template <class Operation>
void ProjectCommands::WithSurveyInProject(Operation operation)
{
    const int active = m_project->Active();
    if (active >= 0)
        SwapSessionContents(m_live, *m_project->Survey(active).session);
    operation();
    const int shown = m_project->Active();
    if (shown >= 0) {
        SwapSessionContents(m_live, *m_project->Survey(shown).session);
    } else {
        ReductionSession empty;
        SwapSessionContents(m_live, empty);
    }
}

QString ProjectCommands::ProjectName() const
{
    return m_project->FilePath().empty() ? QString()
                                         : QFileInfo(QString::fromStdString(m_project->FilePath())).fileName();
}

std::vector<const ReductionSession*> ProjectCommands::Sessions() const
{
    std::vector<const ReductionSession*> sessions;
    if (m_project->Active() < 0) {
        sessions.push_back(&m_live);  // a survey read before any project
        return sessions;
    }
    for (int i = 0; i < m_project->SurveyCount(); ++i)
        sessions.push_back(i == m_project->Active() ? &m_live : m_project->Survey(i).session.get());
    return sessions;
}

bool ProjectCommands::IsModified() const { return m_bChangedOutsideHistory || m_history.IsModified(); }

void ProjectCommands::BeginCommand()
{
    if (m_nDepth++ == 0 && m_project->Active() >= 0)
        m_before = TakeSnapshot(m_live);
}

void ProjectCommands::EndCommand(const QString& label)
{
    if (m_nDepth == 0 || --m_nDepth > 0)
        return;
    if (m_before && !SameState(*m_before, TakeSnapshot(m_live)))
        m_history.Record(*m_project, m_project->Active(), std::move(*m_before), label.toStdString());
    m_before.reset();
    Refresh();
    emit commandCompleted();
}

Outcome ProjectCommands::AdoptSurvey(ImportedSurvey survey, const QString& path, MeterKind meter, bool add)
{
    auto read = std::make_unique<ProjectSurvey>();
    Outcome adopted = read->session->Adopt(std::move(survey));
    if (adopted.Failed())
        return adopted;
    const Outcome noted = NoteSurveyFile(*read, path.toStdString(), meter, read->session->Document().m_AliodHeader);
    if (noted.Failed())
        ShowError(&m_window, add ? "Add Survey" : "Import", QString::fromStdString(noted.ErrorText()));
    CKelpDoc& doc = read->session->Document();
    doc.SetTitle(QFileInfo(path).fileName().toStdString());
    // How the data came (the logger dialog's mode) was set for this read.
    doc.m_bInstrument = m_live.Document().m_bInstrument;
    doc.m_bAsciiFile = m_live.Document().m_bAsciiFile;
    // A survey newly read into a project that holds no work loses nothing
    // when dropped (its file holds it): the project starts with it. Over
    // work, it is a step that can be undone.
    const bool freshStart = !add && m_project->FilePath().empty() && !IsModified();
    WithSurveyInProject([&] {
        const int active = m_project->Active();
        if (add || active < 0)
            m_history.AddSurvey(*m_project, m_project->SurveyCount(), std::move(read), add ? "Add Survey" : "Import");
        else
            m_history.ReplaceSurvey(*m_project, active, std::move(read), "Import");
    });
    if (freshStart)
        m_history.Clear();
    SurveysChanged();
    return adopted;
}

QStringList ProjectCommands::SurveyNames() const
{
    QStringList names;
    for (int i = 0; i < m_project->SurveyCount(); ++i)
        names << QString("%1  %2").arg(i + 1).arg(
                     QFileInfo(QString::fromStdString(m_project->Survey(i).path)).fileName());
    return names;
}

void ProjectCommands::SwitchSurvey(int index)
{
    if (m_nDepth > 0 || index == m_project->Active() || index < 0 || index >= m_project->SurveyCount())
        return;
    WithSurveyInProject([&] { m_history.SwitchSurvey(*m_project, index, "Switch Survey"); });
    SurveysChanged();
}

bool ProjectCommands::RemoveSurvey(int index)
{
    if (m_nDepth > 0 || index < 0 || index >= m_project->SurveyCount())
        return false;
    const QString name = QFileInfo(QString::fromStdString(m_project->Survey(index).path)).fileName();
    QMessageBox ask(QMessageBox::Question, "Remove Survey",
                    "Remove the survey " + name +
                        " from the project? Its reduction goes with it; the data file stays where it is.",
                    QMessageBox::Yes | QMessageBox::No, &m_window);
    ask.setObjectName("removeSurveyBox");
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return false;
    WithSurveyInProject([&] { m_history.RemoveSurvey(*m_project, index, "Remove Survey"); });
    SurveysChanged();
    return true;
}

void ProjectCommands::SurveysChanged()
{
    m_view.ShowSession();
    Refresh();
    emit commandCompleted();
}

Outcome ProjectCommands::WriteAutosave(const std::string& folder, const std::string& session, std::int64_t savedMs)
{
    Outcome written;
    WithSurveyInProject([&] { written = bramble::WriteAutosave(*m_project, folder, session, savedMs); });
    return written;
}

bool ProjectCommands::RestoreAutosave(const LeftAutosave& autosave)
{
    Result<std::unique_ptr<Project>> restored = bramble::RestoreAutosave(autosave);
    if (!restored.HasValue()) {
        ShowError(&m_window, "Restore", QString::fromStdString(restored.ErrorText()));
        return false;
    }
    Install(std::move(restored.Value()), true);
    emit commandCompleted();
    return true;
}

void ProjectCommands::Install(std::unique_ptr<Project> project, bool modified)
{
    // The survey shown now goes back to the old project, the new project's
    // active one comes out.
    const int old = m_project->Active();
    if (old >= 0)
        SwapSessionContents(m_live, *m_project->Survey(old).session);
    m_project = std::move(project);
    for (int i = 0; i < m_project->SurveyCount(); ++i) {
        const ProjectSurvey& survey = m_project->Survey(i);
        survey.session->Document().SetTitle(QFileInfo(QString::fromStdString(survey.path)).fileName().toStdString());
    }
    if (m_project->Active() >= 0) {
        SwapSessionContents(m_live, *m_project->Survey(m_project->Active()).session);
    } else {
        ReductionSession empty;
        SwapSessionContents(m_live, empty);
    }
    m_history.Clear();
    m_history.MarkSaved();
    m_bChangedOutsideHistory = modified;
    m_view.ShowSession();
    Refresh();
}

bool ProjectCommands::OpenProject(const QString& path)
{
    ProjectLoadOptions options;
    for (;;) {
        std::vector<DataFileProblem> problems;
        Result<std::unique_ptr<Project>> opened = LoadProject(path.toStdString(), options, &problems);
        if (opened.HasValue()) {
            if (opened.Has(Severity::warning))
                ShowError(&m_window, "Open Project",
                          QString::fromStdString(opened.Texts(Severity::warning).front()));
            Install(std::move(opened.Value()), false);
            emit projectOpened(path);
            return true;
        }
        if (problems.empty()) {
            ShowError(&m_window, "Open Project", QString::fromStdString(opened.ErrorText()));
            return false;
        }
        // A data file missing or changed: offer to locate it.
        const DataFileProblem& problem = problems.front();
        QMessageBox ask(QMessageBox::Question, "Open Project",
                        QString::fromStdString(opened.ErrorText()) + "\n\nLocate the data file of survey " +
                            QString::number(problem.survey + 1) + "?",
                        QMessageBox::Yes | QMessageBox::Cancel, &m_window);
        ask.setObjectName("locateDataFileBox");
        if (ask.exec() != QMessageBox::Yes)
            return false;
        const QString located = QFileDialog::getOpenFileName(
            &m_window, "Locate " + QFileInfo(QString::fromStdString(problem.path)).fileName(),
            QFileInfo(path).absolutePath());
        if (located.isEmpty())
            return false;
        options.located[problem.survey] = located.toStdString();
    }
}

bool ProjectCommands::SaveProjectTo(const QString& path)
{
    Outcome saved;
    WithSurveyInProject([&] { saved = bramble::SaveProject(*m_project, path.toStdString()); });
    if (saved.Failed()) {
        ShowError(&m_window, "Save Project", QString::fromStdString(saved.ErrorText()));
        return false;
    }
    m_history.MarkSaved();
    m_bChangedOutsideHistory = false;
    Refresh();
    emit projectSaved(path);
    return true;
}

bool ProjectCommands::SaveProject()
{
    if (m_project->FilePath().empty())
        return SaveProjectAs();
    return SaveProjectTo(QString::fromStdString(m_project->FilePath()));
}

bool ProjectCommands::SaveProjectAs()
{
    QString path = QFileDialog::getSaveFileName(&m_window, "Save Project As", QString(), kProjectFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += kProjectExtension;
    return SaveProjectTo(path);
}

void ProjectCommands::Undo()
{
    Outcome outcome;
    WithSurveyInProject([&] { outcome = m_history.Undo(*m_project); });
    if (outcome.Failed())
        ShowError(&m_window, "Undo", QString::fromStdString(outcome.ErrorText()));
    SurveysChanged();
}

void ProjectCommands::Redo()
{
    Outcome outcome;
    WithSurveyInProject([&] { outcome = m_history.Redo(*m_project); });
    if (outcome.Failed())
        ShowError(&m_window, "Redo", QString::fromStdString(outcome.ErrorText()));
    SurveysChanged();
}

bool ProjectCommands::MaybeSave()
{
    if (!IsModified())
        return true;
    QMessageBox ask(QMessageBox::Warning, "Bramble",
                    "The project " + (ProjectName().isEmpty() ? QString("Untitled") : ProjectName()) +
                        " has unsaved changes. Save them?",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &m_window);
    ask.setObjectName("unsavedChangesBox");
    ask.setDefaultButton(QMessageBox::Save);
    switch (ask.exec()) {
    case QMessageBox::Save:
        return SaveProject();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void ProjectCommands::Refresh()
{
    const bool haveSurvey = m_project->Active() >= 0;
    m_pSave->setEnabled(haveSurvey || !m_project->FilePath().empty());
    m_pSaveAs->setEnabled(haveSurvey);
    m_pUndo->setEnabled(m_history.CanUndo());
    m_pUndo->setText(m_history.CanUndo() ? "&Undo " + QString::fromStdString(m_history.UndoLabel()) : "&Undo");
    m_pRedo->setEnabled(m_history.CanRedo());
    m_pRedo->setText(m_history.CanRedo() ? "&Redo " + QString::fromStdString(m_history.RedoLabel()) : "&Redo");
    emit stateChanged();
}

}  // namespace bramble
