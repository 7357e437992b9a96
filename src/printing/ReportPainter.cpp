#include "ReportPainter.h"

#include "common/NumberText.h"
#include "common/PathText.h"
#include "common/UserError.h"
#include "objects/DamageTypes.h"
#include "objects/MarkerGeometry.h"
#include "objects/ObjectList.h"
#include "viewport/PictureLoader.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSvgRenderer>
#include <QThreadPool>
#include <QtConcurrentMap>

#include <cmath>
#include <map>
#include <memory>

namespace {

// A font whose size is given in twips, for a painter that measures in twips.
QFont TwipsFont(int twips, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(twips);
    font.setBold(bold);
    return font;
}

// Point sizes as twips: 20 twips to the point.
constexpr int PointTwips = 20;

// The placeholder of a picture that cannot be shown: a light cell with a dark
// frame, the file's name and the reason, cheap on paper and in a PDF.
constexpr double PlaceholderInset = 60;
constexpr double PlaceholderFrame = 30;
const QColor PlaceholderFill(242, 242, 242);
const QColor PlaceholderInk(80, 80, 80);

// The badge looks as on screen: white digits on a dark, slightly clear box.
const QColor BadgeFill(20, 24, 30, 210);

void PaintPlaceholder(QPainter& painter, const QRectF& cell, const QString& path, const QString& problem)
{
    painter.fillRect(cell, PlaceholderFill);
    const QRectF frame = cell.adjusted(PlaceholderInset, PlaceholderInset, -PlaceholderInset, -PlaceholderInset);
    painter.setPen(QPen(PlaceholderInk, PlaceholderFrame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    const QRectF inside = frame.adjusted(240, 240, -240, -240);
    const QRectF upper(inside.left(), inside.top(), inside.width(), inside.height() / 2 - 60);
    const QRectF lower(inside.left(), inside.center().y() + 60, inside.width(), inside.height() / 2 - 60);
    painter.setFont(TwipsFont(12 * PointTwips, true));
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, FileTitleFromPath(path));
    painter.setFont(TwipsFont(8 * PointTwips));
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, problem);
}

class DamagePictures {
public:
    QSvgRenderer& Of(int damageType)
    {
        std::unique_ptr<QSvgRenderer>& renderer = m_renderers[damageType];
        if (!renderer)
            renderer = std::make_unique<QSvgRenderer>(DamagePicture(damageType));
        return *renderer;
    }

private:
    std::map<int, std::unique_ptr<QSvgRenderer>> m_renderers;
};

void PaintBadge(QPainter& painter, const QRectF& badge, int number)
{
    painter.fillRect(badge, BadgeFill);
    painter.setPen(Qt::white);
    painter.setFont(TwipsFont(9 * TwipsPerPixel));
    painter.drawText(badge, Qt::AlignCenter | Qt::TextDontClip, QString::number(number));
}

void PaintMarkers(QPainter& painter, const ReportPicture& picture, const QRectF& pageArea, DamagePictures& pictures)
{
    for (const ReportMarker& marker : picture.Markers) {
        const QRectF place = marker.Place.normalized();
        if (!place.intersects(pageArea))
            continue;
        pictures.Of(marker.DamageType).render(&painter, place);
        if (marker.Number > 0)
            PaintBadge(painter, ReportBadgeBox(place, marker.Number, picture.Drawn), marker.Number);
    }
}

// A picture stretched into its cell anyway is decoded straight at the
// cell's size, so that the decoder scales down as it reads.
ReportImage DecodeForCell(const QString& path, QSize cell)
{
    try {
        return { LoadPicture(path, cell, Qt::IgnoreAspectRatio), QString() };
    } catch (const UserError& problem) {
        return { QImage(), problem.Text() };
    }
}

// Twips at a resolution, rounded up to whole pixels.
QSize Pixels(QSizeF twips, double dotsPerInch)
{
    const auto pixels = [dotsPerInch](double length) {
        return int(qBound(1.0, std::ceil(length * dotsPerInch / TwipsPerInch), 1.0e5));
    };
    return { pixels(twips.width()), pixels(twips.height()) };
}

} // namespace

QFuture<ReportImage> StartReportImages(const ReportLayout& layout, double dotsPerInch)
{
    // Each picture decodes on a core of its own: the decoder keeps no state
    // between pictures, so they do not wait on each other.
    return QtConcurrent::mapped(layout.Pictures, [dotsPerInch](const ReportPicture& picture) {
        return DecodeForCell(picture.Path, Pixels(picture.Drawn.size(), dotsPerInch));
    });
}

QList<ReportImage> LoadReportImages(const ReportLayout& layout, double dotsPerInch)
{
    return StartReportImages(layout, dotsPerInch).results();
}

void PaintReportPage(QPainter& painter, const ReportLayout& layout, double dotsPerInch)
{
    // Each picture is drawn on its own, as when they were decoded one by one.
    const qsizetype round = qMax(1, QThreadPool::globalInstance()->maxThreadCount());
    ReportLayout some = layout;
    ReportLayout one = layout;
    for (qsizetype first = 0; first < layout.Pictures.size(); first += round) {
        some.Pictures = layout.Pictures.mid(first, round);
        const QList<ReportImage> images = LoadReportImages(some, dotsPerInch);
        for (qsizetype i = 0; i < images.size(); ++i) {
            one.Pictures = { some.Pictures[i] };
            PaintReportPage(painter, one, { images[i] });
        }
    }
}

void PaintReportPage(QPainter& painter, const ReportLayout& layout, const QList<ReportImage>& images)
{
    const QRectF pageArea(0, 0, 2 * layout.CellWidth, PageAreaHeight);
    painter.save();
    painter.setClipRect(pageArea, Qt::IntersectClip);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    DamagePictures pictures;
    for (qsizetype i = 0; i < layout.Pictures.size(); ++i) {
        const ReportPicture& picture = layout.Pictures[i];
        const ReportImage image = i < images.size() ? images[i] : ReportImage();
        if (!image.Image.isNull())
            painter.drawImage(picture.Drawn, image.Image);
        else
            PaintPlaceholder(painter, picture.CellF, picture.Path, image.Problem);
        PaintMarkers(painter, picture, pageArea, pictures);
    }
    painter.restore();
}

QRectF ReportBadgeBox(const QRectF& place, int number, const QRectF& cell)
{
    const double width = (4 + BadgeDigitWidth * DigitCount(number)) * TwipsPerPixel;
    const double height = BadgeHeight * TwipsPerPixel;
    const double overlap = BadgeOverlap * TwipsPerPixel;
    QRectF badge(place.right() - overlap, place.top() - height + overlap, width, height);
    if (badge.top() < cell.top())
        badge.moveTop(place.bottom() - overlap);
    if (badge.right() > cell.right())
        badge.moveRight(place.left() + overlap);
    return badge;
}

QList<DamageListEntry> DamageList(const QList<GroupPicture>& groupSlots)
{
    QList<DamageListEntry> entries;
    for (qsizetype slot = 0; slot < qMin(groupSlots.size(), GroupSlotCount); ++slot) {
        const GroupPicture& picture = groupSlots[slot];
        if (picture.Path.isEmpty())
            continue;
        // Numbered as on screen: the records that can be read, in list order.
        int number = 0;
        for (QStringView text : SplitRecords(picture.Objects)) {
            ObjectRecord record;
            try {
                record = ParseRecord(text);
            } catch (const UserError&) {
                continue;
            }
            const DamageType* type = FindDamageType(record.DamageType);
            entries.append({ FileNameFromPath(picture.Path), ++number,
                type ? QString::fromLatin1(type->Name) : QString(), record.Detail.section(u';', 0, 0),
                record.Detail.section(u';', 1, 1), record.Detail.section(u';', 2) });
        }
    }
    return entries;
}

namespace {

// The damage list's columns, as parts of the page's width.
struct ListColumn {
    const char* Title;
    double Share;
    Qt::Alignment Align;
};
constexpr std::array<ListColumn, 6> ListColumns = { {
    { "Picture", 0.22, Qt::AlignLeft },
    { "No.", 0.07, Qt::AlignRight },
    { "Damage Type", 0.21, Qt::AlignLeft },
    { "Cost", 0.11, Qt::AlignRight },
    { "Date", 0.13, Qt::AlignLeft },
    { "Comments", 0.26, Qt::AlignLeft },
} };
// Room between two columns.
constexpr double ColumnGap = 120;
constexpr int LargestRowTwips = 9 * PointTwips;
constexpr int SmallestRowTwips = 6 * PointTwips;

struct ListGeometry {
    QList<QRectF> Columns; // left and width of each column (top and height unused)
    double RowHeight = 0;
    int FontTwips = 0;
};

void PaintRow(QPainter& painter, const ListGeometry& geometry, double top, const QStringList& texts)
{
    const QFontMetricsF metrics(painter.font());
    for (qsizetype i = 0; i < texts.size() && i < geometry.Columns.size(); ++i) {
        const QRectF column = geometry.Columns[i];
        const QRectF box(column.left(), top, column.width(), geometry.RowHeight);
        painter.drawText(box, ListColumns[size_t(i)].Align | Qt::AlignVCenter,
            metrics.elidedText(texts[i], Qt::ElideRight, column.width()));
    }
}

} // namespace

void PaintDamageList(
    QPainter& painter, const QRectF& pageTwips, const QList<DamageListEntry>& entries, const QString& carValue)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(Qt::black);

    double y = pageTwips.top();
    const QFont title = TwipsFont(285, true);
    painter.setFont(title);
    painter.drawText(QRectF(pageTwips.left(), y, pageTwips.width(), QFontMetricsF(title).height()),
        Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Damage List"));
    y += QFontMetricsF(title).lineSpacing() + 200;

    // The largest rows with which the list and the totals fit.
    ListGeometry geometry;
    const qsizetype rowsNeeded = qMax<qsizetype>(1, entries.size()) + 1 + 1 + 3; // titles, gap, totals
    for (geometry.FontTwips = LargestRowTwips; geometry.FontTwips > SmallestRowTwips; geometry.FontTwips -= 10) {
        const double rowHeight = QFontMetricsF(TwipsFont(geometry.FontTwips)).lineSpacing() * 1.3;
        if (y + double(rowsNeeded) * rowHeight <= pageTwips.bottom())
            break;
    }
    geometry.RowHeight = QFontMetricsF(TwipsFont(geometry.FontTwips)).lineSpacing() * 1.3;
    double left = pageTwips.left();
    for (const ListColumn& column : ListColumns) {
        const double width = pageTwips.width() * column.Share;
        geometry.Columns.append(QRectF(left, 0, width - ColumnGap, 0));
        left += width;
    }
    const auto rule = [&painter, &pageTwips](double at) {
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(QPointF(pageTwips.left(), at), QPointF(pageTwips.right(), at));
    };

    painter.setFont(TwipsFont(geometry.FontTwips, true));
    QStringList titles;
    for (const ListColumn& column : ListColumns)
        titles.append(QString::fromLatin1(column.Title));
    PaintRow(painter, geometry, y, titles);
    y += geometry.RowHeight;
    rule(y);

    // Rows left for entries once the totals have their room.
    const qsizetype room = qMax<qsizetype>(1, qsizetype((pageTwips.bottom() - y) / geometry.RowHeight) - 1 - 3);
    const bool cut = entries.size() > room;
    const qsizetype listed = cut ? room - 1 : entries.size();
    painter.setFont(TwipsFont(geometry.FontTwips));
    if (entries.isEmpty()) {
        painter.drawText(QRectF(pageTwips.left(), y, pageTwips.width(), geometry.RowHeight),
            Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("No markers are recorded on the pictures."));
        y += geometry.RowHeight;
    }
    double total = 0.0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const DamageListEntry& entry = entries[i];
        total += NumericValue(entry.Cost);
        if (i >= listed)
            continue;
        PaintRow(painter, geometry, y,
            { entry.Picture, QString::number(entry.Number), entry.DamageType, entry.Cost, entry.Date, entry.Comments });
        y += geometry.RowHeight;
    }
    if (cut) {
        painter.drawText(QRectF(pageTwips.left(), y, pageTwips.width(), geometry.RowHeight),
            Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("%1 more markers are not listed: the page has no room for them.")
                .arg(entries.size() - listed));
        y += geometry.RowHeight;
    }
    rule(y);
    y += geometry.RowHeight * 0.5;

    // The totals: labels end where the cost column begins, figures end with it.
    const QRectF labels(pageTwips.left(), 0, geometry.Columns[3].left() - ColumnGap - pageTwips.left(), 0);
    const QRectF figures = geometry.Columns[3];
    const QList<std::pair<QString, QString>> totals = {
        { QStringLiteral("Total Damages"), DoubleText(total) },
        { QStringLiteral("Car Value"), carValue },
        { QStringLiteral("Current Value"), DoubleText(NumericValue(carValue) - total) },
    };
    const QFont bold = TwipsFont(geometry.FontTwips, true);
    painter.setFont(bold);
    for (const auto& [label, figure] : totals) {
        painter.drawText(
            QRectF(labels.left(), y, labels.width(), geometry.RowHeight), Qt::AlignRight | Qt::AlignVCenter, label);
        // A figure wider than its column (a car value typed with words) runs
        // on to the right rather than over its label.
        const bool fits = QFontMetricsF(bold).horizontalAdvance(figure) <= figures.width();
        const QRectF box(
            figures.left(), y, fits ? figures.width() : pageTwips.right() - figures.left(), geometry.RowHeight);
        painter.drawText(box, (fits ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
            QFontMetricsF(bold).elidedText(figure, Qt::ElideRight, box.width()));
        y += geometry.RowHeight;
    }
    painter.restore();
}
