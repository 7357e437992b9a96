#include "WindowPlacement.h"

#include <QMargins>

#include <algorithm>

namespace {

// The frame a window manager puts round the client area, pixels: its title
// bar above and a border on the other sides. The real one is unknown before
// the window shows; this leaves room for a usual one.
constexpr QMargins Frame { 2, 20, 2, 2 };

// How much of the title bar must show on a screen for the user to take hold
// of the window, pixels.
constexpr int MinimumGrip = 64;

bool TitleBarShowsOn(const QRect& window, const QRect& screen)
{
    const QRect titleBar(window.left(), window.top() - Frame.top(), window.width(), Frame.top());
    const QRect shown = titleBar.intersected(screen);
    return shown.height() == titleBar.height() && shown.width() >= qMin(MinimumGrip, window.width());
}

} // namespace

QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens, const QRect& primary)
{
    const auto on = std::find_if(
        screens.begin(), screens.end(), [&stored](const QRect& screen) { return TitleBarShowsOn(stored, screen); });
    const QRect room = (on == screens.end() ? primary : *on).marginsRemoved(Frame);
    QRect placed = on == screens.end() ? QRect(room.topLeft(), stored.size()) : stored;
    // Larger than the room one way, the window takes all of it that way.
    if (placed.width() > room.width()) {
        placed.moveLeft(room.left());
        placed.setWidth(room.width());
    }
    if (placed.height() > room.height()) {
        placed.moveTop(room.top());
        placed.setHeight(room.height());
    }
    return placed;
}
