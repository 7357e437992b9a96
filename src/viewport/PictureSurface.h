#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <optional>

class FittedViews;

// The picture surface (PicZoom) inside the viewport box: the displayed
// picture at its display size, the markers' parent. It paints only the part
// that is exposed, so memory does not grow with zoom.
//
// A JPEG photo is decoded at the size the display needs: the decoder itself
// reduces it to a half, a quarter or an eighth in a fraction of the time of
// a full decode. The fitted view is decoded that way when the photo is
// shown; a larger display size first decodes the pixels it needs, up to the
// natural size, so painting never reduces them by more than half. Other
// pictures are decoded whole, with a copy of twice the fitted size for the
// fitted view and the first zoom steps.
class PictureSurface : public QWidget {
    Q_OBJECT

public:
    explicit PictureSurface(QWidget* viewportBox);

    // The path of the displayed picture; empty when nothing is displayed.
    [[nodiscard]] const QString& DisplayedPath() const { return m_displayedPath; }
    // The displayed picture's natural size, also before its natural-size
    // pixels are decoded.
    [[nodiscard]] QSizeF NaturalSize() const { return QSizeF(m_naturalSize); }
    // The pixels painted at a display size: the fitted view's when they are
    // at least that large, otherwise the larger ones, decoded now when those
    // kept do not cover the size.
    [[nodiscard]] const QImage& PixelsFor(QSizeF displaySize);

    // The display size in single-precision pixels; the widget covers it in
    // whole pixels.
    [[nodiscard]] float SurfaceWidth() const { return float(m_size.width()); }
    [[nodiscard]] float SurfaceHeight() const { return float(m_size.height()); }
    [[nodiscard]] QSizeF DisplaySize() const { return m_size; }
    void SetDisplaySize(QSizeF size);

    void ShowPicture(const QImage& picture, const QString& path);
    // The picture at a path, decoded into the memory of the one shown
    // before; a picture that cannot be read is shown as a placeholder saying
    // why, so that its markers can still be seen and edited.
    void ShowPictureFile(const QString& path);
    // The same for a slot's picture: the slot's kept view is shown when it
    // is that of the file as it is now in this box, without reading the
    // file; otherwise the view decoded now is kept for the slot.
    void ShowPictureFile(const QString& path, FittedViews& views, int slot);
    // Hands over the displayed picture, so that its memory can take the
    // next one; nothing is painted until ShowPicture.
    [[nodiscard]] QImage TakePicture();
    // Nothing displayed: no picture, no path.
    void Clear();

signals:
    // A press on the surface where there is no marker; button: 1 left,
    // 2 right, 4 middle.
    void Pressed(int button, QPoint globalPosition);
    // The pointer moved by a distance while the left button, pressed on
    // the surface, is held: the view follows the hand.
    void Dragged(QPoint distance);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowFile(const QString& path, FittedViews* views, int slot);

    QWidget* m_box;
    // The pixels for the fitted view and the first zoom steps.
    QImage m_reduced;
    // The pixels for larger sizes, up to the natural size; null while no
    // such size has been shown.
    QImage m_picture;
    QSize m_naturalSize;
    // Larger pixels are still to be decoded from the displayed path as
    // display sizes need them.
    bool m_decodesFromFile = false;
    QString m_displayedPath;
    QSizeF m_size;
    // Where the pointer was at the last step of a hand drag.
    std::optional<QPoint> m_dragFrom;
};
