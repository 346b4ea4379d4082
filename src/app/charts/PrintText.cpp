#include "charts/PrintText.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "charts/CPrinter.h"
#include "output/SafeFile.h"

namespace bramble {
namespace {

QString PrintDirectly(QPrinter& printer, const QStringList& lines)
{
    CPrinter job(printer);
    if (!job.StartPrinting())
        return "The print job could not be started.";
    for (const QString& line : lines)
        job.PrintLine(line);
    if (!job.EndPrinting())
        return "The printer reported an error; the printout may be incomplete.";
    return {};
}

}  // namespace

bool ChoosePrinter(QWidget* parent, QPrinter& printer, PrintRangeChoice range)
{
    const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
    if (noPrinter) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (printer.outputFileName().isEmpty())
            printer.setOutputFileName(QDir::home().filePath(QString(CPrinter::kTitle) + ".pdf"));
    }
    if (range == PrintRangeChoice::selection)
        printer.setPrintRange(QPrinter::Selection);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("printDialog");
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    if (noPrinter)
        options |= QAbstractPrintDialog::PrintToFile;
    if (range == PrintRangeChoice::selection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
}

QString PrintLines(QPrinter& printer, const QStringList& lines)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return PrintDirectly(printer, lines);

    const QString target = printer.outputFileName();
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return "Could not create a temporary folder for the PDF file: " + scratch.errorString();
    const QString temporary = scratch.filePath("print.pdf");
    printer.setOutputFileName(temporary);
    QString error = PrintDirectly(printer, lines);
    printer.setOutputFileName(target);
    if (!error.isEmpty())
        return error;
    QFile made(temporary);
    if (!made.open(QIODevice::ReadOnly))
        return "The PDF file could not be made: " + made.errorString();
    const QByteArray bytes = made.readAll();
    const Outcome written =
        WriteFileSafely(QFile::encodeName(target).toStdString(),
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (written.Failed())
        return QString::fromStdString(written.ErrorText());
    return {};
}

void PrintTextLines(QWidget* parent, const QStringList& lines, PrintRangeChoice range)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(parent, printer, range))
        return;
    const QString error = PrintLines(printer, lines);
    if (error.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, "Print", error, QMessageBox::Ok, parent);
    box.setObjectName("printErrorBox");
    box.exec();
}

}  // namespace bramble
