#include "drift/DriftCommand.h"

#include "drift/CDlgDriftCorrect.h"

namespace bramble {

std::optional<std::string> RunDriftCommand(QWidget* parent, DriftContext& ctx, DriftNames& names, int tideMode,
                                           DriftMode mode,
                                           const std::function<void(CDlgDriftCorrect&)>& prepare)
{
    const std::string line = BeginDriftCommand(ctx, names, tideMode);
    CDlgDriftCorrect dialog(ctx, names.m_DriftNames, names.m_nDriftSel, mode, line, parent);
    if (prepare)
        prepare(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        dialog.model().Cancel(names);
        return std::nullopt;
    }
    FinishDriftCommand(dialog.model(), names);
    const auto& chosen = dialog.model().Names();
    const int sel = dialog.model().Selection();
    if (sel < 0 || static_cast<std::size_t>(sel) >= chosen.size())
        return std::string();
    return chosen[static_cast<std::size_t>(sel)];
}

}  // namespace bramble
