#pragma once

#include <Qt>

// The number a mouse button is handed on as: 1 left, 2 right, 4 middle; 0
// for the others (back, forward, ...), which do nothing here.
[[nodiscard]] constexpr int ButtonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}
