#include "output/FileSaving.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "output/SafeFile.h"
#include "survey/FileChoosers.h"

namespace bramble {

QString ChooseSaveFile(QWidget* parent, const QString& initial)
{
    QFileDialog chooser(parent, QString(), ChooserStart(initial), ExportFileFilters());
    chooser.setObjectName("saveFileChooser");
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setOption(QFileDialog::DontConfirmOverwrite, false);
    chooser.setDefaultSuffix(QString());
    if (!initial.isEmpty())
        chooser.selectFile(initial);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    return chooser.selectedFiles().constFirst();
}

bool SaveFileOrSayWhy(QWidget* parent, const QString& path, std::string_view bytes, const QString& caption)
{
    const Outcome written = WriteFileSafely(QFile::encodeName(path).toStdString(), bytes);
    if (written.Succeeded()) {
        ConfirmWritten(parent, path);
        return true;
    }
    QMessageBox box(QMessageBox::Warning, caption, QString::fromStdString(written.ErrorText()), QMessageBox::Ok,
                    parent);
    box.setObjectName("saveErrorBox");
    box.exec();
    return false;
}

}  // namespace bramble
