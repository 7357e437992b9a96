// The report page's geometry: the cell grid in whole twips, the markers'
// places from their ratios, their numbers and badges, the damage list's
// lines, and the sheet's texts.
#include "DataRows.h"
#include "printing/ReportDocument.h"
#include "printing/ReportLayout.h"
#include "printing/ReportPainter.h"

#include <QFontMetricsF>
#include <QTest>

namespace {

QList<GroupPicture> Slots(const QStringList& paths, const QStringList& lists = {})
{
    QList<GroupPicture> slotPictures;
    for (qsizetype i = 0; i < GroupSlotCount; ++i)
        slotPictures.append({ paths.value(i), lists.value(i) });
    return slotPictures;
}

QList<int> Numbers(const ReportPicture& picture)
{
    QList<int> numbers;
    for (const ReportMarker& marker : picture.Markers)
        numbers.append(marker.Number);
    return numbers;
}

} // namespace

class ReportLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void cellSizeIsHalfThePageWidthAtFourToThree_data()
    {
        Columns<int, double, double, QSize>("pageWidth", "cellWidth", "cellHeight", "wholeCell");
        Row("design width", 9795, 4897.5, 3673.125, QSize(4898, 3673));
        Row("even width", 9000, 4500.0, 3375.0, QSize(4500, 3375));
        // 1234.5 × 0.75 = 925.875 holds in single precision; 925.875 rounds up.
        Row("odd width", 2469, 1234.5, 925.875, QSize(1234, 926));
    }
    void cellSizeIsHalfThePageWidthAtFourToThree()
    {
        QFETCH(int, pageWidth);
        QFETCH(double, cellWidth);
        QFETCH(double, cellHeight);
        QFETCH(QSize, wholeCell);
        const ReportLayout layout = LayoutReport(pageWidth, Slots({ "/p/a.jpg" }));
        QCOMPARE(layout.CellWidth, cellWidth);
        QCOMPARE(layout.CellHeight, cellHeight);
        QCOMPARE(layout.Pictures.size(), 1);
        QCOMPARE(layout.Pictures[0].Cell.size(), wholeCell);
        QCOMPARE(layout.Pictures[0].CellF.size(), QSizeF(cellWidth, cellHeight));
    }

    void sixPicturesFillThreeRowsOfTwo_data()
    {
        Columns<int, QPoint>("slot", "corner");
        Row("slot 0", 0, QPoint(0, 0));
        Row("slot 1: 4897.5 rounds to the even 4898", 1, QPoint(4898, 0));
        Row("slot 2: 3673.125 + 200", 2, QPoint(0, 3873));
        Row("slot 3", 3, QPoint(4898, 3873));
        Row("slot 4: 7346.25 + 400", 4, QPoint(0, 7746));
        Row("slot 5: the third row ends at 11419.125, inside the page area", 5, QPoint(4898, 7746));
    }
    void sixPicturesFillThreeRowsOfTwo()
    {
        QFETCH(int, slot);
        QFETCH(QPoint, corner);
        const ReportLayout layout = LayoutReport(
            PageAreaWidth, Slots({ "/p/0.jpg", "/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg", "/p/5.jpg" }));
        QCOMPARE(layout.Pictures.size(), 6);
        const ReportPicture& picture = layout.Pictures[slot];
        QCOMPARE(picture.Slot, slot);
        QCOMPARE(picture.Path, QStringLiteral("/p/%1.jpg").arg(slot));
        QCOMPARE(picture.Cell, QRect(corner, QSize(4898, 3673)));
        QCOMPARE(picture.CellF, QRectF(corner, QSizeF(4897.5, 3673.125)));
    }

    void anEmptySlotKeepsItsCellBlank()
    {
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({ "/p/front.jpg", "", "/p/back.jpg" }));
        QCOMPARE(layout.Pictures.size(), 2);
        QCOMPARE(layout.Pictures[0].Slot, 0);
        QCOMPARE(layout.Pictures[0].Cell.topLeft(), QPoint(0, 0));
        QCOMPARE(layout.Pictures[1].Slot, 2);
        QCOMPARE(layout.Pictures[1].Path, QStringLiteral("/p/back.jpg"));
        QCOMPARE(layout.Pictures[1].Cell.topLeft(), QPoint(0, 3873));
        for (const ReportPicture& picture : layout.Pictures)
            QVERIFY(picture.Cell.topLeft() != QPoint(4898, 0));
    }

    void aGroupWithoutPicturesHasNoCells()
    {
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({}, { "1;2;2;10;10;1;;," }));
        QVERIFY(layout.Pictures.isEmpty());
        QCOMPARE(layout.CellWidth, 4897.5);
    }

    void markerStandsAtItsRatiosOfTheCell_data()
    {
        Columns<int, QString, int, QRectF>("slot", "record", "damageType", "place");
        Row("2;2;10;10 in slot 0: (CW/2, CH/2), CW/10 x CH/10", 0, "1;2;2;10;10;1;;", 1,
            QRectF(2448.75, 1836.5625, 489.75, 367.3125));
        Row("2;2;10;10 in slot 3: from the cell's corner", 3, "1;2;2;10;10;1;;", 1,
            QRectF(4898 + 2448.75, 3873 + 1836.5625, 489.75, 367.3125));
        Row("with details, general damage", 5, "10;4;1.5;8;8;10;250;12/05/2005;left door", 10,
            QRectF(4898 + 1224.375, 7746 + 2448.75, 612.1875, 459.140625));
        // 4897.5 / 7 = 699.642857...: the left is held in single precision,
        // the width is not.
        Row("left and top in single precision", 0, "3;7;7;7;7;3;;", 3,
            QRectF(double(699.642857142857f), double(524.732142857143f), 4897.5 / 7, 3673.125 / 7));
        Row("negative ratio: left of the cell", 1, "0;-10;2;10;10;0;;", 0,
            QRectF(4898 - 489.75, 1836.5625, 489.75, 367.3125));
    }
    void markerStandsAtItsRatiosOfTheCell()
    {
        QFETCH(int, slot);
        QFETCH(QString, record);
        QFETCH(int, damageType);
        QFETCH(QRectF, place);
        QStringList paths(6, QStringLiteral("/p/car.jpg"));
        QStringList lists(6);
        lists[slot] = record + u',';
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots(paths, lists));
        const ReportPicture& picture = layout.Pictures[slot];
        QCOMPARE(picture.Markers.size(), 1);
        QCOMPARE(picture.Markers[0].DamageType, damageType);
        QCOMPARE(picture.Markers[0].Number, 1);
        // Exact: each coordinate compared as it is.
        QCOMPARE(picture.Markers[0].Place.left(), place.left());
        QCOMPARE(picture.Markers[0].Place.top(), place.top());
        QCOMPARE(picture.Markers[0].Place.width(), place.width());
        QCOMPARE(picture.Markers[0].Place.height(), place.height());
    }

    void unreadableRecordsAreSkippedAndNumbersFollowTheScreen_data()
    {
        Columns<QString, QList<int>>("list", "numbers");
        Row("all readable", "1;2;2;10;10;1;;,3;4;4;9;9;3;;,", QList<int> { 1, 2 });
        // The screen numbers the records it can show; the report uses the
        // same numbers, so a marker reads the same number on both.
        Row("type 9 has no button", "9;2;2;10;10;9;;,3;4;4;9;9;3;;,", QList<int> { 1 });
        Row("ratio 0, ratio not a number", "1;0;2;10;10;1;;,1;2;x;10;10;1;;,4;2;2;10;10;4;;,", QList<int> { 1 });
        // The page needs only the type and the ratios: a record too short for
        // the screen is drawn, without a number.
        Row("six fields and five are drawn", "1;2;2;10;10;1,1;2;2;10;10,4;2;2;10;10;4;;,", QList<int> { 0, 0, 1 });
        Row("four fields are not", "1;2;2;10,4;2;2;10;10;4;;,", QList<int> { 1 });
        // Shown on screen (as number 1), but too far out to draw.
        Row("a place out of all range", "1;1e-38;2;10;10;1;;,2;2;2;10;10;2;;,", QList<int> { 2 });
        Row("text after the last comma is no record", "1;2;2;10;10;1;;,2;2;2;10;10;2;;", QList<int> { 1 });
        Row("empty list", "", QList<int> {});
    }
    void unreadableRecordsAreSkippedAndNumbersFollowTheScreen()
    {
        QFETCH(QString, list);
        QFETCH(QList<int>, numbers);
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({ "/p/car.jpg" }, { list }));
        QCOMPARE(Numbers(layout.Pictures[0]), numbers);
    }

    void markersKeepListOrder()
    {
        const ReportLayout layout
            = LayoutReport(PageAreaWidth, Slots({ "/p/car.jpg" }, { "10;2;2;4;4;10;;,0;2;2;4;4;0;;,5;2;2;4;4;5;;," }));
        QList<int> types;
        for (const ReportMarker& marker : layout.Pictures[0].Markers)
            types.append(marker.DamageType);
        QCOMPARE(types, (QList<int> { 10, 0, 5 }));
    }

    void badgeSitsOnACornerInsideTheCell_data()
    {
        Columns<QRectF, int, QRectF, QRectF>("place", "number", "cell", "badge");
        const QRectF first(0, 0, 4897.5, 3673.125);
        // 11 pixels high, 4 + 6 per digit wide, 4 over the marker: × 15 twips.
        Row("top right", QRectF(1000, 1000, 300, 200), 1, first, QRectF(1240, 895, 150, 165));
        Row("two digits are wider", QRectF(1000, 1000, 300, 200), 12, first, QRectF(1240, 895, 240, 165));
        Row("at the top: below the corner", QRectF(1000, 50, 300, 200), 3, first, QRectF(1240, 190, 150, 165));
        Row("at the right: on the left side", QRectF(4700, 1000, 150, 200), 7, first, QRectF(4610, 895, 150, 165));
        Row("top-right corner of the cell", QRectF(4700, 20, 150, 200), 32767, first,
            QRectF(4760 - 510, 160, 510, 165));
        // Near the top of slot 3's cell: below, not in the row above.
        Row("its own cell's top", QRectF(6000, 3900, 300, 200), 1, QRectF(4898, 3873, 4897.5, 3673.125),
            QRectF(6240, 4040, 150, 165));
    }
    void badgeSitsOnACornerInsideTheCell()
    {
        QFETCH(QRectF, place);
        QFETCH(int, number);
        QFETCH(QRectF, cell);
        QFETCH(QRectF, badge);
        QCOMPARE(ReportBadgeBox(place, number, cell), badge);
    }

    void damageListHasEveryReadableMarker()
    {
        const QList<DamageListEntry> entries = DamageList(Slots({ "C:\\cars\\smith.front.jpg", "", "/p/back.jpg" },
            { "1;2;2;10;10;1;250;12/05/2005;left door,9;2;2;10;10;9;5;;,3;4;4;9;9;3;;,", "4;2;2;10;10;4;99;;,",
                "10;2;2;10;10;10;1.5;01/01/2024;a;b,7;2;2;10;10;7;," }));
        QCOMPARE(entries.size(), 4);
        const auto check = [&entries](int i, const QString& picture, int number, const QString& type,
                               const QString& cost, const QString& date, const QString& comments) {
            const DamageListEntry& entry = entries[i];
            return entry.Picture == picture && entry.Number == number && entry.DamageType == type && entry.Cost == cost
                && entry.Date == date && entry.Comments == comments;
        };
        QVERIFY(check(0, "smith", 1, "Dent", "250", "12/05/2005", "left door"));
        // The type 9 record is left out, as on screen: the next is number 2.
        QVERIFY(check(1, "smith", 2, "Scratch", "", "", ""));
        // The empty slot's list is not read: it has no picture.
        QVERIFY(check(2, "back", 1, "General Damage", "1.5", "01/01/2024", "a;b"));
        QVERIFY(check(3, "back", 2, "Mechanical Damage", "", "", ""));
    }

    void headerStartsHalfwayBetweenTheEdgeAndTheBoxEnd_data()
    {
        Columns<double, double>("width", "x");
        Row("empty", 0.0, 5332.5);
        Row("1000 twips", 1000.0, 4832.5);
        Row("as wide as the box", 9825.0, 420.0);
    }
    void headerStartsHalfwayBetweenTheEdgeAndTheBoxEnd()
    {
        QFETCH(double, width);
        QFETCH(double, x);
        QCOMPARE(HeaderTextX(width), x);
    }

    void sheetPositions()
    {
        QCOMPARE(PageAreaTop, 900);
        QCOMPARE(FooterTop, 14515);
        QList<int> heights;
        for (const SheetLine& line : SheetLines) {
            QCOMPARE(line.Y1, line.Y2);
            heights.append(line.Y1);
        }
        QCOMPARE(heights, (QList<int> { 13110, 13920, 13110, 13530, 13950 }));
        QCOMPARE(HeaderFont().pixelSize(), 285); // 14.25 pt in twips
        QCOMPARE(HeaderFont().bold(), true);
        QCOMPARE(FooterFont().pixelSize(), 165); // 8.25 pt
        QCOMPARE(FooterFont().bold(), true);
        QCOMPARE(DamageListBox, QRectF(840, 250, 9825, 14865));
    }

    void footerLines_data()
    {
        Columns<QString, QStringList>("text", "lines");
        Row("empty has no lines", "", QStringList {});
        Row("one short line", "12/07/2026 09:30", QStringList { "12/07/2026 09:30" });
        Row("two typed lines, no blank third", "Checked by Ann\r\nat the depot",
            QStringList { "Checked by Ann", "at the depot" });
        Row("line feeds alone", "a\nb\nc", QStringList { "a", "b", "c" });
        Row("an empty typed line stays", "a\n\nb", QStringList { "a", "", "b" });
    }
    void footerLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(FooterLines(text, FooterFont()), lines);
    }

    void aLongFooterWrapsAtTheBoxWidth()
    {
        // Words until the text is two and a half boxes wide, in the footer's
        // own font: three lines, each within the box, broken between words.
        const QFontMetricsF metrics(FooterFont());
        QString text;
        for (int i = 0; metrics.horizontalAdvance(text) < 2.5 * FooterWidth; ++i)
            text += QStringLiteral("damage%1 ").arg(i);
        text = text.trimmed();
        const QStringList lines = FooterLines(text, FooterFont());
        QCOMPARE(lines.size(), 3);
        for (const QString& line : lines) {
            QVERIFY(metrics.horizontalAdvance(line.trimmed()) <= FooterWidth);
            QVERIFY(line.startsWith(QStringLiteral("damage")));
        }
        QCOMPARE(lines.join(QString()), text);
    }

    void paperFollowsTheLocale_data()
    {
        Columns<QString, int>("locale", "paper");
        Row("United States", "en_US", int(QPageSize::Letter));
        Row("United Kingdom", "en_GB", int(QPageSize::A4));
        Row("Germany", "de_DE", int(QPageSize::A4));
        Row("C", "C", int(QPageSize::A4));
    }
    void paperFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, paper);
        QCOMPARE(int(ReportPaper(QLocale(locale))), paper);
    }
};

QTEST_MAIN(ReportLayoutTest)
#include "tst_reportlayout.moc"
