// bramble: the desktop program.
#include <QApplication>
#include <QCommandLineParser>

#include "mainwnd/CKelpApp.h"

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (bramble::CKelpApp::OnlyAsksForInformation(arguments)) {
        // --help and --version print and end without opening a display.
        QCoreApplication info(argc, argv);
        bramble::CKelpApp::SetSettingsKey();
        QCommandLineParser parser;
        bramble::CKelpApp::ConfigureParser(parser);
        parser.process(info);
        return 0;
    }
    QApplication qapp(argc, argv);
    bramble::CKelpApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return app.exitCode();
    return QApplication::exec();
}
