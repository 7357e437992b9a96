// The settings store, the recent-files ring, the colour values and the
// reading of stored values.
#include "DataRows.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "document/ColorSettings.h"
#include "document/RecentFiles.h"
#include "document/StoredValues.h"
#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString App = QStringLiteral("VOSKViewer");

void ChangeMode(const QString& path, mode_t mode)
{
    QCOMPARE(chmod(QFile::encodeName(path).constData(), mode), 0);
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        // Before any store is made: QSettings finds the user's folder once.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    // A value saved again replaces the old one; the file is plain INI.
    void fileUnderConfigHome()
    {
        const QString expected = m_config.path() + QStringLiteral("/VOSKViewer.conf");
        QCOMPARE(QtSettingsStore::FileName(App), expected);
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Window"), QStringLiteral("State"), QStringLiteral("1"));
        store.Save(App, QStringLiteral("LastFiles"), QStringLiteral("Name1"), QStringLiteral("/home/ann/car.grp"));
        store.Save(App, QStringLiteral("Window"), QStringLiteral("State"), QStringLiteral("2"));
        QCOMPARE(ReadBytes(expected), QByteArray("[LastFiles]\nName1=/home/ann/car.grp\n\n[Window]\nState=2\n"));
        QCOMPARE(QtSettingsStore().Get(App, QStringLiteral("Window"), QStringLiteral("State")), QStringLiteral("2"));
    }

    // Odd paths come back as they were saved.
    void roundTrip_data()
    {
        Columns<QString>("value");
        Row("windows path", "C:\\Cars\\Ann's car; 2.grp");
        Row("accents and equals", "/home/zoë/a=b, #1.grp");
        Row("empty", "");
    }
    void roundTrip()
    {
        QFETCH(QString, value);
        QtSettingsStore().Save(App, QStringLiteral("LastFiles"), QStringLiteral("Name2"), value);
        QCOMPARE(QtSettingsStore().Get(App, QStringLiteral("LastFiles"), QStringLiteral("Name2")), value);
    }

    // A settings file the user may not read, or may not write, keeps what it
    // holds: a value saved then is neither written nor read back later in the
    // run. Acting as an ordinary user, whom file permissions bind.
    void aFileThatCannotBeWrittenIsLeftAlone_data()
    {
        Columns<int, int, QString>("fileMode", "folderMode", "toolbar");
        Row("read-only file", 0400, 0700, "4210752");
        Row("unreadable file", 0200, 0700, "");
        Row("read-only folder, no file", 0, 0500, "");
    }
    void aFileThatCannotBeWrittenIsLeftAlone()
    {
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QString, toolbar);
        const OrdinaryUser user;
        QVERIFY(user.Acting());
        QTemporaryDir folder;
        // The store keeps its file in this folder from now on.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
        const QString path = folder.filePath("VOSKViewer.conf");
        const QByteArray before = fileMode ? "[Colors]\nToolbar=4210752\n" : "";
        if (fileMode) {
            WriteBytes(path, before);
            ChangeMode(path, mode_t(fileMode));
        }
        ChangeMode(folder.path(), mode_t(folderMode));
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Colors"), QStringLiteral("Screen"), QStringLiteral("255"));
        QCOMPARE(store.Get(App, QStringLiteral("Colors"), QStringLiteral("Screen")), QString());
        QCOMPARE(store.Get(App, QStringLiteral("Colors"), QStringLiteral("Toolbar")), toolbar);
        ChangeMode(folder.path(), 0700);
        if (fileMode)
            ChangeMode(path, 0600);
        QCOMPARE(ReadBytes(path), before);
    }

    // The ring past its sixth entry and the stored list's edges.
    void recentFiles_data()
    {
        Columns<QStringList, QStringList, QList<bool>, QStringList, int>(
            "stored", "opened", "changed", "items", "recentCount");
        const QStringList five { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" };
        Row("seventh goes to item 2", QStringList {}, five + QStringList { "/g/6.grp", "/g/7.grp" },
            QList<bool>(7, true), QStringList { "/g/6.grp", "/g/7.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" }, 2);
        Row("newest again", QStringList {}, QStringList { "/g/1.grp", "/g/2.grp", "/g/2.grp" },
            QList<bool> { true, true, false }, QStringList { "/g/1.grp", "/g/2.grp" }, 2);
        Row("restart with three", five.mid(0, 3), QStringList { "/g/new.grp", "/g/2.grp", "/g/next.grp" },
            QList<bool> { true, false, true }, five.mid(0, 3) + QStringList { "/g/new.grp", "/g/next.grp" }, 5);
        Row("more than five stored", five + QStringList { "/g/6.grp" }, QStringList {}, QList<bool> {}, five, 5);
    }
    void recentFiles()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, opened);
        QFETCH(QList<bool>, changed);
        QFETCH(QStringList, items);
        QFETCH(int, recentCount);
        RecentFiles recent(stored);
        QList<bool> results;
        for (const QString& path : opened)
            results.append(recent.Update(path));
        QCOMPARE(results, changed);
        QCOMPARE(recent.Items(), items);
        QCOMPARE(recent.RecentCount(), recentCount);
    }

    // Alpha is no part of a colour's value; an invalid colour is black.
    void colorValueEdges()
    {
        QCOMPARE(ColorValue(QColor(255, 0, 0, 128)), quint32(255));
        QCOMPARE(ColorValue(QColor()), quint32(0));
    }

    // A stored text is read by its leading number; one that gives no whole
    // number from 0 to 5 reads as nothing.
    void storedInt_data()
    {
        Columns<QString, QString>("text", "read");
        Row("lowest", "0", "0");
        Row("highest", "5", "5");
        Row("letters", "abc", "");
        Row("below", "-1", "");
        Row("above", "6", "");
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
