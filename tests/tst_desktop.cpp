// Start-up and help: the splash, the association at every load, "Instructions" in the browser or the help window.
#include "MainWindow.h"
#include "TestFiles.h"
#include "app/FrmSplash.h"
#include "app/HelpPages.h"
#include "app/HelpWindow.h"
#include "app/ModAssociate.h"
#include "app/QtShell.h"
#include "document/MainMenus.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

class DesktopTest : public QObject {
    Q_OBJECT

    const QString BuiltHelp = QStringLiteral(NIMBREL_BUILD_DIR "/share/nimbrel/help");
    const QUrl BuiltIndex = QUrl::fromLocalFile(BuiltHelp + "/index.html");

private slots:
    // The splash goes at its timer's first tick, two seconds on; only then the main window loads, registering the
    // association again, and shows. The program's own shell writes the association into the user's folders.
    void startUpShowsTheSplashAndRegisters()
    {
        MainWindow w;
        bool bothHiddenAtLoad = false;
        QPointer<FrmSplash> splash = new FrmSplash([&] {
            bothHiddenAtLoad = !splash->isVisible() && !w.window.isVisible();
            w.window.Form_Load(QString());
            w.window.show();
        });
        splash->show();
        QCOMPARE(splash->geometry(), QRect(112, 256, 576, 288)); // in the middle of the offscreen 800 x 800 screen
        QCOMPARE(splash->Timer1->isActive() ? splash->Timer1->interval() : 0, 2000);
        QSignalSpy gone(splash.data(), &QObject::destroyed);
        splash->Timer1->start(0); // the same tick, sooner
        QVERIFY(gone.wait() && bothHiddenAtLoad && w.window.isVisible());
        QCOMPARE(w.fake.Registrations, 2); // the fixture's load, then this one
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        qputenv("XDG_DATA_DIRS", dir.filePath("system").toUtf8());
        QCOMPARE(UserPlaces().SystemDataDirs, QStringList(dir.filePath("system")));
        QtShell().RegisterFileType();
        QCOMPARE(ReadBytes(dir.filePath("data/applications/org.nimbrel.Nimbrel.desktop")),
            DesktopEntry(QCoreApplication::applicationFilePath()).toUtf8());
        QVERIFY(QFileInfo::exists(dir.filePath("config/mimeapps.list")));
    }

    // The shipped first page goes to the browser; without one, it shows in the help window, made once and shown
    // again at the first page; without the files, the pages built into the program show.
    void instructionsOpenTheShippedHelp()
    {
        MainWindow w;
        const auto shown = [&] {
            QStringList seen { QString::number(w.fake.OpenedAddresses.count(BuiltIndex)) };
            for (HelpWindow* help : w.window.findChildren<HelpWindow*>()) {
                auto* page = Control<QTextBrowser>(*help, "HelpBrowser");
                seen << help->windowTitle() + (help->isVisible() ? "" : " (closed)") << page->documentTitle()
                     << page->source().toString();
            }
            return seen.join(" | ");
        };
        w.Menu("mnuInstruct")->trigger();
        QCOMPARE(shown(), "1");
        w.fake.BrowserStarts = false;
        w.Menu("mnuInstruct")->trigger();
        QCOMPARE(shown(), "2 | Nimbrel - 1.0 : Instructions | Nimbrel Help | " + BuiltIndex.toString());
        Control<QTextBrowser>(w.window, "HelpBrowser")->setSource(QUrl("keys.html"));
        w.window.findChild<HelpWindow*>()->close();
        QCOMPARE(shown(), "2 | Nimbrel - 1.0 : Instructions (closed) | Keys and shortcuts - Nimbrel Help | keys.html");
        w.Menu("mnuInstruct")->trigger();
        QCOMPARE(shown(), "3 | Nimbrel - 1.0 : Instructions | Nimbrel Help | " + BuiltIndex.toString());
        QCOMPARE(w.fake.Calls.size(), 0);
        QCOMPARE(HelpIndex(NIMBREL_BUILD_DIR "/no/bin"), BuiltInHelpIndex);
    }

    // Every page is built in and copied alike, its links lead to pages there; keys.html names the 14 menu shortcuts.
    void everyHelpPageAndLinkIsThere()
    {
        const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]+)\""));
        for (const QString& page : QDir(BuiltHelp).entryList({ "*.html" })) {
            const QByteArray text = ReadBytes(BuiltHelp + u'/' + page);
            QCOMPARE(ReadBytes(":/help/" + page), text);
            for (const QRegularExpressionMatch& match : link.globalMatch(QString::fromUtf8(text)))
                QVERIFY2(QFileInfo::exists(BuiltHelp + u'/' + match.captured(1)), qPrintable(match.captured(1)));
        }
        MainWindow w;
        const QByteArray keys = ReadBytes(BuiltHelp + "/keys.html");
        int named = 0;
        for (QAction* item : w.Menu<MainMenus>("MainMenus")->Items())
            named += keys.contains(("<td>" + item->shortcut().toString() + "</td><td>" + item->text()).toUtf8());
        QCOMPARE(named, 14);
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
