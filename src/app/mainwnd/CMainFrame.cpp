#include "mainwnd/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

#include "adjust/NetworkAdjustWindow.h"
#include "adjust/SessionAdjustInput.h"
#include "mainwnd/AboutBox.h"
#include "mainwnd/AppIcon.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/LockKeyIndicators.h"
#include "mainwnd/UserGuide.h"
#include "project/AutosaveKeeper.h"
#include "project/ProjectCommands.h"
#include "project/SurveyList.h"
#include "session/ReductionSession.h"
#include "survey/CKelpDoc.h"
#include "survey/ImportCommand.h"

namespace bramble {
namespace {

const char* const kGeometryKey = "Window/NormalGeometry";
constexpr QSize kDefaultSize(1100, 720);

QString LocalFileOf(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty() || !mime->urls().constFirst().isLocalFile())
        return {};
    return mime->urls().constFirst().toLocalFile();
}

}  // namespace

CMainFrame::CMainFrame(ReductionSession& session, QWidget* parent) : QMainWindow(parent), m_doc(session.Document())
{
    setObjectName("mainFrame");
    setWindowIcon(AppIcon());
    setDockNestingEnabled(true);
    setAcceptDrops(true);

    m_pView = new CKelpView(session, this);
    setCentralWidget(m_pView);
    m_pImport = new ImportCommand(session, this);
    connect(m_pImport, &ImportCommand::imported, this, &CMainFrame::OnImported);
    m_pProject = new ProjectCommands(session, *m_pView, *this);
    m_pView->SetCommandHooks([this] { m_pProject->BeginCommand(); },
                             [this](const QString& label) { m_pProject->EndCommand(label); });
    connect(m_pProject, &ProjectCommands::stateChanged, this, &CMainFrame::UpdateTitle);
    // Every survey read goes into the project: in place of the one shown,
    // or beside it (Add Survey).
    m_pImport->SetAdopter([this](ImportedSurvey survey, const QString& path, MeterKind meter, bool add) {
        return m_pProject->AdoptSurvey(std::move(survey), path, meter, add);
    });
    const auto rememberProject = [this](const QString& path) {
        m_RecentProjects.Add(path);
        UpdateRecentMenu();
    };
    connect(m_pProject, &ProjectCommands::projectOpened, this, rememberProject);
    connect(m_pProject, &ProjectCommands::projectSaved, this, rememberProject);
    m_pAutosave = new AutosaveKeeper(*m_pProject, *this);

    auto* ready = new QLabel("Ready", statusBar());
    ready->setObjectName("messagePane");
    statusBar()->addWidget(ready, 1);
    m_pLockKeys = new LockKeyIndicators(statusBar());

    BuildMenus();
    BuildDisabledCommands();
    m_Recent.Load();
    m_RecentProjects.Load();
    UpdateRecentMenu();
    UpdateTitle();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus()
{
    m_pFileMenu = menuBar()->addMenu("&File");
    m_pFileMenu->addAction(m_pProject->openAction());
    m_pFileMenu->addAction(m_pProject->saveAction());
    m_pFileMenu->addAction(m_pProject->saveAsAction());
    m_pFileMenu->addSeparator();
    QAction* import = m_pFileMenu->addAction("&Import...", m_pImport, &ImportCommand::OnFileImport);
    import->setObjectName("actionImport");
    // No command is bound to it: always shown disabled.
    QAction* saveSettings = m_pFileMenu->addAction("&Save Settings");
    saveSettings->setObjectName("actionSaveSettings");
    saveSettings->setEnabled(false);
    m_pRecentSeparator = m_pFileMenu->addSeparator();
    m_pRecentProjectSeparator = m_pFileMenu->addSeparator();
    m_pExitSeparator = m_pFileMenu->addSeparator();
    m_pExitAction = m_pFileMenu->addAction("E&xit", this, &QWidget::close);
    m_pExitAction->setObjectName("actionExit");
    m_pExitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* editMenu = menuBar()->addMenu("&Edit");
    editMenu->addAction(m_pProject->undoAction());
    editMenu->addAction(m_pProject->redoAction());

    QMenu* viewMenu = menuBar()->addMenu("&View");
    viewMenu->addAction("&Raw...", m_pView, &CKelpView::OnRaw)->setObjectName("actionRaw");
    viewMenu->addAction("&Plot...", m_pView, &CKelpView::OnPlot)->setObjectName("actionPlot");

    QMenu* surveyMenu = menuBar()->addMenu("&Survey");
    surveyMenu->setObjectName("surveyMenu");
    m_pSurveys = new SurveyList(*m_pProject, *surveyMenu, m_pView);
    m_pView->AddToTopRow(m_pSurveys->box());
    connect(m_pSurveys, &SurveyList::addRequested, m_pImport, [this] { m_pImport->OnFileImport(true); });

    QMenu* networkMenu = menuBar()->addMenu("&Network");
    networkMenu->addAction("Adjust &Network...", this, &CMainFrame::OnAdjustNetwork)
        ->setObjectName("actionAdjustNetwork");

    QMenu* helpMenu = menuBar()->addMenu("&Help");
    QAction* guide = helpMenu->addAction("&User's Guide", this, [this] { ShowUserGuide(this); });
    guide->setObjectName("actionUserGuide");
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    helpMenu->addSeparator();
    helpMenu->addAction("&About Bramble...", this, &CMainFrame::OnAppAbout)->setObjectName("actionAbout");
}

void CMainFrame::BuildDisabledCommands()
{
    // The view is never printed whole and there is no "new" document: these
    // commands exist, disabled, so that their keys do nothing. Open and Save
    // are the project's (ProjectCommands).
    struct Command {
        const char* name;
        QKeySequence keys;
    };
    const Command commands[] = {
        {"actionNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"actionPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"actionPrintPreview", QKeySequence()},
        {"actionPrintSetup", QKeySequence()},
    };
    for (const Command& c : commands) {
        auto* action = new QAction(this);
        action->setObjectName(c.name);
        action->setShortcut(c.keys);
        action->setEnabled(false);
        addAction(action);
    }
}

void CMainFrame::UpdateRecentMenu()
{
    for (QAction* action : m_RecentActions) {
        m_pFileMenu->removeAction(action);
        action->deleteLater();
    }
    m_RecentActions.clear();
    int number = 1;
    for (const RecentFileList::Entry& entry : m_Recent.Entries()) {
        auto* action = new QAction(QString("&%1 %2").arg(number).arg(QDir::toNativeSeparators(entry.path)), this);
        action->setObjectName(QString("actionRecent%1").arg(number));
        connect(action, &QAction::triggered, this, [this, entry] { m_pImport->ImportFile(entry.path, entry.meter); });
        m_pFileMenu->insertAction(m_pRecentProjectSeparator, action);
        m_RecentActions.append(action);
        ++number;
    }
    const bool files = !m_RecentActions.isEmpty();
    for (const QString& path : m_RecentProjects.Paths()) {
        auto* action = new QAction(QString("&%1 %2").arg(number).arg(QDir::toNativeSeparators(path)), this);
        action->setObjectName(QString("actionRecentProject%1").arg(number - m_Recent.Entries().size()));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecentProject(path); });
        m_pFileMenu->insertAction(m_pExitSeparator, action);
        m_RecentActions.append(action);
        ++number;
    }
    const bool projects = m_RecentActions.size() > m_Recent.Entries().size();
    // One separator before the lists, one between them, another after them.
    m_pRecentSeparator->setVisible(files || projects);
    m_pRecentProjectSeparator->setVisible(files && projects);
}

void CMainFrame::OpenRecentProject(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        QMessageBox box(QMessageBox::Warning, "Open Project",
                        "The project " + QDir::toNativeSeparators(path) +
                            " no longer exists. It is taken off the list of recent projects.",
                        QMessageBox::Ok, this);
        box.setObjectName("missingProjectBox");
        box.exec();
        m_RecentProjects.Remove(path);
        UpdateRecentMenu();
        return;
    }
    if (m_pProject->MaybeSave())
        m_pProject->OpenProject(path);
}

void CMainFrame::OnImported(const QString& path, MeterKind meter, bool opened)
{
    UpdateTitle();
    if (!opened)
        return;  // a file that could not be read is not offered again
    m_Recent.Add(path, meter);
    UpdateRecentMenu();
}

void CMainFrame::UpdateTitle()
{
    const QString title = QString::fromStdString(m_doc.GetTitle());
    QString caption = title.isEmpty() ? QString("Bramble") : title + " - Bramble";
    const QString project = m_pProject ? m_pProject->ProjectName() : QString();
    const bool modified = m_pProject && m_pProject->IsModified();
    if (!project.isEmpty() || modified)  // before any project work the caption is the document's
        caption = (project.isEmpty() ? QString("Untitled") : project) + (modified ? "*" : "") + " - " + caption;
    setWindowTitle(caption);
}

void CMainFrame::RestoreNormalGeometry()
{
    const QRect saved = QSettings().value(kGeometryKey).toRect();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kDefaultSize);
    if (saved.isValid() && available.intersects(saved)) {
        setGeometry(saved);
        return;
    }
    resize(kDefaultSize.boundedTo(available.size()));
    move(available.topLeft());
}

void CMainFrame::OnAdjustNetwork()
{
    if (!m_pAdjust) {
        m_pAdjust = new NetworkAdjustWindow([this] { return SessionAdjustInput(m_pProject->Sessions()); },
                                            [this](const std::vector<std::string>& stations) {
                                                ShowStationsInList(*m_pView, stations);
                                            },
                                            this);
        m_pAdjust->setWindowFlag(Qt::Window);
    }
    m_pAdjust->show();
    m_pAdjust->raise();
    m_pAdjust->activateWindow();
}

void CMainFrame::OnAppAbout()
{
    AboutBox box(this);
    box.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // An import in progress runs its own event loop: let it end (its
    // progress window has Cancel) before the window goes. Unsaved changes
    // of the project are saved, dropped or keep the window open, as asked.
    if (m_pImport->IsBusy() || !m_pProject->MaybeSave()) {
        event->ignore();
        return;
    }
    QSettings().setValue(kGeometryKey, normalGeometry());
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFileOf(event->mimeData()).isEmpty() && !m_pImport->IsBusy())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = LocalFileOf(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Import after the drop has finished, so the drag source is not kept
    // waiting; the file is looked at off the window's thread.
    QMetaObject::invokeMethod(this, [this, path] { m_pImport->ImportRecognised(path); }, Qt::QueuedConnection);
}

}  // namespace bramble
