// The viewport's sizes on their own: where the zoom steps stop, to the last
// bit of single precision.
#include "viewport/ViewGeometry.h"

#include <QTest>

namespace {

const QSizeF Box(629, 480);

// From the first of each pair of sides one step lands exactly on a limit:
// the smallest side, or the box's width plus the overflow the scroll bars
// address. The second is the neighbouring single-precision value on the far
// side, from which the step lands beyond the limit.
constexpr float OutToTheSmallestSide = 16.8421059f;
constexpr float OutBelowTheSmallestSide = 16.842104f;
constexpr float InToTheLastScrollPixel = 31805.7148f;
constexpr float InPastTheLastScrollPixel = 31805.7168f;

} // namespace

class ViewGeometryTest : public QObject {
    Q_OBJECT

private slots:
    // The values above do land where they are said to.
    void stepsLandWhereTheRowsSay()
    {
        // Exactly, not QCOMPARE's nearly equal.
        QVERIFY(OutToTheSmallestSide - OutToTheSmallestSide * ZoomStepFactor == MinSurfaceSide);
        QVERIFY(OutBelowTheSmallestSide - OutBelowTheSmallestSide * ZoomStepFactor < MinSurfaceSide);
        QVERIFY(InToTheLastScrollPixel + InToTheLastScrollPixel * ZoomStepFactor == 629.0f + MaxScrollOverflow);
        QVERIFY(InPastTheLastScrollPixel + InPastTheLastScrollPixel * ZoomStepFactor > 629.0f + MaxScrollOverflow);
    }

    // Zooming out stops before a side is smaller than MinSurfaceSide: a step
    // that makes it exactly that small is taken.
    void zoomOutStopsBeforeTheSmallestSide_data()
    {
        QTest::addColumn<QSizeF>("current");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QSizeF>("next");
        QTest::newRow("width lands on the smallest side")
            << QSizeF(OutToTheSmallestSide, 100) << true << QSizeF(16, 95);
        QTest::newRow("height lands on the smallest side")
            << QSizeF(100, OutToTheSmallestSide) << true << QSizeF(95, 16);
        QTest::newRow("both land on the smallest side")
            << QSizeF(OutToTheSmallestSide, OutToTheSmallestSide) << true << QSizeF(16, 16);
        QTest::newRow("width lands just below it") << QSizeF(OutBelowTheSmallestSide, 100) << false << QSizeF();
        QTest::newRow("height lands just below it") << QSizeF(100, OutBelowTheSmallestSide) << false << QSizeF();
        QTest::newRow("already the smallest side") << QSizeF(16, 100) << false << QSizeF();
    }
    void zoomOutStopsBeforeTheSmallestSide()
    {
        QFETCH(QSizeF, current);
        QFETCH(bool, taken);
        QFETCH(QSizeF, next);
        const std::optional<QSizeF> size = ZoomStepSize(current, false, Box);
        QCOMPARE(size.has_value(), taken);
        if (taken) {
            QVERIFY2(size->width() == next.width() && size->height() == next.height(),
                qPrintable(QStringLiteral("%1 x %2").arg(size->width(), 0, 'g', 17).arg(size->height(), 0, 'g', 17)));
        }
    }

    // Zooming in stops before the surface outgrows the box by more than the
    // scroll bars address: a step that reaches exactly that is taken.
    void zoomInStopsAtTheLastScrollPixel_data()
    {
        QTest::addColumn<QSizeF>("current");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QSizeF>("next");
        QTest::newRow("width reaches the last pixel")
            << QSizeF(InToTheLastScrollPixel, 100) << true << QSizeF(33396, 105);
        QTest::newRow("width goes past it") << QSizeF(InPastTheLastScrollPixel, 100) << false << QSizeF();
    }
    void zoomInStopsAtTheLastScrollPixel()
    {
        QFETCH(QSizeF, current);
        QFETCH(bool, taken);
        QFETCH(QSizeF, next);
        const std::optional<QSizeF> size = ZoomStepSize(current, true, Box);
        QCOMPARE(size.has_value(), taken);
        if (taken) {
            QVERIFY2(size->width() == next.width() && size->height() == next.height(),
                qPrintable(QStringLiteral("%1 x %2").arg(size->width(), 0, 'g', 17).arg(size->height(), 0, 'g', 17)));
        }
    }
};

QTEST_GUILESS_MAIN(ViewGeometryTest)
#include "tst_viewgeometry.moc"
