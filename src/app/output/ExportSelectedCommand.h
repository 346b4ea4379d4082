#pragma once

#include <QString>

#include "output/ExportSelected.h"

class QWidget;

namespace bramble {

class CKelpDoc;
class CStationList;

// "&Export Selected (Excel)" and "Export Selected (Report)": the save
// dialog offers `exportFile` (the last export's path, whichever command
// made it); the chosen path becomes the new `exportFile` even when the
// write then fails. The selected rows are written as the list shows them,
// in its current order. Cancel writes nothing.
void RunExportSelected(QWidget* parent, const CStationList& list, const CKelpDoc& doc, ExportKind kind,
                       QString& exportFile);

}  // namespace bramble
