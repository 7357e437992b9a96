#include "PageArea.h"

#include "common/Twips.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

} // namespace

PageArea::PageArea(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageArea::SetDrawing(const QPicture& drawing)
{
    m_drawing = drawing;
    m_shown = QPixmap();
    update();
}

void PageArea::resizeEvent(QResizeEvent* event)
{
    m_shown = QPixmap();
    QWidget::resizeEvent(event);
}

void PageArea::paintEvent(QPaintEvent* event)
{
    // The pictures in the drawing are at print resolution: shrink them once
    // for the screen, not at every repaint.
    const qreal ratio = devicePixelRatioF();
    if (m_shown.isNull() || m_shown.devicePixelRatio() != ratio) {
        m_shown = QPixmap((QSizeF(size()) * ratio).toSize());
        m_shown.setDevicePixelRatio(ratio);
        m_shown.fill(Qt::white);
        QPainter painter(&m_shown);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
        // A picture plays itself enlarged by the device's resolution over
        // the screen's; its units are twips, shown at 15 to a pixel.
        painter.scale(double(m_drawing.logicalDpiX()) / m_shown.logicalDpiX() / TwipsPerPixel,
            double(m_drawing.logicalDpiY()) / m_shown.logicalDpiY() / TwipsPerPixel);
        painter.drawPicture(0, 0, m_drawing);
    }
    QPainter painter(this);
    painter.drawPixmap(
        event->rect(), m_shown, QRectF(QPointF(event->rect().topLeft()) * ratio, QSizeF(event->rect().size()) * ratio));
    // The sheet's edge.
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
