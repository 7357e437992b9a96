#include "Marker.h"

#include "DamageTypes.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace {

// One renderer per damage type, shared by every marker of that type.
QSvgRenderer* DamageRenderer(int damageType)
{
    static QHash<int, QSvgRenderer*> renderers;
    QSvgRenderer*& renderer = renderers[damageType];
    if (!renderer)
        renderer = new QSvgRenderer(DamagePicture(damageType));
    return renderer;
}

// Whole pixels for the widget: the far edges are rounded, not the sizes, so
// that neighbouring markers line up at any zoom.
int Pixel(double value)
{
    return int(std::lround(qBound(-1.0e9, value, 1.0e9)));
}

} // namespace

Marker::Marker(QWidget* surface)
    : QWidget(surface)
{
    SetPlace(0.0f, 0.0f, TemplateWidth, TemplateHeight);
}

void Marker::SetDamagePicture(int damageType)
{
    m_picture = DamageRenderer(damageType);
    update();
}

void Marker::SetPlace(float left, float top, float width, float height)
{
    m_place = QRectF(left, top, width, height);
    const int x = Pixel(left);
    const int y = Pixel(top);
    setGeometry(x, y, qMax(1, Pixel(left + double(width)) - x), qMax(1, Pixel(top + double(height)) - y));
}

void Marker::paintEvent(QPaintEvent*)
{
    if (!m_picture)
        return;
    QPainter painter(this);
    m_picture->render(&painter, rect());
}
