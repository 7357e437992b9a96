#include "PictureSurface.h"

#include "FittedViews.h"
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

// A picture decoded whole keeps a copy of twice the fitted size: the fitted
// view and the first zoom steps are drawn from it, reduced at most by half.
QSize ReducedSize(QSize natural, QSize box)
{
    return (FitSize(QSizeF(natural), QSizeF(box)) * 2.0).toSize();
}

bool Covers(const QImage& pixels, QSizeF display)
{
    return !pixels.isNull() && display.width() <= pixels.width() && display.height() <= pixels.height();
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
    m_decodesFromFile = false;
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
    ShowFile(path, nullptr, 0);
}

void PictureSurface::ShowPictureFile(const QString& path, FittedViews& views, int slot)
{
    ShowFile(path, &views, slot);
    // Only now, so that the shown slot's view is not decoded twice.
    views.FitInto(m_box->size());
}

void PictureSurface::ShowFile(const QString& path, FittedViews* views, int slot)
{
    QImage picture;
    try {
        FittedView view = views ? views->Usable(slot, path, m_box->size()) : FittedView();
        if (view.Pixels.isNull())
            view = ReadFittedView(path, m_box->size());
        if (view.Natural.isValid()) {
            m_picture = QImage();
            if (view.Pixels.isNull()) {
                DecodeFittedView(view, m_box->size());
                if (views)
                    views->Keep(slot, view);
            }
            m_reduced = view.Pixels;
            m_naturalSize = view.Natural;
            m_decodesFromFile = true;
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

const QImage& PictureSurface::PixelsFor(QSizeF displaySize)
{
    if (Covers(m_reduced, displaySize))
        return m_reduced;
    if (m_decodesFromFile && !Covers(m_picture, displaySize)) {
        const QSize covering = DecoderReduction(m_naturalSize, displaySize);
        // The pixels kept so far go first: only one set of larger pixels is
        // ever held.
        m_picture = QImage();
        m_decodesFromFile = covering.isValid();
        try {
            m_picture = covering.isValid() ? LoadPicture(m_displayedPath, covering, Qt::IgnoreAspectRatio)
                                           : LoadPicture(m_displayedPath);
        } catch (const PictureError&) {
            // The file went away or changed since it was shown: the fitted
            // view's pixels stand in, enlarged, in the same place.
            m_decodesFromFile = false;
        }
    }
    return m_picture.isNull() ? m_reduced : m_picture;
}

QImage PictureSurface::TakePicture()
{
    m_reduced = QImage();
    m_naturalSize = QSize();
    m_decodesFromFile = false;
    return std::exchange(m_picture, QImage());
}

void PictureSurface::Clear()
{
    m_picture = QImage();
    m_reduced = QImage();
    m_naturalSize = QSize();
    m_decodesFromFile = false;
    m_displayedPath.clear();
    update();
}

void PictureSurface::paintEvent(QPaintEvent* event)
{
    if (m_size.isEmpty())
        return;
    const QImage& source = Covers(m_reduced, m_size) || m_picture.isNull() ? m_reduced : m_picture;
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
