#pragma once

#include <QObject>
#include <QSizeF>

#include <functional>

class PictureSurface;
class QScrollBar;
class QWidget;

// The viewport: the fixed box (PicArea) holding the picture surface
// (PicZoom), and the scroll bars (HS, VS) that move the surface when it is
// larger than the box. Every change of display size places the markers
// again (through the callback) and then resets the scroll bars.
class Viewport : public QObject {
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

    void UpdateScrollBars();
    // Nothing displayed: an empty surface filling the box, no scroll bars.
    void Clear();

private:
    void Render(QSizeF size);
    void HS_Change();
    void VS_Change();

    std::function<void()> m_positionObjects;
};
