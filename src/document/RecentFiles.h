#pragma once

#include <QString>
#include <QStringList>

// The recent-files list of the File menu: a ring of up to five full paths,
// filled in the order 1, 2, 3, 4, 5 and then over again from 1. Entries are
// never moved or removed; a path already listed changes nothing.
class RecentFiles {
public:
    static constexpr int MaxCount = 5;

    // The stored items 1 to Count, in order. The ring goes on after the last
    // of them: the next new path takes the next item, or item 1 once there
    // are five.
    explicit RecentFiles(QStringList stored = {});

    // The paths of items 1 to the highest, item 1 first.
    [[nodiscard]] const QStringList& Items() const { return m_items; }
    // Adds a path opened or saved. A path that some item already holds with
    // exactly this spelling (letter case counts) leaves the list as it is and
    // gives false. Otherwise the next item of the ring is created or
    // overwritten with it and the result is true.
    bool Update(const QString& path);

private:
    QStringList m_items;
    // The number of the item written last (or the stored count right after
    // start-up); 0 while the list is empty.
    int m_recentCount = 0;
};
