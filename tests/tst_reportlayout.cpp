// The report's geometry: cells in twips, markers from their ratios and numbered as on screen, badges, footer lines.
#include "DataRows.h"
#include "TestFiles.h"
#include "printing/ReportDocument.h"

#include <QTemporaryDir>
#include <QTest>

class ReportLayoutTest : public QObject {
    Q_OBJECT

private slots:
    // "CW x CH", each picture's slot and corner, their whole-twip size: two columns, rows 200 apart, halves to even.
    void cellsFillTwoColumnsOfFourToThree_data()
    {
        Columns<int, QString, QString>("width", "paths", "cells");
        Row("the design width, no seventh", 9795, "abcdefg",
            "4897.5x3673.125 0@0,0 1@4898,0 2@0,3873 3@4898,3873 4@0,7746 5@4898,7746 of 4898x3673");
        Row("slot 1 empty: no cell, no list", 9795, "a-c", "4897.5x3673.125 0@0,0 2@0,3873 of 4898x3673");
        Row("an odd width: 1234.5 rounds down, 925.875 up", 2469, "a", "1234.5x925.875 0@0,0 of 1234x926");
    }
    void cellsFillTwoColumnsOfFourToThree()
    {
        QFETCH(int, width);
        QFETCH(QString, paths);
        QFETCH(QString, cells);
        QList<GroupPicture> groupSlots;
        for (const QChar path : paths)
            groupSlots.append({ path == '-' ? QString() : QString(path), "1;2;2;10;10;1;;," });
        const ReportLayout layout = LayoutReport(width, groupSlots);
        QCOMPARE(DamageList(groupSlots).size(), layout.Pictures.size());
        QString shown = QStringLiteral("%1x%2").arg(layout.CellWidth, 0, 'g', 10).arg(layout.CellHeight, 0, 'g', 10);
        for (const ReportPicture& picture : layout.Pictures) {
            shown += QStringLiteral(" %1@%2,%3").arg(picture.Slot).arg(picture.Cell.x()).arg(picture.Cell.y());
            QCOMPARE(picture.CellF, QRectF(picture.Cell.topLeft(), QSizeF(layout.CellWidth, layout.CellHeight)));
        }
        const QRect cell = layout.Pictures.value(0).Cell;
        QCOMPARE(shown + QStringLiteral(" of %1x%2").arg(cell.width()).arg(cell.height()), cells);
    }

    // "type/number" of the markers drawn, numbered among the readable records; the first's place, in slot 3.
    void markersStandAtTheirRatios_data()
    {
        Columns<QString, QString, QRectF>("list", "markers", "first");
        Row("in list order, every ratio its own", "10;4;1.5;8;5;10;250;;,0;2;2;4;4;0;;,5;2;2;4;4;5;;,", "10/1 0/2 5/3",
            QRectF(6122.375, 6321.75, 612.1875, 734.625));
        Row("4897.5 / 7", "3;7;7;7;7;3;;,", "3/1", QRectF(5597.642857f, 4397.732143f, 4897.5 / 7, 3673.125 / 7));
        Row("negative: left of the cell", "0;-10;2;10;10;0;;,", "0/1", QRectF(4408.25, 5709.5625, 489.75, 367.3125));
        Row("type 9 has no button; ratio 0, not a number; four fields",
            "9;2;2;10;10;9;;,1;0;2;10;10;1;;,1;2;x;10;10;1;;,1;2;2;10,4;2;2;10;10;4;;,", "4/1", QRectF());
        Row("short: drawn, unnumbered", "1;2;2;10;10;1,2;2;2;10;10,4;2;2;10;10;4;;,", "1/0 2/0 4/1", QRectF());
        Row("a place out of all range: on screen as 1", "1;1e-38;2;10;10;1;;,2;2;2;10;10;2;;,", "2/2", QRectF());
        Row("text after the last comma is no record", "1;2;2;10;10;1;;,2;2;2;10;10;2;;", "1/1", QRectF());
    }
    void markersStandAtTheirRatios()
    {
        QFETCH(QString, list);
        QFETCH(QString, markers);
        QFETCH(QRectF, first);
        const ReportLayout layout = LayoutReport(PageAreaWidth, { {}, {}, {}, { "car.jpg", list } });
        QStringList shown;
        for (const ReportMarker& marker : layout.Pictures[0].Markers)
            shown.append(QStringLiteral("%1/%2").arg(marker.DamageType).arg(marker.Number));
        QCOMPARE(shown.join(' '), markers);
        if (!first.isNull())
            QCOMPARE(layout.Pictures[0].Markers[0].Place, first);
    }

    // Keep Proportions in slot 3's cell (4898,3873 4897.5x3673.125): the picture as large as fits, centred, upright;
    // the marker 3;4;2;8;8 over it.
    void keptProportionsPlaceThePictureAndItsMarkers_data()
    {
        Columns<bool, QSize, QRectF, QRectF>("turned", "stored", "drawn", "marker");
        Row("portrait: full height", false, QSize(300, 400), QRectF(5969.328125, 3873, 2754.84375, 3673.125),
            QRectF(6658.0390625, 5709.5625, 344.35546875, 459.140625));
        Row("2:1: full width", false, QSize(400, 200), QRectF(4898, 4485.1875, 4897.5, 2448.75),
            QRectF(6122.375, 5709.5625, 612.1875, 306.09375));
        Row("stored 4:3, turned upright", true, QSize(400, 300), QRectF(5969.328125, 3873, 2754.84375, 3673.125),
            QRectF(6658.0390625, 5709.5625, 344.35546875, 459.140625));
        Row("unreadable: the whole cell", false, QSize(), QRectF(4898, 3873, 4897.5, 3673.125),
            QRectF(6122.375, 5709.5625, 612.1875, 459.140625));
    }
    void keptProportionsPlaceThePictureAndItsMarkers()
    {
        QFETCH(bool, turned);
        QFETCH(QSize, stored);
        QTemporaryDir dir;
        const QString path = dir.filePath("car.jpg");
        turned ? WriteRotatedJpeg(path, stored) : stored.isValid() ? WriteJpeg(path, stored) : WriteBytes(path, "x");
        const ReportLayout layout = LayoutReport(PageAreaWidth, { {}, {}, {}, { path, "3;4;2;8;8;3;;," } }, true);
        QFETCH(QRectF, drawn);
        QFETCH(QRectF, marker);
        QCOMPARE(QList({ layout.Pictures[0].Drawn, layout.Pictures[0].Markers[0].Place }), QList({ drawn, marker }));
    }

    // 11 pixels high, 4 + 6 per digit wide, 4 over the marker, x 15 twips, in slot 2's cell.
    void aBadgeSitsOnACornerInsideTheCell_data()
    {
        Columns<QRectF, int, QRectF>("place", "number", "badge");
        Row("top right", QRectF(1000, 5000, 300, 200), 1, QRectF(1240, 4895, 150, 165));
        Row("at the top: below the corner", QRectF(1000, 3900, 300, 200), 3, QRectF(1240, 4040, 150, 165));
        Row("at the right: on the left side", QRectF(4700, 5000, 150, 200), 7, QRectF(4610, 4895, 150, 165));
        Row("the top-right corner, five digits", QRectF(4700, 3890, 150, 200), 32767, QRectF(4250, 4030, 510, 165));
    }
    void aBadgeSitsOnACornerInsideTheCell()
    {
        QFETCH(QRectF, place);
        QFETCH(int, number);
        QFETCH(QRectF, badge);
        QCOMPARE(ReportBadgeBox(place, number, QRectF(0, 3873, 4897.5, 3673.125)), badge);
    }

    // Each typed line wrapped between words at the box's width (9855 unless given) in the footer's font.
    void footerLines_data()
    {
        Columns<QString, int, QStringList>("text", "width", "lines");
        Row("empty has no lines", "", 0, QStringList {});
        Row("CR LF, LF and CR end a line; empty kept", "a\r\nb\n\nc\rd", 0, QStringList { "a", "b", "", "c", "d" });
        Row("wrapped between words", "aaaaa bbbbb ccccc", 700, QStringList { "aaaaa ", "bbbbb ", "ccccc" });
    }
    void footerLines()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        QCOMPARE(width ? FooterLines(text, FooterFont(), width) : FooterLines(text, FooterFont()), lines);
    }

    void paperFollowsTheLocale()
    {
        QCOMPARE(QList({ ReportPaper(QLocale("en_US")), ReportPaper(QLocale("de_DE")) }),
            QList({ QPageSize::Letter, QPageSize::A4 }));
    }
};

QTEST_MAIN(ReportLayoutTest)
#include "tst_reportlayout.moc"
