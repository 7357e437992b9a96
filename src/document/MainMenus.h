#pragma once

#include <QList>
#include <QObject>

#include <array>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menus, every item under its own name (also its
// objectName), built from one table. The Object menu is not in the menu
// bar: it pops up over a marker.
class MainMenus : public QObject {
    Q_OBJECT

public:
    MainMenus(QMenuBar* bar, QWidget* window);

    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuLastFile0 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QMenu* mnuImage = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuRemove = nullptr;
    QMenu* mnuzoom = nullptr;
    QAction* mnuzoomin = nullptr;
    QAction* mnuZoomOut = nullptr;
    QAction* mnuScaleToFit = nullptr;
    QAction* mnuActual = nullptr;
    QMenu* mnuSettings = nullptr;
    QAction* mnuScreenColor = nullptr;
    QAction* mnuBorderColor = nullptr;
    QAction* mnuActiveBorderColor = nullptr;
    QAction* mnuToolbarColor = nullptr;
    QAction* mnuFileNameColor = nullptr;
    QAction* mnuDefaultColors = nullptr;
    QAction* mnuLargeArea = nullptr;
    QAction* mnuSeeThrough = nullptr;
    QMenu* mnuObject = nullptr;
    QAction* mnuSendBack = nullptr;
    QAction* mnuBringFront = nullptr;
    QAction* mnuDelete = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuInstruct = nullptr;
    QAction* mnuAbout = nullptr;

    // Every item of every menu, separators left out.
    [[nodiscard]] const QList<QAction*>& Items() const { return m_items; }
    // The items whose shortcut acts on the group wherever the focus is: all
    // but Zoom In, Zoom Out and Actual, whose Ctrl+Z, Ctrl+X and Ctrl+A undo,
    // cut and select all in a text field.
    [[nodiscard]] QList<QAction*> GroupShortcuts() const;
    // The Settings menu's options, each on or off, kept between runs.
    [[nodiscard]] std::array<QAction*, 2> Options() const { return { mnuLargeArea, mnuSeeThrough }; }
    // The Zoom menu's items in the order of the toolbar's zoom buttons: Zoom
    // In, Zoom Out, Actual, Scale to Fit.
    [[nodiscard]] std::array<QAction*, 4> ZoomItems() const
    {
        return { mnuzoomin, mnuZoomOut, mnuActual, mnuScaleToFit };
    }

private:
    QList<QAction*> m_items;
};
