#pragma once

// Imports a file the way the operator does: File > Import..., the GDump
// dialog (meter type, "ASCII File", the "..." chooser, OK) and, for Aliod
// data, the Aliod Header Creator.

#include <functional>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>

#include "../support/AppTestSupport.h"
#include "logger/CGDump.h"
#include "mainwnd/CMainFrame.h"
#include "survey/CDlgAliodHeader.h"
#include "survey/ImportCommand.h"

namespace bramble::test {

using HeaderAction = std::function<void(CDlgAliodHeader*)>;

inline void AcceptHeader(CDlgAliodHeader* dialog) { Click(dialog, "okButton"); }

// Chooses `path` in the next file chooser.
inline void ChooseNextFile(const QString& path)
{
    OnNextModal<QFileDialog>([path](QFileDialog* chooser) {
        // The file name box is what the dialog reads on accept; selectFile
        // alone races with the dialog's background folder scan.
        chooser->selectFile(path);
        if (auto* name = chooser->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(path);
        static_cast<QDialog*>(chooser)->accept();  // QFileDialog::accept, through the public base
    });
}

// `command` is the File menu's "actionImport" or the Survey menu's "actionAddSurvey".
inline void ImportThroughDialogs(CMainFrame* frame, const QString& path, bool aliod, HeaderAction header = AcceptHeader,
                                 const char* command = "actionImport")
{
    OnNextModal<CGDump>([path, aliod](CGDump* dump) {
        Click(dump, aliod ? "aliodRadio" : "asciiFileRadio");
        ChooseNextFile(path);
        Click(dump, "asciiBrowseButton");
        Click(dump, "okButton");
    });
    if (aliod)
        OnNextModal<CDlgAliodHeader>(header);
    QSignalSpy done(frame->importCommand(), &ImportCommand::imported);
    frame->findChild<QAction*>(command)->trigger();
    QCOMPARE(done.count(), 1);
}

// The same for a file of a meter other than the CG-3 and Aliod: its radio
// button ("cg5Radio", "cg6Radio", "burrisRadio") picks the reader.
inline void ImportMeterFile(CMainFrame* frame, const QString& path, const char* meterRadio)
{
    OnNextModal<CGDump>([path, meterRadio](CGDump* dump) {
        Click(dump, meterRadio);
        ChooseNextFile(path);
        Click(dump, "asciiBrowseButton");
        Click(dump, "okButton");
    });
    QSignalSpy done(frame->importCommand(), &ImportCommand::imported);
    frame->findChild<QAction*>("actionImport")->trigger();
    QCOMPARE(done.count(), 1);
}

}  // namespace bramble::test
