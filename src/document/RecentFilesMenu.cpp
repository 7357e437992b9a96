#include "RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu* fileMenu, QAction* item0)
    : QObject(fileMenu)
    , m_menu(fileMenu)
    , m_item0(item0)
{
}

void RecentFilesMenu::Load(const QStringList& stored)
{
    m_ring = RecentFiles(stored);
    // Loaded again with fewer items, none of the old ones stays behind.
    qDeleteAll(mnuLastFile);
    mnuLastFile.clear();
    ShowItems();
}

void RecentFilesMenu::UpdateRecentFiles(const QString& path)
{
    if (m_ring.Update(path))
        ShowItems();
}

void RecentFilesMenu::ShowItems()
{
    const QStringList& paths = m_ring.Items();
    while (mnuLastFile.size() < paths.size()) {
        const int index = int(mnuLastFile.size());
        auto* item = new QAction(m_menu);
        item->setObjectName(QStringLiteral("mnuLastFile%1").arg(index + 1));
        QAction* before = m_menu->actions().value(m_menu->actions().indexOf(m_item0) + index + 1);
        m_menu->insertAction(before, item);
        connect(item, &QAction::triggered, this, [this, index] { emit Chosen(m_ring.Items().value(index)); });
        mnuLastFile.append(item);
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        // An "&" in a path is shown, not taken as the item's mnemonic.
        QString caption = paths[i];
        mnuLastFile[i]->setText(caption.replace(u'&', QStringLiteral("&&")));
    }
}
