#include "ImportPlan.h"

#include <QFileInfo>
#include <QImageReader>

SlotPlan PlanSlots(const QList<bool>& filled, int start, const QStringList& paths)
{
    QList<int> targets { start };
    for (qsizetype step = 1; step < filled.size(); ++step) {
        const int slot = int((start + step) % filled.size());
        if (!filled[slot])
            targets.append(slot);
    }
    SlotPlan plan;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (i < targets.size())
            plan.Placed.append({ targets[i], paths[i] });
        else
            plan.Left.append(paths[i]);
    }
    return plan;
}

namespace {

bool IsGroupFile(const QFileInfo& file)
{
    return file.suffix().compare(QLatin1String("grp"), Qt::CaseInsensitive) == 0;
}

bool IsPictureFile(const QFileInfo& file)
{
    return QImageReader::supportedImageFormats().contains(file.suffix().toLower().toLatin1());
}

// Why a dropped file cannot go in; empty when it can.
QString FileRefusal(const QUrl& url)
{
    const QFileInfo file(url.toLocalFile());
    if (!url.isLocalFile())
        return QStringLiteral("Only files on this computer can be dropped here, and this is none:\n%1")
            .arg(url.toDisplayString());
    if (file.isDir())
        return QStringLiteral("A folder cannot be dropped here; drop the pictures in it instead:\n%1")
            .arg(file.filePath());
    if (!IsGroupFile(file) && !IsPictureFile(file))
        return QStringLiteral("Only pictures, or one group file (.grp), can be dropped here, and this is neither:\n%1")
            .arg(file.filePath());
    return {};
}

} // namespace

DroppedFiles ReadDrop(const QList<QUrl>& files)
{
    DroppedFiles dropped;
    QStringList groups;
    for (const QUrl& url : files) {
        dropped.Refusal = FileRefusal(url);
        if (!dropped.Refusal.isEmpty())
            return dropped;
        (IsGroupFile(QFileInfo(url.toLocalFile())) ? groups : dropped.Pictures).append(url.toLocalFile());
    }
    if (groups.size() > 1)
        dropped.Refusal
            = QStringLiteral("Only one group file can be opened at a time, and %1 were dropped.").arg(groups.size());
    else if (!groups.isEmpty() && !dropped.Pictures.isEmpty())
        dropped.Refusal = QStringLiteral(
            "A group file cannot be dropped together with pictures: open the group first, then drop the pictures.");
    else
        dropped.Group = groups.value(0);
    return dropped;
}
