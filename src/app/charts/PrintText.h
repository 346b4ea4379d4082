#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace bramble {

// The print dialog and the printing of text lines through CPrinter, shared
// by the final output and the raw data window.

// What the print dialog offers besides the printer: the raw data window
// preselects "Selection" (every line is printed whatever range is chosen);
// neither offers page numbers.
enum class PrintRangeChoice { none, selection };

// Shows the print dialog for `printer`. Printing to a file is offered only
// where no printer is installed; the printer then writes a PDF file, named
// in the dialog. True on OK.
bool ChoosePrinter(QWidget* parent, QPrinter& printer, PrintRangeChoice range);

// Prints every line, one printed line each, on a printer set up by
// ChoosePrinter. A PDF is first written to a temporary file and then put in
// place with WriteFileSafely, so that a failed job leaves an earlier file of
// that name as it was. Returns an empty text, or a message for the operator.
QString PrintLines(QPrinter& printer, const QStringList& lines);

// The whole Print button: the dialog, then the lines; a failure is shown
// in a message box. Cancel prints nothing and says nothing.
void PrintTextLines(QWidget* parent, const QStringList& lines, PrintRangeChoice range);

}  // namespace bramble
