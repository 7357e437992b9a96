// The group's life in the main window: a first run, open, save, new group,
// close, and every prompt that guards a change, in the texts a user sees.
#include "DataRows.h"
#include "MainWindow.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "viewport/Thumbnail.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString Untitled = QStringLiteral("Nimbrel - 1.0 (Untitled)");
const QString SmithSedan = QStringLiteral("Nimbrel - 1.0 : Smith-Sedan");
const QString GroupFilter = QStringLiteral("Image Group Files (*.grp)|*.grp");
const QString Ask = QStringLiteral("Save Changes: Save Changes to the Current File [Yes No, information]");

// Calls as the user meets them, each on one line: a message as "title: text
// [buttons, icon]", a file dialog as "kind title: proposed name".
QStringList Seen(const QList<FakePlatform::Call>& calls)
{
    QStringList seen;
    for (const FakePlatform::Call& call : calls)
        seen.append(call.Kind != QStringLiteral("message")
                ? call.Kind + u' ' + call.Title + ": " + call.Text
                : QStringLiteral("%1: %2 [%3, %4]")
                      .arg(call.Title, call.Text,
                          QStringList { "OK", "OK Cancel", "", "", "Yes No" }.value(int(call.Buttons)),
                          call.Icon == MsgIcon::Critical ? "critical" : "information"));
    return seen;
}

// Smith-Sedan.grp (car value 8500, one picture) opened and changed; "without
// a path" after a cancelled Save As, "without a name" with no first name too.
// The calls on the way are forgotten.
QString OpenChanged(MainWindow& w, const QString& group = QStringLiteral("titled"))
{
    const QString path = w.Group("Smith-Sedan.grp", "8500", { { w.Path("front.jpg"), "" } });
    w.window.OpenFile(path);
    w.CarValue()->setText("9000");
    if (group == "without a name")
        w.Word(0)->clear();
    if (group.startsWith("without")) {
        w.fake.Paths = { QString() };
        w.Menu("mnuFileSaveAs")->trigger();
        w.fake.Calls.clear();
    }
    return path;
}

} // namespace

class LifecycleTest : public QObject {
    Q_OBJECT

private slots:
    // A first run shows an empty untitled group. A window smaller than the
    // design scrolls its content; at the design size nothing scrolls.
    void firstRunShowsAnEmptyUntitledGroup()
    {
        MainWindow w;
        QCOMPARE(w.window.windowTitle(), Untitled);
        QCOMPARE(w.Captions(), (QStringList { "Pic 1", "Pic 2", "Pic 3", "Pic 4", "Pic 5", "Pic 6" }));
        QCOMPARE(w.Names() << w.CarValue()->text(), QStringList(5)); // all empty
        for (const char* figure : { "LblCount", "LblTotal", "LblIDTotal", "LblRes" })
            QCOMPARE(w.Label(figure), QStringLiteral("0"));
        QCOMPARE(w.WindowPlace("Border"), QPoint(19, 33));
        QVERIFY(w.fake.Calls.isEmpty());
        QStringList tips;
        for (const char* name : { "txtWord0", "txtWord1", "txtWord2", "txtWord3", "txtNum", "LblCount", "LblTotal",
                 "LblIDTotal", "LblRes" })
            tips.append(Control<QWidget>(w.window, name)->toolTip());
        QCOMPARE(tips.join(", "),
            "File Name, Category, Type, ID, Car Value, TOTAL OBJECTS PLACED ON IMAGE, TOTAL OBJECTS PLACED ON GROUP, "
            "Total Damages, Current Value");
        QStringList labels;
        for (const QLabel* label : w.window.findChildren<QLabel*>(QString(""))) // the unnamed ones
            labels.append(label->text());
        QCOMPARE(labels.join(", "),
            "File Name, Category:, Type:, ID:, Description, Damages, Total Incidents:, Grand Total Incidents:, "
            "Estimated Value:, Total Damages:, Current Value:");
        w.window.show();
        auto* scroller = w.window.findChild<QScrollArea*>();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QVERIFY(!scroller->horizontalScrollBar()->isVisible() && !scroller->verticalScrollBar()->isVisible());
        w.window.resize(800, 480);
        QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
        QVERIFY(scroller->horizontalScrollBar()->isVisible());
    }

    // Items as "text|shortcut", "-" a separator, "hidden" one not shown.
    void menus_data()
    {
        Columns<QString, QString>("menu", "items");
        Row("menu bar", "", "&File|, &Image|, &Zoom|, &Settings|, &Help|");
        Row("File", "mnuFile",
            "New Group|Ctrl+N, Open File..|Ctrl+O, Print..|Ctrl+P, Close|Ctrl+W, -, Save File..|Ctrl+S, Save As..|, -, "
            "hidden, -, Exit|Ctrl+E");
        Row("Image", "mnuImage", "Import Image|Ctrl+I, Remove Image|Ctrl+D");
        Row("Zoom", "mnuzoom", "Zoom In|Ctrl+Z, Zoom Out|Ctrl+X, Scale to Fit|Ctrl+F, Actual|Ctrl+A");
        Row("Settings", "mnuSettings",
            "Screen Color|, Outline Color|, ActiveClip Color|, Toolbar Color|, FileName Color|, -, Default Colors|");
        Row("marker", "mnuObject", "Send to Back|, Bring to Front|, Delete|");
        Row("Help", "mnuHelp", "Instructions|");
    }
    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, items);
        MainWindow w;
        QStringList shown;
        const QWidget* holder
            = menu.isEmpty() ? static_cast<QWidget*>(w.window.menuBar()) : w.Menu<QMenu>(qPrintable(menu));
        for (const QAction* action : holder->actions())
            shown.append(action->isSeparator() ? "-"
                    : action->isVisible()      ? action->text() + "|" + action->shortcut().toString()
                                               : "hidden");
        QCOMPARE(shown.join(", "), items);
    }

    // An opened group shows its pictures, or what stands in for them, then
    // its figures; a save writes back what was read, byte for byte, but for
    // the gap a removed picture leaves. "%1" stands for the group's folder.
    void openAndSaveAGroup_data()
    {
        Columns<QString, QByteArray, int, QString, QString, QByteArray>(
            "name", "bytes", "remove", "captions", "shown", "saved");
        const QByteArray head = "\"VOSKImageViewer1;8500\"\r\n";
        const QByteArray a = "\"%1/a.jpg\",\"\"\r\n";
        const QByteArray b = "\"%1/b.jpg\",\"3;4;4;30;30;3;50;;,10;50;7.5;38.09524;41.17647;10,\"\r\n";
        const QByteArray c = "\"%1/c.jpg\",\"1;2;2;30;30;1;5;01/02/2006;rear door,\"\r\n";
        const QByteArray kept = "\"\",\"1;2;2;30;30;1;100;;,\"\r\n";
        Row("a line without a picture", "Smith-Sedan", head + a + kept + b, -1, "a|b|Pic 3|Pic 4|Pic 5|Pic 6",
            "picture|picture|||||0|2|50|8450", head + a + b + kept);
        const QByteArray odd = head + a + "\"%1/missing.jpg\",\"3;2;2;30;30;3;100.5;;,3;4;4;30;30;3;;;,\"\r\n"
            + "\"%1/pipe.jpg\",\"\"\r\n" + c;
        Row("missing and unreadable pictures", "Smith", odd, -1, "a|missing|pipe|c|Pic 5|Pic 6",
            "picture|picture missing the file does not exist|cannot read it is not a regular file|picture|||0|3|105.5|"
            "8394.5",
            odd);
        Row("a gap closes up", "Smith", head + a + b + c, 1, "a|b|c|Pic 4|Pic 5|Pic 6",
            "picture|picture|picture||||0|3|55|8445", head + a + c);
    }
    void openAndSaveAGroup()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, remove);
        QFETCH(QString, captions);
        QFETCH(QString, shown);
        QFETCH(QByteArray, saved);
        MainWindow w;
        for (const char* picture : { "a.jpg", "b.jpg", "c.jpg" })
            WriteJpeg(w.Path(picture), QSize(32, 24));
        QCOMPARE(mkfifo(QFile::encodeName(w.Path("pipe.jpg")).constData(), 0600), 0);
        const QString path = w.Path(name + ".grp");
        WriteBytes(path, bytes.replace("%1", QFile::encodeName(w.dir.path())));
        w.window.OpenFile(path);
        QCOMPARE(w.window.windowTitle(), "Nimbrel - 1.0 : " + name);
        QVERIFY(!w.Changed());
        QCOMPARE(w.Captions().join(u'|'), captions);
        QStringList seen;
        for (int slot = 0; slot < GroupSlotCount; ++slot)
            seen.append(w.IMG(slot)->HasPicture()
                    ? QStringLiteral("picture")
                    : w.IMG(slot)->PlaceholderText() + w.IMG(slot)->toolTip().section(u':', -1));
        for (const char* figure : { "LblCount", "LblTotal", "LblIDTotal", "LblRes" })
            seen.append(w.Label(figure));
        QCOMPARE(seen.join(u'|'), shown);
        if (remove >= 0) {
            w.window.ClipClicked(remove, 2); // the slot's own menu
            w.Menu<QMenu>("mnuImage")->hide();
            w.Menu("mnuRemove")->trigger();
        }
        w.Menu("mnuFileSave")->trigger();
        QVERIFY(w.fake.Calls.isEmpty());
        QCOMPARE(ReadBytes(path), saved.replace("%1", QFile::encodeName(w.dir.path())));
    }

    // What stops or cuts short an open is said; a file that cannot be read
    // leaves an untitled group (after: title, first name, car value, first
    // and sixth picture). A command line naming no file says nothing.
    void openingSaysWhatIsWrong_data()
    {
        Columns<QString, QByteArray, QStringList, QString>("way", "bytes", "messages", "after");
        const QByteArray nine = "\"VOSKImageViewer1;\"\r\n" + QByteArray("\"/missing.jpg\",\"\"\r\n").repeated(9);
        Row("nine pictures", "command line", nine,
            QStringList { "Sub : OpenFile: This group names 9 pictures; only the first 6 are shown, and saving it "
                          "keeps only those 6. [OK, information]" },
            "Nimbrel - 1.0 : Smith-Van | Smith |  | /missing.jpg | /missing.jpg");
        Row("wrong magic", "dialog", QByteArray("\"voskimageviewer1;7000\"\r\n\"/a.jpg\",\"\"\r\n"),
            QStringList { "Invalid File: This File is Not a Valid VOSK Image Viewer File. [OK, critical]" },
            Untitled + " | Smith | 7000 |  | ");
        Row("damaged", "command line",
            QByteArray("\"VOSKImageViewer1;8500\"\r\n\"/a.jpg\",\"1;2;3;4;5;1;250;;,\"\r\n\"/b.jpg\"\r\n"),
            QStringList { "Sub : LoadFile: Cannot open the group file %1: line 3 ends after its first field (a picture "
                          "line has two). [OK, critical]" },
            Untitled + " |  |  |  | ");
        Row("too many markers", "dialog",
            "\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"" + QByteArray(20000, ',') + "\"\r\n\"/b.jpg\",\""
                + QByteArray(12768, ',') + "\"\r\n",
            QStringList {
                "Sub : LoadFile: Cannot open the group file %1: it holds 32768 markers, more than the 32767 a "
                "group can hold. [OK, critical]" },
            Untitled + " |  |  |  | ");
        Row("command line naming a folder", "folder", QByteArray(), QStringList(), Untitled + " |  |  |  | ");
    }
    void openingSaysWhatIsWrong()
    {
        QFETCH(QString, way);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        MainWindow w;
        const QString path = way == "folder" ? w.dir.path() : w.Path("Smith-Van.grp");
        if (way != "folder")
            WriteBytes(path, bytes);
        w.fake.Paths = { path };
        if (way == "dialog")
            w.Menu("mnuFileOpen")->trigger();
        else
            w.window.Form_Load(path);
        QCOMPARE(Seen(w.fake.Messages()), messages.replaceInStrings("%1", path));
        const QStringList shown { w.window.windowTitle(), w.Word(0)->text(), w.CarValue()->text(), w.SlotPath(0),
            w.SlotPath(5) };
        QCOMPARE(shown.join(" | "), after);
        if (way == "dialog")
            QCOMPARE(Seen(w.fake.Calls.mid(0, 1))[0] + w.fake.Calls[0].Filter,
                "open Nimbrel - 1.0 : Open Group File: " + GroupFilter);
    }

    // No discards a change, Yes saves it first, Escape keeps it, as does a
    // save that does not complete. Every close stores the settings, refused
    // or not. The group is Smith-Sedan.grp, opened after Other.grp (%1).
    void everyLossOfAChangeIsAsked_data()
    {
        Columns<QString, QString, int, QStringList, QString, bool, QString>(
            "group", "command", "answer", "calls", "title", "visible", "saved");
        const int no = int(MsgAnswer::No), yes = int(MsgAnswer::Yes), escape = int(MsgAnswer::Cancel);
        const QStringList ask { Ask };
        const QStringList openAndAsk { "open Nimbrel - 1.0 : Open Group File: ", Ask };
        const QString other = QStringLiteral("Nimbrel - 1.0 : Other");
        Row("new group, No", "titled", "mnuFileNew", no, ask, Untitled, true, "8500");
        Row("close, No", "titled", "mnuClose", no, ask, Untitled, true, "8500");
        Row("open, No", "titled", "mnuFileOpen", no, openAndAsk, other, true, "8500");
        Row("recent file, No", "titled", "mnuLastFile1", no, ask, other, true, "8500");
        Row("exit, No", "titled", "mnuExit", no, ask, SmithSedan, false, "8500");
        Row("new group, Escape", "titled", "mnuFileNew", escape, ask, SmithSedan, true, "8500");
        Row("open, Escape", "titled", "mnuFileOpen", escape, openAndAsk, SmithSedan, true, "8500");
        Row("exit, Escape", "titled", "mnuExit", escape, ask, SmithSedan, true, "8500");
        Row("new group, Yes", "titled", "mnuFileNew", yes, ask, Untitled, true, "9000");
        Row("new group, Yes, Save cancelled", "without a path", "mnuFileNew", yes,
            QStringList { Ask, "save Nimbrel - 1.0 : Save File: Smith-Sedan" }, SmithSedan, true, "8500");
        Row("open, Yes, no file name", "without a name", "mnuFileOpen", yes,
            openAndAsk + QStringList { "File Name Required: Please Enter File Name !!  [OK, information]" }, SmithSedan,
            true, "8500");
        Row("recent file deleted since", "titled, Other.grp gone", "mnuLastFile1", no,
            QStringList { "Sub : OpenFile: The Specified File Does Not Exists %1 [OK, critical]" }, SmithSedan, true,
            "8500");
    }
    void everyLossOfAChangeIsAsked()
    {
        QFETCH(QString, group);
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QStringList, calls);
        QFETCH(QString, title);
        QFETCH(bool, visible);
        QFETCH(QString, saved);
        MainWindow w;
        w.window.show();
        const QString other = w.Group("Other.grp", "1", {});
        w.window.OpenFile(other);
        const QString path = OpenChanged(w, group);
        if (group.endsWith("gone"))
            QVERIFY(QFile::remove(other));
        w.fake.Answers = { MsgAnswer(answer) };
        w.fake.Paths = { command == "mnuFileOpen" ? other : QString() };
        w.Menu(qPrintable(command))->trigger();
        QCOMPARE(Seen(w.fake.Calls), calls.replaceInStrings("%1", other));
        QCOMPARE(w.window.windowTitle(), title);
        QCOMPARE(w.Changed(), title == SmithSedan);
        QCOMPARE(
            w.Caption(0) + (w.IMG(0)->HasPicture() ? " shown" : ""), title == SmithSedan ? "front shown" : "Pic 1");
        QCOMPARE(w.window.isVisible(), visible);
        QCOMPARE(ReadBytes(path), FormatGroupFile(saved, { { w.Path("front.jpg"), "" } }));
        QCOMPARE(w.Menu("mnuLastFile1")->iconText(), other);
        QCOMPARE(w.fake.Settings.Values.isEmpty(), command != "mnuExit");
    }

    // Every file dialog opens in the folder last used. Save proposes the
    // name fields' name up to the first empty one, a titled group's Save As
    // in the group's own folder; the ".grp" it adds replaces no file unasked.
    void fileDialogsAndTheNameProposed()
    {
        MainWindow w;
        QVERIFY(QDir(w.dir.path()).mkdir("pictures"));
        const QString picture = w.Path("pictures/door.jpg");
        WriteJpeg(picture, QSize(64, 48));
        const auto last = [&w] { return w.fake.Calls.last().Kind + ": " + w.fake.Calls.last().Folder; };
        w.fake.Paths = { picture };
        w.Menu("mnuImport")->trigger();
        for (int i : { 0, 1, 3 })
            w.Word(i)->setText(QStringList { "Smith", "Sedan", "", "12" }[i]);
        const QString path = w.Path("pictures/Smith-Sedan.grp");
        WriteBytes(path, "precious");
        w.fake.Paths = { w.Path("pictures/Smith-Sedan"), w.Path("pictures/Smith-Sedan") };
        w.fake.Answers = { MsgAnswer::No, MsgAnswer::Yes };
        w.Menu("mnuFileSave")->trigger();
        QCOMPARE(Seen(w.fake.Calls.mid(1)),
            (QStringList { "save Nimbrel - 1.0 : Save File: Smith-Sedan",
                "Nimbrel - 1.0 : Save File: " + path
                    + " already exists.\nDo you want to replace it? [Yes No, information]" }));
        QCOMPARE(w.fake.Calls[1].Filter + " in " + w.fake.Calls[1].Folder, GroupFilter + " in " + w.Path("pictures"));
        QCOMPARE(ReadBytes(path), QByteArray("precious"));
        QVERIFY(w.FileName().isEmpty());
        w.Menu("mnuFileSave")->trigger();
        QCOMPARE(ReadBytes(path), "\"VOSKImageViewer1;\"\r\n\"" + QFile::encodeName(picture) + "\",\"\"\r\n");
        QCOMPARE(w.FileName(), path);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan.grp"));
        OpenChanged(w);
        w.Word(1)->setText("Coupe");
        w.fake.Paths = { picture, QString(), QString() };
        w.Menu("mnuImport")->trigger();
        w.Menu("mnuFileSaveAs")->trigger();
        QCOMPARE(last(), "save: " + w.dir.path());
        QCOMPARE(w.fake.Calls.last().Text, QStringLiteral("Smith-Coupe"));
        w.Menu("mnuFileOpen")->trigger();
        QCOMPARE(last(), "open: " + w.Path("pictures"));
    }

    // A save that fails says why, and the group stays as it was: its file
    // whole, the change kept, a new path not taken.
    void aFailedSaveKeepsEverything()
    {
        MainWindow w;
        QVERIFY(QDir(w.dir.path()).mkdir("locked"));
        const QString path = w.Path("locked/Smith-Sedan.grp");
        WriteBytes(path, FormatGroupFile("8500", {}));
        w.window.OpenFile(path);
        w.CarValue()->setText("9000");
        QCOMPARE(chmod(QFile::encodeName(w.dir.path()).constData(), 0755), 0);
        QCOMPARE(chmod(QFile::encodeName(w.Path("locked")).constData(), 0555), 0);
        w.fake.Paths = { w.Path("locked/Smith-Coupe.grp") };
        {
            const OrdinaryUser user;
            QVERIFY(user.Acting());
            w.Menu("mnuFileSave")->trigger();
            w.Menu("mnuFileSaveAs")->trigger();
        }
        const QStringList seen = Seen(w.fake.Calls); // the Save As dialog between the messages
        const QString cause = QStringLiteral("Sub : SaveFile: Cannot save the group file %1: ");
        QVERIFY2(seen.size() == 3 && seen[0].startsWith(cause.arg(path))
                && seen[2].startsWith(cause.arg(w.Path("locked/Smith-Coupe.grp")))
                && seen[0].endsWith(" [OK, information]") && seen[2].endsWith(" [OK, information]"),
            qPrintable(seen.join(u'\n')));
        QCOMPARE(ReadBytes(path), FormatGroupFile("8500", {}));
        QVERIFY(w.Changed());
        QVERIFY(w.FileName().isEmpty());
        QCOMPARE(w.window.windowTitle(), SmithSedan);
        QCOMPARE(chmod(QFile::encodeName(w.Path("locked")).constData(), 0755), 0);
    }
};

QTEST_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
