#pragma once

#include <memory>

#include <QStringList>

class QCommandLineParser;

#include "session/ReductionSession.h"

namespace bramble {

class CMainFrame;
class MessageBoxSink;

// The application object: sets the settings key, creates the one reduction
// session (which owns the document), its main window and view, and handles the command line
// (`bramble [--aliod] [FILE]` imports FILE at start).
class CKelpApp {
public:
    CKelpApp();
    ~CKelpApp();
    CKelpApp(const CKelpApp&) = delete;
    CKelpApp& operator=(const CKelpApp&) = delete;

    // Sets the names QSettings uses: "Local AppWizard-Generated
    // Applications" / "Bramble".
    static void SetSettingsKey();

    // Declares the command line: --help, --version, --aliod and FILE.
    static void ConfigureParser(QCommandLineParser& parser);
    // True when the arguments only ask for --help or --version, which need
    // no window (and no display).
    static bool OnlyAsksForInformation(const QStringList& arguments);

    // false when the program should end at once (bad arguments); exitCode()
    // then tells the status. --help and --version print and end the process.
    bool InitInstance(const QStringList& arguments);
    int exitCode() const { return m_exitCode; }

    CKelpDoc& document() { return m_session.Document(); }
    ReductionSession& session() { return m_session; }
    CMainFrame* mainFrame() const { return m_pMainWnd.get(); }

private:
    ReductionSession m_session;
    CKelpDoc& m_doc = m_session.Document();
    std::unique_ptr<MessageBoxSink> m_pMessages;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    int m_exitCode = 0;
};

}  // namespace bramble
