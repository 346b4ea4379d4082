#pragma once

#include <string>

#include <QObject>

#include <optional>

#include "session/MeterKind.h"
#include "survey/AliodHeaderTexts.h"
#include "survey/ReadReport.h"

class QWidget;

namespace bramble {

class CKelpDoc;
class ReductionSession;

// Runs a meter file reader without freezing the window. The reader fills a
// private document on a worker thread (ReadSurveyFile) while the window
// goes on painting; when the read takes more than a moment a progress
// dialog appears. The session then adopts the finished survey on the
// window's thread and the views are refreshed there, so no view ever sees a
// half-read survey and the session is never touched by two threads.
class SurveyLoader final : public QObject {
    Q_OBJECT
public:
    SurveyLoader(ReductionSession& session, QWidget* window);

    // Reads `path` as a file of `meter` into the session (an Aliod file with
    // `header`, or the texts of the previous Aliod import) and refreshes the
    // document's views; the reader's messages go to the document's message
    // box. Returns the reader's outcome.
    ReadReport Load(const std::string& path, MeterKind meter, const std::optional<AliodHeaderTexts>& header);

    // True while a Load runs (the window must not start another or close).
    bool IsBusy() const { return m_bBusy; }

    // How long a read may take before the progress dialog shows.
    static constexpr int kProgressDelayMs = 400;

private:
    ReductionSession& m_session;
    QWidget* m_pWindow;  // parent of the progress dialog; not owned
    bool m_bBusy = false;
};

}  // namespace bramble
