#include "drift/DriftCommand.h"

#include "drift/CDlgDriftCorrect.h"

namespace bramble {

std::optional<std::string> RunDriftCommand(QWidget* parent, ReductionSession& session, const CorrectionSettings& chosen, DriftMode mode,
                                           const std::function<void(CDlgDriftCorrect&)>& prepare)
{
    const std::string line = session.BeginDriftCommand(chosen);
    const DriftNames& names = session.Drifts();
    CDlgDriftCorrect dialog(session.DriftCommandContext(), names.m_DriftNames, names.m_nDriftSel, mode, line, parent);
    if (prepare)
        prepare(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return session.EndDriftCommand(dialog.model(), accepted);
}

}  // namespace bramble
