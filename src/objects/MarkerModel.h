#pragma once

#include "MarkerGrid.h"
#include "MarkerItem.h"

#include <QPoint>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

// The markers of the displayed picture, as data: the items, their stacking
// order, which slot they belong to, the one selected, the records that could
// not be shown (kept to be written back), finding the marker under a point
// and the arithmetic of a drag. Index 0 is the template every marker starts
// from and is never shown; a marker's index is its number on the picture.
class MarkerModel {
public:
    // A new marker has the template's size.
    static constexpr float TemplateWidth = 21.0f;
    static constexpr float TemplateHeight = 17.0f;

    MarkerModel();

    // The highest index in use plus 1 (the template counts).
    [[nodiscard]] int Count() const { return int(m_items.size()); }
    [[nodiscard]] const MarkerItem& Item(int index) const { return m_items[size_t(index)]; }
    // True for a marker that exists and has not been deleted.
    [[nodiscard]] bool IsShown(int index) const;

    // A new marker in front of all others; its index.
    int Add(const MarkerItem& item);
    void SetPlace(int index, const QRectF& place);
    void SetPlacement(int index, const ObjectPlacement& placement);
    void SetDetail(int index, const QString& detail);
    // Deleted: hidden, keeping its index until the next rebuild.
    void Hide(int index);
    // False when the index names no marker in the stacking order.
    bool BringToFront(int index);
    bool SendToBack(int index);
    // Indexes from the back to the front.
    [[nodiscard]] const std::vector<int>& StackingOrder() const { return m_stack; }
    // A marker's place in the stacking order: larger to the front.
    [[nodiscard]] int StackKey(int index) const { return m_keys[size_t(index)]; }

    // Every marker but the template unloaded, the kept records dropped, no
    // slot displayed, nothing selected or pressed.
    void Unload();
    // Markers for the records of a slot's list, numbered 1 to n in list
    // order; the text of every problem, empty when each record could be
    // shown. A record that cannot be shown is kept as it stands.
    [[nodiscard]] QString Rebuild(const QString& list, qint16 slot);
    // The slot whose markers these are; -1 for none.
    [[nodiscard]] qint16 DisplayedSlot() const { return m_displayedSlot; }
    void SetDisplayedSlot(qint16 slot) { m_displayedSlot = slot; }
    // The slot's object list: the records of the shown markers in index
    // order, then the kept records unchanged, then any text that followed
    // the last ",".
    [[nodiscard]] QString ObjectList() const;

    // Every marker placed from its ratios on a surface of a size.
    void PositionObjects(float surfaceWidth, float surfaceHeight);
    // The marker framed as the selected one; 0 for none.
    [[nodiscard]] int Selected() const { return m_selected; }
    void SetSelected(int index) { m_selected = index; }
    // What a screen reader says of the selection: the marker's number and
    // damage type ("Marker 3: Dent"), or "Markers" when none is shown framed.
    [[nodiscard]] QString SelectionName() const;
    // The frontmost shown marker at a point of the surface; 0 for none.
    [[nodiscard]] int MarkerAt(QPointF position) const;
    // The shown markers that may paint inside a box of the surface (their
    // box or their number badge meets it, or nearly), the back first.
    [[nodiscard]] std::vector<int> MarkersIn(const QRect& box) const;

    // The pointer over the surface: the marker under it (0 for none), which
    // then remembers what a drag of it does from there.
    int Hover(QPointF position);
    // A left press on a marker: the drag starts, grabbing the marker where
    // the pointer is. A hidden marker is not dragged.
    void Press(int index, QPointF position);
    // The marker being dragged, until the release; 0 for none.
    [[nodiscard]] int Pressed() const { return m_pressed; }
    // The dragged marker follows the pointer, or is resized by it. Until
    // the release it is found (MarkerAt, MarkersIn) where the press found
    // it: a drag changes nothing but the dragged marker's place, so the
    // other markers may be read on another thread meanwhile (MakeGrids).
    void DragTo(QPointF position);
    // The drag ends; the marker it moved (0 for none).
    int Release();
    // The grids MarkerAt and MarkersIn read made now, where they are not
    // up to date, so that those then change nothing in the model.
    void MakeGrids() const { Index(); }

private:
    // The pointer's position inside a marker, from its top-left corner.
    [[nodiscard]] QPointF InMarker(int index, QPointF position) const;
    // A marker moved to the front or the back of the stacking order.
    bool Restack(int index, bool toFront);
    // The grids made again when a change moved every marker.
    void Index() const;
    // A marker's record is written again at the next ObjectList.
    void Reword(int index);
    // A shown marker entered in the grid where it now paints, by its key.
    void Enter(int index) const;

    std::vector<MarkerItem> m_items;
    std::vector<int> m_stack;
    // Each marker's record as last written (null until then): a release
    // stores the list, and one marker changed at a time.
    mutable std::vector<QString> m_records;
    // The whole list as last made, until a record changes.
    mutable QString m_list;
    mutable bool m_listStale = true;
    // The list the markers were rebuilt from, until the list is next made.
    mutable QString m_source;
    // Each marker's place in the stacking order as a number that only grows
    // to the front, so that a restack renumbers no other marker.
    std::vector<int> m_keys;
    int m_frontKey = 0;
    int m_backKey = 0;
    // Where each shown marker paints (its badge on any side included), and
    // where it is hit.
    mutable MarkerGrid m_paintGrid;
    mutable MarkerGrid m_hitGrid;
    mutable bool m_gridStale = true;
    QSize m_surface;
    QStringList m_unreadable;
    // Text after the list's last ",", written back as it stands.
    QString m_unterminated;
    qint16 m_displayedSlot = -1;
    int m_selected = 0;
    int m_pressed = 0;
    QPoint m_grab;
};
