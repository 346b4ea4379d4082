#include "logger/TextEditorLauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace bramble {
namespace {

// True when the desktop names a program for plain text. xdg-open itself
// cannot tell: without one it fails later, out of sight, in its own process.
bool DesktopHasTextEditor()
{
    const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
    if (xdgMime.isEmpty())
        return true;  // nothing to ask: let xdg-open try
    QProcess query;
    query.start(xdgMime, {"query", "default", "text/plain"});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

bool OpenInTextEditor(const QString& path)
{
    const QString xdgOpen = QStandardPaths::findExecutable("xdg-open");
    if (!xdgOpen.isEmpty() && DesktopHasTextEditor() && QProcess::startDetached(xdgOpen, {path}))
        return true;
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed", "featherpad",
                               "leafpad", "geany", "gvim"}) {
        const QString program = QStandardPaths::findExecutable(editor);
        if (!program.isEmpty() && QProcess::startDetached(program, {path}))
            return true;
    }
    return false;
}

}  // namespace bramble
