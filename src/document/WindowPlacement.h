#pragma once

#include <QList>
#include <QRect>

// Where a restored window goes. A stored place that still lies on one of the
// screens (enough of it to take hold of the window) is kept. One that lies
// off every screen, left from a monitor since removed, goes to the top left
// of the primary screen with its stored size, clipped to that screen.
[[nodiscard]] QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens, const QRect& primary);
