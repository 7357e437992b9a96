#include "ReportLayout.h"

#include <QStringList>

ReportLayout LayoutReport(int pageWidth, const QList<GroupPicture>& groupSlots)
{
    ReportLayout layout;
    layout.CellWidth = pageWidth / 2.0;
    layout.CellHeight = layout.CellWidth * 0.75;
    for (int i = 0; i < int(groupSlots.size()); ++i) {
        if (groupSlots[i].Path.isEmpty())
            continue;
        const double x = qRound((i % 2) * layout.CellWidth);
        const double y = qRound((i / 2) * (layout.CellHeight + 200));
        ReportPicture picture { i, groupSlots[i].Path, {}, QRectF(x, y, layout.CellWidth, layout.CellHeight), {} };
        picture.Cell = picture.CellF.toRect();
        const QStringList records = groupSlots[i].Objects.split(u',', Qt::SkipEmptyParts);
        for (int k = 0; k < int(records.size()); ++k) {
            const QStringList f = records[k].split(u';');
            if (f.size() < 5)
                continue;
            picture.Markers.append({ f[0].toInt(),
                QRectF(x + layout.CellWidth / f[1].toDouble(), y + layout.CellHeight / f[2].toDouble(),
                    layout.CellWidth / f[3].toDouble(), layout.CellHeight / f[4].toDouble()),
                k + 1 });
        }
        layout.Pictures.append(picture);
    }
    return layout;
}
