#include "ViewGeometry.h"

QSizeF FitSize(QSizeF natural, QSizeF box)
{
    float w = float(natural.width());
    float h = float(natural.height());
    const float boxWidth = float(box.width());
    const float boxHeight = float(box.height());
    if (w <= 0.0f || h <= 0.0f)
        return { 0.0, 0.0 };
    const float ratio = w / h;
    while ((w > boxWidth || h > boxHeight) && w > 1.0f) {
        w -= 1.0f;
        h = w / ratio;
    }
    return { w, h };
}

std::optional<QSizeF> ZoomStepSize(QSizeF current, bool zoomIn, QSizeF box)
{
    const float w = float(current.width());
    const float h = float(current.height());
    const float sign = zoomIn ? 1.0f : -1.0f;
    const QSizeF next(w + sign * (w * ZoomStepFactor), h + sign * (h * ZoomStepFactor));
    if (!zoomIn && (next.width() < MinSurfaceSide || next.height() < MinSurfaceSide))
        return std::nullopt;
    if (zoomIn && !FitsScrollRange(next, box))
        return std::nullopt;
    return next;
}

bool FitsScrollRange(QSizeF surface, QSizeF box)
{
    return float(surface.width() - box.width()) <= MaxScrollOverflow
        && float(surface.height() - box.height()) <= MaxScrollOverflow;
}
