#include "mainwnd/CKelpApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace bramble {

CKelpApp::CKelpApp()
{
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Bramble");
    QCoreApplication::setApplicationVersion(BRAMBLE_VERSION);
}

CKelpApp::~CKelpApp() = default;

bool CKelpApp::InitInstance(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Bramble reduces relative-gravity survey data.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A Scintrex CG-3 dump to open at start.");
    parser.process(arguments);

    m_frame = std::make_unique<QMainWindow>();
    m_frame->setWindowTitle("Bramble");
    m_frame->statusBar()->showMessage("Ready");
    if (!parser.positionalArguments().isEmpty()) {
        const QString path = parser.positionalArguments().constFirst();
        const ReadReport report = m_doc.ReadScintrexFile(path.toStdString());
        m_frame->setWindowTitle(QFileInfo(path).fileName() + " - Bramble");
        m_frame->statusBar()->showMessage(QString("%1 readings").arg(report.readings));
    }
    m_frame->showMaximized();
    return true;
}

}  // namespace bramble
