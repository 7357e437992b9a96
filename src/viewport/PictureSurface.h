#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QWidget>

// The picture surface (PicZoom) inside the viewport box: the displayed
// picture at its display size. Markers are its children.
class PictureSurface : public QWidget {
public:
    explicit PictureSurface(QWidget* parent = nullptr);

    // The path of the displayed picture; empty when nothing is displayed.
    [[nodiscard]] const QString& DisplayedPath() const { return m_displayedPath; }
    [[nodiscard]] const QImage& Picture() const { return m_picture; }

    // The display size in single-precision pixels; the widget covers it in
    // whole pixels.
    [[nodiscard]] float SurfaceWidth() const { return float(m_size.width()); }
    [[nodiscard]] float SurfaceHeight() const { return float(m_size.height()); }
    void SetDisplaySize(float width, float height);

    void ShowPicture(const QImage& picture, const QString& path);
    // Nothing displayed: no picture, no path.
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QString m_displayedPath;
    QSizeF m_size;
};
