// The settings store, the recent-files ring, the colour values and the
// reading of stored values.
#include "DataRows.h"
#include "common/NumberText.h"
#include "document/ColorSettings.h"
#include "document/RecentFiles.h"
#include "document/StoredValues.h"
#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

#include <unistd.h>

namespace {

const QString App = QStringLiteral("VOSKViewer");

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;

    // Later stores keep their file in a folder of their own.
    static void UseFolder(const QString& folder)
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        // Before any store is made: QSettings finds the user's folder once.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    // --- The store on QSettings ---------------------------------------

    void fileUnderConfigHome()
    {
        const QString expected = m_config.path() + QStringLiteral("/VOSKViewer.conf");
        QCOMPARE(QtSettingsStore::FileName(App), expected);
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Window"), QStringLiteral("State"), QStringLiteral("2"));
        store.Save(App, QStringLiteral("LastFiles"), QStringLiteral("Name1"), QStringLiteral("/home/ann/car.grp"));
        QCOMPARE(FileBytes(expected), QByteArray("[LastFiles]\nName1=/home/ann/car.grp\n\n[Window]\nState=2\n"));
        QCOMPARE(QtSettingsStore().Get(App, QStringLiteral("Window"), QStringLiteral("State")), QStringLiteral("2"));
    }

    void roundTrip_data()
    {
        Columns<QString, QString, QString>("section", "key", "value");
        Row("marker", "Settings", "Saved", "Yes");
        Row("twips", "Window", "Left", "-120");
        Row("path with blanks", "LastFiles", "Name2", "/home/ann/my cars/blue car.grp");
        Row("windows path", "LastFiles", "Name3", "C:\\Cars\\Ann's car; 2.grp");
        Row("accents and equals", "LastFiles", "Name4", "/home/zoë/a=b, #1.grp");
        Row("empty", "LastFiles", "Name5", "");
    }
    void roundTrip()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir folder;
        UseFolder(folder.path());
        QtSettingsStore().Save(App, section, key, value);
        QCOMPARE(QtSettingsStore().Get(App, section, key), value);
        QCOMPARE(QtSettingsStore().Get(App, section, key + u'X'), QString());
        QCOMPARE(QtSettingsStore().Get(App, section + u'X', key), QString());
    }

    void keysAreOnlyAdded()
    {
        QTemporaryDir folder;
        UseFolder(folder.path());
        QtSettingsStore store;
        store.Save(App, QStringLiteral("LastFiles"), QStringLiteral("Count"), QStringLiteral("2"));
        store.Save(App, QStringLiteral("LastFiles"), QStringLiteral("Name1"), QStringLiteral("/a.grp"));
        store.Save(App, QStringLiteral("LastFiles"), QStringLiteral("Count"), QStringLiteral("1"));
        QCOMPARE(store.Get(App, QStringLiteral("LastFiles"), QStringLiteral("Count")), QStringLiteral("1"));
        QCOMPARE(store.Get(App, QStringLiteral("LastFiles"), QStringLiteral("Name1")), QStringLiteral("/a.grp"));
    }

    void missingFileReadsEmpty()
    {
        QTemporaryDir folder;
        UseFolder(folder.path() + QStringLiteral("/not/made/yet"));
        QCOMPARE(QtSettingsStore().Get(App, QStringLiteral("Settings"), QStringLiteral("Saved")), QString());
    }

    // A settings "file" that is a folder can be neither read nor written.
    void fileIsAFolder()
    {
        QTemporaryDir folder;
        UseFolder(folder.path());
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("VOSKViewer.conf")));
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Settings"), QStringLiteral("Saved"), QStringLiteral("Yes"));
        QCOMPARE(store.Get(App, QStringLiteral("Settings"), QStringLiteral("Saved")), QString());
        QVERIFY(QFileInfo(folder.path() + QStringLiteral("/VOSKViewer.conf")).isDir());
    }

    // The folder of the settings cannot be made: a file stands in its way.
    void folderCannotBeMade()
    {
        QTemporaryDir folder;
        const QString blocker = folder.path() + QStringLiteral("/config");
        WriteFile(blocker, "not a folder");
        UseFolder(blocker);
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Settings"), QStringLiteral("Saved"), QStringLiteral("Yes"));
        QCOMPARE(store.Get(App, QStringLiteral("Settings"), QStringLiteral("Saved")), QString());
        QCOMPARE(FileBytes(blocker), QByteArray("not a folder"));
    }

    void readOnlyFile()
    {
        if (geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir folder;
        UseFolder(folder.path());
        const QString path = folder.path() + QStringLiteral("/VOSKViewer.conf");
        const QByteArray before("[Colors]\nToolbar=4210752\n");
        WriteFile(path, before);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Colors"), QStringLiteral("Screen"), QStringLiteral("255"));
        QCOMPARE(FileBytes(path), before);
        QCOMPARE(store.Get(App, QStringLiteral("Colors"), QStringLiteral("Toolbar")), QStringLiteral("4210752"));
    }

    void readOnlyFolder()
    {
        if (geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir folder;
        UseFolder(folder.path());
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        QtSettingsStore store;
        store.Save(App, QStringLiteral("Settings"), QStringLiteral("Saved"), QStringLiteral("Yes"));
        QVERIFY(!QFile::exists(folder.path() + QStringLiteral("/VOSKViewer.conf")));
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void unreadableFileIsKept()
    {
        if (geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir folder;
        UseFolder(folder.path());
        const QString path = folder.path() + QStringLiteral("/VOSKViewer.conf");
        const QByteArray before("[Settings]\nSaved=Yes\n");
        WriteFile(path, before);
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        QtSettingsStore store;
        QCOMPARE(store.Get(App, QStringLiteral("Settings"), QStringLiteral("Saved")), QString());
        store.Save(App, QStringLiteral("Colors"), QStringLiteral("Screen"), QStringLiteral("255"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(FileBytes(path), before);
    }

    // --- The recent-files ring ----------------------------------------

    // Rows the window's tests do not reach: the ring past its sixth entry and
    // the stored list's edges.
    void recentFiles_data()
    {
        Columns<QStringList, QStringList, QList<bool>, QStringList, int>(
            "stored", "opened", "changed", "items", "recentCount");
        const QStringList five { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" };
        Row("seventh goes to item 2", QStringList {}, five + QStringList { "/g/6.grp", "/g/7.grp" },
            QList<bool>(7, true), QStringList { "/g/6.grp", "/g/7.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" }, 2);
        Row("newest again", QStringList {}, QStringList { "/g/1.grp", "/g/2.grp", "/g/2.grp" },
            QList<bool> { true, true, false }, QStringList { "/g/1.grp", "/g/2.grp" }, 2);
        Row("listed in a full ring", five, QStringList { "/g/4.grp" }, QList<bool> { false }, five, 5);
        Row("restart with three", five.mid(0, 3), QStringList { "/g/new.grp", "/g/next.grp" },
            QList<bool> { true, true }, five.mid(0, 3) + QStringList { "/g/new.grp", "/g/next.grp" }, 5);
        Row("restart, stored file again", five.mid(0, 3), QStringList { "/g/2.grp" }, QList<bool> { false },
            five.mid(0, 3), 3);
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

    // --- Colours ------------------------------------------------------

    void colorValue_data()
    {
        Columns<QColor, quint32>("color", "value");
        Row("black", QColor(0, 0, 0), quint32(0));
        Row("white", QColor(255, 255, 255), quint32(16777215));
        Row("red", QColor(255, 0, 0), quint32(255));
        Row("green", QColor(0, 255, 0), quint32(65280));
        Row("blue", QColor(0, 0, 255), quint32(16711680));
        Row("dark grey", QColor(0x40, 0x40, 0x40), quint32(4210752));
        Row("mixed", QColor(200, 100, 50), quint32(3302600));
    }
    void colorValue()
    {
        QFETCH(QColor, color);
        QFETCH(quint32, value);
        QCOMPARE(ColorValue(color), value);
        QCOMPARE(ColorFromValue(value), color);
    }

    void colorValueEdges()
    {
        // A colour's alpha is not part of its value; the top byte of a value
        // is not part of its colour.
        QCOMPARE(ColorValue(QColor(255, 0, 0, 128)), quint32(255));
        QCOMPARE(ColorFromValue(0xFF0000FF), QColor(255, 0, 0));
        QCOMPARE(ColorValue(QColor()), quint32(0));
        QCOMPARE(ColorValue(QColor::fromHsv(0, 255, 255)), quint32(255));
    }

    // --- Stored values ------------------------------------------------

    void leadingNumberValue_data()
    {
        Columns<QString, bool, double>("text", "found", "value");
        Row("zero", "0", true, 0.0);
        Row("trailing text", "12abc", true, 12.0);
        Row("blanks", " 1 2 ", true, 12.0);
        Row("fraction", "-2.5", true, -2.5);
        Row("letters", "abc", false, 0.0);
        Row("empty", "", false, 0.0);
        Row("sign alone", "-", false, 0.0);
        Row("too large", "1E999", false, 0.0);
    }
    void leadingNumberValue()
    {
        QFETCH(QString, text);
        QFETCH(bool, found);
        QFETCH(double, value);
        const std::optional<double> number = LeadingNumberValue(text);
        QCOMPARE(number.has_value(), found);
        QCOMPARE(number.value_or(0.0), value);
        QCOMPARE(NumericValue(text), value);
    }

    void storedInt_data()
    {
        Columns<QString, int, int, bool, int>("text", "lowest", "highest", "read", "value");
        Row("count", "3", 0, 5, true, 3);
        Row("lowest", "0", 0, 5, true, 0);
        Row("highest", "5", 0, 5, true, 5);
        Row("leading blank", " 3", 0, 5, true, 3);
        Row("trailing text", "4 files", 0, 5, true, 4);
        Row("plus sign", "+2", 0, 5, true, 2);
        Row("whole with point", "2.0", 0, 5, true, 2);
        Row("exponent", "1E1", 0, 100, true, 10);
        Row("negative twips", "-120", -1000000, 1000000, true, -120);
        Row("letters", "abc", 0, 5, false, 0);
        Row("empty", "", 0, 5, false, 0);
        Row("blanks only", "  ", 0, 5, false, 0);
        Row("below", "-1", 0, 5, false, 0);
        Row("above", "6", 0, 5, false, 0);
        Row("fraction", "2.5", 0, 5, false, 0);
        Row("too large", "1E999", 0, 5, false, 0);
        Row("beyond int", "99999999999", INT_MIN, INT_MAX, false, 0);
    }
    void storedInt()
    {
        QFETCH(QString, text);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(bool, read);
        QFETCH(int, value);
        const std::optional<int> number = StoredInt(text, lowest, highest);
        QCOMPARE(number.has_value(), read);
        if (read)
            QCOMPARE(*number, value);
    }

    void storedColor_data()
    {
        Columns<QString, bool, QColor>("text", "read", "color");
        Row("white", "16777215", true, QColor(255, 255, 255));
        Row("mixed", "3302600", true, QColor(200, 100, 50));
        Row("too large", "16777216", false, QColor());
        Row("negative", "-1", false, QColor());
        Row("fraction", "255.5", false, QColor());
        Row("letters", "abc", false, QColor());
    }
    void storedColor()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        QFETCH(QColor, color);
        const std::optional<QColor> stored = StoredColor(text);
        QCOMPARE(stored.has_value(), read);
        if (read)
            QCOMPARE(*stored, color);
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
