#include "MarkerGrid.h"

#include <algorithm>
#include <utility>

namespace {

// At most this many cells a side: a cell holds few markers at any zoom.
constexpr int MostCells = 64;
// A marker over more cells than this is kept in the wide list instead.
constexpr int MostCellsOfOne = 64;

bool ByKey(const MarkerGrid::Entry& a, const MarkerGrid::Entry& b)
{
    return a.Key < b.Key;
}

} // namespace

void MarkerGrid::Reset(QSize surface, int smallestCell)
{
    const int side = std::max(surface.width(), surface.height());
    m_cell = std::max(smallestCell, (side + MostCells - 1) / MostCells);
    m_columns = std::max(1, (surface.width() + m_cell - 1) / m_cell);
    m_rows = std::max(1, (surface.height() + m_cell - 1) / m_cell);
    m_buckets.assign(size_t(m_columns * m_rows), {});
    m_entered.clear();
    m_wide.clear();
}

template <typename Visit> void MarkerGrid::ForEachBucket(const Entered& entered, Visit visit)
{
    if (entered.Wide) {
        visit(m_wide);
        return;
    }
    for (int row = entered.Cells.top(); row <= entered.Cells.bottom(); ++row) {
        for (int column = entered.Cells.left(); column <= entered.Cells.right(); ++column)
            visit(Bucket(column, row));
    }
}

QRect MarkerGrid::CellsOf(const QRect& box) const
{
    // Floor division, so that a box left of or above the surface counts in
    // the first cells.
    const auto cell = [this](int pixel, int count) {
        const int at = pixel >= 0 ? pixel / m_cell : -1;
        return std::clamp(at, 0, count - 1);
    };
    return QRect(QPoint(cell(box.left(), m_columns), cell(box.top(), m_rows)),
        QPoint(cell(box.right(), m_columns), cell(box.bottom(), m_rows)));
}

void MarkerGrid::Place(int index, int key, const QRect& reach)
{
    const QRect cells = CellsOf(reach);
    if (size_t(index) < m_entered.size() && m_entered[size_t(index)].Cells == cells
        && m_entered[size_t(index)].Key == key) {
        // Moved within its cells: only the reach kept beside it changes.
        const Entry entry { key, index, reach };
        ForEachBucket(m_entered[size_t(index)], [&](std::vector<Entry>& bucket) {
            std::lower_bound(bucket.begin(), bucket.end(), entry, ByKey)->Reach = reach;
        });
        return;
    }
    Remove(index);
    if (size_t(index) >= m_entered.size())
        m_entered.resize(size_t(index) + 1);
    m_entered[size_t(index)] = { cells, key, cells.width() * cells.height() > MostCellsOfOne };
    const Entry entry { key, index, reach };
    ForEachBucket(m_entered[size_t(index)], [&](std::vector<Entry>& bucket) {
        // Markers entered back to front go to the end.
        if (bucket.empty() || bucket.back().Key < key)
            bucket.push_back(entry);
        else
            bucket.insert(std::upper_bound(bucket.begin(), bucket.end(), entry, ByKey), entry);
    });
}

void MarkerGrid::Remove(int index)
{
    if (size_t(index) >= m_entered.size() || m_entered[size_t(index)].Cells.isNull())
        return;
    Entered& entered = m_entered[size_t(index)];
    const Entry entry { entered.Key, index, {} };
    ForEachBucket(entered, [&](std::vector<Entry>& bucket) {
        bucket.erase(std::lower_bound(bucket.begin(), bucket.end(), entry, ByKey));
    });
    entered.Cells = QRect();
}

const std::vector<MarkerGrid::Entry>& MarkerGrid::At(QPoint point) const
{
    const QPoint cell = CellsOf(QRect(point, QSize(1, 1))).topLeft();
    return m_buckets[size_t(cell.y() * m_columns + cell.x())];
}

std::vector<int> MarkerGrid::In(const QRect& box) const
{
    const QRect cells = CellsOf(box);
    std::vector<std::pair<int, int>> met; // keys and indexes
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column) {
            for (const Entry& entry : m_buckets[size_t(row * m_columns + column)]) {
                // A marker is taken in the first cell where its cells and the
                // box's meet, so once.
                const QRect& own = m_entered[size_t(entry.Index)].Cells;
                if (column == std::max(own.left(), cells.left()) && row == std::max(own.top(), cells.top()))
                    met.emplace_back(entry.Key, entry.Index);
            }
        }
    }
    for (const Entry& entry : m_wide) {
        if (m_entered[size_t(entry.Index)].Cells.intersects(cells))
            met.emplace_back(entry.Key, entry.Index);
    }
    std::sort(met.begin(), met.end());
    std::vector<int> indexes;
    indexes.reserve(met.size());
    for (const auto& [key, index] : met)
        indexes.push_back(index);
    return indexes;
}
