#include "PictureSurface.h"

#include <QPainter>

#include <cmath>

PictureSurface::PictureSurface(QWidget* parent)
    : QWidget(parent)
{
}

void PictureSurface::SetDisplaySize(float width, float height)
{
    m_size = QSizeF(width, height);
    resize(qMax(1, int(std::lround(width))), qMax(1, int(std::lround(height))));
}

void PictureSurface::ShowPicture(const QImage& picture, const QString& path)
{
    m_picture = picture;
    m_displayedPath = path;
    update();
}

void PictureSurface::Clear()
{
    m_picture = QImage();
    m_displayedPath.clear();
    update();
}

void PictureSurface::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}
