#include "mainwnd/CKelpApp.h"

#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "charts/ChartSettings.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/MessageBoxSink.h"
#include "project/AutosaveKeeper.h"
#include "survey/ImportCommand.h"

namespace bramble {

CKelpApp::CKelpApp()
{
    SetSettingsKey();
    // The chart settings files go under the per-user data folder, not next
    // to the program, which is usually not writable.
    m_doc.SetChartSettingsFolder(ChartSettingsFolder().toStdString());
}

CKelpApp::~CKelpApp()
{
    m_doc.SetMessageSink(nullptr);
    m_pMainWnd.reset();  // the view leaves the document before it goes
}

void CKelpApp::SetSettingsKey()
{
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Bramble");
    QCoreApplication::setApplicationVersion(BRAMBLE_VERSION);
}

void CKelpApp::ConfigureParser(QCommandLineParser& parser)
{
    parser.setApplicationDescription("Bramble reduces relative-gravity survey data.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption("aliod", "Read FILE as Aliod data (asks for its header first)."));
    parser.addPositionalArgument("file", "A Scintrex CG-3 dump, an Aliod, CG-5, CG-6 or Burris file to import at "
                                         "start; the meter is recognised from the content.");
}

bool CKelpApp::OnlyAsksForInformation(const QStringList& arguments)
{
    for (const QString& a : arguments.mid(1))
        if (a == "--help" || a == "-h" || a == "-?" || a == "--help-all" || a == "--version" || a == "-v")
            return true;
    return false;
}

bool CKelpApp::InitInstance(const QStringList& arguments)
{
    QCommandLineParser parser;
    ConfigureParser(parser);
    parser.process(arguments);  // --help and --version print and exit here
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "bramble: only one FILE can be imported at start\n");
        m_exitCode = 2;
        return false;
    }

    m_pMainWnd = std::make_unique<CMainFrame>(m_session);
    m_pMessages = std::make_unique<MessageBoxSink>(m_pMainWnd.get());
    m_doc.SetMessageSink(m_pMessages.get());
    m_pMainWnd->view()->OnInitialUpdate();
    m_pMainWnd->RestoreNormalGeometry();
    m_pMainWnd->showMaximized();

    // Once the window is up: first the autosave of a program that did not
    // end cleanly, then the file named on the command line. Nothing of the
    // file is touched on the window's thread, so a pipe that waits for its
    // writer or a slow disk never keeps the window from painting.
    const QString path = parser.positionalArguments().isEmpty() ? QString() : parser.positionalArguments().constFirst();
    const bool aliod = parser.isSet("aliod");
    CMainFrame* frame = m_pMainWnd.get();
    QTimer::singleShot(0, frame, [frame, path, aliod] {
        frame->autosave()->OfferRestore();
        if (path.isEmpty())
            return;
        if (aliod)
            frame->importCommand()->ImportFile(path, MeterKind::aliod);
        else
            frame->importCommand()->ImportRecognised(path);
    });
    return true;
}

}  // namespace bramble
