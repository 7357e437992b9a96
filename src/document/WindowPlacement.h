#pragma once

#include <QList>
#include <QRect>

// Where a restored window goes, given the available areas of the screens and
// of the primary one (taskbars and panels left out). Places are the client
// area's: the frame round it is only known once a window manager has framed
// the window. A stored place whose title bar, above it, shows on one of the
// screens (enough of it to take hold of the window) is kept. One whose title
// bar shows on none, left from a monitor since removed or above the top of
// the screen, goes to the top left of the primary screen with its stored
// size. A window larger than the screen it goes to is clipped to that
// screen, frame and all, so that it never outgrows the desktop.
[[nodiscard]] QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens, const QRect& primary);
