#include "corrections/RecalcWithProgress.h"

#include <memory>

#include <QMessageBox>
#include <QProgressDialog>

namespace bramble {

RecalcResult RecalcWithProgress(QWidget* parent, int total,
                                const std::function<RecalcResult(const RecalcOptions&)>& recalc, bool showWarnings)
{
    RecalcOptions options;
    std::unique_ptr<QProgressDialog> progress;
    if (total > RecalcOptions::kProgressStep) {
        progress =
            std::make_unique<QProgressDialog>("Recomputing the selected readings...", "Cancel", 0, total, parent);
        progress->setObjectName("recalcProgress");
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
        options.progress = [&progress](int done, int) {
            progress->setValue(done);  // also lets the window repaint and the Cancel click through
            return !progress->wasCanceled();
        };
    }
    const RecalcResult result = recalc(options);
    if (progress)
        progress->setValue(total);
    if (!showWarnings || result.Value().m_bCancelled)
        return result;
    for (const std::string& warning : result.Texts(Severity::warning)) {
        QMessageBox box(QMessageBox::Warning, "Corrections", QString::fromStdString(warning), QMessageBox::Ok, parent);
        box.setObjectName("recalcWarningBox");
        box.exec();
    }
    return result;
}

}  // namespace bramble
