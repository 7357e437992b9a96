#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <optional>

// The picture surface (PicZoom) inside the viewport box: the displayed
// picture at its display size, the markers' parent. It keeps a reduced copy
// of the picture, twice the fitted size, for the fitted view and the first
// zoom steps, and the picture at its natural size for larger sizes; it
// paints only the part that is exposed, so memory does not grow with zoom.
//
// A large photo read from its file is decoded at the reduced size only,
// which the JPEG decoder does in a fraction of the time of a full decode;
// its natural-size pixels are decoded when a display size first needs them.
class PictureSurface : public QWidget {
    Q_OBJECT

public:
    explicit PictureSurface(QWidget* viewportBox);

    // The path of the displayed picture; empty when nothing is displayed.
    [[nodiscard]] const QString& DisplayedPath() const { return m_displayedPath; }
    // The displayed picture's natural size, also before its natural-size
    // pixels are decoded.
    [[nodiscard]] QSizeF NaturalSize() const { return QSizeF(m_naturalSize); }
    // The pixels painted at a display size: the reduced copy when it is at
    // least that large, otherwise the picture at its natural size (decoded
    // now if it was not yet).
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
    [[nodiscard]] bool ReducedServes(QSizeF displaySize) const;

    QWidget* m_box;
    // The natural-size pixels; null while they have not been needed yet.
    QImage m_picture;
    QImage m_reduced;
    QSize m_naturalSize;
    // The natural-size pixels are still to be decoded from the displayed
    // path.
    bool m_naturalPending = false;
    QString m_displayedPath;
    QSizeF m_size;
    // Where the pointer was at the last step of a hand drag.
    std::optional<QPoint> m_dragFrom;
};
