// The viewport's sizes on their own: where the zoom steps stop, to the last
// bit of single precision.
#include "DataRows.h"
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

    // Zooming out stops before a side is smaller than MinSurfaceSide;
    // zooming in stops before the surface outgrows the box by more than the
    // scroll bars address. A step that reaches the limit exactly is taken.
    void zoomStopsAtTheLimits_data()
    {
        Columns<bool, QSizeF, bool, QSizeF>("in", "current", "taken", "next");
        Row("out: width lands on the smallest side", false, QSizeF(OutToTheSmallestSide, 100), true, QSizeF(16, 95));
        Row("out: height lands on the smallest side", false, QSizeF(100, OutToTheSmallestSide), true, QSizeF(95, 16));
        Row("out: both land on the smallest side", false, QSizeF(OutToTheSmallestSide, OutToTheSmallestSide), true,
            QSizeF(16, 16));
        Row("out: width lands just below it", false, QSizeF(OutBelowTheSmallestSide, 100), false, QSizeF());
        Row("out: height lands just below it", false, QSizeF(100, OutBelowTheSmallestSide), false, QSizeF());
        Row("out: already the smallest side", false, QSizeF(16, 100), false, QSizeF());
        Row("in: width reaches the last pixel", true, QSizeF(InToTheLastScrollPixel, 100), true, QSizeF(33396, 105));
        Row("in: width goes past it", true, QSizeF(InPastTheLastScrollPixel, 100), false, QSizeF());
    }
    void zoomStopsAtTheLimits()
    {
        QFETCH(bool, in);
        QFETCH(QSizeF, current);
        QFETCH(bool, taken);
        QFETCH(QSizeF, next);
        const std::optional<QSizeF> size = ZoomStepSize(current, in, Box);
        QCOMPARE(size.has_value(), taken);
        if (taken) {
            QVERIFY2(size->width() == next.width() && size->height() == next.height(),
                qPrintable(QStringLiteral("%1 x %2").arg(size->width(), 0, 'g', 17).arg(size->height(), 0, 'g', 17)));
        }
    }
};

QTEST_GUILESS_MAIN(ViewGeometryTest)
#include "tst_viewgeometry.moc"
