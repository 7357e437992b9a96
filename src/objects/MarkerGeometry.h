#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

// The arithmetic of working on a marker with the mouse. Places are in
// single-precision surface pixels: left, top, width and height; pointer
// positions are pixels from the marker's top-left corner.

// What a drag does, by the part of the marker the pointer is over.
enum class PointerZone : int {
    Move = 0, // the body: the marker follows the pointer
    ResizeWidth = 1, // near the right edge
    ResizeHeight = 2, // near the bottom edge
};

// The zone under the pointer at (x, y) over a marker w x h: the last tenth
// of the width (the last four tenths when narrower than 25 pixels) resizes
// the width; otherwise the same of the height resizes the height; the rest
// moves. The right edge wins in the corner.
[[nodiscard]] PointerZone PointerZoneAt(float x, float y, float w, float h);

// Where a marker was grabbed: the pointer position rounded to whole pixels,
// halves to even.
[[nodiscard]] QPoint GrabPoint(float x, float y);

// The place after one drag step with the pointer at (x, y) in the marker: a
// move keeps the grabbed point under the pointer; a resize sets the width (or
// height) to the pointer's position, never below 3 pixels.
[[nodiscard]] QRectF DraggedPlace(const QRectF& place, PointerZone zone, float x, float y, QPoint grab);

// The place with every coordinate that is exactly 0 made 1, so that the
// placement ratios never divide by 0.
[[nodiscard]] QRectF NonZeroPlace(const QRectF& place);

// The smallest box a marker is painted and hit as, so that it stays visible
// and grabbable when zoomed far out.
inline constexpr float MinShownWidth = 12.0f;
inline constexpr float MinShownHeight = 10.0f;

// The box a marker is painted and hit as: its place, widened (or heightened)
// about its centre to the smallest box where it is smaller.
[[nodiscard]] QRectF ShownBox(const QRectF& place);

// A box in whole pixels, as a marker is painted and hit: the far edges are
// rounded, not the sizes, so that neighbouring markers line up at any zoom.
[[nodiscard]] QRect PixelBox(const QRectF& box);

// Each marker shows its number in a badge on its top-right corner (bottom
// right when that would leave the surface at the top, and on the left side
// at the right edge), so the badge covers only a corner of the picture.
inline constexpr int BadgeHeight = 11;
inline constexpr int BadgeOverlap = 4;
inline constexpr int BadgeDigitWidth = 6;

[[nodiscard]] int DigitCount(int number);
// The badge of the marker with a number shown in a box of whole pixels, on
// a surface of a size.
[[nodiscard]] QRect NumberBadgeBox(const QRect& shown, int number, QSize surface);
