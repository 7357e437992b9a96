#include "ReportLayout.h"

#include "common/UserError.h"
#include "objects/ObjectList.h"
#include "viewport/PictureLoader.h"

#include <cmath>

namespace {

// Whole twips, halves to the even one, as the page area places its cells.
int WholeTwips(float value)
{
    return int(std::nearbyint(value));
}

QList<ReportMarker> MarkersOf(const QString& list, const QRectF& area)
{
    const double x = area.x();
    const double y = area.y();
    const double cellWidth = area.width();
    const double cellHeight = area.height();
    QList<ReportMarker> markers;
    // Markers are numbered as on screen: the records that can be read, in
    // list order.
    int number = 0;
    for (QStringView text : SplitRecords(list)) {
        ObjectRecord record;
        int shownNumber = 0;
        try {
            record = ParseRecord(text);
            shownNumber = ++number;
        } catch (const UserError&) {
            // The page needs only the type and the ratios: a record too short
            // for the screen is still drawn, without a number.
            const std::optional<ObjectRecord> drawable = DrawableRecord(text);
            if (!drawable)
                continue;
            record = *drawable;
        }
        const ObjectPlacement& ratios = record.Placement;
        // The left and top are single precision; the sizes are not.
        const float left = float(x + cellWidth / double(ratios.LeftRatio));
        const float top = float(y + cellHeight / double(ratios.TopRatio));
        const QRectF place(left, top, cellWidth / double(ratios.WidthRatio), cellHeight / double(ratios.HeightRatio));
        if (!std::isfinite(place.left()) || !std::isfinite(place.top()) || !std::isfinite(place.right())
            || !std::isfinite(place.bottom()))
            continue;
        markers.append({ record.DamageType, place, shownNumber });
    }
    return markers;
}

// The picture's shape in its cell, from its header alone.
QRectF DrawnArea(const QString& path, const QRectF& cell)
{
    try {
        return KeptProportions(cell, ReadPictureHeader(path).Size);
    } catch (const UserError&) {
        return cell;
    }
}

} // namespace

QRectF KeptProportions(const QRectF& cell, QSize picture)
{
    if (picture.isEmpty())
        return cell;
    const double scale = qMin(cell.width() / picture.width(), cell.height() / picture.height());
    const QSizeF drawn = QSizeF(picture) * scale;
    return { cell.x() + (cell.width() - drawn.width()) / 2, cell.y() + (cell.height() - drawn.height()) / 2,
        drawn.width(), drawn.height() };
}

ReportLayout LayoutReport(int pageWidth, const QList<GroupPicture>& groupSlots, bool keepProportions)
{
    ReportLayout layout;
    const float cellWidth = float(qMax(0, pageWidth)) / 2.0f;
    const float cellHeight = cellWidth * 0.75f;
    layout.CellWidth = cellWidth;
    layout.CellHeight = cellHeight;
    int c = 0;
    int r = 0;
    for (qsizetype slot = 0; slot < qMin(groupSlots.size(), GroupSlotCount); ++slot) {
        const int x = WholeTwips(float(c) * cellWidth);
        const int y = WholeTwips(float(r) * cellHeight + float(r * ReportRowGap));
        const GroupPicture& picture = groupSlots[slot];
        if (!picture.Path.isEmpty()) {
            ReportPicture cell;
            cell.Slot = int(slot);
            cell.Path = picture.Path;
            cell.Cell = QRect(x, y, WholeTwips(cellWidth), WholeTwips(cellHeight));
            cell.CellF = QRectF(x, y, cellWidth, cellHeight);
            cell.Drawn = keepProportions ? DrawnArea(picture.Path, cell.CellF) : cell.CellF;
            cell.Markers = MarkersOf(picture.Objects, cell.Drawn);
            layout.Pictures.append(cell);
        }
        // The cell advances whether or not the slot holds a picture.
        if (++c == 2) {
            c = 0;
            ++r;
        }
    }
    return layout;
}
