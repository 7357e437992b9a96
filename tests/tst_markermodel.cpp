// The markers of a picture as data, without a window: the record text they
// are stored as, the arithmetic of the mouse on a marker and of its number
// badge, a slot's list rebuilt into markers (records that cannot be shown
// kept as they stood), the stacking order, the marker under a point and a
// drag over several moves.
#include "DataRows.h"
#include "common/UserError.h"
#include "objects/MarkerGeometry.h"
#include "objects/MarkerModel.h"
#include "objects/ObjectList.h"

#include <QTest>

Q_DECLARE_METATYPE(PointerZone)

namespace {

// A Dent costing 250 at (314.5, 240), 20.97 x 16 on a 629 x 480 surface, and
// a Scratch without a cost at (37, 120).
const QString TwoMarkers = QStringLiteral("1;2;2;30;30;1;250;;,3;17;4;30;30;3;;;,");
const QString Kept = QStringLiteral("It is kept as it stands and saved unchanged.");

// The markers of a list, placed on a 629 x 480 surface.
MarkerModel Placed(const QString& list)
{
    MarkerModel model;
    (void)model.Rebuild(list, 0);
    model.PositionObjects(629, 480);
    return model;
}

// Hovers at from, presses there, moves through the steps and releases.
void Drag(MarkerModel& model, QPointF from, const QList<QPointF>& steps)
{
    model.Press(model.Hover(from), from);
    for (const QPointF& step : steps)
        model.DragTo(step);
    model.Release();
}

} // namespace

class MarkerModelTest : public QObject {
    Q_OBJECT

private slots:
    void recordText_data()
    {
        Columns<QString, QRectF, QString, QString>("tag", "marker", "detail", "record");
        Row("scratch with details", "3", QRectF(64, 168, 21, 17), "250;12/05/2005;left door",
            "3;12.5;4.166667;38.09524;41.17647;3;250;12/05/2005;left door,");
        Row("general damage, no details", "10", QRectF(16, 700.0 / 7.5, 21, 17), "",
            "10;50;7.5;38.09524;41.17647;10;,");
        Row("dragged off the surface", "1", QRectF(-40, -35, 21, 17), ";;", "1;-20;-20;38.09524;41.17647;1;;;,");
    }
    void recordText()
    {
        QFETCH(QString, tag);
        QFETCH(QRectF, marker);
        QFETCH(QString, detail);
        QFETCH(QString, record);
        const ObjectPlacement placement = PlacementOf(
            800, 700, float(marker.left()), float(marker.top()), float(marker.width()), float(marker.height()));
        QCOMPARE(FormatRecord(tag, placement, detail), record);
    }

    // A record that cannot be shown is refused with a text that says why;
    // seven fields is the least a marker has. One that can be read is
    // written back as the same text, and its details and cost are what
    // follows the sixth field.
    void readsARecord_data()
    {
        Columns<QString, QString, int, QString, double>("record", "problem", "type", "detail", "cost");
        Row("seven fields, the last empty", "3;12.5;4.166667;38.09524;41.17647;3;", "", 3, "", 0.0);
        Row("nine fields", "10;50;7.5;38.09524;41.17647;10;250;12/05/2005;left door", "", 10,
            "250;12/05/2005;left door", 250.0);
        Row("seven fields with a cost", "10;50;7.5;38.09524;41.17647;10;12.5", "", 10, "12.5", 12.5);
        Row("separators inside the comment", "1;2;2;30;30;1;1000.50;;a;b;c", "", 1, "1000.50;;a;b;c", 1000.5);
        Row("cost with words", "1;2;2;30;30;1;about 90;;", "", 1, "about 90;;", 0.0);
        Row("six fields", "1;2;2;30;30;1", "it has 6 fields where a marker has at least 7", 0, "", 0.0);
        Row("five fields", "1;2;2;30;30", "it has 5 fields where a marker has at least 7", 0, "", 0.0);
        Row("no type 9", "9;2;2;30;30;9;", "its damage type \"9\" names no toolbar button", 0, "", 0.0);
        Row("a ratio of 0", "1;0;2;30;30;1;", "its placement \"0\" is not a number other than 0", 0, "", 0.0);
        Row("a ratio that is no number", "1;2;x;30;30;1;", "its placement \"x\" is not a number other than 0", 0, "",
            0.0);
    }
    void readsARecord()
    {
        QFETCH(QString, record);
        QFETCH(QString, problem);
        QFETCH(int, type);
        QFETCH(QString, detail);
        QFETCH(double, cost);
        QCOMPARE(DetailOf(record), detail);
        QCOMPARE(RecordCost(record), cost);
        ObjectRecord read;
        QString seen;
        try {
            read = ParseRecord(record);
        } catch (const UserError& error) {
            seen = error.Text();
        }
        QCOMPARE(seen, problem);
        if (!problem.isEmpty())
            return;
        QCOMPARE(read.DamageType, type);
        QCOMPARE(FormatRecord(read.Tag, read.Placement, read.Detail), record + u',');
    }

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

    void rebuildNumbersAndKeepsWhatCannotBeShown_data()
    {
        Columns<QString, int, QString, QString>("list", "count", "problems", "written");
        Row("two markers", TwoMarkers, 3, "", TwoMarkers);
        Row("empty", "", 1, "", "");
        Row("a record of type 9 between two", "1;2;2;30;30;1;;,9;2;2;30;30;9;,3;4;4;30;30;3;;,", 3,
            "Marker 2 (\"9;2;2;30;30;9;\") cannot be shown: its damage type \"9\" names no toolbar button.\n" + Kept,
            "1;2;2;30;30;1;;,3;4;4;30;30;3;;,9;2;2;30;30;9;,");
        Row("blanks after the last comma", "1;2;2;30;30;1;;,  ", 2,
            "The text \"  \" after the last marker cannot be shown: it does not end with \",\".\n" + Kept,
            "1;2;2;30;30;1;;,  ");
        Row("empty records", ",,1;2;2;30;30;1;;,", 2,
            "Marker 1 (\"\") cannot be shown: it has 1 fields where a marker has at least 7.\nMarker 2 (\"\") cannot "
            "be shown: it has 1 fields where a marker has at least 7.\n"
                + Kept,
            "1;2;2;30;30;1;;,,,");
        Row("a last record without its comma", "1;2;2;30;30;1;;,3;4;4;30;30;3;5;;door", 2,
            "The text \"3;4;4;30;30;3;5;;door\" after the last marker cannot be shown: it does not end with \",\".\n"
                + Kept,
            "1;2;2;30;30;1;;,3;4;4;30;30;3;5;;door");
    }
    void rebuildNumbersAndKeepsWhatCannotBeShown()
    {
        QFETCH(QString, list);
        QFETCH(int, count);
        QFETCH(QString, problems);
        QFETCH(QString, written);
        MarkerModel model;
        QCOMPARE(model.Rebuild(list, 4), problems);
        QCOMPARE(model.DisplayedSlot(), 4);
        QCOMPARE(model.Count(), count);
        QCOMPARE(model.ObjectList(), written);
        // Numbered in list order, stacked in it, the last in front.
        for (int index = 1; index < count; ++index)
            QCOMPARE(model.StackingOrder()[size_t(index - 1)], index);
        model.Unload();
        QCOMPARE(model.Count(), 1);
        QCOMPARE(model.DisplayedSlot(), -1);
        QCOMPARE(model.ObjectList(), QString());
    }

    void aDeletedMarkerKeepsTheOthersNumbers()
    {
        MarkerModel model = Placed(TwoMarkers);
        model.Hide(1);
        QVERIFY(!model.IsShown(1));
        QVERIFY(model.IsShown(2));
        QCOMPARE(model.MarkerAt(model.Item(1).Place.center()), 0);
        QCOMPARE(model.ObjectList(), QStringLiteral("3;17;4;30;30;3;;;,"));
        MarkerItem added = model.Item(0);
        added.Tag = QStringLiteral("5");
        QCOMPARE(model.Add(added), 3);
        QCOMPARE(model.Item(3).Place, QRectF(0, 0, MarkerModel::TemplateWidth, MarkerModel::TemplateHeight));
    }

    void theFrontMarkerTakesThePoint()
    {
        MarkerModel model = Placed(QStringLiteral("1;2;2;30;30;1;;,3;2;2;30;30;3;;,"));
        const QPointF centre = model.Item(1).Place.center();
        QCOMPARE(model.MarkerAt(centre), 2);
        model.SendToBack(2);
        QCOMPARE(model.StackingOrder(), (std::vector<int> { 2, 1 }));
        QCOMPARE(model.MarkerAt(centre), 1);
        model.BringToFront(2);
        QCOMPARE(model.StackingOrder(), (std::vector<int> { 1, 2 }));
        QCOMPARE(model.MarkerAt(centre), 2);
        QCOMPARE(model.MarkerAt(QPointF(600, 450)), 0);
    }

    // Of three markers over one point, the front one takes it, whatever was
    // restacked, hidden or dragged across the grid's cells, and at and
    // beyond the surface's edges.
    void theFrontOneAfterEveryChange_data()
    {
        Columns<QString, QPointF, int>("change", "at", "marker");
        Row("the front one of three", "none", QPointF(12, 10), 3);
        Row("after a send to the back", "back", QPointF(12, 10), 2);
        Row("after a bring to the front", "front", QPointF(12, 10), 1);
        Row("after a hide", "hide", QPointF(12, 10), 2);
        Row("where a drag across cells left", "drag", QPointF(12, 10), 2);
        Row("where a drag across cells went", "drag", QPointF(321, 211), 3);
        Row("beyond the top-left edge", "none", QPointF(-3, -2), 1);
        Row("at the far corner", "corner", QPointF(628, 479), 2);
        Row("beyond the far corner", "corner", QPointF(640, 486), 2);
        Row("rebuilt, not yet positioned", "rebuild", QPointF(20, 16), 3);
        Row("a nudge within its cells, where it went", "nudge", QPointF(31, 10), 3);
        Row("a nudge within its cells, where it left", "nudge", QPointF(10, 10), 2);
    }
    void theFrontOneAfterEveryChange()
    {
        QFETCH(QString, change);
        QFETCH(QPointF, at);
        QFETCH(int, marker);
        const QString list = QStringLiteral("1;2;2;30;30;1;;,2;2;2;30;30;2;;,3;2;2;30;30;3;;,");
        MarkerModel model = Placed(list);
        model.SetPlace(1, QRectF(-6, -5, 21, 17));
        model.SetPlace(2, QRectF(4, 3, 21, 17));
        model.SetPlace(3, QRectF(10, 8, 21, 17));
        if (change == "back")
            model.SendToBack(3);
        if (change == "front")
            model.BringToFront(1);
        if (change == "hide")
            model.Hide(3);
        if (change == "drag")
            Drag(model, QPointF(20, 12), { QPointF(320, 212) });
        if (change == "rebuild")
            (void)model.Rebuild(list, 0);
        if (change == "corner")
            model.SetPlace(2, QRectF(620, 470, 21, 17));
        if (change == "nudge" && model.MarkerAt(at) >= 0)
            model.SetPlace(3, QRectF(11, 8, 21, 17));
        QCOMPARE(model.MarkerAt(at), marker);
    }

    // A crowd of markers, some beyond the edges, restacked, hidden, moved and
    // added to: at every point the marker found is the one a walk of the
    // whole stacking order finds, and a box meets every marker it paints.
    void theGridFindsWhatAWalkFinds()
    {
        QString list;
        for (int i = 0; i < 240; ++i)
            list
                += QStringLiteral("1;%1;%2;30;30;1;;,").arg(629.0 / (i % 20 * 33 - 15)).arg(480.0 / (i / 20 * 41 - 12));
        MarkerModel model = Placed(list);
        model.SendToBack(230);
        model.BringToFront(5);
        model.Hide(100);
        model.SetPlace(7, QRectF(600, 470, 60, 40));
        // Two markers over most of the surface, kept apart from the cells.
        model.SetPlace(12, QRectF(-40, -30, 700, 520));
        model.SetPlace(13, QRectF(100, 90, 300, 200));
        model.SendToBack(12);
        Drag(model, model.Item(45).Place.center(), { QPointF(300, 20) });
        (void)model.Add(model.Item(3));
        int hits = 0;
        for (int y = -20; y < 510; y += 4) {
            for (int x = -20; x < 660; x += 4) {
                int walked = 0;
                for (const int index : model.StackingOrder()) {
                    if (model.IsShown(index) && PixelBox(ShownBox(model.Item(index).Place)).contains(x, y))
                        walked = index;
                }
                QCOMPARE(model.MarkerAt(QPointF(x, y)), walked);
                hits += walked > 0 ? 1 : 0;
                const std::vector<int> met = model.MarkersIn(QRect(x, y, 3, 3));
                QVERIFY(walked == 0 || std::find(met.begin(), met.end(), walked) != met.end());
            }
        }
        QCOMPARE(hits, 21835);
    }

    // The pointer's place in the marker when the button goes down decides:
    // the body moves, the far edges resize, over every step of the drag.
    void dragsOverSeveralMoves_data()
    {
        Columns<QPointF, QList<QPointF>, QRectF>("grab", "steps", "after");
        const QRectF start(37, 120, 629.0f / 30, 16); // marker 2
        Row("the body follows the pointer", QPointF(8, 5), QList<QPointF> { { 11, 6 }, { 14, 7 }, { 20, 9 } },
            start.translated(12, 4));
        Row("a move stays a move over the edge zone", QPointF(4, 4), QList<QPointF> { { 10, 4 }, { 19, 4 } },
            start.translated(15, 0));
        Row("the right edge resizes, never below 3", QPointF(19, 5), QList<QPointF> { { 30, 5 }, { 10, 5 }, { 2, 5 } },
            QRectF(start.topLeft(), QSizeF(10, 16)));
        Row("the bottom edge resizes", QPointF(5, 15), QList<QPointF> { { 5, 20 }, { 5, 40 } },
            QRectF(start.topLeft(), QSizeF(start.width(), 40)));
        Row("off the surface", QPointF(8, 5), QList<QPointF> { { -50, -40 }, { -192, -125 } },
            start.translated(-200, -130));
    }
    void dragsOverSeveralMoves()
    {
        QFETCH(QPointF, grab);
        QFETCH(QList<QPointF>, steps);
        QFETCH(QRectF, after);
        MarkerModel model = Placed(TwoMarkers);
        const QPointF corner = model.Item(2).Place.topLeft();
        QList<QPointF> onSurface;
        for (const QPointF& step : std::as_const(steps))
            onSurface.append(corner + step);
        Drag(model, corner + grab, onSurface);
        QCOMPARE(model.Item(2).Place, after);
        QCOMPARE(model.Pressed(), 0);
        QCOMPARE(model.Item(1).Place.topLeft(), QPointF(314.5, 240));
    }

    // A marker far smaller than its shown box is still hit and moved, and
    // keeps its own size.
    void tinyMarkersStayGrabbable()
    {
        MarkerModel model = Placed(QStringLiteral("1;2;2;300;240;1;;,"));
        const QRectF place = model.Item(1).Place;
        QCOMPARE(model.MarkerAt(place.center() + QPointF(5, 4)), 1);
        QCOMPARE(model.MarkerAt(place.center() + QPointF(7, 0)), 0);
        const QPointF grab = place.center() - QPointF(4, 0);
        Drag(model, grab, { grab + QPointF(40, 20), grab + QPointF(100, 50) });
        QVERIFY(qAbs(model.Item(1).Place.left() - (place.left() + 100)) <= 0.5);
        QCOMPARE(model.Item(1).Place.top(), place.top() + 50);
        QCOMPARE(model.Item(1).Place.size(), place.size());
    }

    void aHiddenMarkerIsNotDragged()
    {
        MarkerModel model = Placed(TwoMarkers);
        const QPointF centre = model.Item(2).Place.center();
        model.Press(model.Hover(centre), centre);
        model.Hide(2);
        model.DragTo(centre + QPointF(50, 50));
        QCOMPARE(model.Item(2).Place.center(), centre);
        QCOMPARE(model.Release(), 2);
    }
};

QTEST_APPLESS_MAIN(MarkerModelTest)
#include "tst_markermodel.moc"
