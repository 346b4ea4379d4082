// bramble: the desktop program.
#include <QApplication>

#include "mainwnd/CKelpApp.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    bramble::CKelpApp app;
    if (!app.InitInstance(qapp.arguments()))
        return app.exitCode();
    return QApplication::exec();
}
