// The arithmetic of working on a marker with the mouse: which zone the
// pointer is in, where a drag step puts the marker, the zero rule of a store
// and the smallest box a marker is shown as.
#include "DataRows.h"
#include "objects/MarkerGeometry.h"

#include <QTest>

Q_DECLARE_METATYPE(PointerZone)

class MarkerGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void pointerZone_data()
    {
        Columns<float, float, float, float, PointerZone>("x", "y", "w", "h", "zone");
        const auto row = [](const char* name, float x, float y, float w, float h, PointerZone zone) {
            Row(name, x, y, w, h, zone);
        };
        row("narrow: 19 of 21 is the right edge", 19, 5, 21, 17, PointerZone::ResizeWidth);
        row("narrow: 10 of 21 is the body", 10, 5, 21, 17, PointerZone::Move);
        row("narrow: just past 0.6 of the width", 12.61f, 5, 21, 17, PointerZone::ResizeWidth);
        row("narrow: exactly 0.6 of the width", 12.6f, 5, 21, 17, PointerZone::Move);
        row("wide: 91 of 100 is the right edge", 91, 5, 100, 100, PointerZone::ResizeWidth);
        row("wide: 90 of 100 is not (strict)", 90, 5, 100, 100, PointerZone::Move);
        row("wide: 61 of 100 is the body", 61, 5, 100, 100, PointerZone::Move);
        row("low: 11 of 17 is the bottom edge", 5, 11, 21, 17, PointerZone::ResizeHeight);
        row("tall: 91 of 100 is the bottom edge", 5, 91, 100, 100, PointerZone::ResizeHeight);
        row("tall: 90 of 100 is not", 5, 90, 100, 100, PointerZone::Move);
        row("the right edge wins in the corner", 95, 95, 100, 100, PointerZone::ResizeWidth);
        row("left of the marker (a small one shown larger)", -3, 0.5f, 2, 2, PointerZone::Move);
    }
    void pointerZone()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(float, w);
        QFETCH(float, h);
        QFETCH(PointerZone, zone);
        QCOMPARE(PointerZoneAt(x, y, w, h), zone);
    }

    void dragStep_data()
    {
        Columns<PointerZone, QPointF, QPoint, QRectF>("zone", "pointer", "grab", "after");
        Row("move: grabbed at (8, 5), pointer at (20, 9)", PointerZone::Move, QPointF(20, 9), QPoint(8, 5),
            QRectF(112, 54, 21, 17));
        Row("move off the surface", PointerZone::Move, QPointF(-200, -90), QPoint(8, 5), QRectF(-108, -45, 21, 17));
        Row("width: pointer at 2 keeps it", PointerZone::ResizeWidth, QPointF(2, 9), QPoint(), QRectF(100, 50, 21, 17));
        Row("width: pointer at 3 makes it 3", PointerZone::ResizeWidth, QPointF(3, 9), QPoint(),
            QRectF(100, 50, 3, 17));
        Row("width: 40.5", PointerZone::ResizeWidth, QPointF(40.5, -30), QPoint(), QRectF(100, 50, 40.5, 17));
        Row("height: pointer at 2 keeps it", PointerZone::ResizeHeight, QPointF(9, 2), QPoint(),
            QRectF(100, 50, 21, 17));
        Row("height: pointer at 3 makes it 3", PointerZone::ResizeHeight, QPointF(90, 3), QPoint(),
            QRectF(100, 50, 21, 3));
    }
    void dragStep()
    {
        QFETCH(PointerZone, zone);
        QFETCH(QPointF, pointer);
        QFETCH(QPoint, grab);
        QFETCH(QRectF, after);
        QCOMPARE(DraggedPlace(QRectF(100, 50, 21, 17), zone, float(pointer.x()), float(pointer.y()), grab), after);
    }

    void grabPointRoundsHalvesToEven_data()
    {
        Columns<QPointF, QPoint>("pointer", "grab");
        Row("halves", QPointF(2.5, 3.5), QPoint(2, 4));
        Row("negative halves", QPointF(-0.5, -1.5), QPoint(0, -2));
        Row("near", QPointF(7.49, 7.51), QPoint(7, 8));
    }
    void grabPointRoundsHalvesToEven()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QPoint, grab);
        QCOMPARE(GrabPoint(float(pointer.x()), float(pointer.y())), grab);
    }

    void zeroCoordinatesBecomeOne_data()
    {
        Columns<QRectF, QRectF>("place", "stored");
        Row("at the corner", QRectF(0, 0, 21, 17), QRectF(1, 1, 21, 17));
        Row("only the left", QRectF(0, 80, 21, 17), QRectF(1, 80, 21, 17));
        Row("no size", QRectF(5, 6, 0, 0), QRectF(5, 6, 1, 1));
        Row("negative stays", QRectF(-4, -0.5, 21, 17), QRectF(-4, -0.5, 21, 17));
    }
    void zeroCoordinatesBecomeOne()
    {
        QFETCH(QRectF, place);
        QFETCH(QRectF, stored);
        QCOMPARE(NonZeroPlace(place), stored);
    }

    void smallMarkersAreShownLarger_data()
    {
        Columns<QRectF, QRectF>("place", "shown");
        Row("template size", QRectF(10, 10, 21, 17), QRectF(10, 10, 21, 17));
        Row("tiny, centred", QRectF(10, 10, 4, 4), QRectF(6, 7, 12, 10));
        Row("only narrow", QRectF(10, 10, 6, 30), QRectF(7, 10, 12, 30));
        Row("exactly the smallest", QRectF(0, 0, 12, 10), QRectF(0, 0, 12, 10));
    }
    void smallMarkersAreShownLarger()
    {
        QFETCH(QRectF, place);
        QFETCH(QRectF, shown);
        QCOMPARE(ShownBox(place), shown);
    }

    void numberBadges_data()
    {
        Columns<QRect, int, QRect>("shown", "number", "badge");
        Row("top right", QRect(100, 100, 21, 17), 7, QRect(117, 93, 10, 11));
        Row("wider for more digits", QRect(100, 100, 21, 17), 32767, QRect(117, 93, 34, 11));
        Row("at the top: bottom right", QRect(10, 1, 21, 17), 3, QRect(27, 14, 10, 11));
        Row("in the top right corner: bottom left", QRect(617, 1, 12, 10), 11, QRect(605, 7, 16, 11));
        Row("at the right edge: top left", QRect(600, 200, 29, 17), 2, QRect(594, 193, 10, 11));
    }
    void numberBadges()
    {
        QFETCH(QRect, shown);
        QFETCH(int, number);
        QFETCH(QRect, badge);
        const QRect placed = NumberBadgeBox(shown, number, QSize(629, 480));
        QCOMPARE(placed, badge);
        // Only a corner of the marker is covered.
        QVERIFY(!placed.contains(shown));
        QVERIFY(placed.intersected(shown).width() <= BadgeOverlap);
    }
};

QTEST_MAIN(MarkerGeometryTest)
#include "tst_markergeometry.moc"
