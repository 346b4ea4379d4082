#pragma once

#include <QObject>
#include <QString>

#include "survey/SurveyLoader.h"

class QWidget;

namespace bramble {

class CKelpDoc;
class ReductionSession;

// The Import command and the other ways a file enters the document (the
// command line, a file dropped on the window, the recent-file list). It
// asks CGDump where the data comes from, asks CDlgAliodHeader for the
// header of Aliod data, runs the reader and names the document after the
// file.
class ImportCommand final : public QObject {
    Q_OBJECT
public:
    // `window` parents the dialogs; `session` outlives the command.
    ImportCommand(ReductionSession& session, QWidget* window);

    // "&Import...": the logger dialog, then the read.
    void OnFileImport();
    // Reads an ASCII file without the logger dialog (the Aliod header
    // creator still comes first for Aliod data).
    void ImportFile(const QString& path, bool aliod);

    bool IsBusy() const { return m_loader.IsBusy(); }

    // The document's title for a file: its name without the folder.
    static QString TitleOf(const QString& path);

signals:
    // A file was read (successfully or not: `opened` is false when it could
    // not be read at all) and the title set.
    void imported(const QString& path, bool aliod, bool opened);

private:
    void Read(const QString& path, bool aliod);
    void ShowNoData();

    CKelpDoc& m_doc;
    QWidget* m_pWindow;  // not owned
    SurveyLoader m_loader;
};

}  // namespace bramble
