#include "output/ExportSelectedCommand.h"

#include "output/FileSaving.h"
#include "survey/FileChoosers.h"

namespace bramble {

void RunExportSelected(QWidget* parent, const CStationList& list, const CKelpDoc& doc, ExportKind kind,
                       QString& exportFile)
{
    // The last export's path, else a name beside the data file.
    const QString initial = !exportFile.isEmpty()
                                ? exportFile
                                : SuggestedExportPath(doc, kind == ExportKind::excel ? "excel" : "report", ".txt");
    const QString path = ChooseSaveFile(parent, initial);
    if (path.isEmpty())
        return;
    exportFile = path;
    SaveFileOrSayWhy(parent, path, ExportSelected(list, doc, kind), "Export Selected");
}

}  // namespace bramble
