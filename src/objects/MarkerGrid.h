#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// The markers of a picture sorted into the cells of a uniform grid over the
// surface, so that the marker under the pointer and the markers a repaint
// meets are found without visiting every marker. Each cell keeps the markers
// whose reach (their box where they are hit, or every pixel they may paint)
// meets it, by their stacking keys, the back first; a reach outside the
// surface counts in the cells at its edge.
class MarkerGrid {
public:
    struct Entry {
        int Key = 0;
        int Index = 0;
        // Its reach, kept beside it: a cell is read in one sweep.
        QRect Reach;
    };

    // Empty, with cells sized for a surface, none smaller than a side in
    // pixels, so that a marker spans few cells.
    void Reset(QSize surface, int smallestCell);
    // A marker entered, or moved to its new reach or stacking key.
    void Place(int index, int key, const QRect& reach);
    void Remove(int index);
    // The markers of the cell at a point, the back first; the wide ones
    // (Wide) are not among them.
    [[nodiscard]] const std::vector<Entry>& At(QPoint point) const;
    // The markers that reach over so many cells that they are kept apart, in
    // no cell, the back first: a file of huge markers takes no more memory
    // than their count.
    [[nodiscard]] const std::vector<Entry>& Wide() const { return m_wide; }
    // Each marker whose cells meet a box once, the back first.
    [[nodiscard]] std::vector<int> In(const QRect& box) const;

private:
    struct Entered {
        QRect Cells; // null when the marker is not in the grid
        int Key = 0;
        bool Wide = false;
    };
    // The cells of the marker's entries: the wide list or the cells'.
    template <typename Visit> void ForEachBucket(const Entered& entered, Visit visit);

    [[nodiscard]] QRect CellsOf(const QRect& box) const;
    [[nodiscard]] std::vector<Entry>& Bucket(int column, int row)
    {
        return m_buckets[size_t(row * m_columns + column)];
    }

    int m_cell = 16;
    int m_columns = 1;
    int m_rows = 1;
    std::vector<std::vector<Entry>> m_buckets { 1 };
    std::vector<Entered> m_entered;
    std::vector<Entry> m_wide;
};
