#include "RecoveryStore.h"

#include "GroupFile.h"
#include "common/PathText.h"
#include "common/UserError.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtConcurrentRun>

#include <cstdio>

namespace {

QString SidePath(const QString& copy)
{
    return copy.chopped(4) + QStringLiteral(".path");
}

QString LockPath(const QString& copy)
{
    return copy.chopped(4) + QStringLiteral(".lock");
}

// Puts a file in another's place in one step.
bool MoveOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void LetGo(const OrphanCopy& copy)
{
    QFile::remove(SidePath(copy.Path));
    copy.Lock->unlock();
}

} // namespace

QString RecoveryFolder()
{
    // Only an absolute path counts, as the base directory rules say.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/nimbrel");
}

RecoveryStore::RecoveryStore(QString folder)
    : m_folder(std::move(folder))
    , m_base(m_folder + QStringLiteral("/recovery-") + QString::number(QRandomGenerator::system()->generate64(), 16))
{
}

void RecoveryStore::TakeLock()
{
    if (m_lock)
        return;
    if (!QDir().mkpath(m_folder))
        throw UserError(QStringLiteral("cannot make the folder %1").arg(m_folder));
    auto lock = std::make_unique<QLockFile>(m_base + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        throw UserError(QStringLiteral("cannot write in the folder %1").arg(m_folder));
    m_lock = std::move(lock);
}

void RecoveryStore::Write(const QByteArray& bytes, const QString& groupPath)
{
    TakeLock();
    try {
        ReplaceFile(SidePath(CopyPath()), groupPath.toUtf8());
        ReplaceFile(CopyPath(), bytes);
    } catch (const UserError& failure) {
        throw UserError(QStringLiteral("cannot write in the folder %1: %2").arg(m_folder, failure.Text()));
    }
}

QFuture<QString> RecoveryStore::WriteLater(const QByteArray& bytes, const QString& groupPath)
{
    return QtConcurrent::run([this, bytes, groupPath] {
        try {
            Write(bytes, groupPath);
            return QString();
        } catch (const UserError& failure) {
            return failure.Text();
        }
    });
}

void RecoveryStore::Remove()
{
    QFile::remove(CopyPath());
    QFile::remove(SidePath(CopyPath()));
}

QList<OrphanCopy> RecoveryStore::Orphans() const
{
    QList<OrphanCopy> found;
    const QFileInfoList copies
        = QDir(m_folder).entryInfoList({ QStringLiteral("recovery-*.grp") }, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& copy : copies) {
        const QString path = copy.absoluteFilePath();
        if (path == CopyPath())
            continue;
        // A lock whose program still runs is never stale, however old.
        auto lock = std::make_shared<QLockFile>(LockPath(path));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue;
        const QByteArray groupPath = ReadRegularFile(SidePath(path)).value_or(QByteArray());
        found.append({ path, QString::fromUtf8(groupPath), copy.lastModified(), lock });
    }
    return found;
}

void RecoveryStore::CheckOrphan(const OrphanCopy& copy)
{
    const GroupFileContent content = ReadGroupFile(copy.Path);
    if (!content.HasValidMagic())
        throw UserError(QStringLiteral("%1 is not a group file.").arg(copy.Path));
    CheckMarkerCount(content, copy.Path);
    if (const QString notice = ExtraPicturesNotice(content); !notice.isEmpty())
        throw UserError(notice);
}

void RecoveryStore::Adopt(const OrphanCopy& copy)
{
    TakeLock();
    ReplaceFile(SidePath(CopyPath()), copy.GroupPath.toUtf8());
    if (!MoveOver(copy.Path, CopyPath()))
        throw UserError(QStringLiteral("Cannot move %1 to %2").arg(copy.Path, CopyPath()));
    LetGo(copy);
}

void RecoveryStore::Discard(const OrphanCopy& copy)
{
    QFile::remove(copy.Path);
    LetGo(copy);
}

QString RecoveryStore::SetAside(const OrphanCopy& copy)
{
    const QString aside = copy.Path + QStringLiteral(".damaged");
    // Kept under its own name when even the rename fails.
    const QString kept = MoveOver(copy.Path, aside) ? aside : copy.Path;
    LetGo(copy);
    return kept;
}

QString RecoveryOfferText(const OrphanCopy& copy)
{
    const QString group = copy.GroupPath.isEmpty()
        ? QStringLiteral("an untitled group")
        : QStringLiteral("the group \"%1\"").arg(FileTitleFromPath(copy.GroupPath));
    return QStringLiteral("Unsaved work of %1, last changed %2, was found: the program ended before it was saved.\n\n"
                          "Restore it? No discards it.")
        .arg(group, copy.LastChanged.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

QString DamagedCopyText(const QString& reason, const QString& keptAs)
{
    return QStringLiteral("A recovery copy of unsaved work cannot be restored: %1\n\nIt is kept as %2.")
        .arg(reason, keptAs);
}

QString NoRecoveryText(const QString& reason)
{
    return QStringLiteral("No recovery copy of unsaved work can be kept: %1.\n\nSave your changes to keep them.")
        .arg(reason);
}
