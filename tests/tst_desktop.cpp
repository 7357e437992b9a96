// Start-up and help: the splash before the main window, the association at
// every load, and "Instructions" opening the help that ships with the
// program, in the browser or else in the program's own help window.
#include "DataRows.h"
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
#include <QScreen>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>

namespace {

const QString BuiltHelp = QStringLiteral(NIMBREL_BUILD_DIR "/share/nimbrel/help");
const QUrl BuiltIndex = QUrl::fromLocalFile(BuiltHelp + "/index.html");

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    // The splash, 576 x 288 in the middle of the screen, goes at its timer's
    // first tick, two seconds on; only then the main window loads, which
    // registers the association again, and shows.
    void splashShowsBeforeTheMainWindow()
    {
        MainWindow w;
        bool bothHiddenAtLoad = false;
        QPointer<FrmSplash> splash = new FrmSplash([&] {
            bothHiddenAtLoad = !splash->isVisible() && !w.window.isVisible();
            w.window.Form_Load(QString());
            w.window.show();
        });
        splash->show();
        QCOMPARE(splash->geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
        QCOMPARE(splash->size(), QSize(576, 288));
        QCOMPARE(splash->Timer1->interval(), 2000);
        QVERIFY(splash->Timer1->isActive() && splash->isVisible() && !w.window.isVisible());
        QCOMPARE(w.fake.Registrations, 1);
        QSignalSpy gone(splash.data(), &QObject::destroyed);
        splash->Timer1->start(0); // the same tick, sooner
        QVERIFY(gone.wait() && bothHiddenAtLoad && w.window.isVisible());
        QCOMPARE(w.fake.Registrations, 2);
        QCOMPARE(w.fake.Calls.size(), 0);
    }

    // The shipped first page goes to the browser; without one, it shows in
    // the help window, made once and shown again at the first page. The keys
    // page names every menu shortcut.
    void instructionsOpenTheShippedHelp()
    {
        MainWindow w;
        w.window.show();
        w.Menu("mnuInstruct")->trigger();
        QCOMPARE(w.fake.OpenedAddresses, QList<QUrl>({ BuiltIndex }));
        QCOMPARE(w.window.findChildren<HelpWindow*>().size(), 0);
        w.fake.BrowserStarts = false;
        w.Menu("mnuInstruct")->trigger();
        QCOMPARE(w.fake.OpenedAddresses, QList<QUrl>({ BuiltIndex, BuiltIndex }));
        const QList<HelpWindow*> help = w.window.findChildren<HelpWindow*>();
        QCOMPARE(help.size(), 1);
        auto* page = Control<QTextBrowser>(*help[0], "HelpBrowser");
        QVERIFY(help[0]->isVisible());
        QCOMPARE(help[0]->windowTitle() + " | " + page->documentTitle(), "Nimbrel - 1.0 : Instructions | Nimbrel Help");
        QCOMPARE(page->source(), BuiltIndex);
        page->setSource(QUrl("keys.html"));
        QCOMPARE(page->documentTitle(), QStringLiteral("Keys and shortcuts - Nimbrel Help"));
        // Its table names each of the twelve menu shortcuts with its item.
        QStringList rows;
        for (QAction* item : w.Menu<MainMenus>("MainMenus")->Items()) {
            if (!item->shortcut().isEmpty())
                rows.append("<td>" + item->shortcut().toString() + "</td><td>" + item->text());
        }
        QCOMPARE(rows.size(), 12);
        for (const QString& row : rows)
            QVERIFY2(ReadBytes(BuiltHelp + "/keys.html").contains(row.toUtf8()), qPrintable(row));
        help[0]->close();
        w.Menu("mnuInstruct")->trigger();
        QCOMPARE(w.window.findChildren<HelpWindow*>(), help);
        QVERIFY(help[0]->isVisible());
        QCOMPARE(page->documentTitle(), QStringLiteral("Nimbrel Help"));
        QCOMPARE(w.fake.Calls.size(), 0);
        // Where the files are missing, the pages built into the program show.
        QCOMPARE(HelpIndex(NIMBREL_BUILD_DIR "/no/bin"), BuiltInHelpIndex);
    }

    // Every page is built in and copied alike, and each of its links leads
    // to a page that is there.
    void everyHelpPageAndLinkIsThere_data()
    {
        Columns<QString>("page");
        for (const QString& page : QDir(BuiltHelp).entryList({ "*.html" }))
            Row(qPrintable(page), page);
    }
    void everyHelpPageAndLinkIsThere()
    {
        QFETCH(QString, page);
        const QByteArray text = ReadBytes(BuiltHelp + u'/' + page);
        QCOMPARE(ReadBytes(":/help/" + page), text);
        const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]+)\""));
        for (const QRegularExpressionMatch& match : link.globalMatch(QString::fromUtf8(text)))
            QVERIFY2(QFileInfo::exists(BuiltHelp + u'/' + match.captured(1)), qPrintable(match.captured(1)));
    }

    // The program's own shell writes the association into the user's folders.
    void shellRegistersForTheUser()
    {
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        QtShell().RegisterFileType();
        const QString entry = DesktopEntry(QCoreApplication::applicationFilePath());
        QCOMPARE(ReadBytes(dir.filePath("data/applications/nimbrel.desktop")), entry.toUtf8());
        QVERIFY(QFileInfo::exists(dir.filePath("config/mimeapps.list")));
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
