#pragma once

#include "MarkerModel.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <unordered_map>
#include <vector>

// The markers of the displayed picture (OBJ) laid over the picture surface
// as one layer that paints them: a picture may carry 32767 markers. The
// markers themselves are a MarkerModel; every change goes through the layer,
// which repaints what it touched, and the mouse on a marker reaches the
// window as Pressed, Moved, Released and DoubleClicked.
//
// A press where there is no marker passes on to the surface below.
class MarkerLayer : public QWidget {
    Q_OBJECT

public:
    explicit MarkerLayer(QWidget* surface);

    [[nodiscard]] const MarkerModel& Model() const { return m_model; }

    // A new marker in front of all others; its index.
    int Add(const MarkerItem& item);
    void SetPlace(int index, const QRectF& place);
    void SetPlacement(int index, const ObjectPlacement& placement) { m_model.SetPlacement(index, placement); }
    void SetDetail(int index, const QString& detail);
    void Hide(int index);
    void BringToFront(int index);
    void SendToBack(int index);
    void Unload();
    [[nodiscard]] QString Rebuild(const QString& list, qint16 slot);
    void SetDisplayedSlot(qint16 slot) { m_model.SetDisplayedSlot(slot); }
    void PositionObjects(float surfaceWidth, float surfaceHeight);
    void SetSelected(int index);
    // See-through, each marker's picture lets the spot it marks show under
    // it; its number and the selected marker's frame stay whole.
    void SetSeeThrough(bool on);

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
    // The layer's accessible name and description follow the selected marker.
    void Announce();
    // Repaints what a marker covers, its badge and frame included.
    void UpdateMarker(int index);
    // A marker's picture and its number badge, shown in a box of pixels.
    void PaintPicture(QPainter& painter, int index, const QRect& box) const;
    // Only the digits that meet the exposed part are drawn.
    void PaintBadge(QPainter& painter, int index, const QRect& box, const QRect& exposed) const;
    // The markers that meet the exposed part, back to front, each once.
    void PaintMarkers(QPainter& painter, const std::vector<int>& indexes, const QRect& exposed) const;
    // While a marker is dragged, the markers below it and those above it are
    // kept drawn in square tiles of the surface, each drawn when a repaint
    // first needs it, so that a step draws the few tiles it meets first, the
    // kept pictures and the dragged marker, however many are stacked there.
    void PaintDrag(QPainter& painter, const QRect& exposed);
    struct DragTile {
        QImage Below; // null where nothing is drawn
        QImage Above;
    };
    const DragTile& Tile(int column, int row);
    void DropDragLayers();

    MarkerModel m_model;
    bool m_seeThrough = false;
    // The marker a drag has moved since its press; 0 for none.
    int m_dragged = 0;
    // Each marker's side of the dragged one (1 above), made with the first
    // tile; empty when no tiles are kept.
    std::vector<char> m_aboveDragged;
    std::unordered_map<quint64, DragTile> m_tiles; // by row and column
};
