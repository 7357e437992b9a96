#pragma once

#include "MarkerItem.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

// The markers of the displayed picture (OBJ), laid over the picture surface
// as one layer that paints and hit-tests them itself: a picture may carry
// 32767 markers. Index 0 is the template every marker starts from and is
// never shown; a marker's index is its number on the picture. The layer also
// keeps the records that could not be shown, which slot the markers belong
// to, the stacking order and the drag state.
//
// A press where there is no marker passes on to the surface below.
class MarkerLayer : public QWidget {
    Q_OBJECT

public:
    // A new marker has the template's size.
    static constexpr float TemplateWidth = 21.0f;
    static constexpr float TemplateHeight = 17.0f;

    explicit MarkerLayer(QWidget* surface);

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
    void BringToFront(int index);
    void SendToBack(int index);
    // Indexes from the back to the front.
    [[nodiscard]] const std::vector<int>& StackingOrder() const { return m_stack; }

    // Every marker but the template unloaded, the kept records dropped, no
    // slot displayed, nothing selected.
    void Unload();
    // Markers for the records of a slot's list, numbered 1 to n in list
    // order; the text of every problem, empty when each record could be
    // shown. A record that cannot be shown is kept as it stands.
    [[nodiscard]] QString Rebuild(const QString& list, qint16 slot);
    // The slot whose markers these are; -1 for none.
    [[nodiscard]] qint16 DisplayedSlot() const { return m_displayedSlot; }
    void SetDisplayedSlot(qint16 slot) { m_displayedSlot = slot; }
    [[nodiscard]] const QStringList& UnreadableRecords() const { return m_unreadable; }
    // The slot's object list: the records of the shown markers in index
    // order, then the kept records unchanged, then any text that followed
    // the last ",".
    [[nodiscard]] QString ObjectList() const;

    // Every marker placed from its ratios on a surface of a size.
    void PositionObjects(float surfaceWidth, float surfaceHeight);
    // The marker framed as the selected one; 0 for none.
    void SetSelected(int index);
    // The frontmost shown marker at a point of the surface; 0 for none.
    [[nodiscard]] int MarkerAt(QPointF position) const;
    // True between a left press on a marker and the next release.
    [[nodiscard]] bool ObjMouseDown() const { return m_objMouseDown; }

signals:
    // Positions are global; button: 1 left, 2 right, 4 middle.
    void Pressed(int index, int button, QPoint globalPosition);
    void Moved(int index);
    void Released(int index, int button);
    void DoubleClicked(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The pointer's position inside a marker, from its top-left corner.
    [[nodiscard]] QPointF InMarker(int index, QPointF position) const;
    void Hover(QPointF position);
    // A marker moved to the front or the back of the stacking order.
    void Restack(int index, bool toFront);
    // Repaints what a marker covers, its badge and frame included.
    void UpdateMarker(int index);
    // A marker's picture and its number badge, shown in a box of pixels.
    void PaintPicture(QPainter& painter, int index, const QRect& box) const;
    void PaintBadge(QPainter& painter, int index, const QRect& box) const;

    std::vector<MarkerItem> m_items;
    std::vector<int> m_stack;
    QStringList m_unreadable;
    // Text after the list's last ",", written back as it stands.
    QString m_unterminated;
    qint16 m_displayedSlot = -1;
    int m_selected = 0;
    // The marker the mouse went down on, until the release; 0 for none.
    int m_pressed = 0;
    bool m_objMouseDown = false;
    QPoint m_grab;
};
