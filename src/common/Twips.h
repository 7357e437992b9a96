#pragma once

// Dialogs, the preview and the printer measure in twips: 1440 to the inch,
// 20 to a point, and 15 to a pixel of a screen at 96 dots per inch.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int TwipsPerPoint = 20;
inline constexpr int TwipsPerPixel = 15;
