// Working on the markers of the shown picture as a user does: pressing,
// dragging and resizing them with the mouse, their pop-up menu, the details
// dialog, and the keys that page, zoom, delete and nudge.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "objects/MarkerLayer.h"
#include "viewport/PictureSurface.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// Two markers on a picture of exactly the viewport's size (the surface is
// 629 x 480 when shown): a Dent costing 250 at (314.5, 240), 20.97 x 16, and
// a Scratch without a cost at (37, 120).
const QString TwoMarkers = QStringLiteral("1;2;2;30;30;1;250;;,3;17;4;30;30;3;;;,");

// A shown, active main window with a titled group of two pictures, the first
// one displayed.
struct Window {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;

    explicit Window(const QString& firstList = TwoMarkers, const QString& secondList = QString())
    {
        window.Form_Load(QString());
        WriteJpeg(dir.filePath("a.jpg"), QSize(629, 480));
        WriteJpeg(dir.filePath("b.jpg"), QSize(629, 480));
        WriteBytes(dir.filePath("Smith.grp"),
            FormatGroupFile("8500", { { dir.filePath("a.jpg"), firstList }, { dir.filePath("b.jpg"), secondList } }));
        window.OpenFile(dir.filePath("Smith.grp"));
        window.ClipClicked(0, 1);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("The window did not become active");
    }

    MarkerLayer& OBJ() const { return Markers(window); }
    QString List(int slot = 0) const { return SlotList(window, slot); }
    QString Label(const char* name) const { return Control<QLabel>(window, name)->text(); }
    QPoint Inside(int index, QPointF offset) const { return (OBJ().Item(index).Place.topLeft() + offset).toPoint(); }
    QPoint Centre(int index) const { return OBJ().Item(index).Place.center().toPoint(); }

    // Hovers over a marker (choosing what a drag does), presses the left
    // button there, moves through the steps and releases at the last.
    void Drag(QPoint from, const QList<QPoint>& steps)
    {
        QTest::mouseMove(&OBJ(), from);
        QTest::mousePress(&OBJ(), Qt::LeftButton, {}, from);
        for (const QPoint& step : steps)
            QTest::mouseMove(&OBJ(), step);
        QTest::mouseRelease(&OBJ(), Qt::LeftButton, {}, steps.isEmpty() ? from : steps.last());
    }

    void RightClick(int index)
    {
        QTest::mouseClick(&OBJ(), Qt::RightButton, {}, Centre(index));
        Control<QMenu>(window, "mnuObject")->hide();
    }

    // A press and release as the window system delivers them: to whatever
    // holds the mouse (a pop-up menu, say), not straight to the layer.
    void SystemClick(Qt::MouseButton button, QPoint onLayer)
    {
        const QPoint at = OBJ().mapTo(&window, onLayer);
        QTest::mousePress(window.windowHandle(), button, {}, at);
        QTest::mouseRelease(window.windowHandle(), button, {}, at);
    }

    // A key pressed where the focus is, as the keyboard would send it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, key, modifiers);
    }
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
    void dragMovesTheGrabbedPointWithThePointer()
    {
        Window w;
        const QRectF before = w.OBJ().Item(2).Place;
        const QPoint grab = w.Inside(2, { 8, 5 });
        w.Drag(grab, { grab + QPoint(3, 1), grab + QPoint(12, 4) });
        QCOMPARE(w.OBJ().Item(2).Place, before.translated(12, 4));
        QVERIFY(!w.OBJ().ObjMouseDown());
        QVERIFY(w.window.Changed);
        QCOMPARE(w.window.CurrentObject, 2);
        // The release stored the new place: 629 / 49 and 480 / 124.
        QCOMPARE(w.List(), QStringLiteral("1;2;2;30;30;1;250;;,3;12.83673;3.870968;30;30;3;;;,"));
    }

    void dragNearTheRightEdgeResizes()
    {
        Window w;
        const QRectF before = w.OBJ().Item(2).Place;
        const QPoint edge = w.Inside(2, { 19, 5 });
        QTest::mouseMove(&w.OBJ(), edge);
        QCOMPARE(w.OBJ().cursor().shape(), Qt::SizeHorCursor);
        // To 2 pixels inside the marker the width stays; to 3 it becomes 3.
        w.Drag(edge, { w.Inside(2, { 2, 5 }) });
        QCOMPARE(w.OBJ().Item(2).Place.width(), before.width());
        w.Drag(edge, { w.Inside(2, { 3, 5 }) });
        QCOMPARE(w.OBJ().Item(2).Place, QRectF(before.topLeft(), QSizeF(3, before.height())));
    }

    void aMoveStaysAMoveAcrossTheEdgeZone()
    {
        Window w;
        const QRectF before = w.OBJ().Item(2).Place;
        const QPoint body = w.Inside(2, { 4, 4 });
        w.Drag(body, { w.Inside(2, { 19, 4 }) });
        QCOMPARE(w.OBJ().Item(2).Place.size(), before.size());
        QCOMPARE(w.OBJ().Item(2).Place.left(), before.left() + 15);
    }

    void hoverChoosesThePointerShape_data()
    {
        Columns<QPointF, int>("offset", "shape");
        Row("body", QPointF(5, 5), int(Qt::SizeAllCursor));
        Row("right edge", QPointF(19, 5), int(Qt::SizeHorCursor));
        Row("bottom edge", QPointF(5, 15), int(Qt::SizeVerCursor));
    }
    void hoverChoosesThePointerShape()
    {
        QFETCH(QPointF, offset);
        QFETCH(int, shape);
        Window w;
        QTest::mouseMove(&w.OBJ(), w.Inside(1, offset));
        QCOMPARE(int(w.OBJ().cursor().shape()), shape);
    }

    // A left click on a marker selects it and marks the group changed;
    // one beside the markers, or with another button, does neither.
    void clicks_data()
    {
        Columns<Qt::MouseButton, int, int, bool>("button", "marker", "current", "changed");
        Row("left on a marker", Qt::LeftButton, 1, 1, true);
        Row("left beside the markers", Qt::LeftButton, 0, 2, false); // 2: as the rebuild left it
        Row("back button on a marker", Qt::BackButton, 1, 2, false);
    }
    void clicks()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, marker);
        QFETCH(int, current);
        QFETCH(bool, changed);
        Window w;
        QVERIFY(!w.window.Changed);
        QTest::mouseClick(&w.OBJ(), button, {}, marker ? w.Centre(marker) : QPoint(600, 450));
        QCOMPARE(w.window.CurrentObject, current);
        QCOMPARE(w.window.Changed, changed);
    }

    void deleteFromThePopUpMenu_data()
    {
        Columns<int, QString, QString>("marker", "total", "list");
        Row("with a cost", 1, "0", "3;17;4;30;30;3;;;,");
        Row("without details", 2, "250", "1;2;2;30;30;1;250;;,");
    }
    void deleteFromThePopUpMenu()
    {
        QFETCH(int, marker);
        QFETCH(QString, total);
        QFETCH(QString, list);
        Window w;
        w.RightClick(marker);
        QCOMPARE(w.window.CurrentObject, marker);
        Control<QAction>(w.window, "mnuDelete")->trigger();
        QVERIFY(!w.OBJ().IsShown(marker));
        QCOMPARE(w.window.ImageObjectCount, 1);
        QCOMPARE(w.window.GroupObjectCount, 1);
        QCOMPARE(w.Label("LblIDTotal"), total);
        QCOMPARE(w.List(), list);
        QVERIFY(w.window.Changed);
    }

    void restackingIsNotAChange()
    {
        Window w;
        QTest::mousePress(&w.OBJ(), Qt::RightButton, {}, w.Centre(2));
        Control<QMenu>(w.window, "mnuObject")->hide();
        Control<QAction>(w.window, "mnuSendBack")->trigger();
        QCOMPARE(w.OBJ().StackingOrder(), (std::vector<int> { 2, 1 }));
        Control<QAction>(w.window, "mnuBringFront")->trigger();
        QCOMPARE(w.OBJ().StackingOrder(), (std::vector<int> { 1, 2 }));
        Control<QAction>(w.window, "mnuSendBack")->trigger();
        QVERIFY(!w.window.Changed);
        QCOMPARE(w.List(), TwoMarkers);
        // A rebuild stacks afresh, in list order.
        w.window.ClipClicked(1, 1);
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.OBJ().StackingOrder(), (std::vector<int> { 1, 2 }));
    }

    void theFrontMarkerTakesTheClick()
    {
        Window w("1;2;2;30;30;1;250;;,3;2;2;30;30;3;;;,");
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(1));
        QCOMPARE(w.window.CurrentObject, 2);
        w.OBJ().SendToBack(2);
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(1));
        QCOMPARE(w.window.CurrentObject, 1);
    }

    void detailsThroughTheDialog()
    {
        Window w;
        w.window.TBR_Click(4);
        QCOMPARE(w.window.CurrentObject, 3);
        w.fake.DetailAnswers = { QStringLiteral("250;12/05/2005;left door"), std::nullopt };
        QTest::mouseDClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(3));
        QCOMPARE(w.fake.Calls.last().Kind, QStringLiteral("details"));
        QCOMPARE(w.fake.Calls.last().Text, QString());
        QCOMPARE(w.OBJ().Item(3).Detail, QStringLiteral("250;12/05/2005;left door"));
        QCOMPARE(w.Label("LblIDTotal"), QStringLiteral("500"));
        QCOMPARE(w.Label("LblRes"), QStringLiteral("8000"));
        QVERIFY(w.List().endsWith(QStringLiteral(";4;250;12/05/2005;left door,")));
        // Closed without OK: nothing changes.
        QTest::mouseDClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(3));
        QCOMPARE(w.fake.Calls.last().Text, QStringLiteral("250;12/05/2005;left door"));
        QCOMPARE(w.OBJ().Item(3).Detail, QStringLiteral("250;12/05/2005;left door"));
        QCOMPARE(w.window.ObjIDTotal, 500.0);
    }

    void aRightClickLeavesNothingBehind()
    {
        Window w;
        w.SystemClick(Qt::RightButton, w.Centre(1));
        auto* menu = Control<QMenu>(w.window, "mnuObject");
        QVERIFY(menu->isVisible());
        menu->hide();
        Control<QAction>(w.window, "mnuSendBack")->trigger();
        // The release went to the menu; a click beside the markers after it
        // changes nothing.
        w.SystemClick(Qt::LeftButton, QPoint(600, 450));
        QVERIFY(!w.window.Changed);
        QCOMPARE(w.List(), TwoMarkers);
    }

    void draggingTheEmptySurfacePans()
    {
        Window w;
        for (int step = 0; step < 10; ++step)
            w.window.ZoomIn();
        auto* horizontal = Control<QScrollBar>(w.window, "HS");
        auto* vertical = Control<QScrollBar>(w.window, "VS");
        QVERIFY(horizontal->isVisible() && vertical->isVisible());
        horizontal->setValue(200);
        vertical->setValue(150);
        auto* surface = Control<PictureSurface>(w.window, "PicZoom");
        const QPoint from(500, 400);
        QTest::mousePress(surface, Qt::LeftButton, {}, from);
        QTest::mouseMove(surface, from + QPoint(-30, 20));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, from + QPoint(-30, 20));
        QCOMPARE(horizontal->value(), 230);
        QCOMPARE(vertical->value(), 130);
        QVERIFY(!w.window.Changed);
    }

    void aMenuBarWalkedWithKeysKeepsItsKeys()
    {
        Window w;
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(1));
        QMenuBar* bar = w.window.menuBar();
        auto* zoom = Control<QMenu>(w.window, "mnuzoom");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(zoom->menuAction()).center());
        QTest::keyClick(zoom, Qt::Key_Escape); // the bar now holds the focus
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Escape);
        QVERIFY(w.OBJ().IsShown(1));
        QCOMPARE(w.window.ObjIDTotal, 250.0);
        QCOMPARE(w.List(), TwoMarkers);
    }

    // The window starts with the picture focused, and clicks on thumbnails
    // and tools take the focus back there from the text fields.
    void thePictureHoldsTheFocus()
    {
        Window w;
        auto* picture = Control<QWidget>(w.window, "PicArea");
        QCOMPARE(QApplication::focusWidget(), picture);
        auto* field = Control<QLineEdit>(w.window, "txtNum");
        for (const char* clicked : { "IMG1", "TBR3", "cmdZoomIn" }) {
            field->setFocus();
            QTest::mouseClick(Control<QWidget>(w.window, clicked), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), picture);
        }
    }

    void removingAPictureTakesItsCostsAlong()
    {
        Window w;
        QCOMPARE(w.Label("LblIDTotal"), QStringLiteral("250"));
        w.window.RemoveImage();
        QCOMPARE(w.window.ObjIDTotal, 0.0);
        QCOMPARE(w.Label("LblIDTotal"), QStringLiteral("0"));
        QCOMPARE(w.Label("LblRes"), QStringLiteral("8500"));
        QCOMPARE(w.window.GroupObjectCount, 0);
        QCOMPARE(w.Label("LblCount"), QStringLiteral("0"));
    }

    void removingAPictureNotShownTakesItsCostsAlong()
    {
        Window w(TwoMarkers, QStringLiteral("5;3;3;30;30;5;1000;;,"));
        QCOMPARE(w.window.ObjIDTotal, 1250.0);
        w.window.ClipClicked(1, 2); // the slot's menu: chosen, not shown
        Control<QMenu>(w.window, "mnuImage")->hide();
        Control<QAction>(w.window, "mnuRemove")->trigger();
        QCOMPARE(w.window.ObjIDTotal, 250.0);
        QCOMPARE(w.window.GroupObjectCount, 2);
        QCOMPARE(w.Label("LblRes"), QStringLiteral("8250"));
        // Saved and opened again, the group shows the same total.
        w.window.SaveFile();
        w.window.OpenFile(w.dir.filePath("Smith.grp"));
        QCOMPARE(w.window.ObjIDTotal, 250.0);
        QCOMPARE(w.window.GroupObjectCount, 2);
    }

    void pagingWrapsAround()
    {
        Window w;
        w.Key(Qt::Key_PageUp);
        QCOMPARE(w.window.CurrentImage, 5);
        // An empty slot pops up the Image menu.
        QVERIFY(Control<QMenu>(w.window, "mnuImage")->isVisible());
        Control<QMenu>(w.window, "mnuImage")->hide();
        w.Key(Qt::Key_PageDown);
        QCOMPARE(w.window.CurrentImage, 0);
        QCOMPARE(w.OBJ().DisplayedSlot(), 0);
        w.Key(Qt::Key_PageDown);
        QCOMPARE(w.window.CurrentImage, 1);
        QCOMPARE(w.OBJ().DisplayedSlot(), 1);
    }

    void keypadZooms()
    {
        Window w;
        const auto* surface = Control<PictureSurface>(w.window, "PicZoom");
        const float width = surface->SurfaceWidth();
        w.Key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(surface->SurfaceWidth(), width * 1.05f);
        w.Key(Qt::Key_Plus); // the main keyboard's "+" is no zoom key
        QCOMPARE(surface->SurfaceWidth(), width * 1.05f);
        QVERIFY(!w.window.Changed);
    }

    void deleteKeys_data()
    {
        Columns<int, int>("key", "modifiers");
        Row("Delete", int(Qt::Key_Delete), int(Qt::NoModifier));
        Row("Escape", int(Qt::Key_Escape), int(Qt::NoModifier));
        Row("Shift+Delete", int(Qt::Key_Delete), int(Qt::ShiftModifier));
    }
    void deleteKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Window w;
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(1));
        w.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        w.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!w.OBJ().IsShown(1));
        QVERIFY(w.OBJ().IsShown(2));
        QCOMPARE(w.window.ImageObjectCount, 1);
        QCOMPARE(w.window.GroupObjectCount, 1);
        QCOMPARE(w.window.ObjIDTotal, 0.0);
    }

    void nudgesAreStored()
    {
        Window w;
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(2));
        const QRectF before = w.OBJ().Item(2).Place;
        w.Key(Qt::Key_Right);
        w.Key(Qt::Key_Right);
        w.Key(Qt::Key_Left, Qt::ControlModifier);
        w.Key(Qt::Key_Down);
        w.Key(Qt::Key_Right);
        QCOMPARE(w.OBJ().Item(2).Place, before.translated(10, 5));
        // Stored at once: away and back, it stands where it was nudged to.
        w.window.ClipClicked(1, 1);
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.OBJ().Item(2).Place.topLeft().toPoint(), before.translated(10, 5).topLeft().toPoint());
        QVERIFY(w.window.Changed);
    }

    void afterANewGroupTheMarkerKeysDoNothing()
    {
        Window w;
        w.window.NewFile();
        QCOMPARE(w.window.CurrentObject, 0);
        w.Key(Qt::Key_Delete);
        w.Key(Qt::Key_Right);
        QCOMPARE(w.window.GroupObjectCount, 0);
        QVERIFY(!w.window.Changed);
    }

    void textFieldsKeepTheirKeys()
    {
        Window w;
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, w.Centre(1));
        auto* field = Control<QLineEdit>(w.window, "txtWord1");
        field->setFocus();
        QTest::keyClicks(field, "Sedan");
        for (const Qt::Key key : { Qt::Key_Left, Qt::Key_Left, Qt::Key_Delete, Qt::Key_Escape, Qt::Key_Right })
            w.Key(key);
        w.Key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(field->text(), QStringLiteral("Sedn+"));
        QVERIFY(w.OBJ().IsShown(1));
        QCOMPARE(w.window.GroupObjectCount, 2);
        QCOMPARE(Control<PictureSurface>(w.window, "PicZoom")->SurfaceWidth(), 629.0f);
        // Paging still pages.
        w.Key(Qt::Key_PageDown);
        QCOMPARE(w.window.CurrentImage, 1);
        // A click on the picture takes the focus back.
        QTest::mouseClick(&w.OBJ(), Qt::LeftButton, {}, QPoint(600, 450));
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(w.window, "PicArea"));
    }

    void menuShortcutsWorkFromATextField()
    {
        Window w;
        auto* field = Control<QLineEdit>(w.window, "txtWord3");
        field->installEventFilter(new ClaimsCtrlE(field));
        field->setFocus();
        // Ctrl+Z undoes the typing in the field and does not zoom.
        QTest::keyClicks(field, "A12");
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Control<PictureSurface>(w.window, "PicZoom")->SurfaceWidth(), 629.0f);
        QCOMPARE(field->text(), QString());
        // Ctrl+E exits.
        QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(!w.window.isVisible());
    }

    void ctrlWheelZoomsAboutThePointer()
    {
        Window w;
        auto* area = Control<QWidget>(w.window, "PicArea");
        const auto* surface = Control<PictureSurface>(w.window, "PicZoom");
        for (int step = 0; step < 4; ++step) {
            const QPointF at(400, 300);
            const QPointF onPicture = (at - QPointF(surface->pos())) / surface->SurfaceWidth();
            QWheelEvent wheel(at, area->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                Qt::NoScrollPhase, false);
            QApplication::sendEvent(area, &wheel);
            const QPointF after = (at - QPointF(surface->pos())) / surface->SurfaceWidth();
            QVERIFY2(qAbs(after.x() - onPicture.x()) < 0.002 && qAbs(after.y() - onPicture.y()) < 0.002,
                qPrintable(QStringLiteral("step %1").arg(step)));
        }
        QVERIFY(surface->SurfaceWidth() > 629.0f * 1.2f);
        // A plain wheel scrolls down.
        auto* bar = Control<QScrollBar>(w.window, "VS");
        const int before = bar->value();
        QWheelEvent down(QPointF(100, 100), area->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &down);
        QVERIFY(bar->value() > before);
        QVERIFY(!w.window.Changed);
    }

    void tinyMarkersStayGrabbable()
    {
        // 629 / 300 by 480 / 240: a marker of about 2 x 2 pixels.
        Window w("1;2;2;300;240;1;;,");
        const QRectF place = w.OBJ().Item(1).Place;
        QVERIFY(place.width() < 3 && place.height() < 3);
        QCOMPARE(w.OBJ().MarkerAt(place.center() + QPointF(5, 4)), 1);
        QCOMPARE(w.OBJ().MarkerAt(place.center() + QPointF(7, 0)), 0);
        // Grabbed left of its picture it moves (its right part resizes, as
        // its own size says); its stored size is its own, not the size it is
        // shown at.
        const QPoint grab = (place.center() - QPointF(4, 0)).toPoint();
        w.Drag(grab, { grab + QPoint(100, 50) });
        // The grab point is rounded to whole pixels; the marker's place is not.
        const QRectF moved = w.OBJ().Item(1).Place;
        QVERIFY(qAbs(moved.left() - (place.left() + 100)) <= 0.5 && moved.top() == place.top() + 50);
        QCOMPARE(moved.size(), place.size());
        const QList<QStringView> fields = QStringView(w.List()).split(u';');
        QCOMPARE(fields[3], u"300");
        QCOMPARE(fields[4], u"240");
    }
};

QTEST_MAIN(MarkerWorkTest)
#include "tst_markerwork.moc"
