#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <optional>

// The picture surface (PicZoom) inside the viewport box: the displayed
// picture at its display size, the markers' parent. It keeps the picture at
// its natural size (and one smoothly reduced copy for small sizes) and
// paints only the part that is exposed, so memory does not grow with zoom.
class PictureSurface : public QWidget {
    Q_OBJECT

public:
    explicit PictureSurface(QWidget* viewportBox);

    // The path of the displayed picture; empty when nothing is displayed.
    [[nodiscard]] const QString& DisplayedPath() const { return m_displayedPath; }
    // The displayed picture at its natural size.
    [[nodiscard]] const QImage& Picture() const { return m_picture; }
    [[nodiscard]] QSizeF NaturalSize() const { return QSizeF(m_picture.size()); }

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
    QWidget* m_box;
    QImage m_picture;
    QImage m_reduced;
    QString m_displayedPath;
    QSizeF m_size;
    // Where the pointer was at the last step of a hand drag.
    std::optional<QPoint> m_dragFrom;
};
