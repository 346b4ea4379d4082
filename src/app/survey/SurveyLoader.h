#pragma once

#include <string>

#include <QObject>

#include "survey/ReadReport.h"

class QWidget;

namespace bramble {

class CKelpDoc;

// Runs a meter file reader without freezing the window. The reader fills a
// private document on a worker thread while the window goes on painting;
// when the read takes more than a moment a progress dialog appears. The
// finished survey then moves into the real document on the window's thread
// and the views are refreshed there, so no view ever sees a half-read
// survey and the core is never touched by two threads.
class SurveyLoader final : public QObject {
    Q_OBJECT
public:
    SurveyLoader(CKelpDoc& doc, QWidget* window);

    // Reads `path` with the Aliod reader (aliod) or the CG-3 reader into the
    // document and refreshes its views; returns the reader's report.
    ReadReport Load(const std::string& path, bool aliod);

    // True while a Load runs (the window must not start another or close).
    bool IsBusy() const { return m_bBusy; }

    // How long a read may take before the progress dialog shows.
    static constexpr int kProgressDelayMs = 400;

private:
    CKelpDoc& m_doc;
    QWidget* m_pWindow;   // parent of the progress dialog; not owned
    bool m_bBusy = false;
};

}  // namespace bramble
