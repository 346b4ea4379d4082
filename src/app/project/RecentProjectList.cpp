#include "project/RecentProjectList.h"

#include <QFileInfo>
#include <QSettings>

namespace bramble {
namespace {

const char* const kGroup = "Recent Project List";

QString KeyOf(int number) { return QString("Project%1").arg(number); }

}  // namespace

void RecentProjectList::Load()
{
    m_paths.clear();
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(KeyOf(i)).toString();
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
}

void RecentProjectList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > kSize)
        m_paths.removeLast();
    Save();
}

void RecentProjectList::Remove(const QString& path)
{
    m_paths.removeAll(path);
    Save();
}

void RecentProjectList::Save() const
{
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kSize; ++i) {
        if (i <= m_paths.size())
            settings.setValue(KeyOf(i), m_paths[i - 1]);
        else
            settings.remove(KeyOf(i));
    }
}

}  // namespace bramble
