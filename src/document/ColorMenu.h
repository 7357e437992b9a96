#pragma once

#include "ColorSettings.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <optional>

class CommonDialog;
class InterfaceColors;
class MainMenus;

// The Settings menu: five commands that each choose one interface colour in
// the colour dialog and apply it at once, and "Default Colors". A colour
// is not part of the group, so none of them marks the group changed.
class ColorMenu : public QObject {
    Q_OBJECT

public:
    ColorMenu(const MainMenus& menus, InterfaceColors& colors, CommonDialog& dialog, QObject* parent);

    // The colour dialog titled after the program's name, " : " and title;
    // nullopt when the user cancelled.
    [[nodiscard]] std::optional<QColor> PickColor(const QString& title);

private:
    // A cancelled dialog changes nothing.
    void ChooseColor(ColorSetting setting);

    InterfaceColors& m_colors;
    CommonDialog& m_dialog;
};
