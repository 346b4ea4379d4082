#include "output/ExportSelectedCommand.h"

#include "output/FileSaving.h"

namespace bramble {

void RunExportSelected(QWidget* parent, const CStationList& list, const CKelpDoc& doc, ExportKind kind,
                       QString& exportFile)
{
    const QString path = ChooseSaveFile(parent, exportFile);
    if (path.isEmpty())
        return;
    exportFile = path;
    SaveFileOrSayWhy(parent, path, ExportSelected(list, doc, kind), "Export Selected");
}

}  // namespace bramble
