// The viewport's sizes, to the last bit of single precision.
#include "DataRows.h"
#include "document/WorkspaceLayout.h"
#include "viewport/ViewGeometry.h"

#include <QTest>

class ViewGeometryTest : public QObject {
    Q_OBJECT

private slots:
    // The width shrinks a pixel at a time, the height following; never enlarged.
    void fitSize_data()
    {
        Columns<QSizeF, QSizeF>("natural", "fitted");
        Row("landscape photo", QSizeF(1600, 1200), QSizeF(629, 471.75));
        Row("small picture stays", QSizeF(300, 200), QSizeF(300, 200));
        Row("exactly the box", QSizeF(629, 480), QSizeF(629, 480));
        Row("too tall", QSizeF(500, 900), QSizeF(266, 478.8f));
    }
    void fitSize()
    {
        QFETCH(QSizeF, natural);
        QFETCH(QSizeF, fitted);
        QCOMPARE(FitSize(natural, QSizeF(629, 480)), fitted);
    }

    // A step of 5 % lands exactly on the smallest side, or on the last pixel the
    // scroll bars address (box width + 32767); from the next single-precision
    // value beyond, it is refused (an invalid size here).
    void zoomStep_data()
    {
        Columns<bool, QSizeF, QSizeF>("in", "current", "next");
        Row("out: width lands on the smallest side", false, QSizeF(16.8421059f, 100), QSizeF(16, 95));
        Row("out: width lands just below it", false, QSizeF(16.842104f, 100), QSizeF());
        Row("out: height lands just below it", false, QSizeF(100, 16.842104f), QSizeF());
        Row("in: width reaches the last pixel", true, QSizeF(31805.7148f, 100), QSizeF(33396, 105));
        Row("in: width goes past it", true, QSizeF(31805.7168f, 100), QSizeF());
        Row("in: height goes past it", true, QSizeF(100, 31700), QSizeF());
    }
    void zoomStep()
    {
        QFETCH(bool, in);
        QFETCH(QSizeF, current);
        QFETCH(QSizeF, next);
        QCOMPARE(ZoomStepSize(current, in, QSizeF(629, 480)).value_or(QSizeF()), next);
    }

    // The box takes the room beyond the design client area (1033 x 721), its bars along its right and bottom edges,
    // the panel column as far right as the box grew; below the design, or off, every place is as designed.
    void workspaceLayout_data()
    {
        Columns<QSize, bool, QList<QRect>, int>("client", "on", "places", "offset");
        const QList<QRect> design { { 70, 182, 629, 480 }, { 70, 662, 651, 17 }, { 704, 184, 20, 479 } };
        Row("off", QSize(1920, 1080), false, design, 0);
        Row("below the design", QSize(800, 600), true, design, 0);
        Row("at the design", QSize(1033, 721), true, design, 0);
        Row("wider", QSize(1034, 721), true,
            QList<QRect> { { 70, 182, 630, 480 }, { 70, 662, 652, 17 }, { 705, 184, 20, 479 } }, 1);
        Row("taller, narrower", QSize(900, 1000), true,
            QList<QRect> { { 70, 182, 629, 759 }, { 70, 941, 651, 17 }, { 704, 184, 20, 758 } }, 0);
        Row("both", QSize(1920, 1080), true,
            QList<QRect> { { 70, 182, 1516, 839 }, { 70, 1021, 1538, 17 }, { 1591, 184, 20, 838 } }, 887);
    }
    void workspaceLayout()
    {
        QFETCH(QSize, client);
        QFETCH(bool, on);
        QFETCH(QList<QRect>, places);
        QFETCH(int, offset);
        const WorkspaceLayout layout = LayOutWorkspace(client, on);
        QCOMPARE(QList({ layout.Box, layout.HorizontalBar, layout.VerticalBar }), places);
        QCOMPARE(layout.PanelOffset, offset);
    }
};

QTEST_GUILESS_MAIN(ViewGeometryTest)
#include "tst_viewgeometry.moc"
