#pragma once

#include "WorkspaceLayout.h"

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QWidget>

class QSvgRenderer;

// The main window's client area: the screen colour with the window's
// background picture drawn over it at its fixed design size. Its style sheet
// gives the labels and fields on it their look.
//
// It never shrinks below the design size, so in a smaller window a scroll
// area around it scrolls; a larger area is filled with the screen colour.
// Inside a scroll area, the area shows the screen colour too.
//
// With the large picture area on, the viewport takes the room beyond the
// design size (LayOutWorkspace): the controls of the panel column move along
// with the right edge, the picture's frame, ticks and panel follow them, and
// ViewportPlaced says where the viewport box and its bars go.
class ScreenBackground : public QWidget {
    Q_OBJECT

public:
    // The client area the controls were placed for, in pixels.
    static constexpr QSize DesignSize = DesignClientSize;

    explicit ScreenBackground(QWidget* parent = nullptr);

    void SetScreenColor(const QColor& color);
    [[nodiscard]] QColor ScreenColor() const { return m_color; }
    void SetLargePictureArea(bool on);

    [[nodiscard]] QSize sizeHint() const override { return DesignSize; }

signals:
    void ViewportPlaced(QRect box, QRect horizontalBar, QRect verticalBar);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ColorScrollArea();
    void Arrange();
    void PaintGrownPicture(QPainter& painter, QSize grown);

    QColor m_color = Qt::black;
    QSvgRenderer* m_picture;
    bool m_large = false;
    WorkspaceLayout m_layout = LayOutWorkspace(DesignSize, false);
    // The viewport's frame from the picture, its corners kept as it grows.
    QPixmap m_frame;
};
