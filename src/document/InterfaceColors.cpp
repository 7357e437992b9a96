#include "InterfaceColors.h"

#include "DescriptionFields.h"
#include "ScreenBackground.h"
#include "objects/DamageToolbar.h"
#include "viewport/ThumbnailStrip.h"

InterfaceColors::InterfaceColors(
    ScreenBackground& screen, ThumbnailStrip& strip, DamageToolbar& toolbar, DescriptionFields& names)
    : m_screen(screen)
    , m_strip(strip)
    , m_toolbar(toolbar)
    , m_names(names)
{
}

void InterfaceColors::Set(ColorSetting setting, const QColor& color)
{
    switch (setting) {
    case ColorSetting::Screen:
        m_screen.SetScreenColor(color);
        break;
    case ColorSetting::Outline:
        m_strip.SetOutlineColor(color);
        break;
    case ColorSetting::ActiveClip:
        m_strip.SetActiveClipColor(color);
        break;
    case ColorSetting::Toolbar:
        m_toolbar.SetToolbarColor(color);
        break;
    case ColorSetting::FileBox:
        m_names.SetFieldColor(color);
        break;
    }
}

QColor InterfaceColors::Get(ColorSetting setting) const
{
    switch (setting) {
    case ColorSetting::Screen:
        return m_screen.ScreenColor();
    case ColorSetting::Outline:
        return m_strip.OutlineColor();
    case ColorSetting::ActiveClip:
        return m_strip.ActiveClipColor();
    case ColorSetting::Toolbar:
        return m_toolbar.ToolbarColor();
    case ColorSetting::FileBox:
        return m_names.FieldColor();
    }
    return {};
}

void InterfaceColors::SetDefaults()
{
    for (ColorSetting setting : AllColorSettings) {
        if (const std::optional<quint32> value = DefaultColorValue(setting))
            Set(setting, ColorFromValue(*value));
    }
}
