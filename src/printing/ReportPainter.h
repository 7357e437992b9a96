#pragma once

#include "ReportLayout.h"

#include <QFuture>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// Draws the report page on a painter whose coordinates are twips with (0, 0)
// at the page area's top-left: every picture decoded from its file (EXIF
// applied) at the size it is drawn at dotsPerInch, never from thumbnails,
// and stretched over its drawn rectangle (the whole cell unless the layout
// keeps its proportions); a picture that is missing or cannot be read gets a
// framed placeholder naming the file in its whole cell, with its markers still drawn over it; each marker as its
// damage-type picture stretched over its place, with its number in a small
// badge on a corner, as on screen. Nothing is drawn outside the page area.
// The pictures decode as many at once as there are cores, each round drawn
// and let go before the next, so a page drawn straight on a printer holds no
// more of them at a time.
void PaintReportPage(QPainter& painter, const ReportLayout& layout, double dotsPerInch = 300);

// A picture of the report as decoded for its cell, or the reason it cannot be
// shown (then Image is null).
struct ReportImage {
    QImage Image;
    QString Problem;
};

// The pictures of a layout decoded once, one per picture in layout order,
// for a page drawn more than once (copies, a preview that repaints): drawing
// the same images again lets a PDF keep each picture once. They decode
// several at once, on every core.
[[nodiscard]] QList<ReportImage> LoadReportImages(const ReportLayout& layout, double dotsPerInch = 300);

// The same pictures, started decoding on every core while the caller goes on;
// its results are in layout order.
[[nodiscard]] QFuture<ReportImage> StartReportImages(const ReportLayout& layout, double dotsPerInch = 300);

// The page drawn with pictures decoded before; images holds one entry per
// picture of the layout (missing entries draw as placeholders).
void PaintReportPage(QPainter& painter, const ReportLayout& layout, const QList<ReportImage>& images);

// A marker's number badge, in twips: the screen's badge (BadgeHeight,
// BadgeDigitWidth, BadgeOverlap in pixels) at TwipsPerPixel, on the marker's
// top-right corner, below it when it would leave the cell (the picture's
// drawn rectangle) at the top, on the left side when it would leave it at the
// right.
[[nodiscard]] QRectF ReportBadgeBox(const QRectF& place, int number, const QRectF& cell);

// A line of the damage list: a marker by picture (file name) and number,
// its damage type name and its three details.
struct DamageListEntry {
    QString Picture;
    int Number = 0;
    QString DamageType;
    QString Cost;
    QString Date;
    QString Comments;
};

// The markers of the slots' records, in slot and list order, numbered as on
// the report page; records that cannot be read are left out.
[[nodiscard]] QList<DamageListEntry> DamageList(const QList<GroupPicture>& groupSlots);

// The optional second page, in twips within the given page rectangle: every
// entry, then the total of the damages (the sum of the costs' leading
// numbers), the car value as typed and the current value (the car value's
// leading number less the total). The rows shrink to fit the page, down to 6
// points; a list longer still ends in a line saying how many markers are not
// listed, and the totals still count every entry.
void PaintDamageList(
    QPainter& painter, const QRectF& pageTwips, const QList<DamageListEntry>& entries, const QString& carValue);
