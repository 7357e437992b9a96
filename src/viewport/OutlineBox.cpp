#include "OutlineBox.h"

#include <QPainter>

OutlineBox::OutlineBox(const QColor& color, int lineWidth, QWidget* parent)
    : QWidget(parent)
    , m_color(color)
    , m_lineWidth(lineWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void OutlineBox::SetBorderColor(const QColor& color)
{
    m_color = color;
    update();
}

void OutlineBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal inset = m_lineWidth / 2.0;
    painter.setPen(QPen(m_color, m_lineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
