#include "WindowPlacement.h"

namespace {

// How much of a window must show on a screen for the user to take hold of
// it, pixels.
constexpr QSize MinimumShown { 64, 32 };

bool ShowsOn(const QRect& window, const QRect& screen)
{
    const QRect shown = window.intersected(screen);
    return shown.width() >= qMin(MinimumShown.width(), window.width())
        && shown.height() >= qMin(MinimumShown.height(), window.height()) && !shown.isEmpty();
}

} // namespace

QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens, const QRect& primary)
{
    for (const QRect& screen : screens) {
        if (ShowsOn(stored, screen))
            return stored;
    }
    return QRect(primary.topLeft(), stored.size().boundedTo(primary.size()));
}
