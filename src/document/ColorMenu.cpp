#include "ColorMenu.h"

#include "InterfaceColors.h"
#include "MainMenus.h"
#include "common/ProductTitle.h"
#include "platform/CommonDialog.h"

#include <QAction>

ColorMenu::ColorMenu(const MainMenus& menus, InterfaceColors& colors, CommonDialog& dialog, QObject* parent)
    : QObject(parent)
    , m_colors(colors)
    , m_dialog(dialog)
{
    const std::pair<QAction*, ColorSetting> commands[] = {
        { menus.mnuScreenColor, ColorSetting::Screen },
        { menus.mnuBorderColor, ColorSetting::Outline },
        { menus.mnuActiveBorderColor, ColorSetting::ActiveClip },
        { menus.mnuToolbarColor, ColorSetting::Toolbar },
        { menus.mnuFileNameColor, ColorSetting::FileBox },
    };
    for (const auto& [item, setting] : commands)
        connect(item, &QAction::triggered, this, [this, setting] { ChooseColor(setting); });
    connect(menus.mnuDefaultColors, &QAction::triggered, this, [this] { m_colors.SetDefaults(); });
}

std::optional<QColor> ColorMenu::PickColor(const QString& title)
{
    return m_dialog.ShowColor(DialogTitle(title));
}

void ColorMenu::ChooseColor(ColorSetting setting)
{
    if (const std::optional<QColor> color = PickColor(ColorDialogTitle(setting)))
        m_colors.Set(setting, *color);
}
