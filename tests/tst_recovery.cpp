// The recovery copy of unsaved work: kept while a group is changed, offered back after the program was killed.
#include "DataRows.h"
#include "MainWindow.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/RecoveryStore.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>

namespace {

const QString Title = QStringLiteral("Nimbrel - 1.0 : Recover Unsaved Work");

// A message as "title: text [buttons icon]".
QString Seen(const FakePlatform::Call& call)
{
    return QStringLiteral("%1: %2 [%3 %4]").arg(call.Title, call.Text).arg(int(call.Buttons)).arg(int(call.Icon));
}

// The copies and their companions in the state folder, sorted.
QStringList StateFiles()
{
    return QDir(RecoveryFolder()).entryList(QDir::Files, QDir::Name);
}

// The child side of the kill test: Smith.grp opened, its car value changed, and killed once its copy is written.
int ChangeAndWait(const QString& group)
{
    MainWindow w;
    w.window.RecoverUnsavedWork();
    w.window.OpenFile(group);
    w.CarValue()->setText("9100");
    for (int i = 0; i < 200 && StateFiles().filter(".grp").isEmpty(); ++i)
        QTest::qWait(50);
    std::puts("written");
    std::fflush(stdout);
    QTest::qWait(30000);
    return 1;
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_state;

private slots:
    void init()
    {
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
        QDir().mkpath(RecoveryFolder());
    }
    void cleanup() { QDir(m_state.path() + "/nimbrel").removeRecursively(); }

    void folder_data()
    {
        Columns<QString, QString>("state", "folder");
        Row("set", "/srv/state", "/srv/state/nimbrel");
        Row("relative", "state", QDir::homePath() + "/.local/state/nimbrel");
        Row("empty", "", QDir::homePath() + "/.local/state/nimbrel");
    }
    void folder()
    {
        QFETCH(QString, state);
        QFETCH(QString, folder);
        qputenv("XDG_STATE_HOME", state.toUtf8());
        QCOMPARE(RecoveryFolder(), folder);
    }

    // Only a copy whose program is gone is offered; this program's and a running one's are left alone.
    void orphans()
    {
        RecoveryStore own(RecoveryFolder()), running(RecoveryFolder());
        own.Write("own", QString());
        running.Write("running", QString());
        WriteBytes(RecoveryFolder() + "/recovery-dead.grp", "VOSKImageViewer1;9\r\n");
        WriteBytes(RecoveryFolder() + "/recovery-dead.path", "/cars/Smith.grp");
        const QList<OrphanCopy> found = own.Orphans();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].Path, RecoveryFolder() + "/recovery-dead.grp");
        QCOMPARE(found[0].GroupPath, "/cars/Smith.grp");
        QVERIFY(found[0].Lock->isLocked());
        QCOMPARE(RecoveryOfferText(found[0]),
            "Unsaved work of the group \"Smith.grp\", last changed "
                + QFileInfo(found[0].Path).lastModified().toString("yyyy-MM-dd HH:mm")
                + ", was found: the program ended before it was saved.\n\nRestore it? No discards it.");
        RecoveryStore::Discard(found[0]);
        QCOMPARE(StateFiles().filter("dead"), QStringList());
        own.Remove();
        QCOMPARE(StateFiles().filter(".grp"), QStringList { QFileInfo(running.CopyPath()).fileName() });
    }

    // A damaged copy is reported once with its reason and kept aside, never deleted; the next one is still offered.
    void damaged_data()
    {
        Columns<QString, QString>("text", "reason");
        Row("empty", "", "Cannot open the group file %1: the file is empty.");
        Row("not a group", "Other;1\r\n", "%1 is not a group file.");
        Row("quote left open", "VOSKImageViewer1;1\r\n\"a.jpg,\r\n",
            "Cannot open the group file %1: a quoted text on line 2 is never closed.");
    }
    void damaged()
    {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        const QByteArray bytes = text.toUtf8();
        const QString copy = RecoveryFolder() + "/recovery-a.grp";
        WriteBytes(copy, bytes);
        WriteBytes(RecoveryFolder() + "/recovery-b.grp", "VOSKImageViewer1;7\r\n");
        QFile older(copy);
        QVERIFY(older.open(QIODevice::Append));
        older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
        MainWindow w;
        w.fake.Answers = { MsgAnswer::Ok, MsgAnswer::No };
        w.window.RecoverUnsavedWork();
        QCOMPARE(w.fake.Messages().size(), 2);
        QCOMPARE(Seen(w.fake.Messages()[0]),
            Title + ": A recovery copy of unsaved work cannot be restored: " + reason.arg(copy) + "\n\nIt is kept as "
                + copy + ".damaged. [0 16]");
        QVERIFY(Seen(w.fake.Messages()[1]).startsWith(Title + ": Unsaved work of an untitled group, last changed "));
        QCOMPARE(ReadBytes(copy + ".damaged"), bytes);
        QCOMPARE(StateFiles(), QStringList { "recovery-a.grp.damaged" });
        QVERIFY(!w.Changed());
    }

    // Kept a moment after a change, off the interface thread; a save, New answered No and the end remove it.
    void keptWhileChanged()
    {
        {
            MainWindow w;
            w.window.RecoverUnsavedWork();
            w.OpenTwoPictures("", "");
            w.CarValue()->setText("9100");
            QTRY_COMPARE(StateFiles().filter(".grp").size(), 1);
            const QString copy = RecoveryFolder() + "/" + StateFiles().filter(".grp")[0];
            QCOMPARE(ReadBytes(copy), FormatGroupFile("9100", { { w.Path("a.jpg"), "" }, { w.Path("b.jpg"), "" } }));
            QCOMPARE(ReadBytes(copy.chopped(4) + ".path"), w.Path("Smith.grp").toUtf8());
            w.window.SaveFile();
            QCOMPARE(StateFiles().filter(".grp"), QStringList());
            w.CarValue()->setText("9200");
            QTRY_VERIFY(QFile::exists(copy));
            w.fake.Answers = { MsgAnswer::No };
            w.window.NewFile();
            QCOMPARE(StateFiles().filter(".grp"), QStringList());
            QCOMPARE(w.fake.Messages().size(), 1);
            w.window.OpenFile(w.Path("Smith.grp"));
            w.CarValue()->setText("9300");
            QTRY_VERIFY(QFile::exists(copy));
        } // A normal end removes it too.
        QCOMPARE(StateFiles().filter(".grp"), QStringList());
    }

    // A folder that cannot be written: one notice for the run, and the edit goes on.
    void unwritable()
    {
        WriteBytes(m_state.filePath("file"), "");
        qputenv("XDG_STATE_HOME", m_state.filePath("file").toUtf8());
        MainWindow w;
        w.window.RecoverUnsavedWork();
        w.OpenTwoPictures("");
        w.CarValue()->setText("9100");
        QTRY_COMPARE(w.fake.Messages().size(), 1);
        w.CarValue()->setText("9200");
        QTest::qWait(3500);
        QCOMPARE(Seen(w.fake.Messages()[0]),
            Title + ": No recovery copy of unsaved work can be kept: cannot make the folder " + m_state.filePath("file")
                + "/nimbrel.\n\nSave your changes to keep them. [0 64]");
        QCOMPARE(w.fake.Messages().size(), 1);
        QCOMPARE(w.CarValue()->text(), "9200");
        QVERIFY(w.Changed());
    }

    // Killed with unsaved changes and started again: restoring gives the bytes a save would have written.
    void killedThenRestored()
    {
        MainWindow w;
        const QString group = w.Group("Smith.grp", "8500", { { w.Path("a.jpg"), "1;2;3;4;5;6;300;;," } });
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), { "--change-and-wait", group });
        QVERIFY(child.waitForReadyRead(20000));
        QCOMPARE(child.readAll(), "written\n");
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        const QString copy = RecoveryFolder() + "/" + StateFiles().filter(".grp").value(0);
        const QString changed = QFileInfo(copy).lastModified().toString("yyyy-MM-dd HH:mm");
        w.fake.Answers = { MsgAnswer::Yes };
        w.window.RecoverUnsavedWork();
        QCOMPARE(Seen(w.fake.LastMessage()),
            Title + ": Unsaved work of the group \"Smith.grp\", last changed " + changed
                + ", was found: the program ended before it was saved.\n\nRestore it? No discards it. [4 64]");
        QCOMPARE(w.window.windowTitle(), "Nimbrel - 1.0 : Smith");
        QCOMPARE(w.Names().value(0), "Smith");
        QCOMPARE(w.window.findChild<QAction*>("mnuLastFile1"), nullptr);
        QVERIFY(w.Changed());
        w.window.SaveFile();
        QCOMPARE(ReadBytes(group), FormatGroupFile("9100", { { w.Path("a.jpg"), "1;2;3;4;5;6;300;;," } }));
        QCOMPARE(StateFiles().filter(QRegularExpression("grp|path")), QStringList());
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--change-and-wait")
        return ChangeAndWait(QString::fromLocal8Bit(argv[2]));
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
