// The report page, its sheet and the damage list as drawn: what stands where, in twips.
#include "DataRows.h"
#include "PaintRecorder.h"
#include "TestFiles.h"
#include "objects/DamageTypes.h"
#include "printing/ReportDocument.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using Record = PaintRecorder::Record;

class ReportPainterTest : public QObject {
    Q_OBJECT

private slots:
    // Slot 3's cell shows its picture at the cell's size (or its own shape) or a framed placeholder, then each marker
    // in list order (the first, far off the page, not drawn) as its damage picture and its number in a dark badge.
    void theSheetShowsEveryPartWhereItStands_data()
    {
        Columns<bool, QSize, QString, QString>("keep", "size", "list", "imageOrReason");
        Row("markers over each other; a short record unnumbered", false, QSize(300, 400),
            "1;-1e-9;2;10;10;1;;,1;2;2;4;4;1;;,10;2;2;4;4;10;;,3;4;4;9;9;3,", "image 5738,4773 4898x3673 245x184");
        Row("missing", false, QSize(), "1;-1e-9;2;10;10;1;;,10;2;2;4;4;10;;,", "the file does not exist");
        Row("proportions kept: centred, decoded at its size", true, QSize(300, 400),
            "1;-1e-9;2;10;10;1;;,1;1.01;2;4;4;1;;,", "image 6809,4773 2755x3673 138x184");
    }
    void theSheetShowsEveryPartWhereItStands()
    {
        QFETCH(bool, keep);
        QFETCH(QSize, size);
        QFETCH(QString, list);
        QFETCH(QString, imageOrReason);
        QTemporaryDir dir;
        const QString name = size.isValid() ? "car.jpg" : "gone.jpg";
        WriteJpeg(dir.filePath("car.jpg"), size.isValid() ? size : QSize(8, 8));
        const ReportLayout layout = LayoutReport(PageAreaWidth, { {}, {}, {}, { dir.filePath(name), list } }, keep);
        const ReportTexts texts { "Smith-Car\nRear", "Checked by Ann\nat the depot" };
        PaintRecorder sheet([&](QPainter& p) { PaintReportSheet(p, layout, LoadReportImages(layout, 72), texts); });
        const QList<Record>& records = sheet.Records;
        qsizetype at = 1;
        if (size.isValid()) {
            QCOMPARE(PaintRecorder::Shown(records[0]), imageOrReason);
        } else { // the name centred above the cell's middle (8187, 6610), the reason below it, wrapped (losing blanks)
            QCOMPARE(PaintRecorder::Shown(records.first(2)),
                QStringList({ "rect 5738,4773 4898x3673 #f2f2f2", "rect 5798,4833 4778x3553 #505050 30" }));
            const Record t = records[2], r = records[3]; // the name, the reason's first line
            QCOMPARE(QList({ qRound(t.Place.center().x()), qRound(t.Place.bottom()), t.Font.pixelSize(),
                         int(t.Font.bold()), qRound(r.Place.top()), r.Font.pixelSize() }),
                QList({ 8187, 6550, 240, 1, 6670, 160 }));
            QString shown;
            for (at = 2; records[at].Kind == "text"; ++at)
                shown += records[at].Text;
            QString whole = name + "Cannot read picture " + dir.filePath(name) + ": " + imageOrReason;
            QCOMPARE(shown.remove(' '), whole.remove(' '));
        }
        const QRectF pageArea(840, 900, 9795, 11790);
        for (const ReportMarker& m : layout.Pictures[0].Markers.sliced(1)) {
            const QList<Record> shapes = PaintRecorder([&](QPainter& painter) {
                painter.setClipRect(pageArea);
                painter.translate(pageArea.topLeft());
                QSvgRenderer(DamagePicture(m.DamageType)).render(&painter, m.Place);
            }).Records;
            QCOMPARE(records.mid(at, shapes.size()), shapes);
            at += shapes.size();
            if (m.Number == 0)
                continue;
            const QRectF badge = ReportBadgeBox(m.Place, m.Number, layout.Pictures[0].Drawn).translated(840, 900);
            QCOMPARE(records[at], (Record { "rect", "", badge, {}, QColor(20, 24, 30, 210), 0, {}, pageArea }));
            QCOMPARE(records[at + 1].Text + records[at + 1].Colour.name(), QString::number(m.Number) + "#ffffff");
            QVERIFY(QLineF(records[at + 1].Place.center(), badge.center()).length() < 2); // centred
            at += 2;
        }
        // The header centred by its width in the preview window's font, a typed second line at the left edge.
        QFont windowFont("Arial");
        windowFont.setPointSizeF(8.25);
        const int headerX = qRound((9825 + 840 - QFontMetricsF(windowFont).horizontalAdvance("Smith-Car") * 15) / 2);
        const int header = qRound(250 + QFontMetricsF(HeaderFont()).lineSpacing());
        const int footer = qRound(14515 + QFontMetricsF(FooterFont()).lineSpacing());
        QCOMPARE(PaintRecorder::Shown(records.mid(at)),
            QStringList({ QString("text Smith-Car %1,250 285 bold").arg(headerX),
                QString("text Rear 0,%1 285 bold").arg(header), "text Review 840,13200 165", "text Date 840,14040 165",
                "line 840,13110 3840,13110 15", "line 840,13920 3840,13920 15", "line 4800,13110 10560,13110 15",
                "line 4800,13530 10560,13530 15", "line 4800,13950 10560,13950 15",
                "text Checked by Ann 840,14515 165 bold", QString("text at the depot 840,%1 165 bold").arg(footer) }));
    }

    // The preview's and the printer's page decodes a few pictures at a time, yet shows, in slot order, what each
    // picture drawn on its own shows (slot 4's file is missing).
    void thePageDrawsEachPictureAsOnItsOwn()
    {
        QTemporaryDir dir;
        QList<GroupPicture> group;
        for (int slot = 0; slot < 6; ++slot) {
            WriteJpeg(dir.filePath(QString("%1.jpg").arg(slot)), QSize(40 + slot * 10, 30 + slot * 20));
            group.append(
                { dir.filePath(QString("%1.jpg").arg(slot == 4 ? 9 : slot)), QString("1;2;2;9;9;%1;;,").arg(slot) });
        }
        const ReportLayout layout = LayoutReport(PageAreaWidth, group, false);
        QList<Record> each;
        for (const ReportPicture& picture : layout.Pictures) {
            ReportLayout one = layout;
            one.Pictures = { picture };
            each += PaintRecorder([&](QPainter& p) { PaintReportPage(p, one, LoadReportImages(one, 72)); }).Records;
        }
        QCOMPARE(PaintRecorder([&](QPainter& p) { PaintReportPage(p, layout, 72); }).Records, each);
        QCOMPARE(PaintRecorder::Shown(each.first()), "image 0,0 4898x3673 40x30");
    }

    // Entry i is car's marker i, a Dent costing i.5; the totals count every entry, listed or not; rows shrink to 6 pt.
    void theDamageListShowsEveryRowAndTheTotals_data()
    {
        Columns<int, QStringList>("count", "totals");
        Row("none", 0, QStringList { "0", "8500", "8500" });
        Row("a car value in words runs on", 1, QStringList { "1.5", "about nine grand", "-1.5" });
        Row("more than the page holds", 300, QStringList { "45300", "60000", "14700" });
    }
    void theDamageListShowsEveryRowAndTheTotals()
    {
        QFETCH(int, count);
        QFETCH(QStringList, totals);
        QList<DamageListEntry> list;
        for (int i = 1; i <= count; ++i)
            list.append({ "car", i, "Dent", QString::number(i) + ".5", "12/05/2005", "door" });
        const PaintRecorder page([&](QPainter& painter) { PaintDamageList(painter, DamageListBox, list, totals[1]); });
        const qsizetype listed = page.Texts().count("car");
        QStringList rows { "Damage List", "Picture", "No.", "Damage Type", "Cost", "Date", "Comments" };
        for (const DamageListEntry& e : list.first(listed))
            rows += { e.Picture, QString::number(e.Number), e.DamageType, e.Cost, e.Date, e.Comments };
        if (listed < count || count == 0)
            rows += count
                ? QString("%1 more markers are not listed: the page has no room for them.").arg(count - listed)
                : "No markers are recorded on the pictures.";
        QCOMPARE(page.Texts(),
            (rows << "Total Damages" << totals[0] << "Car Value" << totals[1] << "Current Value" << totals[2]));
        QVERIFY(page.Records.last().Place.bottom() <= DamageListBox.bottom());
        // Columns by shares of the width, 120 apart; labels end at the cost column, figures with it unless too wide.
        const QList<Record> t = page.Of("text");
        const qsizetype n = t.size();
        const auto edge = [&t](qsizetype i, bool r) { return qRound(r ? t[i].Place.right() : t[i].Place.left()); };
        const bool words = totals[1].contains(' ');
        QCOMPARE(QList({ edge(1, false), edge(2, true), edge(3, false), edge(4, true), edge(5, false), edge(6, false),
                     edge(n - 2, true), edge(n - 5, true), edge(n - 3, !words), t[n - 1].Font.pixelSize() }),
            QList({ 840, 3569, 3689, 6713, 6833, 8111, 5633, 6713, words ? 5753 : 6713, listed < count ? 120 : 180 }));
        const double step = t[7].Place.top() - t[1].Place.top(); // rows stand a row apart
        for (qsizetype i = 13; i < 7 + listed * 6; i += 6)
            QVERIFY(qAbs(t[i].Place.top() - t[i - 6].Place.top() - step) < 1);
    }
};

QTEST_MAIN(ReportPainterTest)
#include "tst_reportpainter.moc"
