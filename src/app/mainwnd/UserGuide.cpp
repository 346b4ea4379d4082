#include "mainwnd/UserGuide.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace bramble {
namespace {

QStringList GuideCandidates()
{
    // bin/bramble -> share/doc/bramble/user-guide.md
    QStringList paths{
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/doc/bramble/user-guide.md")};
#ifdef BRAMBLE_SOURCE_DIR
    paths << QStringLiteral(BRAMBLE_SOURCE_DIR "/docs/user-guide.md");
#endif
    for (QString& path : paths)
        path = QDir::cleanPath(path);
    return paths;
}

}  // namespace

QString FindUserGuide()
{
    for (const QString& path : GuideCandidates())
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

void ShowUserGuide(QWidget* parent)
{
    const QString path = FindUserGuide();
    if (path.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, "User's Guide",
                        "The user's guide was not found. It was looked for in:\n" + GuideCandidates().join('\n'),
                        QMessageBox::Ok, parent);
        box.setObjectName("noGuideBox");
        box.exec();
        return;
    }
    // One guide window, raised again by the next F1.
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(parent, Qt::Window);
        window->setObjectName("userGuideWindow");
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle("Bramble User's Guide");
        auto* browser = new QTextBrowser(window);
        browser->setObjectName("userGuideText");
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(900, 760);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace bramble
