// What the main window keeps between runs, as a user sees it across a
// restart: its state and place, the five colours and the recent files.
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
#include <QTest>

#include <memory>

namespace {

const QColor DarkGrey(0x40, 0x40, 0x40);

// A later run of the program over the settings a platform keeps.
std::unique_ptr<frmImage> Run(FakePlatform& platform)
{
    auto window = std::make_unique<frmImage>(platform.Bundle());
    window->Form_Load(QString());
    return window;
}

void Store(FakePlatform& platform, const QString& section, const QString& key, const QString& value)
{
    platform.Settings.Save(QStringLiteral("VOSKViewer"), section, key, value);
}

// The paths of the recent-files items, in menu order.
QStringList RecentItems(const frmImage& window)
{
    QStringList items;
    for (const QAction* action : Control<QMenu>(window, "mnuFile")->actions()) {
        if (action->objectName().startsWith(QStringLiteral("mnuLastFile")) && action->isVisible())
            items.append(action->iconText());
    }
    return items;
}

// The colours the window shows: the screen, every slot's outline and
// caption, the current slot's frame, the toolbar and the name fields (inside
// their frames); where controls do not share one colour, none.
QList<QColor> Colors(const frmImage& window)
{
    const auto Shared
        = [](const QList<QColor>& colors) { return colors.count(colors[0]) == colors.size() ? colors[0] : QColor(); };
    QList<QColor> outlines;
    QList<QColor> fields;
    for (int i = 0; i < 6; ++i) {
        outlines << Control<OutlineBox>(window, QStringLiteral("Box%1").arg(i))->BorderColor()
                 << Control<SlotCaption>(window, QStringLiteral("LbFileName%1").arg(i))->TextColor();
        if (i < 4)
            fields << Control<QLineEdit>(window, QStringLiteral("txtWord%1").arg(i))->grab().toImage().pixelColor(4, 4);
    }
    return { Control<ScreenBackground>(window, "Screen")->ScreenColor(), Shared(outlines),
        Control<OutlineBox>(window, "Border")->BorderColor(), Control<DamageToolbar>(window, "PicTbr")->ToolbarColor(),
        Shared(fields) };
}

} // namespace

class WindowSettingsTest : public QObject {
    Q_OBJECT

private slots:
    // A first run shows the design. A colour chosen shows at once, a
    // cancelled one changes nothing; Default Colors resets all but the name
    // fields. The next run shows the colours stored, or the design's where a
    // value is damaged: a colour past white, more than five recent files.
    void colorsFromTheFirstRunOn()
    {
        MainWindow w;
        QVERIFY(w.window.windowState() & Qt::WindowMaximized);
        QCOMPARE(Colors(w.window), (QList<QColor> { Qt::black, Qt::white, Qt::red, DarkGrey, Qt::white }));
        w.Menu("mnuToolbarColor")->trigger(); // cancelled
        QCOMPARE(Colors(w.window)[3], DarkGrey);
        const QList<QColor> chosen { QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9), QColor(10, 11, 12),
            QColor(200, 220, 40) };
        w.fake.ColorAnswers = QList<std::optional<QColor>>(chosen.begin(), chosen.end());
        for (const char* item :
            { "mnuScreenColor", "mnuBorderColor", "mnuActiveBorderColor", "mnuToolbarColor", "mnuFileNameColor" })
            w.Menu(item)->trigger();
        QStringList titles;
        for (const FakePlatform::Call& call : w.fake.Calls)
            titles.append(call.Title);
        QCOMPARE(titles,
            (QStringList { "Nimbrel - 1.0 : Toolbar Color", "Nimbrel - 1.0 : Screen Color",
                "Nimbrel - 1.0 : Outline/Border Color", "Nimbrel - 1.0 : ActiveBorder Color",
                "Nimbrel - 1.0 : Toolbar Color", "Nimbrel - 1.0 : File Name Box Color" }));
        QCOMPARE(Colors(w.window), chosen);
        QVERIFY(!w.Changed());
        w.Menu("mnuDefaultColors")->trigger();
        QCOMPARE(Colors(w.window), (QList<QColor> { Qt::black, Qt::white, Qt::red, DarkGrey, chosen[4] }));
        w.fake.ColorAnswers = { chosen[3], chosen[1] };
        w.Menu("mnuToolbarColor")->trigger();
        w.Menu("mnuBorderColor")->trigger();
        QVERIFY(w.window.close());
        const auto twips = [](int pixels) { return QString::number(pixels * 15); };
        QCOMPARE(w.fake.Settings.Values,
            (QMap<QString, QString> { { "VOSKViewer/Settings/Saved", "Yes" }, { "VOSKViewer/Colors/Screen", "0" },
                { "VOSKViewer/Colors/ClipBorder", "394500" }, { "VOSKViewer/Colors/ActiveBorder", "255" },
                { "VOSKViewer/Colors/Toolbar", "789258" }, { "VOSKViewer/Colors/FileBox", "2677960" },
                { "VOSKViewer/Window/State", "2" }, { "VOSKViewer/Window/Left", twips(w.window.x()) },
                { "VOSKViewer/Window/Top", twips(w.window.y()) },
                { "VOSKViewer/Window/Width", twips(w.window.width()) },
                { "VOSKViewer/Window/Height", twips(w.window.height()) }, { "VOSKViewer/LastFiles/Count", "0" } }));
        Store(w.fake, "Colors", "FileBox", "16777216");
        Store(w.fake, "LastFiles", "Count", "6");
        Store(w.fake, "LastFiles", "Name1", "/a.grp");
        const auto again = Run(w.fake);
        QCOMPARE(Colors(*again), (QList<QColor> { Qt::black, chosen[1], Qt::red, chosen[3], Qt::white }));
        QCOMPARE(RecentItems(*again), QStringList());
    }

    // The stored state comes back; a normal window goes to its place, given
    // in twips, or to the primary screen when that is off every screen.
    void stateAndPlaceComeBack_data()
    {
        Columns<QString, QString, int, QRect, QString>("state", "twips", "windowState", "place", "stored");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QString twips = QStringLiteral("1500 750 9000 6000");
        Row("normal", "0", twips, int(Qt::WindowNoState), QRect(100, 50, 600, 400), "0");
        Row("normal, off every screen", "0", "60000 1500 150000 6000", int(Qt::WindowNoState),
            QRect(screen.topLeft(), QSize(screen.width(), 400)), "0");
        Row("minimised", "1", twips, int(Qt::WindowMinimized), QRect(), "1");
        Row("maximised", "2", twips, int(Qt::WindowMaximized), QRect(), "2");
        Row("below the states", "-1", twips, int(Qt::WindowMaximized), QRect(), "2");
        Row("past maximised", "3", twips, int(Qt::WindowMaximized), QRect(), "2");
    }
    void stateAndPlaceComeBack()
    {
        QFETCH(QString, state);
        QFETCH(QString, twips);
        QFETCH(int, windowState);
        QFETCH(QRect, place);
        QFETCH(QString, stored);
        FakePlatform platform;
        Store(platform, "Settings", "Saved", "Yes");
        Store(platform, "Window", "State", state);
        for (int i = 0; i < 4; ++i)
            Store(platform, "Window", QStringList { "Left", "Top", "Width", "Height" }[i], twips.split(u' ')[i]);
        const auto run = Run(platform);
        QCOMPARE(int(run->windowState()), windowState);
        if (place.isValid())
            QCOMPARE(QRect(run->pos(), run->size()), place);
        QVERIFY(run->close());
        QCOMPARE(platform.Settings.Values.value("VOSKViewer/Window/State"), stored);
    }

    // A place kept while enough of it to take hold of the window shows on a
    // screen (64 x 32 pixels, or the whole of a smaller window).
    void placeOnScreens_data()
    {
        Columns<QRect, QRect>("stored", "placed");
        const QRect primary(0, 0, 800, 600);
        Row("on the second screen", QRect(2000, 100, 800, 600), QRect(2000, 100, 800, 600));
        Row("a grip left", QRect(-736, -568, 800, 600), QRect(-736, -568, 800, 600));
        Row("a pixel too narrow", QRect(-737, 100, 800, 600), primary);
        Row("a pixel too low", QRect(100, -569, 800, 600), primary);
        Row("small window", QRect(10, 10, 40, 20), QRect(10, 10, 40, 20));
        Row("too big for the primary", QRect(5000, 100, 4000, 3000), QRect(0, 0, 1920, 1080));
    }
    void placeOnScreens()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        const QList<QRect> screens { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) };
        QCOMPARE(PlaceOnScreens(stored, screens, screens[0]), placed);
    }

    // The sixth file takes item 1; a listed one changes nothing. After a
    // restart the next, here saved, takes item 1 again, shown whole, "&" and
    // all; the one after takes item 2: letter case makes a new file.
    void recentFilesComeBackAsARing()
    {
        MainWindow w;
        QStringList paths;
        for (int i = 1; i <= 6; ++i)
            w.window.OpenFile(paths.emplace_back(w.Group(QStringLiteral("six%1.grp").arg(i), "", {})));
        const QStringList ring { paths[5], paths[1], paths[2], paths[3], paths[4] };
        QCOMPARE(RecentItems(w.window), ring);
        w.window.OpenFile(paths[2]);
        QCOMPARE(RecentItems(w.window), ring);
        QVERIFY(w.window.close());
        const auto again = Run(w.fake);
        QCOMPARE(RecentItems(*again), ring);
        Control<QLineEdit>(*again, "txtWord0")->setText("saved & sound");
        w.fake.Paths = { w.Path("saved & sound.grp") };
        Control<QAction>(*again, "mnuFileSave")->trigger();
        again->OpenFile(w.Group("SIX2.grp", "", {}));
        QCOMPARE(RecentItems(*again),
            (QStringList { w.Path("saved & sound.grp"), w.Path("SIX2.grp"), paths[2], paths[3], paths[4] }));
        QCOMPARE(Control<QAction>(*again, "mnuLastFile1")->text(), w.Path("saved && sound.grp"));
    }
};

QTEST_MAIN(WindowSettingsTest)
#include "tst_windowsettings.moc"
