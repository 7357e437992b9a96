#pragma once

#include "Controls.h"
#include "FakePlatform.h"
#include "common/GroupPicture.h"
#include "document/frmImage.h"

#include <QAction>
#include <QColor>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class MarkerLayer;
class PictureSurface;
class QLineEdit;
class Thumbnail;

// The main window as the program makes it, over the fake platform, loaded
// with an empty untitled group, with a temporary folder for the files a test
// makes. Everything a window test reads, it reads as a user sees it: by the
// controls' names.
struct MainWindow {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;

    MainWindow();

    [[nodiscard]] QString Path(const QString& name) const { return dir.filePath(name); }

    // A group file in the temporary folder. Each picture that does not exist
    // yet is written as a JPEG of pictureSize, unless its path holds
    // "missing".
    QString Group(const QString& name, const QString& carValue, const QList<GroupPicture>& pictures,
        QSize pictureSize = QSize(320, 240));
    // "Smith.grp" with pictures a.jpg and b.jpg of the viewport's size
    // (629 x 480: markers stand where their ratios say), carrying the lists,
    // opened; no picture is shown until a slot is chosen.
    void OpenTwoPictures(const QString& firstList, const QString& secondList = QString(),
        const QString& carValue = QStringLiteral("8500"));

    // Shown and active, so that keys and the focus behave as on a desktop.
    void ShowActive();

    // The window's state as a user meets it: whether discarding the group
    // would ask to save it first (asked, and answered Cancel, which leaves
    // everything as it was), the path a save writes to (empty for none),
    // the current slot and the selected marker (0 for none). Tests read the
    // state only through these.
    [[nodiscard]] bool Changed();
    [[nodiscard]] QString FileName() const { return window.windowFilePath(); }
    [[nodiscard]] int Current() const;
    [[nodiscard]] int Selected() const;

    // What the controls show.
    [[nodiscard]] QString Label(const char* name) const;
    [[nodiscard]] QString Caption(int slot) const;
    [[nodiscard]] QStringList Captions() const;
    [[nodiscard]] QLineEdit* Word(int field) const;
    [[nodiscard]] QStringList Names() const;
    [[nodiscard]] QLineEdit* CarValue() const;
    [[nodiscard]] Thumbnail* IMG(int slot) const;
    [[nodiscard]] PictureSurface* PicZoom() const;
    template <class T = QAction> [[nodiscard]] T* Menu(const char* name) const { return Control<T>(window, name); }
    // What a thumbnail shows: "picture", or the text of its placeholder.
    [[nodiscard]] QString Shows(int slot) const;
    // The colour a widget paints its first text in.
    [[nodiscard]] static QColor TextColor(QWidget* widget);
    // Where a control stands in the window's client area below the menu bar.
    [[nodiscard]] QPoint WindowPlace(const char* name) const;

    // A slot's picture path and object list.
    [[nodiscard]] QString SlotPath(int slot) const { return ::SlotPath(window, slot); }
    [[nodiscard]] QString List(int slot = 0) const { return SlotList(window, slot); }

    // The markers of the shown picture, and the mouse on them.
    [[nodiscard]] MarkerLayer& OBJ() const { return Markers(window); }
    [[nodiscard]] QPoint Centre(int marker) const;
    // A click on a marker, at its centre.
    void Click(int marker, Qt::MouseButton button = Qt::LeftButton) const;
    // A double click as the mouse delivers it: press, release, double
    // click, release.
    void DoubleClick(int marker) const;
    // Hovers at from (choosing what a drag does), presses the left button,
    // moves through every step and releases at the last, as a hand does.
    void Drag(QPoint from, const QList<QPoint>& steps) const;
    // The steps of a straight drag from one point to another, a few pixels
    // apart.
    [[nodiscard]] static QList<QPoint> Steps(QPoint from, QPoint to, int count = 6);
};
