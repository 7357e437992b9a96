#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <optional>

// The five interface colours the Settings menu chooses and the settings
// store keeps.
enum class ColorSetting : int { Screen = 0, Outline = 1, ActiveClip = 2, Toolbar = 3, FileBox = 4 };

inline constexpr std::array<ColorSetting, 5> AllColorSettings {
    ColorSetting::Screen,
    ColorSetting::Outline,
    ColorSetting::ActiveClip,
    ColorSetting::Toolbar,
    ColorSetting::FileBox,
};

// Colours are stored as 32-bit values with red in the lowest byte, then
// green, then blue, the top byte 0: pure red is 255, white 16777215.
[[nodiscard]] quint32 ColorValue(const QColor& color);
// The colour of a stored value; the top byte is not part of it.
[[nodiscard]] QColor ColorFromValue(quint32 value);

// The key of a colour in the "Colors" section of the settings.
[[nodiscard]] QString ColorKey(ColorSetting setting);
// What the colour dialog of a colour is titled after the program's name.
[[nodiscard]] QString ColorDialogTitle(ColorSetting setting);
// The colour a first run shows, before any settings are stored.
[[nodiscard]] quint32 DesignColorValue(ColorSetting setting);
// What "Default Colors" sets a colour to; nullopt for the one it leaves as
// it is (the name fields' background).
[[nodiscard]] std::optional<quint32> DefaultColorValue(ColorSetting setting);
