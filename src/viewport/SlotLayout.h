#pragma once

#include <QRect>

#include <array>

// Where the six slots of the thumbnail strip sit in the main window, pixels.
struct SlotPlace {
    QRect Thumbnail;
    QRect Outline;
    QRect Caption;
};

inline constexpr std::array<SlotPlace, 6> SlotPlaces = { {
    { { 28, 40, 133, 103 }, { 26, 38, 137, 107 }, { 24, 154, 139, 19 } },
    { { 198, 40, 133, 103 }, { 194, 38, 139, 107 }, { 192, 152, 139, 19 } },
    { { 366, 40, 133, 103 }, { 362, 38, 139, 107 }, { 360, 150, 139, 19 } },
    { { 534, 40, 133, 103 }, { 530, 38, 139, 107 }, { 526, 150, 139, 19 } },
    { { 696, 40, 133, 103 }, { 692, 38, 139, 107 }, { 688, 150, 139, 19 } },
    { { 860, 40, 133, 103 }, { 856, 38, 139, 107 }, { 852, 150, 139, 19 } },
} };

// The frame around the current slot: 7 pixels left of its outline and above
// its thumbnail.
inline constexpr QRect ActiveFrameStart { 20, 32, 152, 119 };
inline constexpr int ActiveFrameMargin = 7;

// The thumbnails' box, the size thumbnails are decoded at.
inline constexpr QSize ThumbnailSize { 133, 103 };

// The viewport box below the strip.
inline constexpr QRect ViewportBox { 70, 182, 629, 480 };
