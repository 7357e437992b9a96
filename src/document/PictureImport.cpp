#include "PictureImport.h"

#include "ImportPlan.h"
#include "common/PathText.h"
#include "common/ProductTitle.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBoxes.h"
#include "viewport/PictureFilter.h"
#include "viewport/SlotLayout.h"
#include "viewport/ThumbnailStrip.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

namespace {

constexpr int CurrentSlot = -1;
constexpr int NoSlot = -2;

} // namespace

PictureImport::PictureImport(QWidget& window, ThumbnailStrip& strip, QWidget& picArea, Platform platform,
    QString& lastFolder, std::function<int()> currentSlot)
    : QObject(&window)
    , m_strip(strip)
    , m_platform(platform)
    , m_lastFolder(lastFolder)
    , m_currentSlot(std::move(currentSlot))
{
    m_slots.insert(&window, NoSlot);
    m_slots.insert(&picArea, CurrentSlot);
    for (int slot = 0; slot < GroupSlotCount; ++slot)
        m_slots.insert(strip.SlotWidget(slot), slot);
    for (auto target = m_slots.keyBegin(); target != m_slots.keyEnd(); ++target) {
        static_cast<QWidget*>(*target)->setAcceptDrops(true);
        (*target)->installEventFilter(this);
    }
}

void PictureImport::ImportImage(int start)
{
    const QStringList paths = m_platform.Dlg.ShowOpenMany(
        { DialogTitle(QStringLiteral("Import Picture")), ImportFilter(), {}, m_lastFolder });
    if (paths.isEmpty())
        return;
    m_lastFolder = QFileInfo(paths[0]).absolutePath();
    Place(start, paths);
}

void PictureImport::DropFiles(int slot, const QList<QUrl>& files)
{
    const DroppedFiles dropped = ReadDrop(files);
    if (!dropped.Refusal.isEmpty())
        m_platform.Msg.Show(dropped.Refusal, RoutineTitle("DropFiles"), MsgButtons::Ok, MsgIcon::Information);
    else if (!dropped.Group.isEmpty())
        emit GroupDropped(dropped.Group);
    else
        Place(slot, dropped.Pictures);
}

bool PictureImport::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const int slot = m_slots.value(watched, NoSlot);
    const QList<QUrl> files = drop->mimeData()->urls();
    // A slot takes every drag of files, so that a drop of what cannot go in
    // is told why; the rest of the window takes only a group file.
    if (files.isEmpty() || (slot == NoSlot && ReadDrop(files).Group.isEmpty()))
        return false;
    drop->acceptProposedAction();
    // The drop ends before anything is asked, so the program the files came
    // from is not kept waiting on a message.
    if (event->type() == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, slot, files] { DropFiles(slot == CurrentSlot ? m_currentSlot() : slot, files); },
            Qt::QueuedConnection);
    return true;
}

void PictureImport::Place(int start, const QStringList& paths)
{
    // Read first, all at once: a picture that cannot be read takes no slot.
    const QList<LoadedPicture> loaded = LoadPictures(paths, ThumbnailSize);
    QStringList readable;
    QList<QImage> thumbnails;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        if (!QFileInfo::exists(path)) {
            m_platform.Msg.Show(QStringLiteral("File Does Not Exists") + (paths.size() > 1 ? ": " + path : QString()),
                QStringLiteral("Invalid FileName"), MsgButtons::Ok, MsgIcon::Critical);
        } else if (path.contains(u'"')) {
            m_platform.Msg.Show(
                QStringLiteral("A group file cannot keep a picture whose path contains a double quote (\"):\n%1")
                    .arg(path),
                QStringLiteral("Invalid FileName"), MsgButtons::Ok, MsgIcon::Critical);
        } else if (loaded[i].Failure) {
            m_platform.Msg.Show(
                loaded[i].Failure->Text(), RoutineTitle("ImportImage"), MsgButtons::Ok, MsgIcon::Information);
        } else {
            readable.append(path);
            thumbnails.append(loaded[i].Picture);
        }
    }
    QList<bool> filled;
    for (int slot = 0; slot < GroupSlotCount; ++slot)
        filled.append(!m_strip.IsEmpty(slot));
    const SlotPlan plan = PlanSlots(filled, start, readable);
    QHash<int, QImage> placed;
    for (qsizetype i = 0; i < plan.Placed.size(); ++i) {
        const auto& [slot, path] = plan.Placed[i];
        m_strip.ShowPicture(slot, path, FileTitleFromPath(path), thumbnails[i]);
        placed.insert(slot, thumbnails[i]);
    }
    if (!plan.Left.isEmpty())
        m_platform.Msg.Show(QStringLiteral("No empty slot was left for these pictures, so they were not imported:\n")
                + plan.Left.join(u'\n'),
            RoutineTitle("ImportImage"), MsgButtons::Ok, MsgIcon::Information);
    if (!plan.Placed.isEmpty())
        emit Imported(placed);
}
