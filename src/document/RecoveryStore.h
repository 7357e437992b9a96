#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFuture>
#include <QList>
#include <QLockFile>
#include <QString>

#include <memory>

// The folder that keeps recovery copies: $XDG_STATE_HOME/nimbrel, or
// ~/.local/state/nimbrel when that is not set.
[[nodiscard]] QString RecoveryFolder();

// A copy left by a program that is no longer running, held by this one (its
// lock taken) until it is restored, discarded, set aside or let go.
struct OrphanCopy {
    QString Path;
    // The file the group was saved to, empty for an untitled group.
    QString GroupPath;
    QDateTime LastChanged;
    std::shared_ptr<QLockFile> Lock;
};

// The recovery copies in one folder. A running program keeps one copy,
// "recovery-<id>.grp" (a group file like any other), the path of its group
// in "recovery-<id>.path", and holds "recovery-<id>.lock" while it runs: a
// copy whose lock is stale belongs to a program that died.
class RecoveryStore {
public:
    explicit RecoveryStore(QString folder);

    [[nodiscard]] QString CopyPath() const { return m_base + QStringLiteral(".grp"); }

    // Writes the path, then the copy, each in one step, the folder made
    // first. Throws UserError with the reason; the lock is taken before
    // anything is written, so no other program takes the copy.
    void Write(const QByteArray& bytes, const QString& groupPath);
    // Write on a worker thread; the future gives the failure's text, empty
    // when the copy is written. The store outlives the write.
    [[nodiscard]] QFuture<QString> WriteLater(const QByteArray& bytes, const QString& groupPath);
    // This program's copy gone; a missing one is no failure.
    void Remove();

    // The copies of programs that are no longer running, oldest first; copies
    // of running programs are left alone.
    [[nodiscard]] QList<OrphanCopy> Orphans() const;
    // Throws UserError with the reason when the copy is not a group this
    // program can restore whole.
    static void CheckOrphan(const OrphanCopy& copy);
    // The orphan becomes this program's copy, kept until a save or a discard.
    void Adopt(const OrphanCopy& copy);
    static void Discard(const OrphanCopy& copy);
    // A damaged copy renamed to "<copy>.damaged", never deleted; gives the
    // new name.
    static QString SetAside(const OrphanCopy& copy);

private:
    void TakeLock();

    QString m_folder;
    QString m_base;
    std::unique_ptr<QLockFile> m_lock;
};

// What the user is told: the offer of an orphan copy, a copy that cannot be
// restored, and a folder where no copy can be kept.
[[nodiscard]] QString RecoveryOfferText(const OrphanCopy& copy);
[[nodiscard]] QString DamagedCopyText(const QString& reason, const QString& keptAs);
[[nodiscard]] QString NoRecoveryText(const QString& reason);
