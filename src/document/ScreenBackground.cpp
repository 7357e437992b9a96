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
    setObjectName(QStringLiteral("Screen"));
    setStyleSheet(QStringLiteral(
        "QWidget { font-size: 11px; }"
        "QLabel { color: white; }"
        "QLabel[role=\"heading\"] { font-weight: bold; }"
        "QLabel[role=\"value\"] { color: #f4f1e8; background: rgba(255, 255, 255, 18); padding-left: 4px; }"
        "QLineEdit { background: white; color: black; border: 1px solid #8a8f98; padding: 0 3px; }"));
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
