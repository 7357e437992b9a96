#pragma once

#include "ReportLayout.h"

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

void PaintReportPage(QPainter& painter, const ReportLayout& layout, double dotsPerInch = 300);
struct DamageListEntry {
    QString Picture;
    int Number;
    QString DamageType;
    QString Cost;
    QString Date;
    QString Comments;
};
[[nodiscard]] QList<DamageListEntry> DamageList(const QList<GroupPicture>& groupSlots);
void PaintDamageList(
    QPainter& painter, const QRectF& pageTwips, const QList<DamageListEntry>& entries, const QString& carValue);
