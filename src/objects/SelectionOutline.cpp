#include "SelectionOutline.h"

#include <QPainter>

namespace {
constexpr int Gap = 2;
}

SelectionOutline::SelectionOutline(QWidget* surface)
    : QWidget(surface)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void SelectionOutline::Surround(const QRect& marker)
{
    if (marker.isNull()) {
        hide();
        return;
    }
    setGeometry(marker.adjusted(-Gap, -Gap, Gap, Gap));
    show();
    raise();
}

void SelectionOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
}
