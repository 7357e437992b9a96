#include "ScreenBackground.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
constexpr QRect PictureRect { 0, 0, 1032, 718 };
}

ScreenBackground::ScreenBackground(QWidget* parent)
    : QWidget(parent)
    , m_picture(new QSvgRenderer(QStringLiteral(":/artwork/background.svg"), this))
{
}

void ScreenBackground::SetScreenColor(const QColor& color)
{
    m_color = color;
    update();
}

void ScreenBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    m_picture->render(&painter, PictureRect);
}
