#pragma once

#include <QImage>
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

    void ShowPicture(const QImage& picture, const QString& path);
    // Nothing displayed: no picture, no path.
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QString m_displayedPath;
};
