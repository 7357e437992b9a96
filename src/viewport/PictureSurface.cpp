#include "PictureSurface.h"

#include "PictureLoader.h"
#include "ViewGeometry.h"
#include "common/MouseButton.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <utility>

namespace {

// A picture that cannot be shown is shown as a placeholder of this size.
constexpr QSize PlaceholderSize { 640, 480 };

} // namespace

PictureSurface::PictureSurface(QWidget* viewportBox)
    : QWidget(viewportBox)
    , m_box(viewportBox)
{
}

void PictureSurface::SetDisplaySize(QSizeF size)
{
    m_size = size;
    resize(qMax(1, int(std::lround(size.width()))), qMax(1, int(std::lround(size.height()))));
    update();
}

void PictureSurface::ShowPicture(const QImage& picture, const QString& path)
{
    m_picture = picture;
    m_displayedPath = path;
    // Twice the fitted size: the fitted view and the first zoom steps are
    // drawn from it, reduced at most by half, so they look smooth.
    const QSize reduced = (FitSize(NaturalSize(), QSizeF(m_box->size())) * 2.0).toSize();
    if (reduced.width() < picture.width() && reduced.height() < picture.height() && !reduced.isEmpty())
        m_reduced = picture.scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else
        m_reduced = QImage();
    update();
}

void PictureSurface::ShowPictureFile(const QString& path)
{
    QImage picture;
    try {
        picture = ReloadPicture(path, TakePicture());
    } catch (const PictureError& failure) {
        const bool missing = failure.GetKind() == PictureError::Kind::Missing;
        picture = PlaceholderPicture(missing ? QStringLiteral("picture missing") : QStringLiteral("cannot read"),
            failure.Text(), PlaceholderSize);
    }
    ShowPicture(picture, path);
}

QImage PictureSurface::TakePicture()
{
    m_reduced = QImage();
    return std::exchange(m_picture, QImage());
}

void PictureSurface::Clear()
{
    m_picture = QImage();
    m_reduced = QImage();
    m_displayedPath.clear();
    update();
}

void PictureSurface::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull() || m_size.isEmpty())
        return;
    const bool reducedServes
        = !m_reduced.isNull() && m_size.width() <= m_reduced.width() && m_size.height() <= m_reduced.height();
    const QImage& source = reducedServes ? m_reduced : m_picture;
    const double sx = source.width() / m_size.width();
    const double sy = source.height() / m_size.height();
    const QRectF exposed(event->rect());
    const QRectF from(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx, exposed.height() * sy);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(exposed, source, from);
}

void PictureSurface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragFrom = event->globalPosition().toPoint();
    if (const int button = ButtonNumber(event->button()))
        emit Pressed(button, event->globalPosition().toPoint());
}

void PictureSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragFrom)
        return;
    const QPoint at = event->globalPosition().toPoint();
    const QPoint distance = at - *m_dragFrom;
    m_dragFrom = at;
    if (!distance.isNull())
        emit Dragged(distance);
}

void PictureSurface::mouseReleaseEvent(QMouseEvent*)
{
    m_dragFrom.reset();
}
