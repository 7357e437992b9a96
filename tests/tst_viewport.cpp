// Pictures in the viewport: fitting, zooming, actual size and scroll bars;
// choosing the displayed picture with its markers; importing and removing
// pictures; and the rule that each slot's list holds only its own markers.
#include "Controls.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "objects/MarkerLayer.h"
#include "objects/ObjectList.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"
#include "viewport/Thumbnail.h"
#include "viewport/ViewGeometry.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool Near(double a, double b, double tolerance = 0.01)
{
    return std::abs(a - b) <= tolerance;
}

// A window with a titled group of pictures of the given sizes and lists.
struct Window {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;
    QString path;

    explicit Window(const QList<QPair<QSize, QString>>& groupSlots)
    {
        window.Form_Load(QString());
        QList<GroupPicture> pictures;
        for (int i = 0; i < groupSlots.size(); ++i) {
            const QString picture = dir.filePath(QStringLiteral("p%1.png").arg(i));
            if (groupSlots[i].first.isValid()) {
                QImage image(groupSlots[i].first, QImage::Format_RGB32);
                image.fill(QColor(40 + 30 * i, 90, 160));
                QVERIFY(image.save(picture));
            }
            pictures.append({ picture, groupSlots[i].second });
        }
        path = dir.filePath("Group.grp");
        WriteBytes(path, FormatGroupFile("", pictures));
        window.OpenFile(path);
    }

    QString List(int slot) const { return SlotList(window, slot); }
    QSizeF Surface() const { return PicZoom()->DisplaySize(); }
    QStringList Tags() const
    {
        QStringList tags;
        for (int i = 1; i < OBJ().Count(); ++i)
            tags.append(OBJ().Item(i).Tag);
        return tags;
    }

    MarkerLayer& OBJ() const { return Markers(window); }
    // A marker's left edge on the picture surface.
    double Left(int index) const { return OBJ().Item(index).Place.left(); }
    PictureSurface* PicZoom() const { return Control<PictureSurface>(window, "PicZoom"); }
    QWidget* PicArea() const { return Control<QWidget>(window, "PicArea"); }
    QScrollBar* HS() const { return Control<QScrollBar>(window, "HS"); }
    QScrollBar* VS() const { return Control<QScrollBar>(window, "VS"); }
    Thumbnail* IMG(int slot) const { return Control<Thumbnail>(window, QStringLiteral("IMG%1").arg(slot)); }
    QString Caption(int slot) const
    {
        return Control<QLabel>(window, QStringLiteral("LbFileName%1").arg(slot))->text();
    }
    template <class T = QAction> T* Menu(const char* name) const { return Control<T>(window, name); }

    // Where a marker's top-left corner shows in the viewport box.
    QPoint InBox(int index) const { return OBJ().mapTo(PicArea(), OBJ().Item(index).Place.topLeft().toPoint()); }

    // A click on a marker, at its centre: the marker becomes the current
    // one and is stored again when the button comes up.
    void Click(int index) const
    {
        QTest::mouseClick(&OBJ(), Qt::LeftButton, {}, OBJ().Item(index).Place.center().toPoint());
    }
    // A double click on a marker, at its centre, as the mouse delivers it:
    // press, release, double click, release.
    void DoubleClick(int index) const
    {
        const QPoint centre = OBJ().Item(index).Place.center().toPoint();
        QTest::mouseClick(&OBJ(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(&OBJ(), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(&OBJ(), Qt::LeftButton, {}, centre);
    }
};

// Where a control stands in the window's own pixels: those of its client
// area below the menu bar, where the thumbnail strip and the panels sit.
QPoint WindowPlace(const frmImage& window, const char* name)
{
    return Control<QWidget>(window, name)->mapTo(Control<QWidget>(window, "Screen"), QPoint());
}

} // namespace

class ViewportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigurePictureReading(); }

    void fitSize_data()
    {
        QTest::addColumn<QSizeF>("natural");
        QTest::addColumn<QSizeF>("fitted");
        QTest::newRow("landscape photo") << QSizeF(1600, 1200) << QSizeF(629, 471.75);
        QTest::newRow("small picture stays") << QSizeF(300, 200) << QSizeF(300, 200);
        QTest::newRow("too tall") << QSizeF(500, 900) << QSizeF(266, 478.8);
        QTest::newRow("exactly the box") << QSizeF(629, 480) << QSizeF(629, 480);
    }
    void fitSize()
    {
        QFETCH(QSizeF, natural);
        QFETCH(QSizeF, fitted);
        const QSizeF size = FitSize(natural, QSizeF(629, 480));
        QVERIFY2(Near(size.width(), fitted.width()) && Near(size.height(), fitted.height()),
            qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    }

    void zoomStepLimits()
    {
        const QSizeF box(629, 480);
        const std::optional<QSizeF> in = ZoomStepSize(QSizeF(629, 471.75), true, box);
        QVERIFY(in && Near(in->width(), 660.45) && Near(in->height(), 495.34));
        const std::optional<QSizeF> out = ZoomStepSize(QSizeF(629, 471.75), false, box);
        QVERIFY(out && Near(out->width(), 597.55));
        QCOMPARE(ZoomStepSize(QSizeF(32800, 100), true, box), std::nullopt);
        QCOMPARE(ZoomStepSize(QSizeF(100, 16.5), false, box), std::nullopt);
    }

    void choosingAPictureFitsItAndPlacesItsMarkers()
    {
        Window w({ { QSize(1600, 1200), "3;4;4;30;30;3;250;;," } });
        w.window.ClipClicked(0, 1);
        QVERIFY(Near(w.Surface().width(), 629) && Near(w.Surface().height(), 471.75));
        QCOMPARE(w.PicZoom()->pos(), QPoint(0, 0));
        QCOMPARE(w.PicZoom()->DisplayedPath(), w.dir.filePath("p0.png"));
        QVERIFY(Near(w.Left(1), 157.25));
        QVERIFY(w.HS()->isHidden() && w.VS()->isHidden());

        w.Menu("mnuzoomin")->trigger();
        QVERIFY(Near(w.Surface().width(), 660.45) && Near(w.Surface().height(), 495.34));
        QVERIFY(Near(w.Left(1), 165.11));
        QCOMPARE(w.HS()->maximum(), 31);
        QCOMPARE(w.VS()->maximum(), 15);
        QVERIFY(!w.HS()->isHidden() && !w.VS()->isHidden());
        // Zooming changes neither the list nor the changed flag.
        QCOMPARE(w.List(0), QStringLiteral("3;4;4;30;30;3;250;;,"));
        QVERIFY(!w.window.Changed);
    }

    void scrollBars_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("maximum");
        QTest::newRow("exactly as wide as the box") << QSize(629, 300) << false << 0;
        QTest::newRow("one pixel wider") << QSize(630, 300) << true << 1;
        QTest::newRow("700 x 400") << QSize(700, 400) << true << 71;
    }
    void scrollBars()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, horizontal);
        QFETCH(int, maximum);
        Window w({ { picture, "" } });
        w.window.ClipClicked(0, 1);
        w.window.ActualSize();
        QCOMPARE(w.Surface(), QSizeF(picture));
        QCOMPARE(!w.HS()->isHidden(), horizontal);
        QCOMPARE(w.HS()->isEnabled(), horizontal);
        QVERIFY(w.VS()->isHidden());
        if (!horizontal)
            return;
        QCOMPARE(w.HS()->maximum(), maximum);
        QCOMPARE(w.HS()->value(), 0);
        // One arrow click moves by 100, stopping at the end.
        w.HS()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(w.HS()->value(), maximum);
        QCOMPARE(w.PicZoom()->x(), -maximum);
        // A zoom always ends scrolled back to the top-left corner.
        w.window.ZoomIn();
        QCOMPARE(w.HS()->value(), 0);
        QCOMPARE(w.PicZoom()->pos(), QPoint(0, 0));
    }

    void markersMoveWithTheScrolledSurface()
    {
        Window w({ { QSize(1600, 1200), "3;4;4;30;30;3;;;," } });
        w.window.ClipClicked(0, 1);
        w.window.ActualSize();
        const QPoint before = w.InBox(1);
        w.HS()->setValue(120);
        w.VS()->setValue(80);
        QCOMPARE(w.InBox(1), before - QPoint(120, 80));
        QVERIFY(Near(w.Left(1), 400));
        w.window.ScaleToFit();
        QCOMPARE(w.PicZoom()->pos(), QPoint(0, 0));
        QVERIFY(Near(w.Left(1), 157.25));
    }

    void zoomKeepsTheViewUsable()
    {
        Window w({ { QSize(30000, 10), "" }, { QSize(20, 20), "" }, { QSize(40000, 10), "" } });
        w.window.ClipClicked(0, 1);
        w.window.ActualSize();
        for (int i = 0; i < 5; ++i)
            w.window.ZoomIn();
        // Two steps fit what the scroll bars can address; the third and later
        // are refused.
        QVERIFY(Near(w.Surface().width(), 33075));
        QCOMPARE(w.HS()->maximum(), 32446);

        w.window.ClipClicked(1, 1);
        for (int i = 0; i < 10; ++i)
            w.window.ZoomOut();
        QVERIFY(w.Surface().width() >= MinSurfaceSide && w.Surface().width() < 17.2);

        w.window.ClipClicked(2, 1);
        w.window.ActualSize();
        const FakePlatform::Call message = w.fake.LastMessage();
        QCOMPARE(
            message.Text, QStringLiteral("The picture is too large to show at its actual size (40000 x 10 pixels)."));
        QCOMPARE(message.Title, QStringLiteral("Sub : ActualSize"));
        QCOMPARE(message.Icon, MsgIcon::Information);
        QVERIFY(Near(w.Surface().width(), 629));
    }

    void nothingDisplayedMeansNoZoom()
    {
        Window w({ { QSize(100, 100), "" } });
        const QSizeF before = w.Surface();
        w.window.ZoomIn();
        w.window.ZoomOut();
        w.window.ActualSize();
        w.window.ScaleToFit();
        QCOMPARE(w.Surface(), before);
        QVERIFY(w.fake.Calls.isEmpty());
        QTest::mouseClick(w.PicZoom(), Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(!w.Menu<QMenu>("mnuzoom")->isVisible());
    }

    void rightPressOnTheSurfaceOffersTheZoomMenu()
    {
        Window w({ { QSize(100, 100), "" } });
        w.window.ClipClicked(0, 1);
        QTest::mouseClick(w.PicZoom(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(w.Menu<QMenu>("mnuzoom")->isVisible());
        w.Menu<QMenu>("mnuzoom")->hide();
        QTest::mouseClick(w.PicZoom(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!w.Menu<QMenu>("mnuzoom")->isVisible());
    }

    void activeFrameFollowsTheSlot()
    {
        Window w({});
        const QList<int> lefts { 19, 187, 355, 523, 685, 849 };
        for (int slot = 0; slot < 6; ++slot) {
            w.window.ClipClicked(slot, 2);
            w.Menu<QMenu>("mnuImage")->hide();
            QCOMPARE(WindowPlace(w.window, "Border"), QPoint(lefts[slot], 33));
            QCOMPARE(w.window.CurrentImage, slot);
        }
    }

    void menuPaths()
    {
        Window w({ { QSize(100, 100), "1;2;2;30;30;1;;;," }, { QSize(100, 100), "" } });
        w.window.ClipClicked(0, 1);
        // A right press on the displayed slot keeps the view.
        QTest::mouseClick(w.IMG(0), Qt::RightButton);
        QVERIFY(w.Menu<QMenu>("mnuImage")->isVisible());
        QVERIFY(w.Menu("mnuRemove")->isEnabled());
        QCOMPARE(w.OBJ().DisplayedSlot(), 0);
        QCOMPARE(w.OBJ().Count(), 2);
        w.Menu<QMenu>("mnuImage")->hide();
        // A right press on another slot clears the view.
        QTest::mouseClick(w.IMG(1), Qt::RightButton);
        QCOMPARE(w.window.CurrentImage, 1);
        QCOMPARE(w.OBJ().DisplayedSlot(), -1);
        QCOMPARE(w.OBJ().Count(), 1);
        QCOMPARE(w.window.ImageObjectCount, 0);
        QVERIFY(w.PicZoom()->DisplayedPath().isEmpty());
        w.Menu<QMenu>("mnuImage")->hide();
        // A left press on an empty slot offers the menu without "Remove Image".
        QTest::mouseClick(w.IMG(3), Qt::LeftButton);
        QVERIFY(w.Menu<QMenu>("mnuImage")->isVisible());
        QVERIFY(!w.Menu("mnuRemove")->isEnabled());
        QCOMPARE(w.window.CurrentImage, 3);
        w.Menu<QMenu>("mnuImage")->hide();
        QVERIFY(!w.window.Changed);
    }

    void rebuildsRecordsInOrder()
    {
        Window w({ { QSize(629, 480),
                       "3;2;2;30;30;3;;;,10;4;4;30;30;10;250;01/02/2006;roof;rear,0;8;8;30;30;0;;;,"
                       "1;2;2;30;30;1;;;,2;2;2;30;30;2;;;," },
            { QSize(629, 480), "5;2;2;30;30;5;;;,6;3;3;30;30;6;;;," } });
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.Tags(), (QStringList { "3", "10", "0", "1", "2" }));
        QCOMPARE(w.window.CurrentObject, 5);
        QCOMPARE(w.window.ImageObjectCount, 5);
        QCOMPARE(w.OBJ().Item(2).Detail, QStringLiteral("250;01/02/2006;roof;rear"));
        // A store after the rebuild writes the records back as they were.
        const QString before = w.List(0);
        w.Click(2);
        QCOMPARE(w.window.CurrentObject, 2);
        QCOMPARE(w.List(0), before);

        w.window.ClipClicked(1, 1);
        QCOMPARE(w.Tags(), (QStringList { "5", "6" }));
        QCOMPARE(w.window.CurrentObject, 2);
        QCOMPARE(w.window.ImageObjectCount, 2);
    }

    void unreadableRecordsAreKept()
    {
        const QString list
            = QStringLiteral("1;2;2;30;30;1;;;,x;2;2;30;30;x;;;,3;0;2;30;30;3;;;,4;2;2,1;2;2;30;30;1;5;;,");
        Window w({ { QSize(629, 480), list } });
        w.window.ClipClicked(0, 1);
        const FakePlatform::Call message = w.fake.LastMessage();
        QCOMPARE(message.Title, QStringLiteral("Sub : ClipClicked"));
        QCOMPARE(message.Buttons, MsgButtons::Ok);
        QCOMPARE(message.Icon, MsgIcon::Information);
        QCOMPARE(message.Text,
            QStringLiteral("Marker 2 (\"x;2;2;30;30;x;;;\") cannot be shown: its damage type \"x\" names no "
                           "toolbar button.\n"
                           "Marker 3 (\"3;0;2;30;30;3;;;\") cannot be shown: its placement \"0\" is not a number "
                           "other than 0.\n"
                           "Marker 4 (\"4;2;2\") cannot be shown: it has 3 fields where a marker has at least 7.\n"
                           "It is kept as it stands and saved unchanged."));
        QCOMPARE(w.Tags(), (QStringList { "1", "1" }));
        QCOMPARE(w.window.ImageObjectCount, 5);
        w.window.TBR_Click(8);
        QCOMPARE(w.window.GroupObjectCount, 6);
        const QString stored = w.List(0);
        QCOMPARE(CountRecords(stored), 6);
        QVERIFY(stored.startsWith(QStringLiteral("1;2;2;30;30;1;;;,1;2;2;30;30;1;5;;,8;629;480;")));
        QVERIFY(stored.endsWith(QStringLiteral("x;2;2;30;30;x;;;,3;0;2;30;30;3;;;,4;2;2,")));
    }

    // A last record that lost its "," and a record of six fields are
    // reported and kept as they stand; the first stays last.
    void textAfterTheLastCommaIsKept()
    {
        const QString list = QStringLiteral("1;2;2;30;30;1;;;,1;2;2;30;30;1,3;4;4;30;30;3;250");
        Window w({ { QSize(629, 480), list } });
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.fake.LastMessage().Text,
            QStringLiteral(
                "Marker 2 (\"1;2;2;30;30;1\") cannot be shown: it has 6 fields where a marker has at least 7.\n"
                "The text \"3;4;4;30;30;3;250\" after the last marker cannot be shown: it does not end "
                "with \",\".\n"
                "It is kept as it stands and saved unchanged."));
        QCOMPARE(w.window.ImageObjectCount, 2);
        w.window.TBR_Click(8);
        const QString stored = w.List(0);
        QVERIFY(stored.startsWith(QStringLiteral("1;2;2;30;30;1;;;,8;629;480;")));
        QVERIFY(stored.endsWith(QStringLiteral(";8;,1;2;2;30;30;1,3;4;4;30;30;3;250")));
        QCOMPARE(CountRecords(stored), 3);
    }

    void missingPictureShowsAPlaceholderWithItsMarkers()
    {
        Window w({ { QSize(), "3;4;4;30;30;3;100;;," } });
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.PicZoom()->DisplayedPath(), w.dir.filePath("p0.png"));
        QCOMPARE(w.PicZoom()->NaturalSize(), QSizeF(640, 480));
        QVERIFY(Near(w.Surface().width(), 629) && Near(w.Surface().height(), 471.75));
        QCOMPARE(w.OBJ().Count(), 2);
        QVERIFY(Near(w.Left(1), 157.25));
        QVERIFY(w.fake.Calls.isEmpty());
    }

    void importPicture()
    {
        Window w({ { QSize(100, 100), "1;2;2;30;30;1;;;," } });
        const QString tiff = w.dir.filePath("door.tiff");
        QVERIFY(QImage(QSize(80, 60), QImage::Format_RGB32).save(tiff));
        w.fake.Paths = { tiff };
        w.Menu("mnuImport")->trigger();
        QCOMPARE(w.fake.Calls.size(), 1);
        QCOMPARE(w.fake.Calls[0].Kind, QStringLiteral("open"));
        QCOMPARE(w.fake.Calls[0].Title, QStringLiteral("Nimbrel - 1.0 : Import Picture"));
        // The classic types first, then every type the loader reads, then
        // every file.
        const QStringList filter = w.fake.Calls[0].Filter.split(u'|');
        QCOMPARE(filter.mid(0, 2),
            (QStringList { "Pictures (*.bmp;*.ico;*.jpg;*.gif;*.tiff)", "*.bmp;*.ico;*.jpg;*.gif;*.tiff" }));
        QCOMPARE(filter.size(), 6);
        QVERIFY(filter[2].startsWith(QStringLiteral("All pictures (*.")));
        for (const char* type : { "*.png", "*.jpeg", "*.tif", "*.webp", "*.jpg", "*.bmp" })
            QVERIFY2(filter[3].split(u';').contains(QLatin1String(type)), type);
        QCOMPARE(filter.mid(4), (QStringList { "All files (*)", "*" }));
        QCOMPARE(w.fake.Calls[0].Text, QString());
        // Into the current slot, which had a picture: its list stays.
        QCOMPARE(SlotPath(w.window, 0), tiff);
        QCOMPARE(w.IMG(0)->toolTip(), tiff);
        QVERIFY(w.IMG(0)->HasPicture());
        QCOMPARE(w.Caption(0), QStringLiteral("door.tiff"));
        QCOMPARE(w.List(0), QStringLiteral("1;2;2;30;30;1;;;,"));
        QVERIFY(w.window.Changed);
        QVERIFY(w.PicZoom()->DisplayedPath().isEmpty()); // not shown until chosen
        w.window.ClipClicked(0, 1);
        QCOMPARE(w.PicZoom()->NaturalSize(), QSizeF(80, 60));
        QCOMPARE(w.OBJ().Count(), 2);
    }

    void importRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("missing") << "gone.jpg"
                                 << "File Does Not Exists"
                                 << "Invalid FileName" << int(MsgIcon::Critical);
        QTest::newRow("double quote") << "a\"b.jpg"
                                      << "A group file cannot keep a picture whose path contains a double quote "
                                         "(\"):\n%1"
                                      << "Invalid FileName" << int(MsgIcon::Critical);
        QTest::newRow("not a picture") << "notes.jpg"
                                       << "Cannot read picture %1: Unsupported image format"
                                       << "Sub : ImportImage" << int(MsgIcon::Information);
    }
    void importRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        Window w({});
        const QString path = w.dir.filePath(name);
        if (name != "gone.jpg")
            WriteBytes(path, "no picture here");
        w.fake.Paths = { path };
        w.window.ImportImage();
        const FakePlatform::Call message = w.fake.LastMessage();
        QCOMPARE(message.Text, text.contains("%1") ? text.arg(path) : text);
        QCOMPARE(message.Title, title);
        QCOMPARE(int(message.Icon), icon);
        QVERIFY(SlotPath(w.window, 0).isEmpty());
        QCOMPARE(w.Caption(0), QStringLiteral("Pic 1"));
        QVERIFY(!w.window.Changed);
    }

    void cancelledImportChangesNothing()
    {
        Window w({ { QSize(100, 100), "" } });
        w.window.ImportImage();
        QCOMPARE(SlotPath(w.window, 0), w.dir.filePath("p0.png"));
        QVERIFY(!w.window.Changed);
    }

    void removeSlotFour()
    {
        Window w({ { QSize(50, 50), "" }, { QSize(50, 50), "" }, { QSize(50, 50), "" }, { QSize(50, 50), "" },
            { QSize(50, 50), "1;2;2;30;30;1;;;,2;2;2;30;30;2;;;," }, { QSize(50, 50), "3;2;2;30;30;3;;;," } });
        QCOMPARE(w.window.GroupObjectCount, 3);
        w.window.ClipClicked(4, 2);
        w.Menu<QMenu>("mnuImage")->hide();
        w.Menu("mnuRemove")->trigger();
        QCOMPARE(w.Caption(4), QStringLiteral("Pic 5"));
        QVERIFY(SlotPath(w.window, 4).isEmpty());
        QVERIFY(!w.IMG(4)->HasPicture());
        QVERIFY(w.List(4).isEmpty());
        QCOMPARE(w.window.GroupObjectCount, 1);
        QCOMPARE(w.Caption(5), QStringLiteral("p5"));
        QVERIFY(w.window.Changed);
        w.window.SaveFile();
        const GroupFileContent saved = ReadGroupFile(w.path);
        QCOMPARE(saved.Pictures.size(), 5);
        QCOMPARE(saved.Pictures[4].Path, w.dir.filePath("p5.png"));
        // Opened again, the gap has closed up.
        w.window.OpenFile(w.path);
        QCOMPARE(SlotPath(w.window, 4), w.dir.filePath("p5.png"));
        QCOMPARE(w.List(4), QStringLiteral("3;2;2;30;30;3;;;,"));
        QVERIFY(SlotPath(w.window, 5).isEmpty());
    }

    void removeOnAnEmptySlot()
    {
        Window w({ { QSize(50, 50), "1;2;2;30;30;1;;;," } });
        w.window.ClipClicked(3, 1);
        w.Menu<QMenu>("mnuImage")->hide();
        w.window.RemoveImage();
        QVERIFY(w.window.Changed);
        QCOMPARE(SlotPath(w.window, 0), w.dir.filePath("p0.png"));
        QCOMPARE(w.window.GroupObjectCount, 1);
    }

    void eachSlotKeepsOnlyItsOwnMarkers()
    {
        Window w({});
        QList<QString> pictures;
        for (int i = 0; i < 3; ++i) {
            pictures.append(w.dir.filePath(QStringLiteral("r%1.png").arg(i)));
            QVERIFY(QImage(QSize(200 + 150 * i, 150), QImage::Format_RGB32).save(pictures.last()));
        }
        QRandomGenerator random(20261206);
        int placed = 0;
        for (int step = 0; step < 400; ++step) {
            const int slot = int(random.bounded(6));
            switch (random.bounded(6)) {
            case 0: // import through the slot's menu
                w.window.ClipClicked(slot, 2);
                w.fake.Paths = { pictures[random.bounded(3)] };
                w.window.ImportImage();
                break;
            case 1: // remove through the slot's menu
                w.window.ClipClicked(slot, 2);
                w.window.RemoveImage();
                break;
            case 2:
            case 3: // choose a thumbnail with either button
                w.window.ClipClicked(slot, random.bounded(2) ? 1 : 2);
                break;
            default: { // place a marker and mark it with the slot it was placed on
                const int image = w.window.CurrentImage;
                w.window.TBR_Click(int(random.bounded(9)));
                const int marker = w.window.CurrentObject;
                if (marker > 0 && w.OBJ().DisplayedSlot() == image && w.OBJ().Item(marker).Detail.isEmpty()) {
                    const QString detail = QStringLiteral("%1;;slot %2").arg(++placed).arg(image);
                    w.fake.DetailAnswers = { detail };
                    w.DoubleClick(marker);
                    QCOMPARE(w.OBJ().Item(marker).Detail, detail);
                }
                break;
            }
            }
            w.Menu<QMenu>("mnuImage")->hide();
            qsizetype records = 0;
            for (int i = 0; i < 6; ++i) {
                records += CountRecords(w.List(i));
                for (QStringView record : SplitRecords(w.List(i)))
                    QVERIFY2(record.endsWith(QStringLiteral(";slot %1").arg(i)), qPrintable(record.toString()));
                if (SlotPath(w.window, i).isEmpty())
                    QVERIFY(w.List(i).isEmpty());
            }
            QCOMPARE(qsizetype(w.window.GroupObjectCount), records);
            QVERIFY(w.OBJ().DisplayedSlot() == -1 || w.OBJ().DisplayedSlot() == w.window.CurrentImage);
            if (w.OBJ().DisplayedSlot() >= 0)
                QCOMPARE(qsizetype(w.window.ImageObjectCount), CountRecords(w.List(w.OBJ().DisplayedSlot())));
            else
                QCOMPARE(w.window.ImageObjectCount, 0);
        }
        QVERIFY(placed > 20);
    }
};

QTEST_MAIN(ViewportTest)
#include "tst_viewport.moc"
