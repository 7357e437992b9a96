// The settings store, the recent-files ring, the colour values and the reading of stored values.
#include "DataRows.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "document/ColorSettings.h"
#include "document/RecentFiles.h"
#include "document/StoredValues.h"
#include "platform/QtSettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <future>

#include <sys/stat.h>

namespace {

const QString App = QStringLiteral("VOSKViewer");

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path())); }

    // A value saved again replaces the old one; the file is plain INI, written in one pass when the store goes, and
    // a link to it stays a link. Odd paths come back as they were saved, to a fresh store, the empty one too.
    void fileUnderConfigHome()
    {
        const QString expected = m_config.path() + QStringLiteral("/VOSKViewer.conf");
        QCOMPARE(QtSettingsStore::FileName(App), expected);
        QVERIFY(QFile::link(QStringLiteral("real.conf"), expected));
        WriteBytes(expected, "[Window]\nState=0\n");
        auto store = std::make_unique<QtSettingsStore>();
        store->Save(App, QStringLiteral("Window"), QStringLiteral("State"), QStringLiteral("1"));
        store->Save(App, QStringLiteral("LastFiles"), QStringLiteral("Name1"), QStringLiteral("/home/ann/car.grp"));
        store->Save(App, QStringLiteral("Window"), QStringLiteral("State"), QStringLiteral("2"));
        QCOMPARE(ReadBytes(expected), QByteArray("[Window]\nState=0\n"));
        store.reset();
        QCOMPARE(ReadBytes(m_config.filePath("real.conf")),
            QByteArray("[LastFiles]\nName1=/home/ann/car.grp\n\n[Window]\nState=2\n"));
        QCOMPARE(QtSettingsStore().Get(App, QStringLiteral("Window"), QStringLiteral("State")), QStringLiteral("2"));
        for (const QString& value : QStringList { "C:\\Cars\\Ann's car; 2.grp", "/home/zoë/a=b, #1.grp", "" }) {
            QtSettingsStore().Save(App, QStringLiteral("LastFiles"), QStringLiteral("Name2"), value);
            QCOMPARE(QtSettingsStore().Get(App, QStringLiteral("LastFiles"), QStringLiteral("Name2")), value);
        }
    }

    // A settings file the user may not read or write keeps what it holds; anything but a file or a link to one is
    // never opened. A value saved then is neither written nor read back later in the run. Acting as an ordinary user.
    void aFileThatCannotBeWrittenIsLeftAlone_data()
    {
        Columns<int, int, QString, QString>("fileMode", "folderMode", "link", "toolbar");
        Row("read-only file", S_IFREG | 0400, 0700, "", "4210752");
        Row("unreadable file", S_IFREG | 0200, 0700, "", "");
        Row("read-only folder, no file", 0, 0500, "", "");
        Row("FIFO", S_IFIFO | 0600, 0700, "", "");
        Row("symlink loop", 0, 0700, "VOSKViewer.conf", "");
        Row("dangling symlink", 0, 0700, "gone.conf", "");
        Row("link to a device", 0, 0700, "/dev/null", "");
    }
    void aFileThatCannotBeWrittenIsLeftAlone()
    {
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QString, link);
        QFETCH(QString, toolbar);
        const auto mode
            = [](const QString& path, int bits) { return chmod(QFile::encodeName(path).constData(), mode_t(bits)); };
        const OrdinaryUser user;
        QVERIFY(user.Acting());
        QTemporaryDir folder;
        // The store keeps its file in this folder from now on.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
        const QString path = folder.filePath("VOSKViewer.conf");
        const QByteArray before = S_ISREG(fileMode) ? "[Colors]\nToolbar=4210752\n" : "";
        if (S_ISREG(fileMode))
            WriteBytes(path, before);
        QVERIFY(link.isEmpty() || QFile::link(link, path));
        QCOMPARE(S_ISREG(fileMode) ? mode(path, fileMode) : fileMode ? mkfifo(QFile::encodeName(path), 0600) : 0, 0);
        QCOMPARE(mode(folder.path(), folderMode), 0);
        auto values = std::async(std::launch::async, [] {
            QtSettingsStore store;
            store.Save(App, QStringLiteral("Colors"), QStringLiteral("Screen"), QStringLiteral("255"));
            return QStringList { store.Get(App, QStringLiteral("Colors"), QStringLiteral("Screen")),
                store.Get(App, QStringLiteral("Colors"), QStringLiteral("Toolbar")) };
        });
        const bool answered = values.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        if (!answered) // Lets a store stuck opening the FIFO go on, so that the test can end.
            QFile(path).open(QIODevice::ReadWrite);
        QCOMPARE(answered ? values.get() : QStringList { "stuck" }, QStringList({ QString(), toolbar }));
        QCOMPARE(mode(folder.path(), 0700), 0);
        if (S_ISREG(fileMode))
            QCOMPARE(mode(path, 0600), 0);
        QCOMPARE(QFileInfo(path).isFile() ? ReadBytes(path) : QByteArray(), before); // reading a FIFO would block
    }

    // The ring past its sixth entry and the stored list's edges; "+" a path that changed the items, "=" one that did
    // not.
    void recentFiles_data()
    {
        // The last path opened shows where the ring goes on.
        Columns<QString, QString, QString, QString>("stored", "opened", "changed", "items");
        Row("seventh goes to item 2", "", "1 2 3 4 5 6 7 x", "++++++++", "6 7 x 4 5");
        Row("restart with three, one listed", "1 2 3", "new 2 next x", "+=++", "x 2 3 new next");
        Row("more than five stored", "1 2 3 4 5 6", "x", "+", "x 2 3 4 5");
    }
    void recentFiles()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        QFETCH(QString, changed);
        QFETCH(QString, items);
        RecentFiles recent(stored.split(u' ', Qt::SkipEmptyParts));
        QString results;
        for (const QString& path : opened.split(u' ', Qt::SkipEmptyParts))
            results += recent.Update(path) ? u'+' : u'=';
        QCOMPARE(results, changed);
        QCOMPARE(recent.Items().join(u' '), items);
    }

    // Alpha is no part of a colour's value; an invalid colour is black.
    void colorValueEdges()
    {
        QCOMPARE(ColorValue(QColor(255, 0, 0, 128)), quint32(255));
        QCOMPARE(ColorValue(QColor()), quint32(0));
    }

    // A stored text is read by its leading number; one that gives no whole number from 0 to 5 reads as nothing.
    void storedInt_data()
    {
        Columns<QString, QString>("text", "read");
        Row("highest", "5", "5");
        Row("letters", "abc", "");
        Row("fraction", "2.5", "");
        Row("too large", "1E999", "");
    }
    void storedInt()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const std::optional<int> value = StoredInt(text, 0, 5);
        QCOMPARE(value ? QString::number(*value) : QString(), read);
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
