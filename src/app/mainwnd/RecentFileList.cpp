#include "mainwnd/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

#include <utility>

namespace bramble {
namespace {

constexpr std::pair<MeterKind, const char*> kMeterNames[] = {{MeterKind::cg3, "CG3"},
                                                             {MeterKind::aliod, "Aliod"},
                                                             {MeterKind::cg5, "CG-5"},
                                                             {MeterKind::cg6, "CG-6"},
                                                             {MeterKind::burris, "Burris"}};

MeterKind MeterOfName(const QString& name)
{
    for (const auto& [meter, text] : kMeterNames)
        if (name == text)
            return meter;
    return MeterKind::cg3;
}

const char* NameOfMeter(MeterKind meter)
{
    for (const auto& [kind, text] : kMeterNames)
        if (kind == meter)
            return text;
    return "CG3";
}

}  // namespace

void RecentFileList::Load()
{
    m_entries.clear();
    QSettings settings;
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QString("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_entries.append({path, MeterOfName(settings.value(QString("Meter%1").arg(i)).toString())});
    }
}

void RecentFileList::Add(const QString& path, MeterKind meter)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_entries.removeIf([&](const Entry& e) { return e.path == absolute; });
    m_entries.prepend({absolute, meter});
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
            settings.setValue(QString("Meter%1").arg(i), NameOfMeter(m_entries[at].meter));
        } else {
            settings.remove(QString("File%1").arg(i));
            settings.remove(QString("Meter%1").arg(i));
        }
    }
}

}  // namespace bramble
