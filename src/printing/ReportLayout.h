#pragma once

#include "document/GroupFile.h"

#include <QList>
#include <QRect>
#include <QRectF>
#include <QString>

struct ReportMarker {
    int DamageType = 0;
    QRectF Place;
    int Number = 0;
};
struct ReportPicture {
    int Slot = 0;
    QString Path;
    QRect Cell;
    QRectF CellF;
    QList<ReportMarker> Markers;
};
struct ReportLayout {
    double CellWidth = 0;
    double CellHeight = 0;
    QList<ReportPicture> Pictures;
};
inline constexpr int PageAreaWidth = 9795;
inline constexpr int PageAreaHeight = 11790;
[[nodiscard]] ReportLayout LayoutReport(int pageWidth, const QList<GroupPicture>& groupSlots);
