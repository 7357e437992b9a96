// Working on the markers of the shown picture as a user does: the damage-type
// toolbar, pressing, dragging and resizing markers with the mouse, their
// pop-up menu, the details dialog, and the keys that page, zoom, delete and
// nudge, with the counts, the totals and the slot's list following.
#include "DataRows.h"
#include "MainWindow.h"
#include "PaintRecorder.h"
#include "objects/DamageToolbar.h"
#include "objects/DragTiles.h"
#include "objects/MarkerGeometry.h"
#include "objects/MarkerLayer.h"
#include "viewport/PictureSurface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

// A Dent costing 250 at (314.5, 240), 20.97 x 16, and a Scratch without a
// cost at (37, 120), on a picture of the viewport's size.
const QString TwoMarkers = QStringLiteral("1;2;2;30;30;1;250;;,3;17;4;30;30;3;;;,");

// Thirteen markers stacked over each other, each a little down and to the
// right of the one before, which lies below it.
QString StackOfThirteen()
{
    QString stack;
    for (int k = 0; k < 13; ++k)
        stack += QStringLiteral("%1;%2;%3;30;30;%1;;;,").arg(k % 8 + 1).arg(6.0 - k * 0.15).arg(5.0 - k * 0.1);
    return stack;
}
const QString Stack = StackOfThirteen();

// A shown, active window with Smith.grp open (car value 8500) and its first
// picture displayed.
struct Window : MainWindow {
    explicit Window(const QString& firstList = TwoMarkers, const QString& secondList = QString())
    {
        OpenTwoPictures(firstList, secondList);
        window.ClipClicked(0, 1);
        ShowActive();
    }

    [[nodiscard]] const MarkerModel& Model() const { return OBJ().Model(); }
    [[nodiscard]] QPoint Inside(int index, QPointF offset) const
    {
        return (Model().Item(index).Place.topLeft() + offset).toPoint();
    }
    // The image's and the group's marker counts, as the totals panel shows
    // them.
    [[nodiscard]] QString Counts() const { return Label("LblCount") + u'/' + Label("LblTotal"); }

    // A press and release as the window system delivers them: to whatever
    // holds the mouse (a pop-up menu, say), not straight to the layer.
    void SystemClick(Qt::MouseButton button, QPoint onLayer)
    {
        const QPoint at = OBJ().mapTo(&window, onLayer);
        QTest::mousePress(window.windowHandle(), button, {}, at);
        QTest::mouseRelease(window.windowHandle(), button, {}, at);
    }
    void RightClick(int index)
    {
        Click(index, Qt::RightButton);
        Menu<QMenu>("mnuObject")->hide();
    }
    // A key pressed where the focus is, as the keyboard would send it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, key, modifiers);
    }
    [[nodiscard]] float SurfaceWidth() const { return PicZoom()->SurfaceWidth(); }
};

// Claims Ctrl+E for the field it watches, as a line edit does on desktops
// where Ctrl+E moves to the end of the line.
class ClaimsCtrlE : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride
            && static_cast<QKeyEvent*>(event)->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
            event->accept();
            return true;
        }
        return false;
    }
};

} // namespace

class MarkerWorkTest : public QObject {
    Q_OBJECT

private slots:
    void toolbarHasTheTenTypesInOrder()
    {
        Window w;
        const QStringList names { "Ding", "Dent", "Rust", "Scratch", "Stain", "Tear", "Cig Burn", "Mechanical Damage",
            "Electrical Damage", "", "General Damage" };
        const QList<int> tops { 8, 32, 56, 80, 112, 136, 160, 192, 216, -1, 240 };
        QCOMPARE(Control<DamageToolbar>(w.window, "PicTbr")->geometry(), QRect(14, 180, 51, 485));
        for (int number = 0; number <= 10; ++number) {
            const auto* button = w.window.findChild<QToolButton*>(QStringLiteral("TBR%1").arg(number));
            QCOMPARE(button == nullptr, number == 9);
            if (button) {
                QCOMPARE(button->toolTip(), names[number]);
                QCOMPARE(button->geometry(), QRect(10, tops[number], 29, 24));
            }
        }
    }

    // A new marker lands at the top-left of the visible part (0 stored as
    // 1), in front, numbered after the slot's own markers, also when the
    // slot was not shown yet.
    void placingAMarker_data()
    {
        Columns<QPoint, bool, QString>("scroll", "shown", "record");
        Row("unscrolled", QPoint(0, 0), true, "4;629;480;29.95238;28.23529;4;,");
        Row("scrolled", QPoint(120, 80), true, "4;5.241667;6;29.95238;28.23529;4;,");
        Row("on a slot not shown yet", QPoint(0, 0), false, "4;629;480;29.95238;28.23529;4;,");
    }
    void placingAMarker()
    {
        QFETCH(QPoint, scroll);
        QFETCH(bool, shown);
        QFETCH(QString, record);
        Window w;
        if (!shown)
            w.window.OpenFile(w.Path("Smith.grp"));
        for (const char* name : { "HS", "VS" })
            w.Menu<QScrollBar>(name)->setMaximum(500);
        w.Menu<QScrollBar>("HS")->setValue(scroll.x());
        w.Menu<QScrollBar>("VS")->setValue(scroll.y());
        QTest::mouseClick(w.Menu<QToolButton>("TBR4"), Qt::LeftButton);
        QCOMPARE(w.Model().Count(), 4);
        QCOMPARE(w.List(), TwoMarkers + record);
        QCOMPARE(w.Selected(), 3);
        QCOMPARE(w.Counts(), QStringLiteral("3/3"));
        QVERIFY(w.Changed());
        QCOMPARE(w.Model().StackingOrder().back(), 3);
    }

    void markersGoOnlyWhereTheyCanBeSaved_data()
    {
        Columns<int, QString>("slot", "message");
        Row("an empty slot", 2, "There is no picture in Pic 3 to place a marker on. Import a picture first.");
        Row("a full group", 1, "The group already holds 32767 markers, the most it can hold.");
    }
    void markersGoOnlyWhereTheyCanBeSaved()
    {
        QFETCH(int, slot);
        QFETCH(QString, message);
        Window w(slot == 1 ? QStringLiteral("1;2;2;30;30;1;;,").repeated(32767) : QString());
        w.fake.Calls.clear();
        w.window.ClipClicked(qint16(slot), 1);
        if (QMenu* menu = w.Menu<QMenu>("mnuImage"); menu->isVisible())
            menu->hide();
        w.window.TBR_Click(1);
        QCOMPARE(w.fake.Messages().size(), 1);
        const FakePlatform::Call shown = w.fake.LastMessage();
        QCOMPARE(shown.Text, message);
        QCOMPARE(shown.Title, QStringLiteral("Sub : TBR_Click"));
        QCOMPARE(shown.Buttons, MsgButtons::Ok);
        QCOMPARE(shown.Icon, MsgIcon::Information);
        QVERIFY(w.List(slot).isEmpty());
        QVERIFY(!w.Changed());
    }

    // Only the marker a release ends on is measured again and stored; an
    // empty surface never gives a zero ratio.
    void onlyTheSelectedMarkerIsMeasuredAgain()
    {
        Window w { QString() };
        w.window.TBR_Click(1);
        w.window.TBR_Click(2);
        w.OBJ().SendToBack(2);
        w.OBJ().SetPlace(1, QRectF(300, 200, 21, 17));
        w.window.StoreObjects();
        QCOMPARE(w.List(), QStringLiteral("1;629;480;29.95238;28.23529;1;,2;629;480;29.95238;28.23529;2;,"));
        w.Click(1);
        QVERIFY(w.List().startsWith(QStringLiteral("1;2.096667;2.4;29.95238;28.23529;1;,2;629;")));
        w.PicZoom()->SetDisplaySize(QSizeF(0, 0));
        w.window.TBR_Click(1);
        QVERIFY(w.List().endsWith(QStringLiteral(";28.23529;2;,1;1;1;0.04761905;0.05882353;1;,")));
    }

    // Each marker's picture over its box and its number in a badge on a
    // corner; the selected one (2, as the rebuild left it) framed, its badge
    // drawn again on top. See-through, only the pictures are faint.
    void whatTheMarkersShow()
    {
        Window w;
        for (const bool seeThrough : { false, true, false }) {
            w.Menu("mnuSeeThrough")->setChecked(seeThrough);
            const PaintRecorder painted(
                [&w](QPainter& painter) { w.OBJ().render(&painter, QPoint(), QRegion(), QWidget::DrawChildren); });
            const QString faint = seeThrough ? " 0.4" : "";
            QCOMPARE(PaintRecorder::Shown(painted.Records),
                QStringList({ "image 315,240 20x16 20x16" + faint, "rect 331,233 10x11 #d214181e",
                    "image 333,233 6x11 6x11", "image 37,120 21x16 21x16" + faint, "rect 54,113 10x11 #d214181e",
                    "image 56,113 6x11 6x11", "rect 36,119 24x19 #ffffff 1", "rect 36,119 24x19 #000000 1",
                    "rect 54,113 10x11 #d214181e", "image 56,113 6x11 6x11" }));
        }
    }

    // A repaint of a small part draws only what meets it, back to front:
    // the selected marker's frame and badge always come last.
    void aSmallRepaintDrawsWhatItMeets_data()
    {
        Columns<QRect, QStringList>("exposed", "shown");
        const QStringList frame { "rect 36,119 24x19 #ffffff 1", "rect 36,119 24x19 #000000 1",
            "rect 54,113 10x11 #d214181e" };
        Row("the first marker's badge", QRect(336, 233, 4, 5),
            QStringList { "rect 331,233 10x11 #d214181e", "image 333,233 6x11 6x11" } + frame);
        Row("the second marker's picture", QRect(40, 130, 4, 4), QStringList { "image 37,120 21x16 21x16" } + frame);
        Row("the second marker's badge", QRect(54, 113, 280, 2),
            QStringList { "rect 54,113 10x11 #d214181e", "image 56,113 6x11 6x11" } + frame
                + QStringList { "image 56,113 6x11 6x11" });
        Row("no marker", QRect(200, 300, 5, 5), frame);
    }
    void aSmallRepaintDrawsWhatItMeets()
    {
        QFETCH(QRect, exposed);
        QFETCH(QStringList, shown);
        Window w;
        const PaintRecorder painted([&](QPainter& painter) {
            w.OBJ().render(&painter, exposed.topLeft(), QRegion(exposed), QWidget::DrawChildren);
        });
        QCOMPARE(PaintRecorder::Shown(painted.Records), shown);
    }

    // A press reaches the marker under the pointer, with the cursor its
    // zone shows; the drag over several moves is stored at the release.
    void dragsAreStoredAtTheRelease_data()
    {
        Columns<QPointF, QPoint, int, QString>("grab", "by", "cursor", "record");
        Row("body", QPointF(8, 5), QPoint(12, 4), int(Qt::SizeAllCursor), "3;12.83673;3.870968;30;30;3;;;,");
        Row("right edge", QPointF(19, 5), QPoint(-9, 30), int(Qt::SizeHorCursor), "3;17;4;62.9;30;3;;;,");
        Row("bottom edge", QPointF(5, 15), QPoint(40, 9), int(Qt::SizeVerCursor), "3;17;4;30;20;3;;;,");
    }
    void dragsAreStoredAtTheRelease()
    {
        QFETCH(QPointF, grab);
        QFETCH(QPoint, by);
        QFETCH(int, cursor);
        QFETCH(QString, record);
        Window w;
        const QPoint from = w.Inside(2, grab);
        QTest::mouseMove(&w.OBJ(), from);
        QCOMPARE(int(w.OBJ().cursor().shape()), cursor);
        w.Drag(from, MainWindow::Steps(from, from + by));
        QCOMPARE(w.Model().Pressed(), 0);
        QCOMPARE(w.Selected(), 2);
        QCOMPARE(w.List(), QStringLiteral("1;2;2;30;30;1;250;;,") + record);
        QVERIFY(w.Changed());
    }

    // The tiles a thread draws ahead round a dragged marker are the tiles
    // drawn here, also see-through and after a drag of another marker, and
    // every tile within reach in view is drawn ahead, and no other, until a
    // scroll leaves it out of reach.
    void tilesDrawnAheadAreTheTilesDrawnHere_data()
    {
        Columns<QString, int, bool, int>("list", "dragged", "seeThrough", "before");
        Row("in the middle of the stack", Stack, 7, false, 0);
        Row("see-through", Stack, 7, true, 0);
        Row("after a drag of the front one", Stack, 7, false, 13);
        Row("at the front, after the back one", Stack, 13, true, 1);
        Row("a marker a billion pixels long", Stack + "1;1e30;2;1e-6;30;14;;;,", 14, false, 0);
    }
    void tilesDrawnAheadAreTheTilesDrawnHere()
    {
        QFETCH(QString, list);
        QFETCH(int, dragged);
        QFETCH(bool, seeThrough);
        QFETCH(int, before);
        MarkerModel model;
        (void)model.Rebuild(list, 0);
        model.PositionObjects(629, 480);
        MarkerPainter look;
        look.SetRatio(1);
        look.SetSeeThrough(seeThrough);
        const QRect view(0, 0, 400, 300); // 25 x 19 tiles
        DragTiles ahead;
        if (before > 0) {
            ahead.Begin(model, before, QSize(629, 480), view, look);
            (void)ahead.WaitDrawnAhead();
        }
        ahead.Begin(model, dragged, QSize(629, 480), view, look);
        const int kept = ahead.WaitDrawnAhead();
        const QRect box = PixelBox(ShownBox(model.Item(dragged).Place));
        const QRect reach = QRect(QPoint(box.left() / 16, box.top() / 16), QPoint(box.right() / 16, box.bottom() / 16))
                                .adjusted(-8, -8, 8, 8)
                                .intersected(QRect(0, 0, 25, 19));
        QCOMPARE(kept, reach.width() * reach.height());
        DragTiles here; // nothing in view: every tile is drawn by At
        here.Begin(model, dragged, QSize(629, 480), QRect(), look);
        int drawn = 0;
        for (int row = reach.top(); row <= reach.bottom(); ++row) {
            for (int column = reach.left(); column <= reach.right(); ++column) {
                const DragTiles::Tile tiles[2] = { ahead.At(column, row, look), here.At(column, row, look) };
                QCOMPARE(tiles[0].Below, tiles[1].Below);
                QCOMPARE(tiles[0].Above, tiles[1].Above);
                drawn += tiles[0].Below.isNull() ? 0 : 1;
                drawn += tiles[0].Above.isNull() ? 0 : 1;
            }
        }
        QVERIFY(drawn > 8);
        // Scrolled to the far corner, away from the marker: none are kept.
        ahead.SetAhead(QRect(600, 460, 29, 20));
        QCOMPARE(ahead.WaitDrawnAhead(), 0);
    }

    // A drag over a stack of overlapping markers shows what a repaint without
    // the layers kept for it shows, and nearly what shows once it is let go.
    void aDragShowsWhatARepaintShows_data()
    {
        Columns<int, bool, QPoint>("dragged", "seeThrough", "by");
        Row("in the middle of the stack", 7, false, QPoint(17, 11));
        Row("onto the one below it", 7, false, QPoint(-3, -2));
        Row("at the front", 13, false, QPoint(17, 11));
        Row("at the back", 1, false, QPoint(17, 11));
        Row("see-through", 7, true, QPoint(17, 11));
    }
    void aDragShowsWhatARepaintShows()
    {
        QFETCH(int, dragged);
        QFETCH(bool, seeThrough);
        QFETCH(QPoint, by);
        Window w(Stack);
        w.Menu("mnuSeeThrough")->setChecked(!seeThrough);
        const QPoint from = w.Inside(dragged, QPointF(2, 2)); // where no other marker lies over it
        QTest::mousePress(&w.OBJ(), Qt::LeftButton, {}, from);
        for (const QPoint& step : MainWindow::Steps(from, from + by, 5)) {
            QTest::mouseMove(&w.OBJ(), step);
            QApplication::processEvents(); // a step draws the tiles it first meets
            w.Menu("mnuSeeThrough")->setChecked(seeThrough); // and this drops them
        }
        const QRect area(110, 100, 100, 70); // its edges cut markers
        const QImage held = w.PicZoom()->grab(area).toImage();
        w.OBJ().SetSeeThrough(seeThrough);
        QCOMPARE(w.PicZoom()->grab(area).toImage(), held);
        QTest::mouseRelease(&w.OBJ(), Qt::LeftButton, {}, from + by);
        QCOMPARE(w.Selected(), dragged);
        // Where see-through parts overlap, adding them one by one rounds apart.
        const QImage let = w.PicZoom()->grab(area).toImage();
        int most = 0;
        for (int at = 0; at < area.width() * area.height() * 3; ++at) {
            const QRgb pixels[2] = { held.pixel(at / 3 % area.width(), at / 3 / area.width()),
                let.pixel(at / 3 % area.width(), at / 3 / area.width()) };
            most = std::max(most, std::abs(int(pixels[0] >> at % 3 * 8 & 255) - int(pixels[1] >> at % 3 * 8 & 255)));
        }
        QVERIFY(most <= 2);
    }

    // A left click on a marker selects it and marks the group changed; one
    // beside the markers, or with another button, does neither.
    void clicks_data()
    {
        Columns<Qt::MouseButton, int, int, bool>("button", "marker", "selected", "changed");
        Row("left on a marker", Qt::LeftButton, 2, 2, true);
        Row("left on the front of two", Qt::LeftButton, 1, 3, true);
        Row("left beside the markers", Qt::LeftButton, 0, 3, false); // 3: as the rebuild left it
        Row("back button on a marker", Qt::BackButton, 2, 3, false);
    }
    void clicks()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, marker);
        QFETCH(int, selected);
        QFETCH(bool, changed);
        Window w(TwoMarkers + QStringLiteral("2;2;2;30;30;2;;,")); // 3 lies over 1
        QTest::mouseClick(&w.OBJ(), button, {}, marker ? w.Centre(marker) : QPoint(600, 450));
        QCOMPARE(w.Selected(), selected);
        QCOMPARE(w.Changed(), changed);
    }

    // A marker goes with its cost from the pop-up menu or with a key, once:
    // the second key finds nothing selected.
    void deleting_data()
    {
        Columns<int, int, int, QString, QString>("marker", "key", "modifiers", "total", "list");
        Row("with a cost, from the menu", 1, 0, 0, "0", "3;17;4;30;30;3;;;,");
        Row("without details, from the menu", 2, 0, 0, "250", "1;2;2;30;30;1;250;;,");
        Row("Delete", 1, int(Qt::Key_Delete), int(Qt::NoModifier), "0", "3;17;4;30;30;3;;;,");
        Row("Escape", 2, int(Qt::Key_Escape), int(Qt::NoModifier), "250", "1;2;2;30;30;1;250;;,");
        Row("Shift+Delete", 1, int(Qt::Key_Delete), int(Qt::ShiftModifier), "0", "3;17;4;30;30;3;;;,");
    }
    void deleting()
    {
        QFETCH(int, marker);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, total);
        QFETCH(QString, list);
        Window w;
        if (key == 0) {
            w.RightClick(marker);
            w.Menu("mnuDelete")->trigger();
        } else {
            w.Click(marker);
            w.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            w.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }
        QCOMPARE(w.Counts(), QStringLiteral("1/1"));
        QCOMPARE(w.Label("LblIDTotal"), total);
        QCOMPARE(w.List(), list);
        QVERIFY(w.Changed());
    }

    void detailsThroughTheDialog()
    {
        Window w;
        w.window.TBR_Click(4);
        w.fake.DetailAnswers = { QStringLiteral("250;12/05/2005;left door"), std::nullopt };
        w.DoubleClick(3);
        QCOMPARE(w.fake.Calls.last().Kind, QStringLiteral("details"));
        QCOMPARE(w.fake.Calls.last().Text, QString());
        QCOMPARE(w.Label("LblIDTotal"), QStringLiteral("500"));
        QCOMPARE(w.Label("LblRes"), QStringLiteral("8000"));
        QVERIFY(w.List().endsWith(QStringLiteral(";4;250;12/05/2005;left door,")));
        // Closed without OK: nothing changes.
        w.DoubleClick(3);
        QCOMPARE(w.fake.Calls.last().Text, QStringLiteral("250;12/05/2005;left door"));
        QVERIFY(w.List().endsWith(QStringLiteral(";4;250;12/05/2005;left door,")));
        QCOMPARE(w.window.ObjIDTotal, 500.0);
    }

    // Restacking from the pop-up menu is not a change.
    void aRightClickLeavesNothingBehind()
    {
        Window w;
        w.SystemClick(Qt::RightButton, w.Centre(1));
        auto* menu = w.Menu<QMenu>("mnuObject");
        QVERIFY(menu->isVisible());
        menu->hide();
        w.Menu("mnuBringFront")->trigger();
        QCOMPARE(w.Model().StackingOrder(), (std::vector<int> { 2, 1 }));
        w.Menu("mnuSendBack")->trigger();
        QCOMPARE(w.Model().StackingOrder(), (std::vector<int> { 1, 2 }));
        // The release went to the menu; a click beside the markers after it
        // changes nothing.
        w.SystemClick(Qt::LeftButton, QPoint(600, 450));
        QVERIFY(!w.Changed());
        QCOMPARE(w.List(), TwoMarkers);
    }

    void aMenuBarWalkedWithKeysKeepsItsKeys()
    {
        Window w;
        w.Click(1);
        QMenuBar* bar = w.window.menuBar();
        auto* zoom = w.Menu<QMenu>("mnuzoom");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(zoom->menuAction()).center());
        QTest::keyClick(zoom, Qt::Key_Escape); // the bar now holds the focus
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(w.List(), TwoMarkers);
        QCOMPARE(w.window.ObjIDTotal, 250.0);
    }

    // The window starts with the picture focused, and clicks on thumbnails
    // and tools take the focus back there from the text fields.
    void thePictureHoldsTheFocus()
    {
        Window w;
        auto* picture = w.Menu<QWidget>("PicArea");
        QCOMPARE(QApplication::focusWidget(), picture);
        for (const char* clicked : { "IMG1", "TBR3", "cmdZoomIn" }) {
            w.CarValue()->setFocus();
            QTest::mouseClick(w.Menu<QWidget>(clicked), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), picture);
        }
    }

    // A removed picture takes its markers' costs and counts along, shown
    // or not; saved and opened again, the group says the same.
    void removingAPictureTakesItsCostsAlong_data()
    {
        Columns<int, QString, QString>("slot", "counts", "rest");
        Row("the shown one", 0, "0/1", "7500");
        Row("one not shown", 1, "0/2", "8250");
    }
    void removingAPictureTakesItsCostsAlong()
    {
        QFETCH(int, slot);
        QFETCH(QString, counts);
        QFETCH(QString, rest);
        Window w(TwoMarkers, QStringLiteral("5;3;3;30;30;5;1000;;,"));
        w.window.ClipClicked(qint16(slot), 2); // the slot's menu: chosen, not shown
        w.Menu<QMenu>("mnuImage")->hide();
        w.Menu("mnuRemove")->trigger();
        QCOMPARE(w.Counts(), counts);
        QCOMPARE(w.Label("LblRes"), rest);
        w.window.SaveFile();
        w.window.OpenFile(w.Path("Smith.grp"));
        QCOMPARE(w.Label("LblRes"), rest);
        QCOMPARE(w.Label("LblTotal"), counts.section(u'/', 1));
    }

    void nudgesAreStored()
    {
        Window w;
        w.Click(2);
        const QRectF before = w.Model().Item(2).Place;
        for (const Qt::Key key : { Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right })
            w.Key(key);
        w.Key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(w.Model().Item(2).Place, before.translated(10, 5));
        // Stored at once: away and back, it stands where it was nudged to.
        w.window.ClipClicked(1, 1);
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.Model().Item(2).Place.topLeft().toPoint(), before.translated(10, 5).topLeft().toPoint());
        QVERIFY(w.Changed());
        // After a new group the marker keys find nothing to act on.
        w.fake.Answers = { MsgAnswer::No };
        w.window.NewFile();
        QCOMPARE(w.Selected(), 0);
        w.Key(Qt::Key_Delete);
        w.Key(Qt::Key_Right);
        QCOMPARE(w.Counts(), QStringLiteral("0/0"));
        QVERIFY(!w.Changed());
    }

    // The keypad's "+" zooms (the main keyboard's does not), except in a
    // text field, which keeps its keys; paging still pages there.
    void textFieldsKeepTheirKeys()
    {
        Window w;
        w.Key(Qt::Key_Plus, Qt::KeypadModifier);
        w.Key(Qt::Key_Plus);
        QCOMPARE(w.SurfaceWidth(), 629.0f * 1.05f);
        QVERIFY(!w.Changed());
        w.Click(1);
        QLineEdit* field = w.Word(1);
        field->setFocus();
        QTest::keyClicks(field, "Sedan");
        for (const Qt::Key key : { Qt::Key_Left, Qt::Key_Left, Qt::Key_Delete, Qt::Key_Escape, Qt::Key_Right })
            w.Key(key);
        w.Key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(field->text(), QStringLiteral("Sedn+"));
        QCOMPARE(w.List(), TwoMarkers);
        QCOMPARE(w.SurfaceWidth(), 629.0f * 1.05f);
        // Paging still pages.
        w.Key(Qt::Key_PageDown);
        QCOMPARE(w.Current(), 1);
        // A click on the picture takes the focus back.
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, QPoint(600, 450));
        QCOMPARE(QApplication::focusWidget(), w.Menu<QWidget>("PicArea"));
    }

    void menuShortcutsWorkFromATextField()
    {
        Window w;
        QLineEdit* field = w.Word(3);
        field->installEventFilter(new ClaimsCtrlE(field));
        field->setFocus();
        // Ctrl+Z undoes the typing in the field and does not zoom.
        QTest::keyClicks(field, "A12");
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.SurfaceWidth(), 629.0f);
        QCOMPARE(field->text(), QString());
        // Ctrl+E exits.
        QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(!w.window.isVisible());
    }
};

QTEST_MAIN(MarkerWorkTest)
#include "tst_markerwork.moc"
