#pragma once

#include <array>

class InterfaceColors;
class QAction;
class QWidget;
class RecentFilesMenu;
class SettingsStore;

// The main window's settings kept between runs under the application
// "VOSKViewer": its state and place, the five colours, the recent files and
// the Settings menu's two options, "Large Picture Area" and "See-Through
// Markers" ("Settings"/"LargePictureArea" and "SeeThroughMarkers": "1" on,
// "0" or missing off).
// Neither routine ever fails outward: a value that cannot be read or written
// is skipped and the next one goes on.

// Restores what a previous run stored. Before any run has stored settings
// (no "Saved" key), the window keeps its design-time state and colours and
// the recent list stays empty. A stored value that is not a number, or out
// of its range, leaves what it would have set as it is. A window stored
// minimised starts normal at its stored place, never out of sight.
void LoadSettings(SettingsStore& store, QWidget& window, InterfaceColors& colors, RecentFilesMenu& recent,
    const std::array<QAction*, 2>& options);

// Stores every setting, the window's place in twips whatever its state: the
// place and size of its client area, which LoadSettings puts back. An option
// is stored once it has been on, so that unused it adds nothing to the file.
void SaveSettings(SettingsStore& store, const QWidget& window, const InterfaceColors& colors,
    const RecentFilesMenu& recent, const std::array<QAction*, 2>& options);
