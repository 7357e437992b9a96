#include "ScreenBackground.h"

#include <QAbstractScrollArea>
#include <QEvent>
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
    setMinimumSize(DesignSize);
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
    ColorScrollArea();
    update();
}

bool ScreenBackground::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        ColorScrollArea();
    return QWidget::event(event);
}

// A scroll area shows its own background in the corner between its two
// scroll bars; that corner takes the screen colour.
void ScreenBackground::ColorScrollArea()
{
    QWidget* viewport = parentWidget();
    auto* area = viewport ? qobject_cast<QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
    if (!area || area->viewport() != viewport)
        return;
    for (QWidget* widget : { static_cast<QWidget*>(area), viewport }) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, m_color);
        widget->setPalette(palette);
        widget->setBackgroundRole(QPalette::Window);
        widget->setAutoFillBackground(true);
    }
}

void ScreenBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    m_picture->render(&painter, PictureRect);
}
