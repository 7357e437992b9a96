// The settings store, the recent-files ring, the colour values and the
// reading of stored values.
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
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("marker") << "Settings"
                                << "Saved"
                                << "Yes";
        QTest::newRow("colour") << "Colors"
                                << "Screen"
                                << "16777215";
        QTest::newRow("twips") << "Window"
                               << "Left"
                               << "-120";
        QTest::newRow("path with blanks") << "LastFiles"
                                          << "Name2"
                                          << "/home/ann/my cars/blue car.grp";
        QTest::newRow("windows path") << "LastFiles"
                                      << "Name3"
                                      << "C:\\Cars\\Ann's car; 2.grp";
        QTest::newRow("accents and equals") << "LastFiles"
                                            << "Name4"
                                            << "/home/zoë/a=b, #1.grp";
        QTest::newRow("empty") << "LastFiles"
                               << "Name5"
                               << "";
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

    void recentFiles_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QList<bool>>("changed");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("recentCount");

        QTest::newRow("empty") << QStringList {} << QStringList {} << QList<bool> {} << QStringList {} << 0;
        QTest::newRow("first file") << QStringList {} << QStringList { "/g/1.grp" } << QList<bool> { true }
                                    << QStringList { "/g/1.grp" } << 1;
        QTest::newRow("six files from empty")
            << QStringList {} << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp", "/g/6.grp" }
            << QList<bool> { true, true, true, true, true, true }
            << QStringList { "/g/6.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" } << 1;
        QTest::newRow("seventh goes to item 2")
            << QStringList {}
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp", "/g/6.grp", "/g/7.grp" }
            << QList<bool> { true, true, true, true, true, true, true }
            << QStringList { "/g/6.grp", "/g/7.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" } << 2;
        QTest::newRow("newest again") << QStringList {} << QStringList { "/g/1.grp", "/g/2.grp", "/g/2.grp" }
                                      << QList<bool> { true, true, false } << QStringList { "/g/1.grp", "/g/2.grp" }
                                      << 2;
        QTest::newRow("listed, not the newest")
            << QStringList {} << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/1.grp" }
            << QList<bool> { true, true, true, false } << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp" } << 3;
        QTest::newRow("listed in a full ring")
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" } << QStringList { "/g/4.grp" }
            << QList<bool> { false } << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" } << 5;
        QTest::newRow("other letter case")
            << QStringList {} << QStringList { "/g/Car.grp", "/g/car.grp" } << QList<bool> { true, true }
            << QStringList { "/g/Car.grp", "/g/car.grp" } << 2;
        QTest::newRow("restart with five")
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" }
            << QStringList { "/g/new.grp" } << QList<bool> { true }
            << QStringList { "/g/new.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" } << 1;
        QTest::newRow("restart with three")
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp" } << QStringList { "/g/new.grp", "/g/next.grp" }
            << QList<bool> { true, true }
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/new.grp", "/g/next.grp" } << 5;
        QTest::newRow("restart, stored file again")
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp" } << QStringList { "/g/2.grp" } << QList<bool> { false }
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp" } << 3;
        QTest::newRow("more than five stored")
            << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp", "/g/6.grp" } << QStringList {}
            << QList<bool> {} << QStringList { "/g/1.grp", "/g/2.grp", "/g/3.grp", "/g/4.grp", "/g/5.grp" } << 5;
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
        QTest::addColumn<QColor>("color");
        QTest::addColumn<quint32>("value");
        QTest::newRow("black") << QColor(0, 0, 0) << quint32(0);
        QTest::newRow("white") << QColor(255, 255, 255) << quint32(16777215);
        QTest::newRow("red") << QColor(255, 0, 0) << quint32(255);
        QTest::newRow("green") << QColor(0, 255, 0) << quint32(65280);
        QTest::newRow("blue") << QColor(0, 0, 255) << quint32(16711680);
        QTest::newRow("dark grey") << QColor(0x40, 0x40, 0x40) << quint32(4210752);
        QTest::newRow("mixed") << QColor(0x12, 0x34, 0x56) << quint32(0x563412);
        QTest::newRow("mixed decimal") << QColor(200, 100, 50) << quint32(3302600);
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::addColumn<double>("value");
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("trailing text") << "12abc" << true << 12.0;
        QTest::newRow("blanks") << " 1 2 " << true << 12.0;
        QTest::newRow("fraction") << "-2.5" << true << -2.5;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("too large") << "1E999" << false << 0.0;
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("value");
        QTest::newRow("count") << "3" << 0 << 5 << true << 3;
        QTest::newRow("lowest") << "0" << 0 << 5 << true << 0;
        QTest::newRow("highest") << "5" << 0 << 5 << true << 5;
        QTest::newRow("leading blank") << " 3" << 0 << 5 << true << 3;
        QTest::newRow("trailing text") << "4 files" << 0 << 5 << true << 4;
        QTest::newRow("plus sign") << "+2" << 0 << 5 << true << 2;
        QTest::newRow("whole with point") << "2.0" << 0 << 5 << true << 2;
        QTest::newRow("exponent") << "1E1" << 0 << 100 << true << 10;
        QTest::newRow("negative twips") << "-120" << -1000000 << 1000000 << true << -120;
        QTest::newRow("letters") << "abc" << 0 << 5 << false << 0;
        QTest::newRow("empty") << "" << 0 << 5 << false << 0;
        QTest::newRow("blanks only") << "  " << 0 << 5 << false << 0;
        QTest::newRow("below") << "-1" << 0 << 5 << false << 0;
        QTest::newRow("above") << "6" << 0 << 5 << false << 0;
        QTest::newRow("state 3") << "3" << 0 << 2 << false << 0;
        QTest::newRow("fraction") << "2.5" << 0 << 5 << false << 0;
        QTest::newRow("too large") << "1E999" << 0 << 5 << false << 0;
        QTest::newRow("beyond int") << "99999999999" << INT_MIN << INT_MAX << false << 0;
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QColor>("color");
        QTest::newRow("black") << "0" << true << QColor(0, 0, 0);
        QTest::newRow("white") << "16777215" << true << QColor(255, 255, 255);
        QTest::newRow("red") << "255" << true << QColor(255, 0, 0);
        QTest::newRow("dark grey") << "4210752" << true << QColor(0x40, 0x40, 0x40);
        QTest::newRow("mixed") << "3302600" << true << QColor(200, 100, 50);
        QTest::newRow("too large") << "16777216" << false << QColor();
        QTest::newRow("negative") << "-1" << false << QColor();
        QTest::newRow("fraction") << "255.5" << false << QColor();
        QTest::newRow("letters") << "abc" << false << QColor();
        QTest::newRow("empty") << "" << false << QColor();
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
