#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QObject>
#include <QString>

#include "result/Result.h"
#include "session/MeterKind.h"
#include "session/SurveyImport.h"
#include "survey/AliodHeaderTexts.h"
#include "survey/MeterTypeGuess.h"

class QWidget;

namespace bramble {

// Runs the file work of an import off the window's thread, so that no file
// (a large one, a pipe that waits for its writer, a slow disk) ever freezes
// the window. While the work runs the window goes on painting; when it
// takes more than a moment a progress window with Cancel appears. Cancel
// gives the window back at once: the work is abandoned, runs to its end on
// its own thread and its result is dropped, so nothing of the session is
// touched by it.
class SurveyLoader final : public QObject {
    Q_OBJECT
public:
    explicit SurveyLoader(QWidget* window);

    // Reads `path` as a file of `meter` into a survey of its own
    // (ReadSurveyFile). Empty when the operator cancelled.
    std::optional<Result<ImportedSurvey>> Read(const std::string& path, MeterKind meter,
                                               const AliodHeaderTexts& header);
    // Which meter wrote `path` (RecogniseMeterType; not looked into when it
    // is no regular file). The outer optional is empty when the operator
    // cancelled.
    std::optional<std::optional<MeterType>> Recognise(const std::string& path);

    // True while work runs (the window must not start another).
    bool IsBusy() const { return m_bBusy; }

    // How long work may take before the progress window shows.
    static constexpr int kProgressDelayMs = 400;

private:
    // Runs `work` on a thread of its own; `work` must own everything it
    // touches. False when the operator cancelled before it ended.
    bool RunOffThread(const QString& label, std::function<void()> work);

    QWidget* m_pWindow;  // parent of the progress window; not owned
    bool m_bBusy = false;
};

}  // namespace bramble
