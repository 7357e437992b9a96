// Start-up and help: the splash before the main window, the association at
// every load, and "Instructions" opening the help that ships with the
// program, in the browser or else in the program's own help window.
#include "Controls.h"
#include "FakePlatform.h"
#include "app/FrmSplash.h"
#include "app/HelpPages.h"
#include "app/HelpWindow.h"
#include "document/MainMenus.h"
#include "document/frmImage.h"
#include "app/QtShell.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

const QString BuiltHelp = QStringLiteral(NIMBREL_BUILD_DIR "/share/nimbrel/help");
const QStringList HelpPageNames
    = { "index.html", "group.html", "markers.html", "keys.html", "printing.html", "files.html" };

QList<HelpWindow*> HelpWindows(const QWidget& window)
{
    return window.findChildren<HelpWindow*>();
}

QString PageText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void splashShowsFirstThenTheMainWindow()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        bool splashHiddenAtLoad = false;
        bool windowHiddenAtLoad = false;
        QPointer<FrmSplash> splash = new FrmSplash([&] {
            splashHiddenAtLoad = splash && !splash->isVisible();
            windowHiddenAtLoad = !window.isVisible();
            window.Form_Load(QString());
            window.show();
        });
        splash->show();
        QCOMPARE(splash->size(), QSize(576, 288));
        QCOMPARE(splash->Timer1->interval(), 2000);
        QVERIFY(splash->Timer1->isActive());
        QVERIFY(splash->isVisible());
        QVERIFY(!window.isVisible());
        QCOMPARE(fake.Registrations, 0);

        // The same tick, sooner.
        QSignalSpy gone(splash.data(), &QObject::destroyed);
        splash->Timer1->start(0);
        QVERIFY(gone.wait());
        QVERIFY(splashHiddenAtLoad);
        QVERIFY(windowHiddenAtLoad);
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Nimbrel - 1.0 (Untitled)"));
        QCOMPARE(fake.Registrations, 1);
        QCOMPARE(fake.Messages().size(), 0);
    }

    void splashIsCentredOnTheScreen()
    {
        FrmSplash* splash = new FrmSplash({});
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(splash->geometry().center(), screen.center());
        splash->Timer1_Timer();
        QVERIFY(!splash->Timer1->isActive());
        QSignalSpy gone(splash, &QObject::destroyed);
        QVERIFY(gone.wait());
    }

    void instructionsOpenTheShippedPageInTheBrowser()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        HelpWindow::ConnectInstructions(window, fake);
        window.Form_Load(QString());
        Control<QAction>(window, "mnuInstruct")->trigger();
        QCOMPARE(fake.OpenedAddresses, QList<QUrl>({ QUrl::fromLocalFile(BuiltHelp + "/index.html") }));
        QVERIFY(QFileInfo(BuiltHelp + "/index.html").isFile());
        QCOMPARE(HelpWindows(window).size(), 0);
        QCOMPARE(fake.Messages().size(), 0);
    }

    void withoutBrowserTheHelpWindowShowsThePages()
    {
        FakePlatform fake;
        fake.BrowserStarts = false;
        frmImage window(fake.Bundle());
        HelpWindow::ConnectInstructions(window, fake);
        window.Form_Load(QString());
        window.show();
        Control<QAction>(window, "mnuInstruct")->trigger();
        QCOMPARE(fake.OpenedAddresses.size(), 1);
        QCOMPARE(HelpWindows(window).size(), 1);
        HelpWindow* help = HelpWindows(window).constFirst();
        QVERIFY(help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Nimbrel - 1.0 : Instructions"));
        auto* browser = Control<QTextBrowser>(*help, "HelpBrowser");
        QCOMPARE(browser->source(), QUrl::fromLocalFile(BuiltHelp + "/index.html"));
        QCOMPARE(browser->documentTitle(), QStringLiteral("Nimbrel Help"));
        QVERIFY(browser->toPlainText().contains("Keys and shortcuts"));

        // A link leads to the next page; a second "Instructions" reuses the
        // window and shows the first page again.
        browser->setSource(QUrl("keys.html"));
        QCOMPARE(browser->documentTitle(), QStringLiteral("Keys and shortcuts - Nimbrel Help"));
        help->close();
        Control<QAction>(window, "mnuInstruct")->trigger();
        QCOMPARE(HelpWindows(window).size(), 1);
        QVERIFY(help->isVisible());
        QCOMPARE(browser->documentTitle(), QStringLiteral("Nimbrel Help"));
        QCOMPARE(fake.Messages().size(), 0);
    }

    void helpIndexFallsBackToTheBuiltInPages()
    {
        QTemporaryDir empty;
        QCOMPARE(HelpIndex(empty.path() + "/bin"), BuiltInHelpIndex);
        QCOMPARE(HelpIndex(NIMBREL_BUILD_DIR "/src"), QUrl::fromLocalFile(BuiltHelp + "/index.html"));
        QCOMPARE(HelpFolder("/usr/bin"), QStringLiteral("/usr/share/nimbrel/help"));
        HelpWindow help(BuiltInHelpIndex);
        QCOMPARE(Control<QTextBrowser>(help, "HelpBrowser")->documentTitle(), QStringLiteral("Nimbrel Help"));
    }

    // Every page is built in and copied, alike, and every link of every page
    // leads to a page that is there.
    void everyHelpPageAndLinkIsThere_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& page : HelpPageNames)
            QTest::newRow(qPrintable(page)) << page;
    }
    void everyHelpPageAndLinkIsThere()
    {
        QFETCH(QString, page);
        const QString text = PageText(BuiltHelp + u'/' + page);
        QVERIFY(!text.isEmpty());
        QCOMPARE(PageText(":/help/" + page), text);
        const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]+)\""));
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            QVERIFY2(QFileInfo::exists(BuiltHelp + u'/' + target), qPrintable(target));
        }
    }

    // The table of keys names every menu shortcut with its menu item.
    void keysPageListsEveryMenuShortcut()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        const QString keys = PageText(BuiltHelp + "/keys.html");
        int shortcuts = 0;
        for (QAction* item : Control<MainMenus>(window, "MainMenus")->Items()) {
            if (item->shortcut().isEmpty())
                continue;
            ++shortcuts;
            const QString row = "<td>" + item->shortcut().toString() + "</td><td>" + item->text();
            QVERIFY2(keys.contains(row), qPrintable(row));
        }
        QCOMPARE(shortcuts, 12);
    }

    // The real shell with the user's folders where nothing can be written:
    // the main window loads as always and says nothing.
    void unwritableFoldersLeaveStartUpNormal()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", dir.filePath("file/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("file/config").toUtf8());
        FakePlatform fake;
        QtShell shell;
        frmImage window(Platform { fake, fake, fake, fake, fake, fake.Settings, shell });
        window.Form_Load(QString());
        QCOMPARE(window.windowTitle(), QStringLiteral("Nimbrel - 1.0 (Untitled)"));
        QCOMPARE(fake.Calls.size(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList({ "file" }));
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
