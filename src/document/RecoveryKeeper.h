#pragma once

#include "RecoveryStore.h"

#include <QByteArray>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class DescriptionFields;
class MessageBoxes;
class QWidget;
class RecentFilesMenu;
class ThumbnailStrip;
class TotalsPanel;

// The main window's group as the keeper reads it, and the state it sets when
// a copy is restored.
struct RecoveryWindow {
    QWidget& Window;
    bool& Changed;
    QString& FileName;
    const QStringList& KeptLines;
    QString& LastFolder;
    QString& GroupFolder;
    const TotalsPanel& Totals;
    const ThumbnailStrip& Strip;
    DescriptionFields& Names;
    RecentFilesMenu& Recent;
    // Empties the window and reads the group file at a path into it.
    std::function<void(const QString&)> ReadGroup;
};

// Keeps a recovery copy of the window's group while it has unsaved changes:
// a moment after a change its bytes are written off the interface thread;
// Remove, and a normal end of the program, take the copy away. Until Start
// it does nothing at all.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    RecoveryKeeper();
    ~RecoveryKeeper() override;

    // Keeps copies in RecoveryFolder() from now on, then offers each copy
    // left by a program that ended without saving.
    void Start(MessageBoxes& messages, const RecoveryWindow& window);
    // The group was saved or discarded.
    void Remove();

private:
    void Tick();
    void Written();
    void Offer();
    // Gives whether the copy was restored.
    bool OfferCopy(const OrphanCopy& copy);
    void Restore(const OrphanCopy& copy);

    MessageBoxes* m_messages = nullptr;
    std::optional<RecoveryWindow> m_window;
    std::unique_ptr<RecoveryStore> m_store;
    QTimer m_timer;
    QFutureWatcher<QString> m_writing;
    // What was last handed to the writer, so an unchanged group is not
    // written again.
    QByteArray m_bytes;
    QString m_groupPath;
    bool m_noticeShown = false;
};
