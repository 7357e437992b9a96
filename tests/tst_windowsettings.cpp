// What the main window keeps between runs: its state and place, the five
// interface colours and the recent files of the File menu, as a user sees
// them across a restart.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/DescriptionFields.h"
#include "document/GroupFile.h"
#include "document/ScreenBackground.h"
#include "document/WindowPlacement.h"
#include "document/frmImage.h"
#include "objects/DamageToolbar.h"
#include "viewport/OutlineBox.h"
#include "viewport/SlotCaption.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString App = QStringLiteral("VOSKViewer");
const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor DarkGrey(0x40, 0x40, 0x40);

// A run of the program: a main window over the platform, loaded with an
// empty command line. Closing it is the end of the run.
struct Run {
    explicit Run(FakePlatform& platform)
        : window(platform.Bundle())
    {
        window.Form_Load(QString());
    }
    frmImage window;
};

QString Stored(const FakePlatform& platform, const QString& section, const QString& key)
{
    return platform.Settings.Values.value(MemorySettingsStore::Path(App, section, key));
}

void Store(FakePlatform& platform, const QString& section, const QString& key, const QString& value)
{
    platform.Settings.Save(App, section, key, value);
}

// The captions of the recent-files items, in menu order.
QStringList RecentItems(const frmImage& window)
{
    QStringList items;
    const QList<QAction*> actions = Control<QMenu>(window, QStringLiteral("mnuFile"))->actions();
    for (QAction* action : actions) {
        if (action->objectName().startsWith(QStringLiteral("mnuLastFile")) && action->isVisible())
            items.append(action->text());
    }
    return items;
}

QAction* Item(const frmImage& window, const QString& name)
{
    return Control<QAction>(window, name);
}

QColor ScreenColor(const frmImage& window)
{
    return Control<ScreenBackground>(window, QStringLiteral("Screen"))->ScreenColor();
}

QColor ToolbarColor(const frmImage& window)
{
    return Control<DamageToolbar>(window, QStringLiteral("PicTbr"))->ToolbarColor();
}

QColor BorderColor(const frmImage& window, const QString& name)
{
    return Control<OutlineBox>(window, name)->BorderColor();
}

QColor CaptionColor(const frmImage& window, int slot)
{
    return Control<SlotCaption>(window, QStringLiteral("LbFileName%1").arg(slot))->TextColor();
}

// The colour a name field shows inside its frame.
QColor FieldPixel(const frmImage& window, int field)
{
    auto* edit = Control<QLineEdit>(window, QStringLiteral("txtWord%1").arg(field));
    edit->setText(QString());
    return edit->grab().toImage().pixelColor(4, 4);
}

} // namespace

class WindowSettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // An empty group file in the temporary folder.
    QString Group(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        WriteBytes(path, FormatGroupFile(QString(), {}));
        return path;
    }

private slots:
    void firstRun()
    {
        FakePlatform platform;
        {
            Run run(platform);
            QVERIFY(run.window.windowState() & Qt::WindowMaximized);
            QCOMPARE(ScreenColor(run.window), Black);
            QCOMPARE(BorderColor(run.window, QStringLiteral("Box3")), White);
            QCOMPARE(CaptionColor(run.window, 3), White);
            QCOMPARE(BorderColor(run.window, QStringLiteral("Border")), Red);
            QCOMPARE(ToolbarColor(run.window), DarkGrey);
            QCOMPARE(FieldPixel(run.window, 1), White);
            QCOMPARE(RecentItems(run.window), QStringList());
            QVERIFY(run.window.close());
        }
        const QList<std::array<QString, 3>> expected {
            { "Settings", "Saved", "Yes" },
            { "Colors", "Screen", "0" },
            { "Colors", "ClipBorder", "16777215" },
            { "Colors", "ActiveBorder", "255" },
            { "Colors", "Toolbar", "4210752" },
            { "Colors", "FileBox", "16777215" },
            { "Window", "State", "2" },
            { "LastFiles", "Count", "0" },
        };
        for (const auto& [section, key, value] : expected)
            QCOMPARE(Stored(platform, section, key), value);
        for (const char* key : { "Left", "Top", "Width", "Height" }) {
            bool number = false;
            Stored(platform, QStringLiteral("Window"), QString::fromLatin1(key)).toInt(&number);
            QVERIFY2(number, key);
        }
        QCOMPARE(platform.Settings.Values.size(), 12);
    }

    void normalWindowComesBackInPlace()
    {
        FakePlatform platform;
        Store(platform, "Settings", "Saved", "Yes");
        Store(platform, "Window", "State", "0");
        Store(platform, "Window", "Left", "1500");
        Store(platform, "Window", "Top", "750");
        Store(platform, "Window", "Width", "9000");
        Store(platform, "Window", "Height", "6000");
        Run run(platform);
        QCOMPARE(run.window.windowState(), Qt::WindowNoState);
        QCOMPARE(run.window.pos(), QPoint(100, 50));
        QCOMPARE(run.window.size(), QSize(600, 400));
        QVERIFY(run.window.close());
        QCOMPARE(Stored(platform, "Window", "State"), QStringLiteral("0"));
        QCOMPARE(Stored(platform, "Window", "Left"), QStringLiteral("1500"));
        QCOMPARE(Stored(platform, "Window", "Width"), QStringLiteral("9000"));
    }

    void placeOffEveryScreen()
    {
        FakePlatform platform;
        Store(platform, "Settings", "Saved", "Yes");
        Store(platform, "Window", "State", "0");
        Store(platform, "Window", "Left", "60000"); // 4000 px: a monitor since removed
        Store(platform, "Window", "Top", "1500");
        Store(platform, "Window", "Width", "150000");
        Store(platform, "Window", "Height", "6000");
        Run run(platform);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(run.window.pos(), screen.topLeft());
        QCOMPARE(run.window.size(), QSize(screen.width(), 400));
    }

    void placeOnScreens_data()
    {
        Columns<QRect, QRect>("stored", "placed");
        const QRect primary(0, 0, 800, 600);
        Row("on the first screen", QRect(100, 100, 800, 600), QRect(100, 100, 800, 600));
        Row("on the second screen", QRect(2000, 100, 800, 600), QRect(2000, 100, 800, 600));
        Row("across both", QRect(1500, 100, 800, 600), QRect(1500, 100, 800, 600));
        Row("mostly off, a grip left", QRect(-700, -500, 800, 600), QRect(-700, -500, 800, 600));
        Row("a sliver left", QRect(-790, 100, 800, 600), primary);
        Row("removed monitor", QRect(5000, 100, 800, 600), primary);
        Row("above every screen", QRect(100, -900, 800, 600), primary);
        Row("too big for the primary", QRect(5000, 100, 4000, 3000), QRect(0, 0, 1920, 1080));
    }

    void placeOnScreens()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        const QList<QRect> screens { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) };
        QCOMPARE(PlaceOnScreens(stored, screens, screens[0]), placed);
    }

    // A stored value that does not read leaves the design-time one.
    void damagedValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        for (const char* value : { "abc", "3", "-1", "1.5", "" })
            QTest::addRow("State %s", value) << "State" << value;
        for (const char* value : { "6", "-1", "two", "9999999999" })
            QTest::addRow("Count %s", value) << "Count" << value;
        for (const char* value : { "red", "16777216", "-5", "#FF0000" })
            QTest::addRow("Screen %s", value) << "Screen" << value;
    }

    void damagedValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        FakePlatform platform;
        Store(platform, "Settings", "Saved", "Yes");
        Store(platform, "LastFiles", "Name1", "/a.grp");
        const QString section = key == QStringLiteral("State") ? QStringLiteral("Window")
            : key == QStringLiteral("Count")                   ? QStringLiteral("LastFiles")
                                                               : QStringLiteral("Colors");
        Store(platform, section, key, value);
        Run run(platform);
        QVERIFY(run.window.windowState() & Qt::WindowMaximized);
        QCOMPARE(ScreenColor(run.window), Black);
        QCOMPARE(RecentItems(run.window), QStringList());
        QVERIFY(run.window.close());
    }

    void sixFilesInARow()
    {
        FakePlatform platform;
        QStringList paths;
        {
            Run run(platform);
            for (int i = 1; i <= 6; ++i) {
                paths.append(Group(QStringLiteral("six%1.grp").arg(i)));
                run.window.OpenFile(paths.last());
            }
            const QStringList ring { paths[5], paths[1], paths[2], paths[3], paths[4] };
            QCOMPARE(RecentItems(run.window), ring);
            // Already listed, even when not the newest: nothing changes.
            run.window.OpenFile(paths[2]);
            QCOMPARE(RecentItems(run.window), ring);
            QVERIFY(run.window.close());
        }
        QCOMPARE(Stored(platform, "LastFiles", "Count"), QStringLiteral("5"));
        QCOMPARE(Stored(platform, "LastFiles", "Name1"), paths[5]);
        QCOMPARE(Stored(platform, "LastFiles", "Name5"), paths[4]);
        // After a restart the next new file replaces item 1, whichever item
        // was written last before it.
        Run again(platform);
        QCOMPARE(RecentItems(again.window).size(), 5);
        const QString seventh = Group(QStringLiteral("seven.grp"));
        again.window.OpenFile(seventh);
        QCOMPARE(RecentItems(again.window), (QStringList { seventh, paths[1], paths[2], paths[3], paths[4] }));
    }

    void letterCaseCounts()
    {
        FakePlatform platform;
        Run run(platform);
        const QString lower = Group(QStringLiteral("case.grp"));
        const QString upper = Group(QStringLiteral("CASE.grp"));
        run.window.OpenFile(lower);
        run.window.OpenFile(upper);
        QCOMPARE(RecentItems(run.window), (QStringList { lower, upper }));
    }

    void savedGroupJoinsTheList()
    {
        FakePlatform platform;
        Run run(platform);
        const QString path = m_dir.filePath(QStringLiteral("saved & sound.grp"));
        Control<QLineEdit>(run.window, QStringLiteral("txtWord0"))->setText(QStringLiteral("saved & sound"));
        platform.Paths = { path };
        run.window.SaveFile();
        QCOMPARE(run.window.FileName, path);
        // The whole path, the "&" shown as it is.
        QAction* item = Item(run.window, QStringLiteral("mnuLastFile1"));
        QCOMPARE(item->text(), QString(path).replace(u'&', QStringLiteral("&&")));
        QCOMPARE(item->iconText(), path);
    }

    void recentItemReopensWithPromptFirst()
    {
        FakePlatform platform;
        const QString first = Group(QStringLiteral("first.grp"));
        const QString second = Group(QStringLiteral("second.grp"));
        Run run(platform);
        run.window.OpenFile(first);
        run.window.OpenFile(second);
        run.window.Changed = true;
        platform.Answers = { MsgAnswer::No };
        Item(run.window, QStringLiteral("mnuLastFile1"))->trigger();
        QCOMPARE(platform.LastMessage().Text, QStringLiteral("Save Changes to the Current File"));
        QCOMPARE(run.window.FileName, first);
        QVERIFY(!run.window.Changed);
    }

    void recentFileGone()
    {
        FakePlatform platform;
        const QString path = Group(QStringLiteral("gone.grp"));
        Run run(platform);
        run.window.OpenFile(path);
        QVERIFY(QFile::remove(path));
        Item(run.window, QStringLiteral("mnuLastFile1"))->trigger();
        QCOMPARE(platform.LastMessage().Text, QStringLiteral("The Specified File Does Not Exists ") + path);
        QCOMPARE(platform.LastMessage().Title, QStringLiteral("Sub : OpenFile"));
        QCOMPARE(RecentItems(run.window), QStringList { path });
        // The group on view stays as it was.
        QCOMPARE(run.window.FileName, path);
    }

    // Reopening the current file: the path survives NewFile emptying
    // FileName on the way.
    void reopenCurrentFile()
    {
        FakePlatform platform;
        const QString path = Group(QStringLiteral("current.grp"));
        Run run(platform);
        run.window.OpenFile(path);
        run.window.OpenFile(run.window.FileName);
        QCOMPARE(run.window.FileName, path);
        QCOMPARE(platform.Messages().size(), 0);
    }

    void refusedCloseStillStores()
    {
        FakePlatform platform;
        Run run(platform);
        run.window.Changed = true;
        // Yes to saving, then the save has no file name: the close is refused.
        platform.Answers = { MsgAnswer::Yes, MsgAnswer::Ok };
        QVERIFY(!run.window.close());
        QVERIFY(run.window.Changed);
        QCOMPARE(Stored(platform, "Settings", "Saved"), QStringLiteral("Yes"));
        QCOMPARE(Stored(platform, "Colors", "Toolbar"), QStringLiteral("4210752"));
    }

    void colorDialogTitles_data()
    {
        Columns<QString, QString>("item", "title");
        Row("screen", "mnuScreenColor", "Nimbrel - 1.0 : Screen Color");
        Row("outline", "mnuBorderColor", "Nimbrel - 1.0 : Outline/Border Color");
        Row("active clip", "mnuActiveBorderColor", "Nimbrel - 1.0 : ActiveBorder Color");
        Row("toolbar", "mnuToolbarColor", "Nimbrel - 1.0 : Toolbar Color");
        Row("file name", "mnuFileNameColor", "Nimbrel - 1.0 : File Name Box Color");
    }

    void colorDialogTitles()
    {
        QFETCH(QString, item);
        QFETCH(QString, title);
        FakePlatform platform;
        Run run(platform);
        Item(run.window, item)->trigger();
        QCOMPARE(platform.Calls.size(), 1);
        QCOMPARE(platform.Calls[0].Kind, QStringLiteral("color"));
        QCOMPARE(platform.Calls[0].Title, title);
    }

    void cancelledColorChangesNothing()
    {
        FakePlatform platform;
        Run run(platform);
        platform.ColorAnswers = { std::nullopt, std::nullopt };
        Item(run.window, QStringLiteral("mnuToolbarColor"))->trigger();
        Item(run.window, QStringLiteral("mnuBorderColor"))->trigger();
        QCOMPARE(ToolbarColor(run.window), DarkGrey);
        QCOMPARE(BorderColor(run.window, QStringLiteral("Box0")), White);
        QCOMPARE(CaptionColor(run.window, 0), White);
    }

    void outlineColorReachesEverySlot()
    {
        FakePlatform platform;
        Run run(platform);
        const QColor chosen(10, 120, 200);
        platform.ColorAnswers = { chosen };
        Item(run.window, QStringLiteral("mnuBorderColor"))->trigger();
        for (int slot = 0; slot < 6; ++slot) {
            QCOMPARE(BorderColor(run.window, QStringLiteral("Box%1").arg(slot)), chosen);
            QCOMPARE(CaptionColor(run.window, slot), chosen);
        }
        QVERIFY(!run.window.Changed);
    }

    void defaultColors()
    {
        FakePlatform platform;
        Run run(platform);
        const QColor field(200, 220, 40);
        platform.ColorAnswers = { QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9), QColor(10, 11, 12), field };
        for (const char* item :
            { "mnuScreenColor", "mnuBorderColor", "mnuActiveBorderColor", "mnuToolbarColor", "mnuFileNameColor" })
            Item(run.window, QString::fromLatin1(item))->trigger();
        QCOMPARE(ScreenColor(run.window), QColor(1, 2, 3));
        QCOMPARE(FieldPixel(run.window, 3), field);
        Item(run.window, QStringLiteral("mnuDefaultColors"))->trigger();
        QCOMPARE(ScreenColor(run.window), Black);
        QCOMPARE(BorderColor(run.window, QStringLiteral("Box5")), White);
        QCOMPARE(CaptionColor(run.window, 5), White);
        QCOMPARE(BorderColor(run.window, QStringLiteral("Border")), Red);
        QCOMPARE(ToolbarColor(run.window), DarkGrey);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(FieldPixel(run.window, i), field);
        QCOMPARE(platform.Calls.size(), 5);
    }

    // Chosen, closed, restarted: every colour comes back, and the captions
    // with the outlines.
    void colorsComeBack()
    {
        FakePlatform platform;
        const QColor toolbar(30, 60, 90);
        const QColor outline(0, 0, 0);
        {
            Run run(platform);
            platform.ColorAnswers = { toolbar, outline, White };
            Item(run.window, QStringLiteral("mnuToolbarColor"))->trigger();
            Item(run.window, QStringLiteral("mnuBorderColor"))->trigger();
            Item(run.window, QStringLiteral("mnuScreenColor"))->trigger();
            QVERIFY(run.window.close());
        }
        QCOMPARE(Stored(platform, "Colors", "Toolbar"), QString::number(30 | 60 << 8 | 90 << 16));
        Run again(platform);
        QCOMPARE(ToolbarColor(again.window), toolbar);
        QCOMPARE(ScreenColor(again.window), White);
        QCOMPARE(BorderColor(again.window, QStringLiteral("Box2")), outline);
        QCOMPARE(CaptionColor(again.window, 2), outline);
    }
};

QTEST_MAIN(WindowSettingsTest)
#include "tst_windowsettings.moc"
