#include "MarkerGeometry.h"

#include <cmath>

namespace {

// A drag never makes a marker narrower or lower than this.
constexpr float MinDragSide = 3.0f;

// True when the pointer is in the far zone of one side of the marker. The
// products are single precision, the comparison strict.
bool InEdgeZone(float position, float side)
{
    const float far = 0.9f * side;
    const float nearSmall = 0.6f * side;
    return position > far || (side < 25.0f && position > nearSmall);
}

int RoundHalfEven(float value)
{
    return int(std::nearbyint(double(value)));
}

} // namespace

PointerZone PointerZoneAt(float x, float y, float w, float h)
{
    if (InEdgeZone(x, w))
        return PointerZone::ResizeWidth;
    if (InEdgeZone(y, h))
        return PointerZone::ResizeHeight;
    return PointerZone::Move;
}

QPoint GrabPoint(float x, float y)
{
    return { RoundHalfEven(x), RoundHalfEven(y) };
}

QRectF DraggedPlace(const QRectF& place, PointerZone zone, float x, float y, QPoint grab)
{
    const float left = float(place.left());
    const float top = float(place.top());
    float width = float(place.width());
    float height = float(place.height());
    switch (zone) {
    case PointerZone::Move:
        return QRectF(left + x - float(grab.x()), top + y - float(grab.y()), width, height);
    case PointerZone::ResizeWidth:
        if (x >= MinDragSide)
            width = x;
        break;
    case PointerZone::ResizeHeight:
        if (y >= MinDragSide)
            height = y;
        break;
    }
    return QRectF(left, top, width, height);
}

QRectF NonZeroPlace(const QRectF& place)
{
    const auto nonZero = [](qreal value) { return value == 0.0 ? 1.0 : value; };
    return QRectF(nonZero(place.left()), nonZero(place.top()), nonZero(place.width()), nonZero(place.height()));
}

QRectF ShownBox(const QRectF& place)
{
    QRectF box = place.normalized();
    if (box.width() < MinShownWidth) {
        box.setLeft(box.center().x() - MinShownWidth / 2);
        box.setWidth(MinShownWidth);
    }
    if (box.height() < MinShownHeight) {
        box.setTop(box.center().y() - MinShownHeight / 2);
        box.setHeight(MinShownHeight);
    }
    return box;
}

int DigitCount(int number)
{
    int count = 1;
    for (; number >= 10; number /= 10)
        ++count;
    return count;
}

QRect NumberBadgeBox(const QRect& shown, int number, QSize surface)
{
    const int width = 4 + BadgeDigitWidth * DigitCount(number);
    QRect badge(shown.right() + 1 - BadgeOverlap, shown.top() - BadgeHeight + BadgeOverlap, width, BadgeHeight);
    if (badge.top() < 0)
        badge.moveTop(shown.bottom() + 1 - BadgeOverlap);
    if (badge.right() >= surface.width())
        badge.moveRight(shown.left() - 1 + BadgeOverlap);
    return badge;
}

QRect PixelBox(const QRectF& box)
{
    const auto pixel = [](double value) { return int(std::lround(qBound(-1.0e9, value, 1.0e9))); };
    const int x = pixel(box.left());
    const int y = pixel(box.top());
    return QRect(x, y, qMax(1, pixel(box.right()) - x), qMax(1, pixel(box.bottom()) - y));
}
