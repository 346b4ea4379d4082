#pragma once

#include <QList>
#include <QString>

#include "survey/MeterKinds.h"

namespace bramble {

// The four most recently imported files, newest first, kept in the
// settings ("Recent File List"/"File1".."File4") with the reader each
// needs ("Meter1".."Meter4": "CG3", "Aliod", "CG-5", "CG-6" or "Burris").
class RecentFileList {
public:
    static constexpr int kSize = 4;
    struct Entry {
        QString path;
        MeterKind meter = MeterKind::cg3;
    };

    void Load();
    // Puts `path` first (once) and stores the list.
    void Add(const QString& path, MeterKind meter);
    const QList<Entry>& Entries() const { return m_entries; }

private:
    void Save() const;
    QList<Entry> m_entries;
};

}  // namespace bramble
