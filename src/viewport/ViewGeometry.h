#pragma once

#include <QRect>
#include <QSizeF>

#include <optional>

// The sizes of the picture surface in the viewport, in single-precision
// pixels.

// A zoom step changes each side by this factor (in single precision).
inline constexpr float ZoomStepFactor = 0.05f;
// The scroll bars address at most this many pixels of overflow.
inline constexpr float MaxScrollOverflow = 32767.0f;
// Zooming out stops before either side is smaller than this.
inline constexpr float MinSurfaceSide = 16.0f;

// The scroll bars' design places in the main window: below and right of the
// viewport box (ViewportBox).
inline constexpr QRect HorizontalBarPlace { 70, 662, 651, 17 };
inline constexpr QRect VerticalBarPlace { 704, 184, 20, 479 };

// The largest size with the picture's proportions that fits the box, never
// larger than the picture: the width shrinks a pixel at a time and the
// height follows.
[[nodiscard]] QSizeF FitSize(QSizeF natural, QSizeF box);

// The size one zoom step in or out from the current one; nullopt when the
// step would take the surface past what the scroll bars can address, or
// below the smallest size.
[[nodiscard]] std::optional<QSizeF> ZoomStepSize(QSizeF current, bool zoomIn, QSizeF box);

// True when a surface of this size can be scrolled over in the box.
[[nodiscard]] bool FitsScrollRange(QSizeF surface, QSizeF box);
