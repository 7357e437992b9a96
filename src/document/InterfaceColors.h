#pragma once

#include "ColorSettings.h"

#include <QColor>

class DamageToolbar;
class DescriptionFields;
class ScreenBackground;
class ThumbnailStrip;

// The five interface colours as the window's controls show them: the screen,
// the slots' outlines and captions, the frame around the current slot, the
// toolbar panel and the name fields.
class InterfaceColors {
public:
    InterfaceColors(ScreenBackground& screen, ThumbnailStrip& strip, DamageToolbar& toolbar, DescriptionFields& names);

    // A colour applied at once to every control it belongs to; the outline
    // colour goes to the captions too.
    void Set(ColorSetting setting, const QColor& color);
    // The colour shown: for the outline, the first slot's outline; for the
    // name fields, their background.
    [[nodiscard]] QColor Get(ColorSetting setting) const;
    // "Default Colors": every colour that has a default takes it; the name
    // fields keep theirs.
    void SetDefaults();

private:
    ScreenBackground& m_screen;
    ThumbnailStrip& m_strip;
    DamageToolbar& m_toolbar;
    DescriptionFields& m_names;
};
