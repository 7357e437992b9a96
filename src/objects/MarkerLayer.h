#pragma once

#include "DragTiles.h"
#include "MarkerModel.h"
#include "MarkerPainter.h"

#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

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
    void SetPlacement(int index, const ObjectPlacement& placement)
    {
        DropDragLayers();
        m_model.SetPlacement(index, placement);
    }
    void SetDetail(int index, const QString& detail);
    void Hide(int index);
    void BringToFront(int index);
    void SendToBack(int index);
    void Unload();
    [[nodiscard]] QString Rebuild(const QString& list, qint16 slot);
    void SetDisplayedSlot(qint16 slot)
    {
        DropDragLayers();
        m_model.SetDisplayedSlot(slot);
    }
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
    // While a marker is dragged, a repaint draws the tiles of the markers
    // below and above it and the marker between them.
    void PaintDrag(QPainter& painter, const QRect& exposed);
    // The tiles of the pressed marker, drawn ahead from now.
    void KeepDragLayers();
    // Called before any change to the model: the tiles are drawn from it.
    void DropDragLayers();

    MarkerModel m_model;
    MarkerPainter m_painter;
    // The marker a drag has moved since its press; 0 for none.
    int m_dragged = 0;
    DragTiles m_dragLayers;
    QTimer m_drawAhead;
};
