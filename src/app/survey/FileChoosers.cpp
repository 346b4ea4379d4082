#include "survey/FileChoosers.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QStringList>

#include "mainwnd/RecentFileList.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

struct FileKind {
    const char* name;
    const char* patterns;
};

// The meter files the readers take, in the order the choosers offer them.
constexpr FileKind kDataFileKinds[] = {
    {"CG-3 Dumps", "*.dat *.txt *.asc"}, {"Aliod Files", "*.csv *.txt *.dat"},  {"CG-5 Files", "*.txt *.dat"},
    {"CG-6 Files", "*.dat *.txt"},       {"Burris Files", "*.txt *.csv *.dat"},
};

// After the kinds of file: everything, then the plain extensions.
const char* const kGeneralFilters = "All Files (*);;Data Files (*.dat);;ASCII Files (*.asc);;Text Files (*.txt)";

QString Filter(const FileKind& kind) { return QStringLiteral("%1 (%2)").arg(kind.name, kind.patterns); }

}  // namespace

QString DataFileFilters()
{
    QStringList filters;
    for (const FileKind& kind : kDataFileKinds)
        filters << Filter(kind);
    filters << kGeneralFilters;
    return filters.join(";;");
}

QString PolarTableFilters() { return Filter({"Polar Motion Tables", "*.daily *.txt *.dat"}) + ";;" + kGeneralFilters; }

QString BlqFileFilters() { return Filter({"Ocean Loading Files", "*.blq *.txt"}) + ";;" + kGeneralFilters; }

QString ExportFileFilters()
{
    return QStringLiteral("Text Files (*.txt);;All Files (*);;Data Files (*.dat);;ASCII Files (*.asc)");
}

QString LastDataFolder()
{
    RecentFileList recent;
    recent.Load();
    for (const RecentFileList::Entry& entry : recent.Entries()) {
        const QFileInfo file(entry.path);
        if (file.absoluteDir().exists())
            return file.absolutePath();
    }
    return QDir::homePath();
}

QString ChooserStart(const QString& current)
{
    if (!current.isEmpty() && QFileInfo(current).absoluteDir().exists())
        return QFileInfo(current).absoluteFilePath();
    return LastDataFolder();
}

QString SuggestedExportPath(const CKelpDoc& doc, const QString& what, const QString& extension)
{
    const QFileInfo data(QString::fromStdString(doc.m_strFilePath));
    const QString folder =
        !doc.m_strFilePath.empty() && data.absoluteDir().exists() ? data.absolutePath() : LastDataFolder();
    const QString base = doc.m_strFilePath.empty() ? QStringLiteral("survey") : data.completeBaseName();
    return QDir(folder).filePath(QStringLiteral("%1-%2%3").arg(base, what, extension));
}

void ConfirmWritten(QWidget* anyWidget, const QString& path)
{
    QMainWindow* main = nullptr;
    for (QWidget* w = anyWidget; w && !main; w = w->parentWidget())
        main = qobject_cast<QMainWindow*>(w);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (!main)
            main = qobject_cast<QMainWindow*>(top);
    if (main)
        main->statusBar()->showMessage(QStringLiteral("Written: %1").arg(QDir::toNativeSeparators(path)), 15000);
}

}  // namespace bramble
