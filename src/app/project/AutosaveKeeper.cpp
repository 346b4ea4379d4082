#include "project/AutosaveKeeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "project/Autosave.h"
#include "project/ProjectCommands.h"

namespace bramble {
namespace {

// Whether the program that holds `lockPath` still runs. A lock whose
// program has gone is taken over and released; one that cannot be looked
// at counts as held, so that nothing of a running program is offered.
bool IsRunning(const std::string& lockPath)
{
    QLockFile lock(QString::fromStdString(lockPath));
    lock.setStaleLockTime(0);  // only a program that has gone leaves a stale lock
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return true;
}

}  // namespace

AutosaveKeeper::AutosaveKeeper(ProjectCommands& project, QWidget& window, const QString& folder)
    : QObject(&project), m_project(project), m_window(window)
{
    const QString where =
        folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : folder;
    m_folder = QDir(where).absolutePath().toStdString();
    m_session = AutosaveSession(QDateTime::currentMSecsSinceEpoch(), QCoreApplication::applicationPid());
    QDir().mkpath(where);
    m_pLock = std::make_unique<QLockFile>(QString::fromStdString(AutosaveFilesOf(m_folder, m_session).lock));
    m_pLock->setStaleLockTime(0);
    (void)m_pLock->tryLock(0);  // without it the autosave is still written; only its liveness is unknown

    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(kIntervalMs);
    connect(m_pTimer, &QTimer::timeout, this, &AutosaveKeeper::SaveNow);
    m_pTimer->start();
    connect(&m_project, &ProjectCommands::commandCompleted, this, [this] {
        m_bPending = true;
        SaveNow();
    });
    connect(&m_project, &ProjectCommands::stateChanged, this, &AutosaveKeeper::OnStateChanged);
}

AutosaveKeeper::~AutosaveKeeper()
{
    // The program ends cleanly (the window asked about unsaved changes).
    Remove();
}

void AutosaveKeeper::OnStateChanged()
{
    if (!m_project.IsModified())
        Remove();
}

void AutosaveKeeper::SaveNow()
{
    if (!m_project.IsModified()) {
        Remove();
        return;
    }
    // Not halfway through a command (a dialog open over it): its end
    // writes the autosave.
    if (!m_bPending || m_project.InCommand())
        return;
    const Outcome written = m_project.WriteAutosave(m_folder, m_session, QDateTime::currentMSecsSinceEpoch());
    // A project that cannot be autosaved (a survey read from a pipe, a full
    // disk) is tried again at the next command or tick; saving it by hand
    // says why when it fails too.
    m_bWritten = m_bWritten || written.Succeeded();
    m_bPending = written.Failed();
}

void AutosaveKeeper::Remove()
{
    m_bPending = false;
    if (!m_bWritten)
        return;
    RemoveAutosave(m_folder, m_session);
    m_bWritten = false;
}

bool AutosaveKeeper::OfferRestore()
{
    for (const LeftAutosave& left : FindLeftAutosaves(m_folder, m_session, IsRunning)) {
        const QString when =
            QLocale().toString(QDateTime::fromMSecsSinceEpoch(left.savedMs), QLocale::ShortFormat);
        QMessageBox ask(QMessageBox::Question, "Bramble",
                        QString("Bramble did not end properly while the project %1 had unsaved changes. An "
                                "autosave of it from %2 was kept. Restore it?")
                            .arg(QString::fromStdString(left.Name()), when),
                        QMessageBox::NoButton, &m_window);
        ask.setObjectName("restoreAutosaveBox");
        QPushButton* restore = ask.addButton("&Restore", QMessageBox::AcceptRole);
        restore->setObjectName("restoreButton");
        QPushButton* discard = ask.addButton("&Discard", QMessageBox::DestructiveRole);
        discard->setObjectName("discardButton");
        ask.setDefaultButton(restore);
        ask.exec();
        if (ask.clickedButton() == discard) {
            RemoveAutosave(m_folder, left.session);
            continue;
        }
        if (ask.clickedButton() != restore)
            return false;  // closed without an answer: asked again at the next start
        if (!m_project.RestoreAutosave(left))
            return false;  // kept for another try; the message said why
        // It lives on as this program's autosave.
        RemoveAutosave(m_folder, left.session);
        return true;
    }
    return false;
}

}  // namespace bramble
