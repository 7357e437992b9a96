// The report page as drawn: pictures stretched into their cells, a framed
// placeholder for a picture that cannot be read, markers and their badges
// over both, nothing outside the page area, and the sheet around the page.
// Drawn into pictures at a tenth of a twip per pixel.
#include "DataRows.h"
#include "TestFiles.h"
#include "objects/DamageTypes.h"
#include "printing/ReportDocument.h"
#include "printing/ReportLayout.h"
#include "printing/ReportPainter.h"
#include "viewport/PictureLoader.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double Scale = 0.1; // pixels per twip

QPoint Pixel(double xTwips, double yTwips)
{
    return { int(xTwips * Scale), int(yTwips * Scale) };
}

QImage Canvas(QSize twips)
{
    QImage image(int(twips.width() * Scale), int(twips.height() * Scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage DrawPage(const ReportLayout& layout, QSize canvasTwips = QSize(PageAreaWidth, PageAreaHeight))
{
    QImage image = Canvas(canvasTwips);
    QPainter painter(&image);
    painter.scale(Scale, Scale);
    PaintReportPage(painter, layout, 72);
    return image;
}

bool Near(QColor seen, QColor expected, int tolerance = 12)
{
    return qAbs(seen.red() - expected.red()) <= tolerance && qAbs(seen.green() - expected.green()) <= tolerance
        && qAbs(seen.blue() - expected.blue()) <= tolerance;
}

QByteArray Described(QColor seen, QColor expected)
{
    return QStringLiteral("saw %1, expected %2").arg(seen.name(), expected.name()).toUtf8();
}

#define QCOMPARE_COLOR(seen, expected) QVERIFY2(Near((seen), (expected)), Described((seen), (expected)).constData())

// A picture of one colour, or of two: its left half one colour, its right half
// another.
void WritePicture(const QString& path, QSize size, QColor left, QColor right)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(left);
    QPainter painter(&image);
    painter.fillRect(QRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height()), right);
    painter.end();
    QVERIFY(image.save(path, "JPEG", 95));
}

// A 400 x 300 picture of one colour, car.jpg in a folder.
QString CarPicture(const QTemporaryDir& dir, QColor colour)
{
    const QString path = dir.filePath("car.jpg");
    WritePicture(path, QSize(400, 300), colour, colour);
    return path;
}

QList<GroupPicture> Slots(const QStringList& paths, const QStringList& lists = {})
{
    QList<GroupPicture> slotPictures;
    for (qsizetype i = 0; i < GroupSlotCount; ++i)
        slotPictures.append({ paths.value(i), lists.value(i) });
    return slotPictures;
}

// The colour a damage-type picture shows at a point (parts of its size) when
// drawn at a size over a background.
QColor DamageColor(int damageType, QSize size, QColor background, QPointF at)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(DamagePicture(damageType)).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image.pixelColor(int(at.x() * size.width()), int(at.y() * size.height()));
}

bool AnyDark(const QImage& image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

const QColor Red(200, 30, 30);
const QColor Blue(30, 40, 190);
const QColor Green(40, 170, 60);
const QColor PlaceholderFill(242, 242, 242);
const QColor PlaceholderInk(80, 80, 80);

} // namespace

class ReportPainterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigurePictureReading(); }

    void pictureIsStretchedIntoItsCell_data()
    {
        Columns<QSize>("size");
        Row("portrait", QSize(200, 300));
        Row("wide", QSize(900, 200));
        Row("4:3", QSize(400, 300));
    }
    void pictureIsStretchedIntoItsCell()
    {
        QFETCH(QSize, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("car.jpg");
        WritePicture(path, size, Red, Blue);
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({ "", "", "", path }));
        const QRectF cell = layout.Pictures[0].CellF;
        const QImage page = DrawPage(layout);
        // Whatever its proportions, the picture reaches every edge of its cell.
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.left() + 100, cell.top() + 100)), Red);
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.left() + 100, cell.bottom() - 100)), Red);
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.right() - 100, cell.top() + 100)), Blue);
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.right() - 100, cell.bottom() - 100)), Blue);
        // The other cells and the gap between the rows stay blank.
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.left() + 100, cell.top() - 100)), QColor(Qt::white));
        QCOMPARE_COLOR(page.pixelColor(Pixel(2000, 2000)), QColor(Qt::white));
        QCOMPARE_COLOR(page.pixelColor(Pixel(7000, 2000)), QColor(Qt::white));
        QCOMPARE_COLOR(page.pixelColor(Pixel(2000, 5500)), QColor(Qt::white));
        QCOMPARE_COLOR(page.pixelColor(Pixel(2000, 9500)), QColor(Qt::white));
    }

    void pictureThatCannotBeReadGetsAFramedPlaceholder_data()
    {
        Columns<QString>("name");
        Row("missing", "gone.jpg");
        Row("not a picture", "notes.jpg");
        Row("a folder", "folder.jpg");
    }
    void pictureThatCannotBeReadGetsAFramedPlaceholder()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        WriteBytes(dir.filePath("notes.jpg"), "no picture here");
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({ "", "", dir.filePath(name) }));
        const QRectF cell = layout.Pictures[0].CellF;
        const QImage page = DrawPage(layout);
        // The frame: 30 twips wide, its middle 60 twips inside the cell.
        const double middle = cell.center().y();
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.left() + 55, middle)), PlaceholderInk);
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.right() - 62, middle)), PlaceholderInk);
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.center().x(), cell.top() + 65)), PlaceholderInk);
        // Light inside and outside the frame.
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.left() + 150, middle)), PlaceholderFill);
        QCOMPARE_COLOR(page.pixelColor(Pixel(cell.left() + 15, middle)), PlaceholderFill);
        // The file's name is written in the middle.
        QVERIFY(AnyDark(page, QRect(Pixel(cell.left() + 300, cell.top() + 1200), Pixel(cell.right() - 300, middle))));
    }

    // A General Damage marker over a picture or a placeholder, or over an
    // earlier Dent on the same spot, with its number's badge.
    void markersAreDrawnOverPicturesAndPlaceholders_data()
    {
        Columns<bool, QString, int>("missing", "list", "marker");
        Row("over a picture", false, "10;2;2;4;4;10;;,", 0);
        Row("over a placeholder", true, "10;2;2;4;4;10;;,", 0);
        Row("over an earlier marker", false, "1;2;2;4;4;1;;,10;2;2;4;4;10;;,", 1);
    }
    void markersAreDrawnOverPicturesAndPlaceholders()
    {
        QFETCH(bool, missing);
        QFETCH(QString, list);
        QFETCH(int, marker);
        QTemporaryDir dir;
        const QString path = missing ? dir.filePath("car.jpg") : CarPicture(dir, Green);
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({ path }, { list }));
        const QRectF place = layout.Pictures[0].Markers[marker].Place;
        const QImage page = DrawPage(layout);
        const QColor background = missing ? PlaceholderFill : Green;
        // A point inside the warning triangle of "General Damage".
        const QPointF at(0.42, 0.72);
        const QColor expected = DamageColor(10, (place.size() * Scale).toSize(), background, at);
        QVERIFY(!Near(expected, background, 40));
        const QColor seen
            = page.pixelColor(Pixel(place.left() + at.x() * place.width(), place.top() + at.y() * place.height()));
        QVERIFY2(Near(seen, expected, 30), Described(seen, expected).constData());
        // Its number's badge, dark (a little clear), on its top-right corner.
        const QRectF badge = ReportBadgeBox(place, marker + 1, layout.Pictures[0].CellF);
        QCOMPARE(badge.topLeft(), place.topRight() + QPointF(-60, -105));
        const QColor badgeFill = page.pixelColor(Pixel(badge.left() + 20, badge.bottom() - 20));
        QVERIFY2(qGray(badgeFill.rgb()) < 80, qPrintable(badgeFill.name()));
    }

    void nothingIsDrawnBelowThePageArea()
    {
        QTemporaryDir dir;
        const QString path = CarPicture(dir, Green);
        // A marker of the last row reaching far below the page area.
        const ReportLayout layout
            = LayoutReport(PageAreaWidth, Slots({ "", "", "", "", path }, { "", "", "", "", "1;2;1.1;1;0.5;1;;," }));
        QVERIFY(layout.Pictures[0].Markers[0].Place.bottom() > PageAreaHeight + 3000);
        const QImage page = DrawPage(layout, QSize(PageAreaWidth, PageAreaHeight + 3000));
        for (int y = int(PageAreaHeight * Scale) + 1; y < page.height(); y += 10) {
            for (int x = 0; x < page.width(); x += 10)
                QCOMPARE(page.pixelColor(x, y), QColor(Qt::white));
        }
    }

    void markersOfAnyPlaceAreDrawnWithoutHarm_data()
    {
        Columns<QString>("list");
        Row("a marker a billion times the page", "1;2;2;1e-9;1e-9;1;;,");
        Row("far off the page", "1;-1e-9;2;10;10;1;;,");
        Row("thinner than a dot", "1;2;2;1e30;1e30;1;;,");
    }
    void markersOfAnyPlaceAreDrawnWithoutHarm()
    {
        QFETCH(QString, list);
        QTemporaryDir dir;
        const QImage page = DrawPage(LayoutReport(PageAreaWidth, Slots({ CarPicture(dir, Green) }, { list })));
        // The rest of the page is untouched.
        QCOMPARE_COLOR(page.pixelColor(Pixel(2448, 3873 + 1836)), QColor(Qt::white));
    }

    void picturesDecodedOnceDrawTheSame()
    {
        QTemporaryDir dir;
        WritePicture(dir.filePath("a.jpg"), QSize(400, 300), Red, Blue);
        const ReportLayout layout = LayoutReport(
            PageAreaWidth, Slots({ dir.filePath("a.jpg"), dir.filePath("gone.jpg") }, { "3;2;2;5;5;3;;," }));
        const QList<ReportImage> images = LoadReportImages(layout, 72);
        QCOMPARE(images.size(), 2);
        // At 72 dots per inch a 4897.5 x 3673.125 twips cell takes 245 x 184 dots.
        QCOMPARE(CellPixels(layout, 72), QSize(245, 184));
        QCOMPARE(CellPixels(layout, 300), QSize(1021, 766));
        QCOMPARE(images[0].Image.size(), QSize(245, 184));
        QVERIFY(images[0].Problem.isEmpty());
        QVERIFY(images[1].Image.isNull());
        QCOMPARE(images[1].Problem,
            QStringLiteral("Cannot read picture %1: the file does not exist").arg(dir.filePath("gone.jpg")));
        QImage once = Canvas(QSize(PageAreaWidth, PageAreaHeight));
        {
            QPainter painter(&once);
            painter.scale(Scale, Scale);
            PaintReportPage(painter, layout, images);
        }
        QCOMPARE(once, DrawPage(layout));
    }

    void sheetPlacesEveryPart()
    {
        QTemporaryDir dir;
        const ReportLayout layout = LayoutReport(PageAreaWidth, Slots({ CarPicture(dir, Red) }));
        QImage sheet = Canvas(QSize(11906, 16838)); // A4
        {
            QPainter painter(&sheet);
            painter.scale(Scale, Scale);
            PaintReportSheet(painter, layout, LoadReportImages(layout, 72),
                { QStringLiteral("Smith-Car"), QStringLiteral("09:30") });
        }
        // The page area from (840, 900).
        QCOMPARE_COLOR(sheet.pixelColor(Pixel(840 + 60, 900 + 60)), Red);
        QCOMPARE_COLOR(sheet.pixelColor(Pixel(840 - 60, 900 + 60)), QColor(Qt::white));
        QCOMPARE_COLOR(sheet.pixelColor(Pixel(840 + 60, 900 - 60)), QColor(Qt::white));
        // The header's text within its line, from top 250.
        QVERIFY(AnyDark(sheet, QRect(Pixel(3000, 250), Pixel(7000, 250 + 285))));
        QVERIFY(!AnyDark(sheet, QRect(Pixel(0, 0), Pixel(11000, 240))));
        // The five lines, and nothing between them.
        const auto lineAt
            = [&sheet](int x, int y) { return AnyDark(sheet, QRect(Pixel(x, y - 10), Pixel(x, y + 10))); };
        QVERIFY(lineAt(2000, 13110));
        QVERIFY(lineAt(2000, 13920));
        QVERIFY(lineAt(7000, 13110));
        QVERIFY(lineAt(7000, 13530));
        QVERIFY(lineAt(7000, 13950));
        QVERIFY(!lineAt(2000, 13530));
        QVERIFY(!lineAt(4300, 13110));
        QVERIFY(!lineAt(7000, 13300));
        // The labels and the footer, each from its top.
        QVERIFY(AnyDark(sheet, QRect(Pixel(840, 13200), Pixel(1600, 13200 + 200))));
        QVERIFY(AnyDark(sheet, QRect(Pixel(840, 14040), Pixel(1600, 14040 + 200))));
        QVERIFY(AnyDark(sheet, QRect(Pixel(840, 14515), Pixel(1600, 14515 + 200))));
        QVERIFY(!AnyDark(sheet, QRect(Pixel(840, 14515 + 250), Pixel(5000, 16000))));
    }

    void damageListShowsEveryEntryAndTheTotals()
    {
        // Drawn at a tenth, the list's rows are about 29 pixels apart: each
        // entry's row and the three totals show ink.
        QList<DamageListEntry> entries;
        for (int i = 1; i <= 5; ++i)
            entries.append(
                { QStringLiteral("car"), i, QStringLiteral("Dent"), QStringLiteral("100"), QString(), QString() });
        QImage page = Canvas(QSize(11906, 16838));
        {
            QPainter painter(&page);
            painter.scale(Scale, Scale);
            PaintDamageList(painter, DamageListBox, entries, QStringLiteral("15000"));
        }
        QVERIFY(AnyDark(page, QRect(Pixel(840, 250), Pixel(3000, 535))));
        // Below the totals the page stays blank.
        QVERIFY(!AnyDark(page, QRect(Pixel(840, 6000), Pixel(10665, 15000))));
    }
};

QTEST_MAIN(ReportPainterTest)
#include "tst_reportpainter.moc"
