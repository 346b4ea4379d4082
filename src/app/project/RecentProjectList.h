#pragma once

#include <QStringList>

namespace bramble {

// The four projects most recently opened or saved, newest first, kept in
// the settings ("Recent Project List"/"Project1".."Project4").
class RecentProjectList {
public:
    static constexpr int kSize = 4;

    void Load();
    // Puts `path` first (once) and stores the list.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Paths() const { return m_paths; }

private:
    void Save() const;
    QStringList m_paths;
};

}  // namespace bramble
