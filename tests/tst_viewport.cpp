// Pictures in the viewport, sized and moved; chosen on the strip with their markers, imported and removed.
#include "DataRows.h"
#include "MainWindow.h"
#include "TestFiles.h"
#include "document/ScreenBackground.h"
#include "document/WorkspaceLayout.h"
#include "objects/MarkerLayer.h"
#include "viewport/PictureSurface.h"
#include "viewport/Thumbnail.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

namespace {

// A group of pictures of one size (of none: missing) carrying the lists, the first chosen on the strip.
struct Viewer : MainWindow {
    explicit Viewer(QSize size, const QStringList& lists = { QString() })
    {
        QList<GroupPicture> group;
        for (int i = 0; i < lists.size(); ++i)
            group.append({ Path(QString(size.isValid() ? "p%1.jpg" : "missing%1.jpg").arg(i)), lists[i] });
        window.OpenFile(Group(QStringLiteral("Group.grp"), QString(), group, size));
        QTest::mouseClick(IMG(0), Qt::LeftButton);
    }
    QScrollBar* Bar(const char* name) const { return Control<QScrollBar>(window, name); }
    QPoint Scrolled() const { return { Bar("HS")->value(), Bar("VS")->value() }; }
    // Where a point of the viewport box is on the marker layer.
    QPoint OnLayer(QPoint inBox) const { return OBJ().mapFrom(Control<QWidget>(window, "PicArea"), inBox); }
};

} // namespace

class ViewportTest : public QObject {
    Q_OBJECT

private slots:
    // Every size command places the markers again and resets the bars: a bar shows, enabled, when the surface
    // outgrows the box that way (0: hidden); an arrow moves it 100 pixels, up to its end; a fit scrolls back.
    void sizes_data()
    {
        Columns<QSize, QString, QSizeF, QPoint>("picture", "commands", "display", "ends");
        Row("missing picture", QSize(), QString(), QSizeF(629, 471.75), QPoint(0, 0));
        Row("a step in", QSize(1600, 1200), "mnuzoomin", QSizeF(660.45f, 495.3375f), QPoint(31, 15));
        Row("exactly as wide as the box", QSize(629, 300), "mnuActual", QSizeF(629, 300), QPoint(0, 0));
        Row("one pixel wider", QSize(630, 300), "mnuActual", QSizeF(630, 300), QPoint(1, 0));
        Row("larger both ways", QSize(1600, 1200), "mnuActual", QSizeF(1600, 1200), QPoint(971, 720));
        Row("in to the bars' end, the third step refused", QSize(30000, 10), "mnuActual mnuzoomin mnuzoomin mnuzoomin",
            QSizeF(33075, 11.0249996f), QPoint(32446, 0));
        Row("out to the smallest side", QSize(20, 20), "mnuZoomOut mnuZoomOut mnuZoomOut mnuZoomOut mnuZoomOut",
            QSizeF(16.2901249f, 16.2901249f), QPoint(0, 0));
        Row("too large for actual size", QSize(40000, 10), "mnuActual", QSizeF(629, 0.157250002f), QPoint(0, 0));
    }
    void sizes()
    {
        QFETCH(QSize, picture);
        QFETCH(QString, commands);
        QFETCH(QSizeF, display);
        QFETCH(QPoint, ends);
        Viewer w(picture, { "3;4;4;30;30;3;250;;," });
        for (const QString& command : commands.split(u' ', Qt::SkipEmptyParts))
            w.Menu(qPrintable(command))->trigger();
        QCOMPARE(w.PicZoom()->DisplaySize(), display);
        QCOMPARE(w.OBJ().Model().Item(1).Place.left(), display.width() / 4);
        for (const auto& [bar, maximum] : { std::pair(w.Bar("HS"), ends.x()), std::pair(w.Bar("VS"), ends.y()) }) {
            QCOMPARE(bar->isHidden() ? 0 : bar->maximum(), maximum);
            QCOMPARE(bar->isEnabled(), maximum > 0);
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
        QCOMPARE(w.Scrolled(), QPoint(qMin(ends.x(), 100), qMin(ends.y(), 100)));
        QCOMPARE(w.PicZoom()->pos(), -w.Scrolled());
        w.Menu("mnuScaleToFit")->trigger();
        QCOMPARE(w.Scrolled(), QPoint(0, 0));
        QCOMPARE(w.fake.LastMessage().Title + ": " + w.fake.LastMessage().Text,
            picture.width() < 40000
                ? ": "
                : "Sub : ActualSize: The picture is too large to show at its actual size (40000 x 10 pixels).");
        QVERIFY(!w.Changed());
        if (!picture.isValid()) // a dark placeholder of 640 x 480
            QCOMPARE(w.PicZoom()->grab().toImage().pixelColor(300, 30), QColor(48, 28, 28));
    }

    // With the large picture area the box takes the room beyond the design size, the panel column keeps its margin to
    // the right edge; a fitted picture is fitted again, its marker where its ratios say; a zoomed one keeps its size
    // and view, the bars following the box. Off again, every place is as designed.
    void largePictureArea_data()
    {
        Columns<QSize, QString, QSizeF, QPoint>("client", "commands", "display", "scrolled");
        Row("at the design size", QSize(1033, 721), "", QSizeF(629, 471.75), QPoint());
        Row("larger, fitted", QSize(1400, 900), "", QSizeF(878, 658.5), QPoint());
        Row("larger, zoomed and scrolled", QSize(1400, 900), "mnuActual", QSizeF(1600, 1200), QPoint(100, 541));
    }
    void largePictureArea()
    {
        QFETCH(QSize, client);
        QFETCH(QString, commands);
        QFETCH(QSizeF, display);
        QFETCH(QPoint, scrolled);
        Viewer w(QSize(1600, 1200), { "3;4;4;30;30;3;250;;," });
        w.window.setWindowState(Qt::WindowNoState);
        w.window.resize(ScreenBackground::DesignSize + QSize(0, w.window.menuBar()->sizeHint().height()));
        w.ShowActive();
        for (const QString& command : commands.split(u' ', Qt::SkipEmptyParts))
            w.Menu(qPrintable(command))->trigger();
        w.Bar("HS")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        w.Bar("VS")->triggerAction(QAbstractSlider::SliderToMaximum); // 720, more than the larger box allows
        const QStringList names { "txtWord1", "txtWord3", "txtNum", "LblRes", "Picture1", // in the panel column
            "txtWord0", "PicTbr", "cmdZoomIn", "LbFileName5" };
        const auto places = [&w, &names](int offset) {
            QList<QPoint> all;
            for (int i = 0; i < names.size(); ++i)
                all.append(w.WindowPlace(qPrintable(names[i])) - QPoint(i < 5 ? offset : 0, 0));
            return all;
        };
        const QList<QPoint> designed = places(0);
        w.Menu("mnuLargeArea")->setChecked(true);
        w.window.resize(client + QSize(0, w.window.menuBar()->sizeHint().height()));
        auto* screen = Control<ScreenBackground>(w.window, "Screen");
        QTRY_COMPARE(screen->size(), client.expandedTo(ScreenBackground::DesignSize));
        const WorkspaceLayout layout = LayOutWorkspace(client, true);
        const QRect box = layout.Box;
        QCOMPARE(QList({ Control<QWidget>(w.window, "PicArea")->geometry(), w.Bar("HS")->geometry(),
                     w.Bar("VS")->geometry() }),
            QList({ box, layout.HorizontalBar, layout.VerticalBar }));
        QCOMPARE(places(layout.PanelOffset), designed);
        QCOMPARE(w.PicZoom()->DisplaySize(), display);
        QCOMPARE(w.OBJ().Model().Item(1).Place.topLeft(), QPointF(display.width() / 4, display.height() / 4));
        QCOMPARE(w.Scrolled(), scrolled);
        // The frame's right and lower edges, and the panel behind the fields, are painted where they now stand.
        const QImage shown = screen->grab().toImage();
        for (const QPoint at : { box.topRight() + QPoint(32, 200), QPoint(box.center().x(), box.bottom() + 25),
                 QPoint(1003 + layout.PanelOffset, 420) })
            QVERIFY(shown.pixelColor(at) != screen->ScreenColor());
        w.Menu("mnuLargeArea")->setChecked(false);
        QCOMPARE(places(0), designed);
        QCOMPARE(Control<QWidget>(w.window, "PicArea")->geometry(), QRect(70, 182, 629, 480));
        QCOMPARE(w.PicZoom()->DisplaySize(), commands.isEmpty() ? QSizeF(629, 471.75) : display);
    }

    // The point of the picture the hand grabbed stays under it until a bar reaches its end. A notch of the wheel
    // scrolls 60 pixels: down, sideways with Shift or a tilted wheel; with Ctrl it zooms a step about the pointer.
    void theHandAndTheWheelMoveThePicture()
    {
        Viewer w(QSize(1600, 1200));
        w.ShowActive(); // only bars on view move
        w.Menu("mnuActual")->trigger();
        QPoint hand(500, 400);
        QTest::mousePress(&w.OBJ(), Qt::LeftButton, {}, w.OnLayer(hand));
        for (const auto& [by, scrolled] : QList<QPair<QPoint, QPoint>> { { { -90, -70 }, { 90, 70 } },
                 { { -90, -70 }, { 180, 140 } }, { { -90, -70 }, { 270, 210 } }, { { -800, -600 }, { 971, 720 } },
                 { { 100, 30 }, { 871, 690 } }, { { 2000, 2000 }, { 0, 0 } } }) {
            QTest::mouseMove(&w.OBJ(), w.OnLayer(hand += by));
            QCOMPARE(w.Scrolled(), scrolled);
        }
        QTest::mouseRelease(&w.OBJ(), Qt::LeftButton, {}, w.OnLayer(hand));
        for (const auto& [angle, keys, scrolled] : QList<std::tuple<QPoint, Qt::KeyboardModifiers, QPoint>> {
                 { { 0, -120 }, {}, { 0, 60 } }, { { 0, -120 }, {}, { 0, 120 } },
                 { { 0, -120 }, Qt::ShiftModifier, { 60, 120 } }, { { -120, 0 }, {}, { 120, 120 } },
                 { { 0, -2400 }, {}, { 120, 720 } }, { { 0, 120 }, Qt::ControlModifier, { 146, 771 } },
                 { { 0, -120 }, Qt::ControlModifier, { 119, 717 } } }) {
            // As the window system delivers it: to the layer under the pointer, passed on to the box.
            const QPointF at = w.OnLayer(QPoint(400, 300));
            QWheelEvent wheel(at, w.OBJ().mapToGlobal(at), {}, angle, Qt::NoButton, keys, Qt::NoScrollPhase, false);
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            qApp->notify(&w.OBJ(), &wheel);
            QCOMPARE(w.Scrolled(), scrolled);
        }
        QVERIFY(!w.Menu<QMenu>("mnuzoom")->isVisible() && !w.Changed());
        QTest::mouseClick(&w.OBJ(), Qt::RightButton, {}, w.OnLayer(QPoint(400, 300)));
        QVERIFY(w.Menu<QMenu>("mnuzoom")->isVisible());
    }

    // A right press, or a press on an empty slot, makes the slot current under the frame and offers the Image menu;
    // only the shown slot keeps the view. Removed, the slot's markers leave the group, the other pictures stay, and
    // nothing is left to zoom.
    void pressesOnTheStripAndRemoval_data()
    {
        Columns<int, Qt::MouseButton, int, QString>("slot", "button", "frameLeft", "left");
        Row("right, the shown picture", 0, Qt::RightButton, 19, "2");
        Row("right, another picture", 1, Qt::RightButton, 187, "1");
        Row("left, an empty slot", 2, Qt::LeftButton, 355, "3");
        Row("middle, an empty slot", 3, Qt::MiddleButton, 523, "3");
        Row("right, an empty slot", 4, Qt::RightButton, 685, "3");
        Row("left, the last slot", 5, Qt::LeftButton, 849, "3");
    }
    void pressesOnTheStripAndRemoval()
    {
        QFETCH(int, slot);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, frameLeft);
        QFETCH(QString, left);
        const QStringList lists { "1;2;2;30;30;1;;;,", "1;2;2;30;30;1;;;,3;4;4;30;30;3;;;," };
        Viewer w(QSize(100, 100), lists);
        QTest::mouseClick(w.IMG(slot), button);
        QVERIFY(w.Menu<QMenu>("mnuImage")->isVisible());
        QCOMPARE(w.Menu("mnuRemove")->isEnabled(), slot < 2);
        QCOMPARE(w.WindowPlace("Border"), QPoint(frameLeft, 33));
        QCOMPARE(w.PicZoom()->DisplayedPath(), slot == 0 ? w.Path("p0.jpg") : QString());
        QCOMPARE(w.Label("LblCount"), QString::number(slot == 0)); // the shown picture's one marker
        QVERIFY(!w.Changed());
        w.window.RemoveImage();
        QCOMPARE(w.Caption(slot) + w.SlotPath(slot) + w.List(slot) + (w.Shows(slot) == "picture" ? " shown" : ""),
            QStringLiteral("Pic %1").arg(slot + 1));
        QCOMPARE(w.List(slot == 0), lists[slot == 0]); // the other picture's
        QCOMPARE(w.Label("LblTotal") + " / " + w.Label("LblCount"), left + " / 0"); // group and picture
        QVERIFY(w.Changed());
        for (const char* command : { "mnuzoomin", "mnuZoomOut", "mnuActual", "mnuScaleToFit" })
            w.Menu(command)->trigger();
        QCOMPARE(w.PicZoom()->DisplaySize(), QSizeF(629, 480));
        QTest::mouseClick(&w.OBJ(), Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(!w.Menu<QMenu>("mnuzoom")->isVisible());
    }

    // A picture goes into the current slot, which keeps its list; the view shows it once the slot is chosen again.
    // Records that cannot be shown are reported and kept: stored again after the shown ones (the last of which is
    // selected), with any text after the last ",".
    void importPicture_data()
    {
        Columns<QString, QString>("name", "message");
        Row("a picture", "door.jpeg", "");
        Row("cancelled", "", "");
        Row("missing", "gone.jpg", "Invalid FileName: File Does Not Exists [critical]");
        Row("double quote", "a\"b.jpg",
            "Invalid FileName: A group file cannot keep a picture whose path contains "
            "a double quote (\"):\n%1 [critical]");
        Row("not a picture", "notes.jpg",
            "Sub : ImportImage: Cannot read picture %1: Unsupported image format [information]");
    }
    void importPicture()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Viewer w(QSize(100, 100), { "x;2;2;30;30;x;;;,1;2;2;30;30;1;;;,3;4;4;30;30;3;;;,tail" });
        const FakePlatform::Call unshown = w.fake.LastMessage();
        QCOMPARE(unshown.Title + ": " + unshown.Text,
            "Sub : ClipClicked: Marker 1 (\"x;2;2;30;30;x;;;\") cannot be shown: its damage type \"x\" names no "
            "toolbar button.\nThe text \"tail\" after the last marker cannot be shown: it does not end with \",\".\n"
            "It is kept as it stands and saved unchanged.");
        QCOMPARE(unshown.Icon, MsgIcon::Information);
        QCOMPARE(w.Label("LblCount") + " " + QString::number(w.Selected()), QStringLiteral("3 2"));
        w.fake.Calls.clear();
        const QString path = name.isEmpty() ? QString() : w.Path(name);
        const bool imported = name == "door.jpeg";
        if (imported)
            WriteJpeg(path, QSize(80, 60));
        else if (!name.isEmpty() && name != "gone.jpg")
            WriteBytes(path, "no picture here");
        w.fake.Paths = { path };
        w.Menu("mnuImport")->trigger();
        const QString all = w.fake.Calls[0].Filter.section(u'|', 3, 3); // every type the loader reads
        QCOMPARE(w.fake.Calls[0].Title + ": " + QString(w.fake.Calls[0].Filter).replace(all, "..."),
            "Nimbrel - 1.0 : Import Picture: Pictures (*.bmp;*.ico;*.jpg;*.gif;*.tiff)|*.bmp;*.ico;*.jpg;*.gif;*.tiff|"
            "All pictures (...)|...|All files (*)|*");
        QVERIFY(all.split(u';').contains(QStringLiteral("*.jpeg")));
        const FakePlatform::Call said = w.fake.LastMessage();
        const QString icon = said.Icon == MsgIcon::Critical ? " [critical]" : " [information]";
        QCOMPARE(said.Title.isEmpty() ? QString() : said.Title + ": " + said.Text + icon, message.replace("%1", path));
        const QString slot = imported ? "door.jpeg " + path : "p0 " + w.Path("p0.jpg"); // caption, path, tool tip
        QCOMPARE(w.Caption(0) + u' ' + w.SlotPath(0) + u' ' + w.IMG(0)->toolTip(), slot + u' ' + slot.section(u' ', 1));
        QCOMPARE(w.Changed(), imported);
        QCOMPARE(w.PicZoom()->DisplayedPath(), w.Path("p0.jpg"));
        QTest::mouseClick(w.IMG(0), Qt::LeftButton);
        QCOMPARE(w.PicZoom()->NaturalSize(), imported ? QSizeF(80, 60) : QSizeF(100, 100));
        QCOMPARE(w.Selected(), 2); // rebuilt afresh
        w.Click(1); // stores the list again
        QCOMPARE(w.List(0), QStringLiteral("1;2;2;30;30;1;;;,3;4;4;30;30;3;;;,x;2;2;30;30;x;;;,tail"));
    }
};

QTEST_MAIN(ViewportTest)
#include "tst_viewport.moc"
