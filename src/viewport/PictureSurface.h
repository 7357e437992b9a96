#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QWidget>

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
    // Hands over the displayed picture, so that its memory can take the
    // next one; nothing is painted until ShowPicture.
    [[nodiscard]] QImage TakePicture();
    // Nothing displayed: no picture, no path.
    void Clear();

signals:
    // button: 1 left, 2 right, 4 middle.
    void Pressed(int button, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* m_box;
    QImage m_picture;
    QImage m_reduced;
    QString m_displayedPath;
    QSizeF m_size;
};
