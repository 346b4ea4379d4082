#include "mainwnd/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace bramble {

void RecentFileList::Load()
{
    m_entries.clear();
    QSettings settings;
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QString("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_entries.append({path, settings.value(QString("Meter%1").arg(i)).toString() == "Aliod"});
    }
}

void RecentFileList::Add(const QString& path, bool aliod)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_entries.removeIf([&](const Entry& e) { return e.path == absolute; });
    m_entries.prepend({absolute, aliod});
    while (m_entries.size() > kSize)
        m_entries.removeLast();
    Save();
}

void RecentFileList::Save() const
{
    QSettings settings;
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= kSize; ++i) {
        const qsizetype at = i - 1;
        if (at < m_entries.size()) {
            settings.setValue(QString("File%1").arg(i), m_entries[at].path);
            settings.setValue(QString("Meter%1").arg(i), m_entries[at].aliod ? "Aliod" : "CG3");
        } else {
            settings.remove(QString("File%1").arg(i));
            settings.remove(QString("Meter%1").arg(i));
        }
    }
}

}  // namespace bramble
