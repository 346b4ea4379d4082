#pragma once

#include <QString>

class QWidget;

namespace bramble {

class ReductionSession;

// The one place that decides whether the survey in the window may be
// replaced (by an Import, a dropped file, a recent file or the file named
// on the command line). A survey with corrections or drift applied is
// never replaced without asking: "Replace" lets it go, "Cancel" (also
// Escape, and the default) keeps it. A survey with nothing applied goes
// without a question. `incoming` names what would replace it.
//
// Returns true when the caller may go on and replace the survey.
bool MayReplaceSurvey(QWidget* parent, const ReductionSession& session, const QString& incoming);

}  // namespace bramble
