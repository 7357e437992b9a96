#include "MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// One row of the menu table: a menu (Menu set) or an item of the last menu
// above it (Item set, or neither for a separator).
struct MenuRow {
    QMenu* MainMenus::*Menu;
    QAction* MainMenus::*Item;
    const char* Name;
    const char* Caption;
    Qt::Key CtrlKey; // Qt::Key_unknown for none
};

constexpr MenuRow MenuTable[] = {
    { &MainMenus::mnuFile, nullptr, "mnuFile", "&File", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuFileNew, "mnuFileNew", "New Group", Qt::Key_N },
    { nullptr, &MainMenus::mnuFileOpen, "mnuFileOpen", "Open File..", Qt::Key_O },
    { nullptr, &MainMenus::mnuPrint, "mnuPrint", "Print..", Qt::Key_P },
    { nullptr, &MainMenus::mnuClose, "mnuClose", "Close", Qt::Key_W },
    { nullptr, nullptr, "mnusep4", "-", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuFileSave, "mnuFileSave", "Save File..", Qt::Key_S },
    { nullptr, &MainMenus::mnuFileSaveAs, "mnuFileSaveAs", "Save As..", Qt::Key_unknown },
    { nullptr, nullptr, "mnusep1", "-", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuLastFile0, "mnuLastFile0", "", Qt::Key_unknown },
    { nullptr, nullptr, "mnuSep2", "-", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuExit, "mnuExit", "Exit", Qt::Key_E },
    { &MainMenus::mnuEdit, nullptr, "mnuEdit", "&Edit", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuUndo, "mnuUndo", "Undo", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuRedo, "mnuRedo", "Redo", Qt::Key_unknown },
    { &MainMenus::mnuImage, nullptr, "mnuImage", "&Image", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuImport, "mnuImport", "Import Image", Qt::Key_I },
    { nullptr, &MainMenus::mnuRemove, "mnuRemove", "Remove Image", Qt::Key_D },
    { &MainMenus::mnuzoom, nullptr, "mnuzoom", "&Zoom", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuzoomin, "mnuzoomin", "Zoom In", Qt::Key_Z },
    { nullptr, &MainMenus::mnuZoomOut, "mnuZoomOut", "Zoom Out", Qt::Key_X },
    { nullptr, &MainMenus::mnuScaleToFit, "mnuScaleToFit", "Scale to Fit", Qt::Key_F },
    { nullptr, &MainMenus::mnuActual, "mnuActual", "Actual", Qt::Key_A },
    { &MainMenus::mnuSettings, nullptr, "mnuSettings", "&Settings", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuScreenColor, "mnuScreenColor", "Screen Color", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuBorderColor, "mnuBorderColor", "Outline Color", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuActiveBorderColor, "mnuActiveBorderColor", "ActiveClip Color", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuToolbarColor, "mnuToolbarColor", "Toolbar Color", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuFileNameColor, "mnuFileNameColor", "FileName Color", Qt::Key_unknown },
    { nullptr, nullptr, "mnusep3", "-", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuDefaultColors, "mnuDefaultColors", "Default Colors", Qt::Key_unknown },
    { nullptr, nullptr, "mnusep5", "-", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuLargeArea, "mnuLargeArea", "Large Picture Area", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuSeeThrough, "mnuSeeThrough", "See-Through Markers", Qt::Key_unknown },
    { &MainMenus::mnuObject, nullptr, "mnuObject", "Object", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuSendBack, "mnuSendBack", "Send to Back", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuBringFront, "mnuBringFront", "Bring to Front", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuDelete, "mnuDelete", "Delete", Qt::Key_unknown },
    { &MainMenus::mnuHelp, nullptr, "mnuHelp", "&Help", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuInstruct, "mnuInstruct", "Instructions", Qt::Key_unknown },
    { nullptr, &MainMenus::mnuAbout, "mnuAbout", "About Nimbrel", Qt::Key_unknown },
};

} // namespace

MainMenus::MainMenus(QMenuBar* bar, QWidget* window)
    : QObject(window)
{
    setObjectName(QStringLiteral("MainMenus"));
    QMenu* menu = nullptr;
    for (const MenuRow& row : MenuTable) {
        const QString name = QString::fromLatin1(row.Name);
        const QString caption = QString::fromLatin1(row.Caption);
        if (row.Menu) {
            // The Object menu pops up over a marker and has no place in the bar.
            menu = name == QStringLiteral("mnuObject") ? new QMenu(caption, window) : bar->addMenu(caption);
            menu->setObjectName(name);
            this->*row.Menu = menu;
            continue;
        }
        QAction* action = caption == QStringLiteral("-") ? menu->addSeparator() : menu->addAction(caption);
        action->setObjectName(name);
        if (row.CtrlKey != Qt::Key_unknown)
            action->setShortcut(QKeySequence(QKeyCombination(Qt::ControlModifier, row.CtrlKey)));
        if (row.Item) {
            this->*row.Item = action;
            m_items.append(action);
        }
    }
    // The recent-files list has no entries yet.
    mnuLastFile0->setVisible(false);
    // Ctrl+Z is Zoom In: Undo and Redo take the other keys Linux desktops
    // give them.
    mnuUndo->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace));
    mnuRedo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) });
    // The keys desktops give help and quitting; Ctrl+E stays Exit's first.
    mnuInstruct->setShortcut(QKeySequence(Qt::Key_F1));
    mnuExit->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::CTRL | Qt::Key_Q) });
    for (QAction* option : Options())
        option->setCheckable(true);
}

QList<QAction*> MainMenus::GroupShortcuts() const
{
    QList<QAction*> items = m_items;
    items.removeIf([this](QAction* item) { return item == mnuzoomin || item == mnuZoomOut || item == mnuActual; });
    return items;
}
