#pragma once

#include "RecentFiles.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

// The recent-files items of the File menu (mnuLastFile 1 to 5), between the
// separators around the hidden item 0. Each item shows a full path as it
// stands; choosing one asks for that group to be opened.
class RecentFilesMenu : public QObject {
    Q_OBJECT

public:
    // item0 is the hidden item the others are made after.
    RecentFilesMenu(QMenu* fileMenu, QAction* item0);

    // The stored items, item 1 first; the ring goes on after them.
    void Load(const QStringList& stored);
    // A group opened or saved at a path joins the list, unless an item
    // already holds that path with exactly this spelling.
    void UpdateRecentFiles(const QString& path);

    // The paths of items 1 to the highest.
    [[nodiscard]] const QStringList& Paths() const { return m_ring.Items(); }

signals:
    void Chosen(const QString& path);

private:
    // Items created up to the ring's size, every caption from the ring.
    void ShowItems();

    RecentFiles m_ring;
    QMenu* m_menu;
    QAction* m_item0;
    QList<QAction*> mnuLastFile;
};
