#include "survey/SurveyReplacement.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "session/ReductionSession.h"

namespace bramble {

bool MayReplaceSurvey(QWidget* parent, const ReductionSession& session, const QString& incoming)
{
    if (!session.HasCorrectionsApplied())
        return true;
    const QString current = QString::fromStdString(session.Document().GetTitle());
    QMessageBox box(QMessageBox::Question, "Bramble",
                    QString("The survey %1 has corrections applied. Reading %2 replaces it, and its corrections "
                            "are lost.")
                        .arg(current.isEmpty() ? QString() : "\"" + current + "\"",
                             "\"" + QFileInfo(incoming).fileName() + "\"")
                        .simplified(),
                    QMessageBox::NoButton, parent);
    box.setObjectName("replaceSurveyBox");
    box.setInformativeText("Replace the survey?");
    QPushButton* replace = box.addButton("Replace", QMessageBox::DestructiveRole);
    replace->setObjectName("replaceButton");
    QPushButton* keep = box.addButton(QMessageBox::Cancel);
    keep->setObjectName("keepButton");
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == replace;
}

}  // namespace bramble
