// What the main window keeps between runs: its state and place, the five colours and the recent files.
#include "DataRows.h"
#include "MainWindow.h"
#include "document/ScreenBackground.h"
#include "document/WindowPlacement.h"
#include "objects/DamageToolbar.h"
#include "viewport/OutlineBox.h"
#include "viewport/SlotCaption.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

namespace {

const QColor DarkGrey(0x40, 0x40, 0x40);

// The paths of the recent-files items, in menu order.
QStringList RecentItems(const frmImage& window)
{
    QStringList items;
    for (const QAction* action : Control<QMenu>(window, "mnuFile")->actions())
        if (action->objectName().startsWith(QStringLiteral("mnuLastFile")) && action->isVisible())
            items.append(action->iconText());
    return items;
}

// The colours the window shows: the screen, every slot's outline and caption, the current slot's frame, the
// toolbar and the name fields (inside their frames); where controls do not share one colour, none.
QList<QColor> Colors(const frmImage& window)
{
    QList<QColor> outlines, fields;
    for (int i = 0; i < 6; ++i) {
        outlines << Control<OutlineBox>(window, QStringLiteral("Box%1").arg(i))->BorderColor()
                 << MainWindow::TextColor(Control<SlotCaption>(window, QStringLiteral("LbFileName%1").arg(i)));
        if (i < 4)
            fields << Control<QLineEdit>(window, QStringLiteral("txtWord%1").arg(i))->grab().toImage().pixelColor(4, 4);
    }
    const auto Shared
        = [](const QList<QColor>& colors) { return colors.count(colors[0]) == colors.size() ? colors[0] : QColor(); };
    return { Control<ScreenBackground>(window, "Screen")->ScreenColor(), Shared(outlines),
        Control<OutlineBox>(window, "Border")->BorderColor(), Control<DamageToolbar>(window, "PicTbr")->ToolbarColor(),
        Shared(fields) };
}

} // namespace

class WindowSettingsTest : public QObject {
    Q_OBJECT

private slots:
    // A first run shows the design, maximised. A colour chosen shows at once, a cancelled one changes nothing;
    // Default Colors resets all but the name fields. The sixth file opened takes recent item 1. The next run shows
    // what was stored (the design's colour for one past white); its next file, saved, takes item 1, shown whole, "&"
    // and all; the one after takes item 2: letter case makes a new file. More than five stored recent files are none.
    // An option is stored once it was on.
    void whatTheNextRunShows()
    {
        MainWindow w;
        QVERIFY(w.window.windowState() & Qt::WindowMaximized);
        const QList<QColor> design { Qt::black, Qt::white, Qt::red, DarkGrey, Qt::white };
        QCOMPARE(Colors(w.window), design);
        const QList<QColor> chosen { Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkCyan, QColor(200, 220, 40) };
        w.fake.ColorAnswers = QList<std::optional<QColor>>(chosen.begin(), chosen.end());
        for (const char* item : { "mnuScreenColor", "mnuBorderColor", "mnuActiveBorderColor", "mnuToolbarColor",
                 "mnuFileNameColor", "mnuToolbarColor" }) // the last cancelled
            w.Menu(item)->trigger();
        QStringList titles;
        for (const FakePlatform::Call& call : w.fake.Calls)
            titles.append(call.Title);
        QCOMPARE(titles.join(", "),
            "Nimbrel - 1.0 : Screen Color, Nimbrel - 1.0 : Outline/Border Color, Nimbrel - 1.0 : ActiveBorder Color, "
            "Nimbrel - 1.0 : Toolbar Color, Nimbrel - 1.0 : File Name Box Color, Nimbrel - 1.0 : Toolbar Color");
        QCOMPARE(Colors(w.window), chosen);
        QVERIFY(!w.Changed());
        w.Menu("mnuDefaultColors")->trigger();
        QCOMPARE(Colors(w.window), design.mid(0, 4) << chosen[4]);
        QStringList paths;
        for (int i = 1; i <= 6; ++i)
            w.window.OpenFile(paths.emplace_back(w.Group(QStringLiteral("six%1.grp").arg(i), "", {})));
        const QStringList ring { paths[5], paths[1], paths[2], paths[3], paths[4] };
        QCOMPARE(RecentItems(w.window), ring);
        QVERIFY(w.window.close());
        const auto twips = [](int pixels) { return QString::number(pixels * 15); };
        const QString key = QStringLiteral("VOSKViewer/");
        QMap<QString, QString> stored { { key + "Settings/Saved", "Yes" }, { key + "Colors/Screen", "0" },
            { key + "Colors/ClipBorder", "16777215" }, { key + "Colors/ActiveBorder", "255" },
            { key + "Colors/Toolbar", "4210752" }, { key + "Colors/FileBox", "2677960" }, { key + "Window/State", "2" },
            { key + "Window/Left", twips(w.window.geometry().x()) },
            { key + "Window/Top", twips(w.window.geometry().y()) }, { key + "Window/Width", twips(w.window.width()) },
            { key + "Window/Height", twips(w.window.height()) }, { key + "LastFiles/Count", "5" } };
        for (int i = 0; i < 5; ++i)
            stored.insert(key + "LastFiles/Name" + QString::number(i + 1), ring[i]);
        QCOMPARE(w.fake.Settings.Values, stored);
        w.fake.Settings.Values.insert(
            { { key + "Colors/ClipBorder", "32768" }, { key + "Colors/Toolbar", "16777216" } });
        frmImage again(w.fake.Bundle()); // the next run
        again.Form_Load(QString());
        QCOMPARE(Colors(again), (QList<QColor> { Qt::black, chosen[1], Qt::red, DarkGrey, chosen[4] }));
        QCOMPARE(RecentItems(again), ring);
        Control<QLineEdit>(again, "txtWord0")->setText("saved & sound");
        w.fake.Paths = { w.Path("saved & sound.grp") };
        Control<QAction>(again, "mnuFileSave")->trigger();
        again.OpenFile(w.Group("SIX2.grp", "", {}));
        QCOMPARE(RecentItems(again),
            (QStringList { w.Path("saved & sound.grp"), w.Path("SIX2.grp"), paths[2], paths[3], paths[4] }));
        QCOMPARE(Control<QAction>(again, "mnuLastFile1")->text(), w.Path("saved && sound.grp"));
        Control<QAction>(again, "mnuLargeArea")->setChecked(true);
        QVERIFY(again.close());
        const auto option = [&](const char* name) { return w.fake.Settings.Values.value(key + "Settings/" + name); };
        QCOMPARE(option("LargePictureArea") + option("SeeThroughMarkers"), "1");
        w.fake.Settings.Values.insert(key + "LastFiles/Count", "6");
        frmImage third(w.fake.Bundle());
        third.Form_Load(QString());
        QCOMPARE(RecentItems(third), QStringList());
        QVERIFY(Control<QAction>(third, "mnuLargeArea")->isChecked()
            && !Control<QAction>(third, "mnuSeeThrough")->isChecked());
        Control<QAction>(third, "mnuLargeArea")->setChecked(false);
        QVERIFY(third.close());
        QCOMPARE(option("LargePictureArea") + option("SeeThroughMarkers"), "0");
    }

    // The stored state (0 normal, 2 maximised) comes back; minimised (1) starts normal, never out of sight. A normal
    // window's client area goes to its place in twips, kept over restarts though framed (offscreen: 2 pixels round);
    // or, with its title bar off every screen, below the primary's top, clipped to that screen's room.
    void stateAndPlaceComeBack_data()
    {
        Columns<QString, QString, QRect>("stored", "state", "place");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        Row("normal", "State=0 Left=1500 Top=750 Width=9000 Height=6000", "0", QRect(100, 50, 600, 400));
        Row("normal, off every screen", "State=0 Left=60000 Top=1500 Width=150000 Height=6000", "0",
            QRect(screen.left() + 2, screen.top() + 20, screen.width() - 4, 400));
        Row("larger than the screen", "State=0 Left=1500 Top=1500 Width=9000000 Height=9000000", "0",
            screen.adjusted(2, 20, -2, -2));
        Row("minimised", "State=1 Left=1500 Top=750 Width=9000 Height=6000", "0", QRect(100, 50, 600, 400));
        Row("maximised", "State=2", "2", QRect());
        Row("below the states", "State=-1", "2", QRect());
        Row("past maximised", "State=3", "2", QRect());
    }
    void stateAndPlaceComeBack()
    {
        QFETCH(QString, stored);
        QFETCH(QString, state);
        QFETCH(QRect, place);
        FakePlatform platform;
        platform.Settings.Values.insert("VOSKViewer/Settings/Saved", "Yes");
        for (const QString& value : stored.split(u' '))
            platform.Settings.Values.insert("VOSKViewer/Window/" + value.section(u'=', 0, 0), value.section(u'=', 1));
        for (int restart = 0; restart < 3; ++restart) { // each from what the one before stored
            frmImage run(platform.Bundle());
            run.Form_Load(QString());
            const QList<Qt::WindowStates> states { Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized };
            QCOMPARE(run.windowState(), states[state.toInt()]);
            if (place.isValid())
                QCOMPARE(run.geometry(), place);
            QVERIFY(run.close());
            QCOMPARE(platform.Settings.Values.value("VOSKViewer/Window/State"), state);
        }
    }

    // A client area's place is kept while its title bar (20 pixels above) shows 64 pixels wide, or whole, on an
    // available area; larger than the room inside its frame there (2 pixels, title 20), it fills the room that way.
    void placeOnScreens_data()
    {
        Columns<QRect, QRect>("stored", "placed");
        Row("on the second screen", QRect(2000, 100, 800, 600), QRect(2000, 100, 800, 600));
        Row("a grip left", QRect(-736, 100, 800, 600), QRect(-736, 100, 800, 600));
        Row("a pixel too narrow", QRect(-737, 100, 800, 600), QRect(2, 20, 800, 600));
        Row("title bar at the top", QRect(100, 20, 800, 600), QRect(100, 20, 800, 600));
        Row("title bar a pixel above", QRect(100, 19, 800, 600), QRect(2, 20, 800, 600));
        Row("small window", QRect(10, 30, 40, 20), QRect(10, 30, 40, 20));
        Row("too big for the primary", QRect(5000, 100, 4000, 3000), QRect(2, 20, 1916, 1018));
        Row("taller than its screen", QRect(2000, 100, 800, 600000), QRect(2000, 20, 800, 1002));
    }
    void placeOnScreens()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        const QList<QRect> screens { QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024) }; // available areas
        QCOMPARE(PlaceOnScreens(stored, screens, screens[0]), placed);
    }
};

QTEST_MAIN(WindowSettingsTest)
#include "tst_windowsettings.moc"
