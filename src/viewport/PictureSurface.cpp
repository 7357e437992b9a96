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

// The reduced copy is twice the fitted size: the fitted view and the first
// zoom steps are drawn from it, reduced at most by half, so they look smooth.
QSize ReducedSize(QSize natural, QSize box)
{
    return (FitSize(QSizeF(natural), QSizeF(box)) * 2.0).toSize();
}

} // namespace

PictureSurface::PictureSurface(QWidget* viewportBox)
    : QWidget(viewportBox)
    , m_box(viewportBox)
{
}

void PictureSurface::SetDisplaySize(QSizeF size)
{
    m_size = size;
    // Decoded before the size takes effect, never while painting.
    (void)PixelsFor(size);
    resize(qMax(1, int(std::lround(size.width()))), qMax(1, int(std::lround(size.height()))));
    update();
}

void PictureSurface::ShowPicture(const QImage& picture, const QString& path)
{
    m_picture = picture;
    m_naturalSize = picture.size();
    m_naturalPending = false;
    m_displayedPath = path;
    const QSize reduced = ReducedSize(picture.size(), m_box->size());
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
        const QSize natural = PictureSize(path);
        const QSize reduced = ReducedSize(natural, m_box->size());
        // Only a picture at least twice the reduced size each way is worth
        // decoding twice: the decoder then scales by a half or less.
        if (natural.isValid() && !reduced.isEmpty() && reduced.width() * 2 <= natural.width()
            && reduced.height() * 2 <= natural.height()) {
            m_picture = QImage();
            m_reduced = LoadPicture(path, reduced, Qt::IgnoreAspectRatio);
            m_naturalSize = natural;
            m_naturalPending = true;
            m_displayedPath = path;
            update();
            return;
        }
        picture = ReloadPicture(path, TakePicture());
    } catch (const PictureError& failure) {
        const bool missing = failure.GetKind() == PictureError::Kind::Missing;
        picture = PlaceholderPicture(missing ? QStringLiteral("picture missing") : QStringLiteral("cannot read"),
            failure.Text(), PlaceholderSize);
    }
    ShowPicture(picture, path);
}

bool PictureSurface::ReducedServes(QSizeF displaySize) const
{
    return !m_reduced.isNull() && displaySize.width() <= m_reduced.width()
        && displaySize.height() <= m_reduced.height();
}

const QImage& PictureSurface::PixelsFor(QSizeF displaySize)
{
    if (ReducedServes(displaySize))
        return m_reduced;
    if (m_naturalPending) {
        m_naturalPending = false;
        try {
            m_picture = LoadPicture(m_displayedPath);
        } catch (const PictureError&) {
            // The file went away or changed since it was shown: the reduced
            // copy stands in, enlarged, in the same place.
        }
    }
    return m_picture.isNull() ? m_reduced : m_picture;
}

QImage PictureSurface::TakePicture()
{
    m_reduced = QImage();
    m_naturalSize = QSize();
    m_naturalPending = false;
    return std::exchange(m_picture, QImage());
}

void PictureSurface::Clear()
{
    m_picture = QImage();
    m_reduced = QImage();
    m_naturalSize = QSize();
    m_naturalPending = false;
    m_displayedPath.clear();
    update();
}

void PictureSurface::paintEvent(QPaintEvent* event)
{
    if (m_size.isEmpty())
        return;
    const QImage& source = ReducedServes(m_size) || m_picture.isNull() ? m_reduced : m_picture;
    if (source.isNull())
        return;
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
