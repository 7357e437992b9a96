// Markers: the record text they are stored as, the damage-type toolbar, and
// placing a marker, with the counts, the totals and the slot's object list
// following.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "common/UserError.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "objects/DamageToolbar.h"
#include "objects/MarkerLayer.h"
#include "objects/ObjectList.h"
#include "viewport/PictureSurface.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// A window holding a titled group whose first two slots have pictures of
// exactly the viewport's size, so the surface is 629 x 480 when shown.
struct Window {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;
    QString path;

    explicit Window(const QString& firstList = QString(), const QString& secondList = QString())
    {
        window.Form_Load(QString());
        WriteJpeg(dir.filePath("a.jpg"), QSize(629, 480));
        WriteJpeg(dir.filePath("b.jpg"), QSize(629, 480));
        path = dir.filePath("Smith.grp");
        WriteBytes(
            path, FormatGroupFile("", { { dir.filePath("a.jpg"), firstList }, { dir.filePath("b.jpg"), secondList } }));
        window.OpenFile(path);
    }

    QString List(int slot) const { return SlotList(window, slot); }
    // A click on a marker, at its centre.
    void Click(int index, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(&OBJ(), button, {}, OBJ().Item(index).Place.center().toPoint());
    }
    MarkerLayer& OBJ() const { return Markers(window); }
    QString Label(const char* name) const { return Control<QLabel>(window, name)->text(); }

    // Shows the current slot and scrolls the view.
    void ScrollTo(int x, int y)
    {
        window.ClipClicked(window.CurrentImage, 1);
        for (const char* name : { "HS", "VS" })
            Control<QScrollBar>(window, name)->setMaximum(500);
        Control<QScrollBar>(window, "HS")->setValue(x);
        Control<QScrollBar>(window, "VS")->setValue(y);
    }
};

} // namespace

class MarkersTest : public QObject {
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

    void detailString_data()
    {
        Columns<QString, QString, double>("record", "detail", "cost");
        Row("nine fields", "3;12.5;4.166667;38.09524;41.17647;3;250;12/05/2005;left door", "250;12/05/2005;left door",
            250.0);
        Row("seven fields", "10;50;7.5;38.09524;41.17647;10;", "", 0.0);
        Row("seven fields with a cost", "10;50;7.5;38.09524;41.17647;10;12.5", "12.5", 12.5);
        Row("separators inside the comment", "1;2;2;30;30;1;1000.50;;a;b;c", "1000.50;;a;b;c", 1000.5);
        Row("six fields", "1;2;2;30;30;1", "", 0.0);
        Row("cost with words", "1;2;2;30;30;1;about 90;;", "about 90;;", 0.0);
    }
    void detailString()
    {
        QFETCH(QString, record);
        QFETCH(QString, detail);
        QFETCH(double, cost);
        QCOMPARE(DetailOf(record), detail);
        QCOMPARE(RecordCost(record), cost);
    }

    // A record the marker layer cannot show is refused with a text that says
    // why; seven fields is the least a marker has.
    void readsARecord_data()
    {
        Columns<QString, QString, int>("record", "problem", "type");
        Row("seven fields, the last empty", "3;12.5;4.166667;38.09524;41.17647;3;", "", 3);
        Row("nine fields", "10;50;7.5;38.09524;41.17647;10;250;12/05/2005;left door", "", 10);
        Row("six fields", "1;2;2;30;30;1", "it has 6 fields where a marker has at least 7", 0);
        Row("five fields", "1;2;2;30;30", "it has 5 fields where a marker has at least 7", 0);
        Row("no type 9", "9;2;2;30;30;9;", "its damage type \"9\" names no toolbar button", 0);
        Row("a ratio of 0", "1;0;2;30;30;1;", "its placement \"0\" is not a number other than 0", 0);
        Row("a ratio that is no number", "1;2;x;30;30;1;", "its placement \"x\" is not a number other than 0", 0);
    }
    void readsARecord()
    {
        QFETCH(QString, record);
        QFETCH(QString, problem);
        QFETCH(int, type);
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
        // Written again, the record is the same text.
        QCOMPARE(FormatRecord(read.Tag, read.Placement, read.Detail), record + u',');
    }

    void recordsOfAList_data()
    {
        Columns<QString, QStringList, QString>("list", "records", "unterminated");
        Row("empty", "", QStringList {}, "");
        Row("two", "a;1,b;2,", QStringList { "a;1", "b;2" }, "");
        Row("without the last comma", "a;1,b;2", QStringList { "a;1" }, "b;2");
        Row("one record without its comma", "1;2;2;30;30;1;250;;door", QStringList {}, "1;2;2;30;30;1;250;;door");
        Row("blanks after the last comma", "a;1,  ", QStringList { "a;1" }, "  ");
        Row("empty records", ",,x;1", QStringList { "", "" }, "x;1");
    }
    void recordsOfAList()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, records);
        QFETCH(QString, unterminated);
        QStringList seen;
        for (QStringView record : SplitRecords(list))
            seen.append(record.toString());
        QCOMPARE(seen, records);
        QCOMPARE(CountRecords(list), records.size());
        QCOMPARE(UnterminatedText(list).toString(), unterminated);
        // The records, each with its ",", and the unterminated text make up
        // the whole list again.
        QString joined;
        for (const QString& record : std::as_const(seen))
            joined += record + u',';
        QCOMPARE(joined + UnterminatedText(list).toString(), list);
    }

    void toolbarHasTheTenTypesInOrder()
    {
        Window w;
        const QStringList names { "Ding", "Dent", "Rust", "Scratch", "Stain", "Tear", "Cig Burn", "Mechanical Damage",
            "Electrical Damage", "", "General Damage" };
        const QList<int> tops { 8, 32, 56, 80, 112, 136, 160, 192, 216, -1, 240 };
        const auto* toolbar = Control<DamageToolbar>(w.window, "PicTbr");
        QCOMPARE(toolbar->geometry(), QRect(14, 180, 51, 485));
        for (int number = 0; number <= 10; ++number) {
            QToolButton* button = toolbar->TBR(number);
            if (number == 9) {
                QVERIFY(!button);
                continue;
            }
            QVERIFY(button);
            QCOMPARE(button->toolTip(), names[number]);
            QCOMPARE(button->geometry(), QRect(10, tops[number], 29, 24));
        }
    }

    void placingAMarker()
    {
        Window w;
        QTest::mouseClick(Control<QToolButton>(w.window, "TBR1"), Qt::LeftButton);
        QCOMPARE(w.OBJ().Count(), 2);
        const MarkerItem& marker = w.OBJ().Item(1);
        // Placed unscrolled at 0, 0, the store moves it to 1, 1.
        QCOMPARE(marker.Place, QRectF(1, 1, 21, 17));
        QCOMPARE(marker.Tag, QStringLiteral("1"));
        QCOMPARE(marker.Detail, QString());
        QVERIFY(w.OBJ().IsShown(1));
        QCOMPARE(w.List(0), QStringLiteral("1;629;480;29.95238;28.23529;1;,"));
        QCOMPARE(w.window.CurrentObject, 1);
        QCOMPARE(w.window.ImageObjectCount, 1);
        QCOMPARE(w.window.GroupObjectCount, 1);
        QCOMPARE(w.Label("LblCount"), QStringLiteral("1"));
        QCOMPARE(w.Label("LblTotal"), QStringLiteral("1"));
        QVERIFY(w.window.Changed);
    }

    void markerLandsAtTheScrollPosition()
    {
        Window w;
        w.ScrollTo(120, 80);
        w.window.TBR_Click(1);
        QCOMPARE(w.OBJ().Item(1).Place, QRectF(120, 80, 21, 17));
        QCOMPARE(w.List(0), QStringLiteral("1;5.241667;6;29.95238;28.23529;1;,"));
    }

    void hiddenMarkersAreLeftOut()
    {
        Window w;
        w.ScrollTo(0, 0);
        for (int type : { 0, 5, 10 }) {
            Control<QScrollBar>(w.window, "HS")->setValue(type * 10 + 10);
            w.window.TBR_Click(type);
        }
        w.Click(2, Qt::RightButton);
        Control<QMenu>(w.window, "mnuObject")->hide();
        Control<QAction>(w.window, "mnuDelete")->trigger();
        const QList<QStringView> records = SplitRecords(w.List(0));
        QCOMPARE(records.size(), 2);
        QVERIFY(records[0].startsWith(u"0;62.9;"));
        QVERIFY(records[1].startsWith(u"10;5.718182;"));
    }

    void tenMarkersOfOneType()
    {
        Window w;
        for (int i = 0; i < 10; ++i)
            w.window.TBR_Click(7);
        const QList<QStringView> records = SplitRecords(w.List(0));
        QCOMPARE(records.size(), 10);
        for (QStringView record : records) {
            const QList<QStringView> fields = record.split(u';');
            QCOMPARE(fields.size(), 7);
            QCOMPARE(fields[0], u"7");
            QCOMPARE(fields[5], u"7");
        }
        QCOMPARE(w.window.GroupObjectCount, 10);
        QCOMPARE(w.Label("LblCount"), QStringLiteral("10"));
    }

    void onlyTheSelectedMarkerIsMeasuredAgain()
    {
        Window w;
        w.window.TBR_Click(1);
        w.window.TBR_Click(2);
        // Marker 1, under marker 2, is moved while not the selected one.
        w.OBJ().SendToBack(2);
        w.OBJ().SetPlace(1, QRectF(300, 200, 21, 17));
        w.window.StoreObjects();
        QCOMPARE(w.List(0), QStringLiteral("1;629;480;29.95238;28.23529;1;,2;629;480;29.95238;28.23529;2;,"));
        w.Click(1);
        QVERIFY(w.List(0).startsWith(QStringLiteral("1;2.096667;2.4;29.95238;28.23529;1;,")));
    }

    void emptySurfaceNeverGivesAZeroRatio()
    {
        Window w;
        w.window.ClipClicked(0, 1);
        Control<PictureSurface>(w.window, "PicZoom")->SetDisplaySize(QSizeF(0, 0));
        w.window.TBR_Click(1);
        QCOMPARE(w.List(0), QStringLiteral("1;1;1;0.04761905;0.05882353;1;,"));
    }

    void markersJoinTheSlotsOwnMarkers()
    {
        Window w("1;2;2;30;30;1;250;;,3;4;4;30;30;3;;;,");
        QCOMPARE(w.OBJ().DisplayedSlot(), -1);
        w.window.TBR_Click(4);
        // The slot was shown first, so its two markers were kept.
        QCOMPARE(w.OBJ().DisplayedSlot(), 0);
        QCOMPARE(w.window.GroupObjectCount, 3);
        QCOMPARE(w.window.ImageObjectCount, 3);
        QCOMPARE(w.window.CurrentObject, 3);
        QVERIFY(w.List(0).startsWith(QStringLiteral("1;2;2;30;30;1;250;;,3;4;4;30;30;3;;;,4;629;480;")));
    }

    void aSlotWithoutAPictureTakesNoMarker()
    {
        Window w;
        w.window.ClipClicked(2, 1); // an empty slot: the Image menu
        Control<QMenu>(w.window, "mnuImage")->hide();
        w.window.TBR_Click(1);
        const FakePlatform::Call message = w.fake.LastMessage();
        QCOMPARE(
            message.Text, QStringLiteral("There is no picture in Pic 3 to place a marker on. Import a picture first."));
        QCOMPARE(message.Title, QStringLiteral("Sub : TBR_Click"));
        QCOMPARE(w.OBJ().Count(), 1);
        QVERIFY(w.List(2).isEmpty());
        QCOMPARE(w.window.GroupObjectCount, 0);
    }

    void groupCountIsHeldTo16Bits()
    {
        QString full;
        for (int i = 0; i < 32767; ++i)
            full += QStringLiteral("1;2;2;30;30;1;;,");
        Window w("", full);
        QCOMPARE(w.window.GroupObjectCount, 32767);
        w.window.TBR_Click(1);
        QCOMPARE(w.fake.Messages().size(), 1);
        const FakePlatform::Call message = w.fake.LastMessage();
        QCOMPARE(message.Text, QStringLiteral("The group already holds 32767 markers, the most it can hold."));
        QCOMPARE(message.Title, QStringLiteral("Sub : TBR_Click"));
        QCOMPARE(message.Buttons, MsgButtons::Ok);
        QCOMPARE(message.Icon, MsgIcon::Information);
        QCOMPARE(w.OBJ().Count(), 1);
        QCOMPARE(w.window.GroupObjectCount, 32767);
        QVERIFY(!w.window.Changed);
    }

    void newGroupUnloadsTheMarkers()
    {
        Window w;
        w.window.TBR_Click(1);
        w.window.TBR_Click(2);
        w.fake.Answers = { MsgAnswer::No };
        w.window.NewFile();
        QCOMPARE(w.OBJ().Count(), 1);
        QCOMPARE(w.OBJ().StackingOrder().size(), size_t(0));
        QCOMPARE(w.window.CurrentObject, 0);
    }

    void savedMarkersReopenByteForByte()
    {
        Window w;
        const QString path = w.dir.filePath("Three.grp");
        WriteBytes(path,
            FormatGroupFile("8500",
                { { w.dir.filePath("a.jpg"), "" }, { w.dir.filePath("b.jpg"), "" },
                    { w.dir.filePath("c.jpg"), "1;2;2;30;30;1;250;;," } }));
        w.window.OpenFile(path);
        w.ScrollTo(37, 0);
        w.window.TBR_Click(3);
        w.window.TBR_Click(10);
        w.fake.DetailAnswers = { QStringLiteral("1000;01/02/2006;roof") };
        QTest::mouseDClick(&w.OBJ(), Qt::LeftButton, {}, w.OBJ().Item(2).Place.center().toPoint());
        const QStringList lists { w.List(0), w.List(1), w.List(2) };
        w.window.SaveFile();
        const QByteArray saved = ReadBytes(path);
        w.window.OpenFile(path);
        QCOMPARE((QStringList { w.List(0), w.List(1), w.List(2) }), lists);
        QCOMPARE(w.window.GroupObjectCount, 3);
        QCOMPARE(w.window.ObjIDTotal, 1250.0);
        // The value typed over with itself.
        Control<QLineEdit>(w.window, "txtNum")->setText("850");
        Control<QLineEdit>(w.window, "txtNum")->setText("8500");
        QVERIFY(w.window.Changed);
        w.window.SaveFile();
        QCOMPARE(ReadBytes(path), saved);
    }
};

QTEST_MAIN(MarkersTest)
#include "tst_markers.moc"
