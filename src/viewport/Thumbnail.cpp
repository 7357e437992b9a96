#include "Thumbnail.h"

#include "common/MouseButton.h"

#include <QMouseEvent>
#include <QPainter>

Thumbnail::Thumbnail(QWidget* parent)
    : QWidget(parent)
{
}

void Thumbnail::SetPicture(const QImage& picture)
{
    m_picture = picture;
    m_placeholder.clear();
    update();
}

void Thumbnail::SetPlaceholder(const QString& text)
{
    m_picture = QImage();
    m_placeholder = text;
    update();
}

void Thumbnail::ClearPicture()
{
    m_picture = QImage();
    m_placeholder.clear();
    update();
}

void Thumbnail::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        const QSize shown = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_picture);
    } else if (!m_placeholder.isEmpty()) {
        painter.fillRect(rect(), QColor(48, 28, 28));
        painter.setPen(QPen(QColor(200, 80, 70), 1, Qt::DashLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(QColor(240, 200, 190));
        painter.drawText(rect().adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, m_placeholder);
    }
}

void Thumbnail::mousePressEvent(QMouseEvent* event)
{
    if (const int button = ButtonNumber(event->button()))
        emit Pressed(button, event->globalPosition().toPoint());
}
