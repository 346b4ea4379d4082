#pragma once

#include <QStringList>
#include <memory>

#include "survey/CKelpDoc.h"

class QMainWindow;

namespace bramble {

// The application object: sets up the settings key, creates the one
// document and its main window, and handles the command line.
class CKelpApp {
public:
    CKelpApp();
    ~CKelpApp();

    // false when the program should end at once (--help, --version, bad
    // arguments); exitCode() then tells the status.
    bool InitInstance(const QStringList& arguments);
    int exitCode() const { return m_exitCode; }

    CKelpDoc& document() { return m_doc; }

private:
    CKelpDoc m_doc;
    std::unique_ptr<QMainWindow> m_frame;
    int m_exitCode = 0;
};

}  // namespace bramble
