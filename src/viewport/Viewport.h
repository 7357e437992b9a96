#pragma once

#include <QObject>
#include <QRect>
#include <QSizeF>

#include <functional>

class PictureSurface;
class QScrollBar;
class QWidget;

// The viewport: the box (PicArea) holding the picture surface
// (PicZoom), and the scroll bars (HS, VS) that move the surface when it is
// larger than the box. Every change of display size places the markers
// again (through the callback) and then resets the scroll bars.
//
// The mouse wheel scrolls the view, Ctrl+wheel zooms one step about the
// pointer, and dragging the empty surface moves the view.
class Viewport : public QObject {
    Q_OBJECT

public:
    Viewport(QWidget* window, std::function<void()> positionObjects);

    QWidget* PicArea;
    PictureSurface* PicZoom;
    QScrollBar* HS;
    QScrollBar* VS;

    [[nodiscard]] QSizeF BoxSize() const;

    // Each throws UserError when it cannot do what was asked.
    void ScaleToFit();
    void ActualSize();
    // One 5 % step in or out; a step past what the scroll bars can address,
    // or below the smallest size, is refused and the size kept.
    void Zoom(bool zoomIn);
    // One step keeping the picture point under a point of the box in place.
    void ZoomAbout(bool zoomIn, QPointF boxPosition);

    void UpdateScrollBars();
    // Nothing displayed: an empty surface filling the box, no scroll bars.
    void Clear();
    // The box and its bars in new places. A fitted picture is fitted again
    // (its markers placed anew); a zoomed one keeps its size and, as far as
    // the bars reach, the part in view.
    void Place(QRect box, QRect horizontalBar, QRect verticalBar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Render(QSizeF size);
    void Pan(QPoint distance);
    void HS_Change();
    void VS_Change();

    std::function<void()> m_positionObjects;
    // The last sizing was Scale to Fit: the picture follows the box.
    bool m_fitted = false;
};
