#include "WindowSettings.h"

#include "InterfaceColors.h"
#include "RecentFilesMenu.h"
#include "StoredValues.h"
#include "WindowPlacement.h"
#include "common/Twips.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <array>

namespace {

const QString Application = QStringLiteral("VOSKViewer");
const QString SettingsSection = QStringLiteral("Settings");
const QString WindowSection = QStringLiteral("Window");
const QString ColorsSection = QStringLiteral("Colors");
const QString LastFilesSection = QStringLiteral("LastFiles");

enum StoredState { Normal = 0, Minimized = 1, Maximized = 2 };

// The keys of the Settings menu's options, in the menu's order.
const std::array<QString, 2> OptionKeys { QStringLiteral("LargePictureArea"), QStringLiteral("SeeThroughMarkers") };
const QString On = QStringLiteral("1");

// The window's place in twips, far beyond any desktop and never negative in
// size.
constexpr int MaxPlaceTwips = 10'000'000;

// The keys of the window's place, in the order they are stored.
const std::array<QString, 4> PlaceKeys { QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
    QStringLiteral("Height") };

// A window stored minimised starts normal: with no task bar to bring it back,
// the program would look as if it had never started.
Qt::WindowStates WindowStateOf(int stored)
{
    return stored == Maximized ? Qt::WindowMaximized : Qt::WindowNoState;
}

int StoredStateOf(Qt::WindowStates state)
{
    if (state & Qt::WindowMinimized)
        return Minimized;
    return (state & Qt::WindowMaximized) ? Maximized : Normal;
}

// What the screens leave to windows, taskbars and panels left out.
QList<QRect> AvailableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// The stored place, in pixels, when all four values read.
std::optional<QRect> StoredPlace(const SettingsStore& store)
{
    std::array<int, 4> twips {};
    for (size_t i = 0; i < PlaceKeys.size(); ++i) {
        const int lowest = i < 2 ? -MaxPlaceTwips : TwipsPerPixel;
        const std::optional<int> value
            = StoredInt(store.Get(Application, WindowSection, PlaceKeys[i]), lowest, MaxPlaceTwips);
        if (!value)
            return std::nullopt;
        twips[i] = *value / TwipsPerPixel;
    }
    return QRect(twips[0], twips[1], twips[2], twips[3]);
}

void RestorePlace(const SettingsStore& store, QWidget& window)
{
    const std::optional<QRect> stored = StoredPlace(store);
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!stored || !primary)
        return;
    // The client area's place, as stored: one put back as the frame's would
    // land as the client area's under X11, where the frame is unknown until
    // the window manager has framed the window, and creep at every start.
    window.setGeometry(PlaceOnScreens(*stored, AvailableAreas(), primary->availableGeometry()));
}

} // namespace

void LoadSettings(SettingsStore& store, QWidget& window, InterfaceColors& colors, RecentFilesMenu& recent,
    const std::array<QAction*, 2>& options)
{
    if (store.Get(Application, SettingsSection, QStringLiteral("Saved")).isEmpty())
        return;
    if (const std::optional<int> state
        = StoredInt(store.Get(Application, WindowSection, QStringLiteral("State")), Normal, Maximized))
        window.setWindowState(WindowStateOf(*state));
    if (StoredStateOf(window.windowState()) == Normal)
        RestorePlace(store, window);
    // The outline colour goes to the captions as well as the outlines, so
    // that chosen colours never leave white captions on a white screen.
    for (ColorSetting setting : AllColorSettings) {
        if (const std::optional<QColor> color = StoredColor(store.Get(Application, ColorsSection, ColorKey(setting))))
            colors.Set(setting, *color);
    }
    const int count
        = StoredInt(store.Get(Application, LastFilesSection, QStringLiteral("Count")), 0, RecentFiles::MaxCount)
              .value_or(0);
    QStringList paths;
    for (int i = 1; i <= count; ++i)
        paths.append(store.Get(Application, LastFilesSection, QStringLiteral("Name%1").arg(i)));
    recent.Load(paths);
    for (size_t i = 0; i < options.size(); ++i)
        options[i]->setChecked(store.Get(Application, SettingsSection, OptionKeys[i]) == On);
}

void SaveSettings(SettingsStore& store, const QWidget& window, const InterfaceColors& colors,
    const RecentFilesMenu& recent, const std::array<QAction*, 2>& options)
{
    store.Save(Application, SettingsSection, QStringLiteral("Saved"), QStringLiteral("Yes"));
    for (ColorSetting setting : AllColorSettings)
        store.Save(Application, ColorsSection, ColorKey(setting), QString::number(ColorValue(colors.Get(setting))));
    store.Save(
        Application, WindowSection, QStringLiteral("State"), QString::number(StoredStateOf(window.windowState())));
    // The client area's place and size, as restored.
    const QRect client = window.geometry();
    const std::array<int, 4> place { client.x(), client.y(), client.width(), client.height() };
    for (size_t i = 0; i < PlaceKeys.size(); ++i)
        store.Save(Application, WindowSection, PlaceKeys[i], QString::number(place[i] * TwipsPerPixel));
    const QStringList& paths = recent.Paths();
    store.Save(Application, LastFilesSection, QStringLiteral("Count"), QString::number(paths.size()));
    for (qsizetype i = 0; i < paths.size(); ++i)
        store.Save(Application, LastFilesSection, QStringLiteral("Name%1").arg(i + 1), paths[i]);
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked() || !store.Get(Application, SettingsSection, OptionKeys[i]).isEmpty())
            store.Save(Application, SettingsSection, OptionKeys[i], options[i]->isChecked() ? On : QStringLiteral("0"));
    }
}
