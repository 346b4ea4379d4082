#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QString>

#include "session/MeterKind.h"
#include "survey/SurveyLoader.h"

class QMessageBox;
class QWidget;

namespace bramble {

class CKelpDoc;
class ReductionSession;

// The Import command and the other ways a file enters the document (the
// command line, a file dropped on the window, the recent-file list). It
// asks CGDump where the data comes from, asks before a survey with
// corrections applied is replaced (MayReplaceSurvey), asks CDlgAliodHeader
// for the header of Aliod data, runs the reader off the window's thread and
// names the document after the file. A file without readings, a cancelled
// dialog or a cancelled read leave the survey, the title and the recent
// files as they were.
class ImportCommand final : public QObject {
    Q_OBJECT
public:
    // `window` parents the dialogs; `session` outlives the command.
    ImportCommand(ReductionSession& session, QWidget* window);

    // "&Import...": the logger dialog, then the read. With `add` the survey
    // read is added beside the current one (no question before replacing).
    void OnFileImport(bool add = false);
    // Reads an ASCII file without the logger dialog (the Aliod header
    // creator still comes first for Aliod data).
    void ImportFile(const QString& path, MeterKind meter);
    // The same for a file that comes without a meter choice (dropped on the
    // window, named on the command line): the kind is recognised from the
    // content, looked at off the window's thread; a file of no kind is
    // refused with a message naming the kinds tried, and the survey shown
    // stays. A pipe or a device is not looked into and is read as CG-3.
    void ImportRecognised(const QString& path);

    bool IsBusy() const { return m_loader.IsBusy(); }

    // Who takes a survey that was read (a project that keeps several): by
    // default the session adopts it in place of its survey. `add` tells
    // an added survey from one that replaces the current one.
    using Adopter = std::function<Outcome(ImportedSurvey survey, const QString& path, MeterKind meter, bool add)>;
    void SetAdopter(Adopter adopter) { m_adopt = std::move(adopter); }

    // The document's title for a file: its name without the folder.
    static QString TitleOf(const QString& path);

signals:
    // A file was read as `meter`: `opened` is true when it replaced the
    // survey, false when it was refused (it could not be read or holds no
    // readings).
    void imported(const QString& path, MeterKind meter, bool opened);

private:
    void Read(const QString& path, std::optional<MeterKind> meter, bool add = false);
    void ShowNoData();
    void ShowWarnings(const QString& path, int readings, const QStringList& warnings);
    void ShowNoKind(const QString& path);

    ReductionSession& m_session;
    CKelpDoc& m_doc;
    QWidget* m_pWindow;  // not owned
    SurveyLoader m_loader;
    Adopter m_adopt;
    QPointer<QMessageBox> m_pWarnings;  // the read warnings shown last, while open
};

}  // namespace bramble
