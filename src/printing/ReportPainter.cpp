#include "ReportPainter.h"

#include <QPainter>

void PaintReportPage(QPainter& painter, const ReportLayout& layout, double)
{
    for (const ReportPicture& picture : layout.Pictures) {
        painter.fillRect(picture.CellF, QColor(200, 210, 220));
        for (const ReportMarker& marker : picture.Markers)
            painter.fillRect(marker.Place, Qt::black);
    }
}

QList<DamageListEntry> DamageList(const QList<GroupPicture>&)
{
    return {};
}

void PaintDamageList(QPainter& painter, const QRectF& pageTwips, const QList<DamageListEntry>&, const QString&)
{
    painter.drawRect(pageTwips);
}
