#pragma once

#include <memory>
#include <string>

#include <QObject>
#include <QString>

class QLockFile;
class QTimer;
class QWidget;

namespace bramble {

class ProjectCommands;

// Keeps the autosave of this running program (project/Autosave.h) in the
// per-user data folder: written after each completed command and every two
// minutes while the project has unsaved changes that are not in it yet,
// removed once there are none (saved, discarded, undone) and when the
// program ends. At start it offers the autosave of a program that did not
// end cleanly: Restore or Discard.
class AutosaveKeeper final : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;

    // `folder` empty: the per-user data folder.
    AutosaveKeeper(ProjectCommands& project, QWidget& window, const QString& folder = QString());
    ~AutosaveKeeper() override;

    // Asks about autosaves left by programs that no longer run, newest
    // first, until one is restored. True when one was.
    bool OfferRestore();
    // Writes the autosave now when there is something to write.
    void SaveNow();

    const std::string& Folder() const { return m_folder; }
    const std::string& Session() const { return m_session; }
    QTimer* timer() const { return m_pTimer; }

private:
    void OnStateChanged();
    void Remove();

    ProjectCommands& m_project;
    QWidget& m_window;
    std::string m_folder;
    std::string m_session;
    std::unique_ptr<QLockFile> m_pLock;
    QTimer* m_pTimer = nullptr;
    bool m_bPending = false;  // unsaved changes that the autosave does not hold yet
    bool m_bWritten = false;  // an autosave of this program is on disk
};

}  // namespace bramble
