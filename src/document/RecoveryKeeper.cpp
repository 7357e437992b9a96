#include "RecoveryKeeper.h"

#include "DescriptionFields.h"
#include "GroupFile.h"
#include "NameFields.h"
#include "RecentFilesMenu.h"
#include "common/PathText.h"
#include "common/ProductTitle.h"
#include "common/UserError.h"
#include "common/WholeFile.h"
#include "objects/TotalsPanel.h"
#include "platform/MessageBoxes.h"
#include "viewport/ThumbnailStrip.h"

#include <QFileInfo>
#include <QWidget>

namespace {

// A second or two after a change: often enough to lose little, seldom
// enough to cost nothing while the user works.
constexpr int WriteDelayMs = 1500;

QString Title()
{
    return DialogTitle(QStringLiteral("Recover Unsaved Work"));
}

} // namespace

RecoveryKeeper::RecoveryKeeper()
{
    m_timer.setInterval(WriteDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::Tick);
    connect(&m_writing, &QFutureWatcher<QString>::finished, this, &RecoveryKeeper::Written);
}

RecoveryKeeper::~RecoveryKeeper()
{
    // The program ends normally: whatever was unsaved was answered for.
    Remove();
}

void RecoveryKeeper::Start(MessageBoxes& messages, const RecoveryWindow& window)
{
    m_messages = &messages;
    m_window.emplace(window);
    m_store = std::make_unique<RecoveryStore>(RecoveryFolder());
    Offer();
    m_timer.start();
}

void RecoveryKeeper::Remove()
{
    if (!m_store)
        return;
    // A write under way would bring the copy back after it was removed.
    m_writing.waitForFinished();
    m_store->Remove();
    m_bytes.clear();
    m_groupPath.clear();
}

void RecoveryKeeper::Tick()
{
    if (!m_window->Changed || m_writing.isRunning())
        return;
    QByteArray bytes;
    try {
        bytes = FormatGroupFile(m_window->Totals.CarValue(), m_window->Strip.FilledSlots(), m_window->KeptLines);
    } catch (const UserError&) {
        return; // A group no save could write either; the save says why.
    }
    if (bytes == m_bytes && m_window->FileName == m_groupPath)
        return;
    m_bytes = bytes;
    m_groupPath = m_window->FileName;
    m_writing.setFuture(m_store->WriteLater(bytes, m_groupPath));
}

void RecoveryKeeper::Written()
{
    const QString failure = m_writing.result();
    if (failure.isEmpty() || m_noticeShown)
        return;
    // Once a run: the edit itself goes on as if nothing happened.
    m_noticeShown = true;
    m_messages->Show(NoRecoveryText(failure), Title(), MsgButtons::Ok, MsgIcon::Information);
}

void RecoveryKeeper::Offer()
{
    bool restored = false;
    for (const OrphanCopy& copy : m_store->Orphans()) {
        // One group at a time: the others wait for the next start.
        if (!restored)
            restored = OfferCopy(copy);
    }
}

bool RecoveryKeeper::OfferCopy(const OrphanCopy& copy)
{
    try {
        RecoveryStore::CheckOrphan(copy);
    } catch (const UserError& damaged) {
        const QString keptAs = RecoveryStore::SetAside(copy);
        m_messages->Show(DamagedCopyText(damaged.Text(), keptAs), Title(), MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    const MsgAnswer answer
        = m_messages->Show(RecoveryOfferText(copy), Title(), MsgButtons::YesNo, MsgIcon::Information);
    if (answer == MsgAnswer::No)
        RecoveryStore::Discard(copy);
    // Closed without an answer, the copy stays for the next start.
    if (answer != MsgAnswer::Yes)
        return false;
    try {
        Restore(copy);
    } catch (const UserError& failure) {
        m_messages->Show(failure.Text(), Title(), MsgButtons::Ok, MsgIcon::Critical);
    }
    return true;
}

void RecoveryKeeper::Restore(const OrphanCopy& copy)
{
    RecoveryWindow& window = *m_window;
    const QStringList recent = window.Recent.Paths();
    const QString lastFolder = window.LastFolder;
    window.ReadGroup(copy.Path);
    m_store->Adopt(copy);
    // The copy's own place is no file the user opened.
    window.Recent.Load(recent);
    const QString& path = copy.GroupPath;
    window.GroupFolder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    window.LastFolder = path.isEmpty() ? lastFolder : window.GroupFolder;
    window.FileName = path;
    window.Window.setWindowFilePath(path);
    window.Window.setWindowTitle(WindowTitle(FileNameFromPath(path)));
    window.Names.SetTexts(NameFieldsFromFileName(FileNameFromPath(path)));
    window.Changed = true;
    m_bytes = ReadRegularFile(m_store->CopyPath()).value_or(QByteArray());
    m_groupPath = path;
}
