// The group's life in the main window and every prompt that guards a change, as a user meets them.
#include "DataRows.h"
#include "MainWindow.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "app/AboutBox.h"
#include "document/GroupFile.h"
#include "viewport/Thumbnail.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>

#include <sys/stat.h>

namespace {

const QString Untitled = QStringLiteral("Nimbrel - 1.0 (Untitled)");
const QString SmithSedan = QStringLiteral("Nimbrel - 1.0 : Smith-Sedan");
const QString Filter = QStringLiteral(" [Image Group Files (*.grp)|*.grp]");
const QString Ask = QStringLiteral("Save Changes: Save Changes to the Current File [Yes No, information]");

// Calls as the user meets them: "title: text [buttons, icon]", a file dialog as "kind title: name [filter]".
QStringList Seen(const QList<FakePlatform::Call>& calls)
{
    QStringList seen;
    for (const FakePlatform::Call& call : calls)
        seen.append(call.Kind != QStringLiteral("message")
                ? QStringLiteral("%1 %2: %3 [%4]").arg(call.Kind, call.Title, call.Text, call.Filter)
                : QStringLiteral("%1: %2 [%3, %4]")
                      .arg(call.Title, call.Text,
                          QStringList { "OK", "OK Cancel", "", "", "Yes No" }.value(int(call.Buttons)),
                          call.Icon == MsgIcon::Critical ? "critical" : "information"));
    return seen;
}

// Smith-Sedan.grp (car value 8500, one picture) opened and changed; "without a path" after a cancelled Save As,
// "without a name" with no first name too. The calls on the way are forgotten.
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
    // A first run shows an empty untitled group; only a window below the design size scrolls.
    void firstRunShowsAnEmptyUntitledGroup()
    {
        MainWindow w;
        QCOMPARE(w.window.windowTitle(), Untitled);
        QCOMPARE(w.WindowPlace("Border"), QPoint(19, 33));
        QVERIFY(w.fake.Calls.isEmpty());
        QStringList shown; // "tool tip=text" of the named controls, then the unnamed labels
        for (const char* name : { "txtWord0", "txtWord1", "txtWord2", "txtWord3", "txtNum", "LblCount", "LblTotal",
                 "LblIDTotal", "LblRes" })
            shown.append(Control<QWidget>(w.window, name)->toolTip() + u'='
                + Control<QWidget>(w.window, name)->property("text").toString());
        for (const QLabel* label : w.window.findChildren<QLabel*>(QString("")))
            shown.append(label->text());
        QCOMPARE(shown.join(", "),
            "File Name=, Category=, Type=, ID=, Car Value=, TOTAL OBJECTS PLACED ON IMAGE=0, TOTAL OBJECTS PLACED ON "
            "GROUP=0, Total Damages=0, Current Value=0, File Name, Category:, Type:, ID:, Description, Damages, Total "
            "Incidents:, Grand Total Incidents:, Estimated Value:, Total Damages:, Current Value:");
        w.window.show();
        auto* scroller = w.window.findChild<QScrollArea*>();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QVERIFY(!scroller->horizontalScrollBar()->isVisible() && !scroller->verticalScrollBar()->isVisible());
        w.window.resize(800, 480);
        QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
        QVERIFY(scroller->horizontalScrollBar()->isVisible());
    }

    // Items as "text|shortcuts", "-" a separator, "hidden" one not shown.
    void menus_data()
    {
        Columns<QString, QString>("menu", "items");
        Row("menu bar", "", "&File|, &Edit|, &Image|, &Zoom|, &Settings|, &Help|");
        Row("File", "mnuFile",
            "New Group|Ctrl+N, Open File..|Ctrl+O, Print..|Ctrl+P, Close|Ctrl+W, -, Save File..|Ctrl+S, Save As..|, -, "
            "hidden, -, Exit|Ctrl+E; Ctrl+Q");
        Row("Edit", "mnuEdit", "Undo|Alt+Backspace, Redo|Ctrl+Y; Ctrl+Shift+Z");
        Row("Image", "mnuImage", "Import Image|Ctrl+I, Remove Image|Ctrl+D");
        Row("Zoom", "mnuzoom", "Zoom In|Ctrl+Z, Zoom Out|Ctrl+X, Scale to Fit|Ctrl+F, Actual|Ctrl+A");
        Row("Settings", "mnuSettings",
            "Screen Color|, Outline Color|, ActiveClip Color|, Toolbar Color|, FileName Color|, -, Default Colors|, -, "
            "Large Picture Area|, See-Through Markers|");
        Row("marker", "mnuObject", "Send to Back|, Bring to Front|, Delete|");
        Row("Help", "mnuHelp", "Instructions|F1, About Nimbrel|");
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
                    : action->isVisible()      ? action->text() + "|" + QKeySequence::listToString(action->shortcuts())
                                               : "hidden");
        QCOMPARE(shown.join(", "), items);
    }

    // An open shows the group (title|first name|car value|captions|pictures|figures), or says what stopped or cut
    // it short and leaves an untitled group. A save writes back what was read, byte for byte, but for the gap a
    // removed picture leaves and the pictures past the sixth. "%1" is the folder in bytes, the group in messages.
    void openingAGroup_data()
    {
        Columns<QString, QByteArray, int, QByteArray, QString, QString>(
            "way", "bytes", "remove", "saved", "message", "shown");
        const QByteArray head = "\"VOSKImageViewer1;8500\"\r\n";
        const QByteArray a = "\"%1/a.jpg\",\"\"\r\n";
        const QByteArray b = "\"%1/b.jpg\",\"3;4;4;30;30;3;50;;,10;50;7.5;38.09524;41.17647;10,\"\r\n";
        const QByteArray c = "\"%1/c.jpg\",\"1;2;2;30;30;1;5;01/02/2006;rear door,\"\r\n";
        const QByteArray kept = "\"\",\"1;2;2;30;30;1;100;;,\"\r\n";
        const QByteArray none;
        const QString titled = QStringLiteral("Nimbrel - 1.0 : Smith-Van|Smith|");
        const QString untitled = Untitled + "|||Pic 1|Pic 2|Pic 3|Pic 4|Pic 5|Pic 6|||||||0|0|0|0";
        const QString cannotOpen = QStringLiteral("Sub : LoadFile: Cannot open the group file %1: ");
        Row("a line without a picture", "dialog", head + a + kept + b, -1, head + a + b + kept, "",
            titled + "8500|a|b|Pic 3|Pic 4|Pic 5|Pic 6|picture|picture|||||0|2|50|8450");
        const QByteArray odd = head + a + "\"%1/missing.jpg\",\"3;2;2;30;30;3;100.5;;,3;4;4;30;30;3;;;,\"\r\n"
            + "\"%1/pipe.jpg\",\"\"\r\n" + c;
        Row("missing and unreadable pictures", "command line", odd, -1, odd, "",
            titled
                + "8500|a|missing|pipe|c|Pic 5|Pic 6|picture|picture missing the file does not exist|"
                  "cannot read it is not a regular file|picture|||0|3|105.5|8394.5");
        Row("a gap closes up", "command line", head + a + b + c, 1, head + a + c, "",
            titled + "8500|a|b|c|Pic 4|Pic 5|Pic 6|picture|picture|picture||||0|3|55|8445");
        Row("nine pictures", "command line", "\"VOSKImageViewer1;\"\r\n" + a.repeated(9), -1,
            "\"VOSKImageViewer1;\"\r\n" + a.repeated(6),
            "Sub : OpenFile: This group names 9 pictures; only the first 6 are shown, and saving it keeps only those "
            "6. [OK, information]",
            titled + "|a|a|a|a|a|a|" + QStringList(6, "picture").join(u'|') + "|0|0|0|0");
        Row("wrong magic", "dialog", QByteArray("\"voskimageviewer1;7000\"\r\n\"/a.jpg\",\"\"\r\n"), -1, none,
            "Invalid File: This File is Not a Valid VOSK Image Viewer File. [OK, critical]",
            Untitled + "|Smith|7000|Pic 1|Pic 2|Pic 3|Pic 4|Pic 5|Pic 6|||||||0|0|0|7000");
        Row("damaged", "command line", head + a + "\"%1/b.jpg\"\r\n", -1, none,
            cannotOpen + "line 3 ends after its first field (a picture line has two). [OK, critical]", untitled);
        Row("too many markers", "dialog", head + "\"/a.jpg\",\"" + QByteArray(32768, ',') + "\"\r\n", -1, none,
            cannotOpen + "it holds 32768 markers, more than the 32767 a group can hold. [OK, critical]", untitled);
        Row("command line naming a folder", "folder", none, -1, none, "", untitled);
    }
    void openingAGroup()
    {
        QFETCH(QString, way);
        QFETCH(QByteArray, bytes);
        QFETCH(int, remove);
        QFETCH(QByteArray, saved);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        MainWindow w;
        for (const char* picture : { "a.jpg", "b.jpg", "c.jpg" })
            WriteJpeg(w.Path(picture), QSize(32, 24));
        QCOMPARE(mkfifo(QFile::encodeName(w.Path("pipe.jpg")).constData(), 0600), 0);
        const QString path = way == "folder" ? w.dir.path() : w.Path("Smith-Van.grp");
        if (way != "folder")
            WriteBytes(path, bytes.replace("%1", QFile::encodeName(w.dir.path())));
        w.fake.Paths = { path };
        way == "dialog" ? w.Menu("mnuFileOpen")->trigger() : w.window.Form_Load(path);
        QCOMPARE(Seen(w.fake.Messages()).join(u'\n'), message.replace("%1", path));
        QStringList seen
            = QStringList { w.window.windowTitle(), w.Word(0)->text(), w.CarValue()->text() } + w.Captions();
        for (int slot = 0; slot < GroupSlotCount; ++slot)
            seen.append(w.Shows(slot) == QStringLiteral("picture")
                    ? w.Shows(slot)
                    : w.Shows(slot) + w.IMG(slot)->toolTip().section(u':', -1));
        for (const char* figure : { "LblCount", "LblTotal", "LblIDTotal", "LblRes" })
            seen.append(w.Label(figure));
        QCOMPARE(seen.join(u'|'), shown);
        QVERIFY(!w.Changed());
        if (saved.isEmpty())
            return; // nothing was opened to save
        if (remove >= 0) {
            QTest::mouseClick(w.IMG(remove), Qt::RightButton); // the slot's own menu
            w.Menu("mnuRemove")->trigger();
        }
        w.Menu("mnuFileSave")->trigger();
        QCOMPARE(ReadBytes(path), saved.replace("%1", QFile::encodeName(w.dir.path())));
    }

    // No discards a change, Yes saves it first, Escape keeps it, as does a save that does not complete. Every close
    // stores the settings, refused or not. The group is Smith-Sedan.grp, opened after Other.grp (%1).
    void everyLossOfAChangeIsAsked_data()
    {
        Columns<QString, QString, int, QString, QString, bool, QString>(
            "group", "command", "answer", "calls", "title", "visible", "saved");
        const int no = int(MsgAnswer::No), yes = int(MsgAnswer::Yes), escape = int(MsgAnswer::Cancel);
        const QString openAndAsk = "open Nimbrel - 1.0 : Open Group File: " + Filter + "\n" + Ask;
        const QString other = QStringLiteral("Nimbrel - 1.0 : Other");
        Row("new group, No", "titled", "mnuFileNew", no, Ask, Untitled, true, "8500");
        Row("close, No", "titled", "mnuClose", no, Ask, Untitled, true, "8500");
        Row("open, No", "titled", "mnuFileOpen", no, openAndAsk, other, true, "8500");
        Row("exit, No", "titled", "mnuExit", no, Ask, SmithSedan, false, "8500");
        Row("new group, Escape", "titled", "mnuFileNew", escape, Ask, SmithSedan, true, "8500");
        Row("open, Escape", "titled", "mnuFileOpen", escape, openAndAsk, SmithSedan, true, "8500");
        Row("exit, Escape", "titled", "mnuExit", escape, Ask, SmithSedan, true, "8500");
        Row("new group, Yes", "titled", "mnuFileNew", yes, Ask, Untitled, true, "9000");
        Row("new group, Yes, Save cancelled", "without a path", "mnuFileNew", yes,
            Ask + "\nsave Nimbrel - 1.0 : Save File: Smith-Sedan" + Filter, SmithSedan, true, "8500");
        Row("open, Yes, no file name", "without a name", "mnuFileOpen", yes,
            openAndAsk + "\nFile Name Required: Please Enter File Name !!  [OK, information]", SmithSedan, true,
            "8500");
        Row("recent file deleted since", "Other.grp gone", "mnuLastFile1", no,
            "Sub : OpenFile: The Specified File Does Not Exists %1 [OK, critical]", SmithSedan, true, "8500");
    }
    void everyLossOfAChangeIsAsked()
    {
        QFETCH(QString, group);
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, calls);
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
        QCOMPARE(Seen(w.fake.Calls).join(u'\n'), calls.replace("%1", other));
        QCOMPARE(w.window.windowTitle(), title);
        QCOMPARE(w.Changed(), title == SmithSedan);
        QCOMPARE(
            w.Caption(0) + (w.Shows(0) == "picture" ? " shown" : ""), title == SmithSedan ? "front shown" : "Pic 1");
        QCOMPARE(w.window.isVisible(), visible);
        QCOMPARE(ReadBytes(path), FormatGroupFile(saved, { { w.Path("front.jpg"), "" } }));
        QCOMPARE(w.fake.Settings.Values.isEmpty(), command != "mnuExit");
    }

    // From a name field F1 shows the help and Ctrl+Q asks as Exit does; About names the version, licence and Qt.
    void helpAboutAndExitKeys()
    {
        MainWindow w;
        ConnectAbout(w.window, w.fake);
        OpenChanged(w);
        w.ShowActive();
        w.Word(1)->setFocus();
        QTest::keyClick(w.Word(1), Qt::Key_F1);
        QCOMPARE(w.fake.OpenedAddresses.size(), 1);
        w.fake.Answers = { MsgAnswer::Ok, MsgAnswer::Cancel };
        w.Menu("mnuAbout")->trigger();
        QTest::keyClick(w.Word(1), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(Seen(w.fake.Calls).join(u'\n'),
            QStringLiteral("About Nimbrel: Nimbrel 1.0\nRecords damage on a vehicle from photographs.\nFree software "
                           "under the MIT licence.\nQt %1 [OK, information]\n%2")
                .arg(qVersion(), Ask));
        QVERIFY(w.window.isVisible() && w.Changed() && w.Word(1)->text() == "Sedan");
    }

    // Every file dialog opens in the folder last used. Save proposes the name fields' name up to the first empty
    // one, a titled group's Save As in the group's own folder; the ".grp" it adds replaces no file unasked. A save
    // that fails says why and takes nothing: the file stays whole, the change kept, the new path not taken.
    void fileDialogsAndWhatASaveTakes()
    {
        MainWindow w;
        QVERIFY(QDir(w.dir.path()).mkdir("pictures"));
        const QString picture = w.Path("pictures/door.jpg");
        WriteJpeg(picture, QSize(64, 48));
        const auto last = [&w] {
            return w.fake.Calls.last().Kind + u' ' + w.fake.Calls.last().Text + ": " + w.fake.Calls.last().Folder;
        };
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
            (QStringList { "save Nimbrel - 1.0 : Save File: Smith-Sedan" + Filter,
                "Nimbrel - 1.0 : Save File: " + path
                    + " already exists.\nDo you want to replace it? [Yes No, information]" }));
        QCOMPARE(w.fake.Calls[1].Folder, w.Path("pictures"));
        QCOMPARE(ReadBytes(path), QByteArray("precious"));
        QVERIFY(w.FileName().isEmpty());
        w.Menu("mnuFileSave")->trigger();
        const QByteArray written = "\"VOSKImageViewer1;\"\r\n\"" + QFile::encodeName(picture) + "\",\"\"\r\n";
        QCOMPARE(ReadBytes(path), written);
        QCOMPARE(w.FileName(), path);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan.grp"));
        OpenChanged(w);
        w.Word(1)->setText("Coupe");
        w.fake.Paths = { picture, QString(), QString() };
        w.Menu("mnuImport")->trigger();
        w.Menu("mnuFileSaveAs")->trigger();
        QCOMPARE(last(), "save Smith-Coupe: " + w.dir.path());
        w.Menu("mnuFileOpen")->trigger();
        QCOMPARE(last(), "open : " + w.Path("pictures"));
        // A file anyone may write, in a folder an ordinary user may not: a one-step save fails and leaves it whole.
        for (const auto& [file, mode] :
            { std::pair(w.dir.path(), 0755), std::pair(path, 0666), std::pair(w.Path("pictures"), 0555) })
            QCOMPARE(chmod(QFile::encodeName(file).constData(), mode_t(mode)), 0);
        w.fake.Paths = { path };
        {
            const OrdinaryUser user;
            QVERIFY(user.Acting());
            w.Menu("mnuFileSaveAs")->trigger();
        }
        QCOMPARE(chmod(QFile::encodeName(w.Path("pictures")).constData(), 0755), 0);
        QCOMPARE(Seen({ w.fake.LastMessage() }).value(0),
            "Sub : SaveFile: Cannot save the group file " + path + ": Permission denied. [OK, information]");
        QCOMPARE(ReadBytes(path), written);
        QCOMPARE(QDir(w.Path("pictures")).entryList(QDir::Files), (QStringList { "door.jpg", "Smith-Sedan.grp" }));
        QVERIFY(w.Changed() && w.FileName().isEmpty());
        QCOMPARE(w.window.windowTitle(), SmithSedan);
    }
};

QTEST_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
