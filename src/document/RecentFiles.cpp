#include "RecentFiles.h"

RecentFiles::RecentFiles(QStringList stored)
    : m_items(std::move(stored))
{
    // More than five never fit in the menu; the first five are the items.
    if (m_items.size() > MaxCount)
        m_items.resize(MaxCount);
    m_recentCount = int(m_items.size());
}

bool RecentFiles::Update(const QString& path)
{
    if (m_items.contains(path, Qt::CaseSensitive))
        return false;
    ++m_recentCount;
    if (m_recentCount > MaxCount)
        m_recentCount = 1;
    if (m_recentCount > m_items.size())
        m_items.append(path);
    else
        m_items[m_recentCount - 1] = path;
    return true;
}
