// The group's life in the main window: a first run, opening, saving, new
// group, close, and every prompt that guards unsaved changes, with the exact
// texts a user sees.
#include "Controls.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "viewport/PictureLoader.h"
#include "viewport/Thumbnail.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Untitled = QStringLiteral("Nimbrel - 1.0 (Untitled)");
const QString GroupFilter = QStringLiteral("Image Group Files (*.grp)|*.grp");
const QString SaveQuestion = QStringLiteral("Save Changes to the Current File");

struct Fixture {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;

    Fixture() { window.Form_Load(QString()); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // A group file in the temporary folder; its pictures are real JPEGs
    // unless a name starts with "missing".
    QString Group(const QString& name, const QString& carValue, const QList<GroupPicture>& pictures)
    {
        for (const GroupPicture& picture : pictures) {
            if (!picture.Path.contains(QStringLiteral("missing")) && !QFile::exists(picture.Path))
                WriteJpeg(picture.Path, QSize(320, 240));
        }
        const QString path = Path(name);
        WriteBytes(path, FormatGroupFile(carValue, pictures));
        return path;
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < 6; ++i)
            captions.append(Control<QLabel>(window, QStringLiteral("LbFileName%1").arg(i))->text());
        return captions;
    }

    QLineEdit* Word(int i) const { return Control<QLineEdit>(window, QStringLiteral("txtWord%1").arg(i)); }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < 4; ++i)
            names.append(Word(i)->text());
        return names;
    }

    QLineEdit* CarValue() const { return Control<QLineEdit>(window, "txtNum"); }
    QString Label(const char* name) const { return Control<QLabel>(window, name)->text(); }
    Thumbnail* IMG(int slot) const { return Control<Thumbnail>(window, QStringLiteral("IMG%1").arg(slot)); }
    template <class T = QAction> T* Menu(const char* name) const { return Control<T>(window, name); }

    // A titled group with an unsaved change.
    QString ChangedTitledGroup()
    {
        const QString path = Group("Smith-Sedan.grp", "8500", { { Path("front.jpg"), "" } });
        window.OpenFile(path);
        CarValue()->setText("9000");
        return path;
    }

    // A digit typed at the end of the car value and taken back: a titled
    // group is changed, while what it would save stays the same.
    void TouchCarValue()
    {
        QLineEdit* field = CarValue();
        field->end(false);
        QTest::keyClicks(field, "0");
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(window.Changed);
    }

    // A titled group with a change left without a path, as after Save As
    // was cancelled; the calls made to get there are forgotten.
    void ChangedGroupWithoutAPath()
    {
        TouchCarValue();
        fake.Paths = { QString() };
        Menu("mnuFileSaveAs")->trigger();
        QVERIFY(window.FileName.isEmpty());
        QVERIFY(window.Changed);
        fake.Paths.clear();
        fake.Calls.clear();
    }

    // A picture imported into the current slot and removed again: the group
    // is changed, while what it would save stays the same.
    void ImportAndRemove()
    {
        const QString picture = Path("scratch.jpg");
        WriteJpeg(picture, QSize(32, 24));
        fake.Paths = { picture };
        Menu("mnuImport")->trigger();
        QCOMPARE(SlotPath(window, window.CurrentImage), picture);
        Menu("mnuRemove")->trigger();
        QVERIFY(SlotPath(window, window.CurrentImage).isEmpty());
        QVERIFY(window.Changed);
        fake.Calls.clear();
    }
};

// Where a control stands in the window's own pixels: those of its client
// area below the menu bar, where the thumbnail strip and the panels sit.
QPoint WindowPlace(const frmImage& window, const char* name)
{
    return Control<QWidget>(window, name)->mapTo(Control<QWidget>(window, "Screen"), QPoint());
}

void CompareMessage(
    const FakePlatform::Call& call, const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    QCOMPARE(call.Kind, QStringLiteral("message"));
    QCOMPARE(call.Text, text);
    QCOMPARE(call.Title, title);
    QCOMPARE(call.Buttons, buttons);
    QCOMPARE(call.Icon, icon);
}

QString Line(const QString& path, const QString& objects)
{
    return QStringLiteral("\"%1\",\"%2\"\r\n").arg(path, objects);
}

} // namespace

class LifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigurePictureReading(); }

    void firstRunShowsAnEmptyUntitledGroup()
    {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), Untitled);
        QCOMPARE(f.Captions(), (QStringList { "Pic 1", "Pic 2", "Pic 3", "Pic 4", "Pic 5", "Pic 6" }));
        QCOMPARE(f.Names(), (QStringList { "", "", "", "" }));
        QCOMPARE(f.CarValue()->text(), QString());
        QCOMPARE(f.Label("LblCount"), QStringLiteral("0"));
        QCOMPARE(f.Label("LblTotal"), QStringLiteral("0"));
        QCOMPARE(f.Label("LblIDTotal"), QStringLiteral("0"));
        QCOMPARE(f.Label("LblRes"), QStringLiteral("0"));
        QCOMPARE(WindowPlace(f.window, "Border"), QPoint(19, 33));
        QCOMPARE(f.window.CurrentImage, 0);
        QVERIFY(!f.window.Changed);
        QVERIFY(f.window.FileName.isEmpty());
        QVERIFY(f.fake.Calls.isEmpty());
    }

    void controlsCarryTheirToolTips()
    {
        Fixture f;
        const QStringList names { "File Name", "Category", "Type", "ID" };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.Word(i)->toolTip(), names[i]);
        QCOMPARE(f.CarValue()->toolTip(), QStringLiteral("Car Value"));
        QCOMPARE(Control<QLabel>(f.window, "LblCount")->toolTip(), QStringLiteral("TOTAL OBJECTS PLACED ON IMAGE"));
        QCOMPARE(Control<QLabel>(f.window, "LblTotal")->toolTip(), QStringLiteral("TOTAL OBJECTS PLACED ON GROUP"));
        QCOMPARE(Control<QLabel>(f.window, "LblIDTotal")->toolTip(), QStringLiteral("Total Damages"));
        QCOMPARE(Control<QLabel>(f.window, "LblRes")->toolTip(), QStringLiteral("Current Value"));
        QStringList labels;
        for (const QLabel* label : f.window.findChildren<QLabel*>()) {
            if (!label->objectName().startsWith(QStringLiteral("LbFileName")))
                labels.append(label->text());
        }
        for (const char* text : { "File Name", "Description", "Category:", "Type:", "ID:", "Damages",
                 "Total Incidents:", "Grand Total Incidents:", "Estimated Value:", "Total Damages:", "Current Value:" })
            QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
    }

    void menusAndShortcuts()
    {
        Fixture f;
        QStringList bar;
        for (QAction* action : f.window.menuBar()->actions())
            bar.append(action->text());
        QCOMPARE(bar, (QStringList { "&File", "&Image", "&Zoom", "&Settings", "&Help" }));

        QStringList file;
        for (QAction* action : f.Menu<QMenu>("mnuFile")->actions())
            file.append(action->isSeparator() ? "-" : action->text() + "|" + action->shortcut().toString());
        QCOMPARE(file,
            (QStringList { "New Group|Ctrl+N", "Open File..|Ctrl+O", "Print..|Ctrl+P", "Close|Ctrl+W", "-",
                "Save File..|Ctrl+S", "Save As..|", "-", "|", "-", "Exit|Ctrl+E" }));
        QVERIFY(!f.Menu("mnuLastFile0")->isVisible());

        const auto texts = [](QMenu* menu) {
            QStringList list;
            for (QAction* action : menu->actions())
                list.append(action->isSeparator() ? "-" : action->text() + "|" + action->shortcut().toString());
            return list;
        };
        QCOMPARE(texts(f.Menu<QMenu>("mnuImage")), (QStringList { "Import Image|Ctrl+I", "Remove Image|Ctrl+D" }));
        QCOMPARE(texts(f.Menu<QMenu>("mnuzoom")),
            (QStringList { "Zoom In|Ctrl+Z", "Zoom Out|Ctrl+X", "Scale to Fit|Ctrl+F", "Actual|Ctrl+A" }));
        QCOMPARE(texts(f.Menu<QMenu>("mnuSettings")),
            (QStringList { "Screen Color|", "Outline Color|", "ActiveClip Color|", "Toolbar Color|", "FileName Color|",
                "-", "Default Colors|" }));
        QCOMPARE(texts(f.Menu<QMenu>("mnuObject")), (QStringList { "Send to Back|", "Bring to Front|", "Delete|" }));
        QCOMPARE(texts(f.Menu<QMenu>("mnuHelp")), (QStringList { "Instructions|" }));
        QVERIFY(!f.window.menuBar()->actions().contains(f.Menu<QMenu>("mnuObject")->menuAction()));
    }

    void opensAGroup()
    {
        Fixture f;
        const QString path = f.Group("Smith-Sedan-Rear-12.grp", "8500",
            { { f.Path("front.view.jpg"), "" },
                { f.Path("rear.jpg"),
                    "3;12.5;4.166667;38.09524;41.17647;3;250;;,"
                    "10;50;7.5;38.09524;41.17647;10;," } });
        f.window.OpenFile(path);
        QVERIFY(f.fake.Calls.isEmpty());
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan-Rear-12"));
        QCOMPARE(f.window.FileName, path);
        QVERIFY(!f.window.Changed);
        QCOMPARE(f.Names(), (QStringList { "Smith", "Sedan", "Rear", "12" }));
        QCOMPARE(f.Captions(), (QStringList { "front", "rear", "Pic 3", "Pic 4", "Pic 5", "Pic 6" }));
        QCOMPARE(SlotPath(f.window, 1), f.Path("rear.jpg"));
        QCOMPARE(f.IMG(1)->toolTip(), f.Path("rear.jpg"));
        QVERIFY(f.IMG(0)->HasPicture() && f.IMG(1)->HasPicture());
        QVERIFY(SlotPath(f.window, 2).isEmpty());
        QCOMPARE(SlotList(f.window, 0), QString());
        QCOMPARE(f.window.GroupObjectCount, 2);
        QCOMPARE(f.window.ImageObjectCount, 0);
        QCOMPARE(f.window.ObjIDTotal, 250.0);
        QCOMPARE(f.CarValue()->text(), QStringLiteral("8500"));
        QCOMPARE(f.Label("LblTotal"), QStringLiteral("2"));
        QCOMPARE(f.Label("LblIDTotal"), QStringLiteral("250"));
        QCOMPARE(f.Label("LblRes"), QStringLiteral("8250"));
    }

    // A picture line without a path takes no slot and counts nothing, and
    // is written back as it stood, after the pictures.
    void aLineWithoutAPictureIsKept()
    {
        Fixture f;
        WriteJpeg(f.Path("a.jpg"), QSize(64, 48));
        WriteJpeg(f.Path("b.jpg"), QSize(64, 48));
        const QByteArray kept = "\"\",\"1;2;2;30;30;1;100;;,\"";
        const QByteArray bytes = "\"VOSKImageViewer1;8500\"\r\n\"" + f.Path("a.jpg").toUtf8() + "\",\"\"\r\n" + kept
            + "\r\n\"" + f.Path("b.jpg").toUtf8() + "\",\"3;4;4;30;30;3;50;;,\"\r\n";
        WriteBytes(f.Path("Kept.grp"), bytes);
        f.window.OpenFile(f.Path("Kept.grp"));
        QCOMPARE(SlotPath(f.window, 0), f.Path("a.jpg"));
        QCOMPARE(SlotPath(f.window, 1), f.Path("b.jpg"));
        QVERIFY(SlotPath(f.window, 2).isEmpty());
        QCOMPARE(f.window.GroupObjectCount, 1);
        QCOMPARE(f.window.ObjIDTotal, 50.0);
        f.TouchCarValue();
        f.window.SaveFile();
        QCOMPARE(ReadBytes(f.Path("Kept.grp")),
            "\"VOSKImageViewer1;8500\"\r\n\"" + f.Path("a.jpg").toUtf8() + "\",\"\"\r\n\"" + f.Path("b.jpg").toUtf8()
                + "\",\"3;4;4;30;30;3;50;;,\"\r\n" + kept + "\r\n");
    }

    // A group naming more pictures than a group holds says so, however it
    // is opened.
    void moreThanSixPicturesAreAnnounced_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Open dialog") << "dialog";
        QTest::newRow("command line") << "command line";
    }
    void moreThanSixPicturesAreAnnounced()
    {
        QFETCH(QString, way);
        FakePlatform fake;
        frmImage window { fake.Bundle() };
        QTemporaryDir dir;
        QList<GroupPicture> pictures;
        for (int i = 0; i < 9; ++i) {
            pictures.append({ dir.filePath(QStringLiteral("p%1.jpg").arg(i)), QString() });
            WriteJpeg(pictures.last().Path, QSize(32, 24));
        }
        const QString path = dir.filePath("Nine.grp");
        WriteBytes(path, FormatGroupFile("", pictures));
        if (way == "dialog") {
            window.Form_Load(QString());
            fake.Paths = { path };
            window.LoadFile();
        } else {
            window.Form_Load(path);
        }
        const FakePlatform::Call message = fake.LastMessage();
        QCOMPARE(message.Text,
            QStringLiteral(
                "This group names 9 pictures; only the first 6 are shown, and saving it keeps only those 6."));
        QCOMPARE(message.Title, QStringLiteral("Sub : OpenFile"));
        QCOMPARE(message.Buttons, MsgButtons::Ok);
        QCOMPARE(message.Icon, MsgIcon::Information);
        QCOMPARE(SlotPath(window, 5), pictures[5].Path);
        QCOMPARE(window.FileName, path);
    }

    void opensFromTheOpenDialog()
    {
        Fixture f;
        const QString path = f.Group("report.grp", "", {});
        f.fake.Paths = { path };
        f.window.LoadFile();
        QCOMPARE(f.fake.Calls.size(), 1);
        QCOMPARE(f.fake.Calls[0].Kind, QStringLiteral("open"));
        QCOMPARE(f.fake.Calls[0].Title, QStringLiteral("Nimbrel - 1.0 : Open Group File"));
        QCOMPARE(f.fake.Calls[0].Filter, GroupFilter);
        QCOMPARE(f.fake.Calls[0].Text, QString());
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : report"));
        QCOMPARE(f.Names(), (QStringList { "report", "", "", "" }));

        f.window.LoadFile(); // cancelled
        QCOMPARE(f.window.FileName, path);
    }

    void wrongMagicLeavesAnUntitledGroupWithTheFilesNames()
    {
        Fixture f;
        const QString path = f.Path("Smith-Van.grp");
        WriteBytes(path, "\"voskimageviewer1;7000\"\r\n" + Line(f.Path("a.jpg"), "").toUtf8());
        f.window.OpenFile(path);
        QCOMPARE(f.fake.Calls.size(), 1);
        CompareMessage(f.fake.Calls[0], "This File is Not a Valid VOSK Image Viewer File.", "Invalid File",
            MsgButtons::Ok, MsgIcon::Critical);
        QCOMPARE(f.window.windowTitle(), Untitled);
        QVERIFY(f.window.FileName.isEmpty());
        QCOMPARE(f.Names(), (QStringList { "Smith", "Van", "", "" }));
        QCOMPARE(f.CarValue()->text(), QStringLiteral("7000"));
        QVERIFY(SlotPath(f.window, 0).isEmpty());
        QVERIFY(!f.window.Changed);
    }

    void damagedFileIsReportedOnEveryWayOfOpening_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("open dialog") << "dialog";
        QTest::newRow("command line") << "command line";
        QTest::newRow("open file") << "open file";
    }
    void damagedFileIsReportedOnEveryWayOfOpening()
    {
        QFETCH(QString, way);
        FakePlatform fake;
        frmImage window(fake.Bundle());
        QTemporaryDir dir;
        const QString path = dir.filePath("Smith-Sedan.grp");
        WriteBytes(path, "\"VOSKImageViewer1;8500\"\r\n\"/a.jpg\",\"1;2;3;4;5;1;250;;,\"\r\n\"/b.jpg\"\r\n");
        if (way == "command line") {
            window.Form_Load(path);
        } else {
            window.Form_Load(QString());
            fake.Paths = { path };
            if (way == "dialog")
                window.LoadFile();
            else
                window.OpenFile(path);
        }
        const FakePlatform::Call message = fake.LastMessage();
        CompareMessage(message,
            QStringLiteral("Cannot open the group file %1: line 3 ends after its first field (a picture line "
                           "has two).")
                .arg(path),
            "Sub : LoadFile", MsgButtons::Ok, MsgIcon::Critical);
        QCOMPARE(window.windowTitle(), Untitled);
        QVERIFY(window.FileName.isEmpty());
        QVERIFY(SlotPath(window, 0).isEmpty());
        QCOMPARE(Control<QLineEdit>(window, "txtWord0")->text(), QString());
        QCOMPARE(Control<QLineEdit>(window, "txtNum")->text(), QString());
        QCOMPARE(window.GroupObjectCount, 0);
        QCOMPARE(window.ObjIDTotal, 0.0);
    }

    void emptyFileIsReported()
    {
        Fixture f;
        const QString path = f.Path("empty.grp");
        WriteBytes(path, "");
        f.window.OpenFile(path);
        CompareMessage(f.fake.LastMessage(),
            QStringLiteral("Cannot open the group file %1: the file is empty.").arg(path), "Sub : LoadFile",
            MsgButtons::Ok, MsgIcon::Critical);
    }

    void tooManyMarkersIsReported()
    {
        Fixture f;
        const QString path = f.Path("many.grp");
        WriteBytes(path,
            "\"VOSKImageViewer1;\"\r\n" + Line(f.Path("a.jpg"), QString(20000, u',')).toUtf8()
                + Line(f.Path("b.jpg"), QString(12768, u',')).toUtf8());
        f.window.OpenFile(path);
        CompareMessage(f.fake.LastMessage(),
            QStringLiteral("Cannot open the group file %1: it holds 32768 markers, more than the 32767 a "
                           "group can hold.")
                .arg(path),
            "Sub : LoadFile", MsgButtons::Ok, MsgIcon::Critical);
        QVERIFY(f.window.FileName.isEmpty());
        QCOMPARE(f.window.GroupObjectCount, 0);
    }

    void openingADeletedFileLeavesTheGroupAlone()
    {
        Fixture f;
        const QString path = f.ChangedTitledGroup();
        const QString gone = f.Path("gone.grp");
        f.window.OpenFile(gone);
        QCOMPARE(f.fake.Calls.size(), 1);
        CompareMessage(f.fake.Calls[0], "The Specified File Does Not Exists " + gone, "Sub : OpenFile", MsgButtons::Ok,
            MsgIcon::Critical);
        QCOMPARE(f.window.FileName, path);
        QVERIFY(f.window.Changed);
        QCOMPARE(f.CarValue()->text(), QStringLiteral("9000"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("opens");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("missing file") << "missing.grp" << false;
        QTest::newRow("group file") << "Smith.grp" << true;
    }
    void commandLine()
    {
        QFETCH(QString, argument);
        QFETCH(bool, opens);
        FakePlatform fake;
        frmImage window(fake.Bundle());
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        WriteBytes(dir.filePath("Smith.grp"), "\"VOSKImageViewer1;5\"\r\n");
        window.Form_Load(argument.isEmpty() ? QString() : dir.filePath(argument));
        QVERIFY(fake.Calls.isEmpty());
        QCOMPARE(window.windowTitle(), opens ? QStringLiteral("Nimbrel - 1.0 : Smith") : Untitled);
    }

    void newGroupOnAnUnchangedGroupAsksNothing()
    {
        Fixture f;
        f.window.OpenFile(f.Group("a.grp", "1", { { f.Path("a.jpg"), "" } }));
        f.Menu("mnuFileNew")->trigger();
        QVERIFY(f.fake.Calls.isEmpty());
        QCOMPARE(f.window.windowTitle(), Untitled);
        QVERIFY(SlotPath(f.window, 0).isEmpty());
        QVERIFY(!f.IMG(0)->HasPicture());
        QCOMPARE(f.Captions()[0], QStringLiteral("Pic 1"));
        QVERIFY(SlotList(f.window, 0).isEmpty());
    }

    void promptAnsweredNoDiscards_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new group") << "new";
        QTest::newRow("close") << "close";
        QTest::newRow("open file") << "open";
    }
    void promptAnsweredNoDiscards()
    {
        QFETCH(QString, command);
        Fixture f;
        const QString path = f.ChangedTitledGroup();
        const QString other = f.Group("Other.grp", "1", {});
        f.fake.Answers = { MsgAnswer::No };
        f.fake.Paths = { other };
        if (command == "new")
            f.Menu("mnuFileNew")->trigger();
        else if (command == "close")
            f.Menu("mnuClose")->trigger();
        else
            f.Menu("mnuFileOpen")->trigger();
        const QList<FakePlatform::Call> messages = f.fake.Messages();
        QCOMPARE(messages.size(), 1);
        CompareMessage(messages[0], SaveQuestion, "Save Changes", MsgButtons::YesNo, MsgIcon::Information);
        QVERIFY(!f.window.SavePending);
        QVERIFY(!f.window.Changed);
        QCOMPARE(f.window.windowTitle(), command == "open" ? QStringLiteral("Nimbrel - 1.0 : Other") : Untitled);
        // The discarded change never reached the file.
        QVERIFY(ReadBytes(path).startsWith("\"VOSKImageViewer1;8500\""));
    }

    // Escape or the close box of the prompt keeps the work: nothing is
    // discarded and the command stops.
    void promptClosedWithoutAnAnswerCancels_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new group") << "new";
        QTest::newRow("close") << "close";
        QTest::newRow("open file") << "open";
        QTest::newRow("exit") << "exit";
    }
    void promptClosedWithoutAnAnswerCancels()
    {
        QFETCH(QString, command);
        Fixture f;
        f.window.show();
        const QString path = f.ChangedTitledGroup();
        const QString other = f.Group("Other.grp", "1", {});
        f.fake.Answers = { MsgAnswer::Cancel };
        f.fake.Paths = { other };
        if (command == "new")
            f.Menu("mnuFileNew")->trigger();
        else if (command == "close")
            f.Menu("mnuClose")->trigger();
        else if (command == "open")
            f.Menu("mnuFileOpen")->trigger();
        else
            f.Menu("mnuExit")->trigger();
        QCOMPARE(f.fake.Messages().size(), 1);
        QVERIFY(f.window.SavePending);
        QVERIFY(f.window.Changed);
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.window.FileName, path);
        QCOMPARE(f.CarValue()->text(), QStringLiteral("9000"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan"));
    }

    void promptAnsweredYesSavesFirst()
    {
        Fixture f;
        const QString path = f.ChangedTitledGroup();
        f.fake.Answers = { MsgAnswer::Yes };
        f.Menu("mnuFileNew")->trigger();
        QCOMPARE(f.fake.Calls.size(), 1); // the prompt only: a titled group saves without a dialog
        QVERIFY(!f.window.SavePending);
        QCOMPARE(f.window.windowTitle(), Untitled);
        QCOMPARE(ReadBytes(path), FormatGroupFile("9000", { { f.Path("front.jpg"), "" } }));
    }

    void promptYesThenCancelKeepsEverything()
    {
        Fixture f;
        f.Word(0)->setText("Smith");
        f.window.OpenFile(f.Group("Smith.grp", "1", { { f.Path("a.jpg"), "" } }));
        f.ChangedGroupWithoutAPath();
        f.fake.Answers = { MsgAnswer::Yes };
        f.fake.Paths = { QString() };
        f.window.NewFile();
        QCOMPARE(f.fake.Calls.size(), 2);
        QCOMPARE(f.fake.Calls[1].Kind, QStringLiteral("save"));
        QVERIFY(f.window.SavePending);
        QVERIFY(f.window.Changed);
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith"));
        QCOMPARE(SlotPath(f.window, 0), f.Path("a.jpg"));
        QCOMPARE(f.Word(0)->text(), QStringLiteral("Smith"));
    }

    void promptYesWithoutAFileNameStopsEverything()
    {
        Fixture f;
        f.window.OpenFile(f.Group("a.grp", "1", { { f.Path("a.jpg"), "" } }));
        f.Word(0)->clear();
        f.ChangedGroupWithoutAPath();
        const QString other = f.Group("b.grp", "", {});
        f.fake.Answers = { MsgAnswer::Yes };
        f.window.OpenFile(other);
        QCOMPARE(f.fake.Calls.size(), 2);
        CompareMessage(
            f.fake.Calls[1], "Please Enter File Name !! ", "File Name Required", MsgButtons::Ok, MsgIcon::Information);
        QVERIFY(f.window.SavePending);
        QCOMPARE(SlotPath(f.window, 0), f.Path("a.jpg"));
    }

    void refusedCloseKeepsTheWindowOpen()
    {
        Fixture f;
        f.window.show();
        f.Word(0)->setText("Smith");
        f.window.OpenFile(f.Group("Smith.grp", "1", {}));
        f.ChangedGroupWithoutAPath();
        f.fake.Answers = { MsgAnswer::Yes };
        f.Menu("mnuExit")->trigger();
        QVERIFY(f.window.isVisible());
        QVERIFY(f.window.Changed);

        f.fake.Answers = { MsgAnswer::No };
        QVERIFY(f.window.close());
        QCOMPARE(f.fake.Messages().size(), 2);
        QCOMPARE(f.fake.Messages()[1].Text, SaveQuestion);
    }

    // A window smaller than the design scrolls its content, so every
    // control can be reached; at the design size nothing scrolls.
    void aSmallWindowScrollsItsContent()
    {
        Fixture f;
        f.window.show();
        auto* scroller = f.window.findChild<QScrollArea*>();
        QVERIFY(scroller);
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QVERIFY(!scroller->horizontalScrollBar()->isVisible() && !scroller->verticalScrollBar()->isVisible());
        f.window.resize(800, 480);
        QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
        QVERIFY(scroller->horizontalScrollBar()->isVisible());
        for (const char* name : { "Picture1", "txtNum", "IMG5", "txtWord3", "cmdScaleToFit" }) {
            auto* control = Control<QWidget>(f.window, name);
            scroller->ensureWidgetVisible(control, 0, 0);
            const QRect shown(control->mapTo(scroller->viewport(), QPoint()), control->size());
            QVERIFY2(scroller->viewport()->rect().contains(shown), name);
        }
    }

    // Every file dialog opens in the folder last used; the Save dialog
    // proposes its name in the open group's folder.
    void fileDialogsOpenInTheFolderLastUsed()
    {
        Fixture f;
        QTemporaryDir pictures;
        const QString picture = QDir(pictures.path()).filePath("door.jpg");
        WriteJpeg(picture, QSize(64, 48));
        f.fake.Paths = { picture };
        f.Menu("mnuImport")->trigger();
        f.fake.Paths = { QString() };
        f.Menu("mnuFileOpen")->trigger(); // cancelled
        QCOMPARE(f.fake.Calls.last().Kind, QStringLiteral("open"));
        QCOMPARE(f.fake.Calls.last().Folder, pictures.path());
        // An untitled group is saved where the last dialog looked.
        f.Word(0)->setText("Smith");
        f.fake.Paths = { QString() };
        f.window.SaveFile();
        QCOMPARE(f.fake.Calls.last().Kind, QStringLiteral("save"));
        QCOMPARE(f.fake.Calls.last().Folder, pictures.path());
        QCOMPARE(f.fake.Calls.last().Text, QStringLiteral("Smith"));
        // A titled group's Save As proposes the group's own folder.
        f.fake.Answers = { MsgAnswer::No }; // the untitled group's changes go
        const QString path = f.ChangedTitledGroup();
        f.fake.Paths = { picture };
        f.Menu("mnuImport")->trigger();
        f.fake.Paths = { QString() };
        f.Menu("mnuFileSaveAs")->trigger();
        QCOMPARE(f.fake.Calls.last().Kind, QStringLiteral("save"));
        QCOMPARE(f.fake.Calls.last().Folder, QFileInfo(path).absolutePath());
        // The Open dialog then starts where the import looked.
        f.fake.Paths = { QString() };
        f.window.LoadFile();
        QCOMPARE(f.fake.Calls.last().Folder, pictures.path());
    }

    // A save that fails leaves the group where it was: not titled with the
    // path it could not write, and still changed.
    void aFailedSaveAsKeepsTheGroupUnsaved()
    {
        Fixture f;
        const QString path = f.ChangedTitledGroup();
        const QString unwritable = f.Path("no such folder/Smith.grp");
        f.fake.Paths = { unwritable };
        f.Menu("mnuFileSaveAs")->trigger();
        QCOMPARE(f.fake.Messages().size(), 1);
        QCOMPARE(f.fake.LastMessage().Title, QStringLiteral("Sub : SaveFile"));
        QVERIFY(f.window.FileName != unwritable);
        QVERIFY(f.window.Changed);
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan"));
        QVERIFY(ReadBytes(path).startsWith("\"VOSKImageViewer1;8500\""));
    }

    void savesAnUntitledGroupUnderTheProposedName()
    {
        Fixture f;
        const QStringList names { "Smith", "Sedan", "", "12" };
        for (int i = 0; i < 4; ++i)
            f.Word(i)->setText(names[i]);
        f.ImportAndRemove();
        const QString chosen = f.Path("Smith-Sedan");
        f.fake.Paths = { chosen };
        f.window.SaveFile();
        QCOMPARE(f.fake.Calls.size(), 1);
        QCOMPARE(f.fake.Calls[0].Kind, QStringLiteral("save"));
        QCOMPARE(f.fake.Calls[0].Text, QStringLiteral("Smith-Sedan"));
        QCOMPARE(f.fake.Calls[0].Title, QStringLiteral("Nimbrel - 1.0 : Save File"));
        QCOMPARE(f.fake.Calls[0].Filter, GroupFilter);
        QCOMPARE(f.window.FileName, chosen + ".grp");
        QCOMPARE(ReadBytes(chosen + ".grp"), QByteArray("\"VOSKImageViewer1;\"\r\n"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan.grp"));
        QVERIFY(!f.window.Changed);
    }

    void extensionAddedByTheProgramAsksBeforeReplacing()
    {
        Fixture f;
        f.Word(0)->setText("Smith");
        WriteBytes(f.Path("Smith.grp"), "precious");
        f.fake.Paths = { f.Path("Smith") };
        f.fake.Answers = { MsgAnswer::No };
        f.window.SaveFile();
        CompareMessage(f.fake.LastMessage(),
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(f.Path("Smith.grp")),
            "Nimbrel - 1.0 : Save File", MsgButtons::YesNo, MsgIcon::Information);
        QCOMPARE(ReadBytes(f.Path("Smith.grp")), QByteArray("precious"));
        QVERIFY(f.window.FileName.isEmpty());

        f.fake.Paths = { f.Path("Smith") };
        f.fake.Answers = { MsgAnswer::Yes };
        f.window.SaveFile();
        QCOMPARE(ReadBytes(f.Path("Smith.grp")), QByteArray("\"VOSKImageViewer1;\"\r\n"));
        QCOMPARE(f.window.FileName, f.Path("Smith.grp"));
    }

    void saveOnATitledGroupAsksNothing()
    {
        Fixture f;
        const QString path = f.ChangedTitledGroup();
        f.Menu("mnuFileSave")->trigger();
        QVERIFY(f.fake.Calls.isEmpty());
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Sedan.grp"));
        QVERIFY(!f.window.Changed);
        QVERIFY(ReadBytes(path).startsWith("\"VOSKImageViewer1;9000\"\r\n"));
    }

    void saveAsWithoutAFileNameLeavesTheGroupWithoutAPath()
    {
        Fixture f;
        f.ChangedTitledGroup();
        f.Word(0)->clear();
        f.Menu("mnuFileSaveAs")->trigger();
        QCOMPARE(f.fake.Calls.size(), 1);
        CompareMessage(
            f.fake.Calls[0], "Please Enter File Name !! ", "File Name Required", MsgButtons::Ok, MsgIcon::Information);
        QVERIFY(f.window.FileName.isEmpty());
    }

    void saveAsProposesTheNameFieldsNotTheFile()
    {
        Fixture f;
        f.ChangedTitledGroup();
        f.Word(1)->setText("Coupe");
        f.fake.Paths = { f.Path("Smith-Coupe.grp") };
        f.Menu("mnuFileSaveAs")->trigger();
        QCOMPARE(f.fake.Calls[0].Text, QStringLiteral("Smith-Coupe"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Smith-Coupe.grp"));
    }

    void failedSaveKeepsTheOldFileAndTheChanges()
    {
        Fixture f;
        const QString folder = f.Path("locked");
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + "/car.grp";
        WriteBytes(path, FormatGroupFile("8500", {}));
        f.window.OpenFile(path);
        f.CarValue()->setText("9000");
        QVERIFY(QFile::setPermissions(
            f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        f.fake.Answers = { MsgAnswer::Yes };
        const bool root = geteuid() == 0;
        if (root)
            QVERIFY(seteuid(65534) == 0);
        f.window.NewFile(); // Yes: the save fails, so nothing is cleared
        if (root)
            QVERIFY(seteuid(0) == 0);
        const FakePlatform::Call message = f.fake.LastMessage();
        QCOMPARE(message.Title, QStringLiteral("Sub : SaveFile"));
        QCOMPARE(message.Icon, MsgIcon::Information);
        QCOMPARE(message.Buttons, MsgButtons::Ok);
        QVERIFY2(message.Text.startsWith(QStringLiteral("Cannot save the group file %1: ").arg(path)),
            qPrintable(message.Text));
        QCOMPARE(ReadBytes(path), FormatGroupFile("8500", {}));
        QVERIFY(f.window.Changed);
        QVERIFY(f.window.SavePending);
        QCOMPARE(f.window.FileName, path);
        QCOMPARE(f.CarValue()->text(), QStringLiteral("9000"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void saveOpenSaveIsByteIdentical()
    {
        Fixture f;
        const QString path = f.Group("Smith.grp", "8500",
            { { f.Path("a.jpg"), "1;12.5;4.166667;38.09524;41.17647;1;250;12/05/2005;door," }, { f.Path("b.jpg"), "" },
                { f.Path("missing.jpg"), "3;2;2;30;30;3;;;," } });
        const QByteArray original = ReadBytes(path);
        f.window.OpenFile(path);
        f.TouchCarValue();
        f.window.SaveFile();
        QCOMPARE(ReadBytes(path), original);
    }

    void missingAndUnreadablePicturesKeepTheirSlots()
    {
        Fixture f;
        const QString pipe = f.Path("pipe.jpg");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString path = f.Group("Smith.grp", "",
            { { f.Path("a.jpg"), "" }, { f.Path("missing.jpg"), "3;2;2;30;30;3;100;;,3;4;4;30;30;3;;;," }, { pipe, "" },
                { f.Path("c.jpg"), "1;2;2;30;30;1;5;;," } });
        const QByteArray original = ReadBytes(path);
        f.window.OpenFile(path);
        QCOMPARE(f.Captions(), (QStringList { "a", "missing", "pipe", "c", "Pic 5", "Pic 6" }));
        QCOMPARE(SlotPath(f.window, 1), f.Path("missing.jpg"));
        QCOMPARE(f.IMG(1)->PlaceholderText(), QStringLiteral("picture missing"));
        QVERIFY(f.IMG(1)->toolTip().startsWith(f.Path("missing.jpg")));
        QCOMPARE(f.IMG(2)->PlaceholderText(), QStringLiteral("cannot read"));
        QVERIFY(f.IMG(2)->toolTip().contains(QStringLiteral("it is not a regular file")));
        QCOMPARE(SlotList(f.window, 1), QStringLiteral("3;2;2;30;30;3;100;;,3;4;4;30;30;3;;;,"));
        QCOMPARE(f.window.GroupObjectCount, 3);
        QCOMPARE(f.window.ObjIDTotal, 105.0);
        f.TouchCarValue();
        f.window.SaveFile();
        QCOMPARE(ReadBytes(path), original);
    }

    void gapsCloseUpWhenSaved()
    {
        Fixture f;
        const QString path = f.Group("Gap.grp", "",
            { { f.Path("a.jpg"), "" }, { f.Path("b.jpg"), "2;3;3;30;30;2;;;," },
                { f.Path("c.jpg"), "1;2;2;30;30;1;;;," } });
        f.window.OpenFile(path);
        // The second picture removed through its slot's menu, leaving slot 1
        // empty between two pictures.
        f.window.ClipClicked(1, 2);
        f.Menu<QMenu>("mnuImage")->hide();
        f.Menu("mnuRemove")->trigger();
        QVERIFY(SlotPath(f.window, 1).isEmpty());
        QCOMPARE(SlotPath(f.window, 2), f.Path("c.jpg"));
        f.window.SaveFile();
        f.window.OpenFile(path);
        QCOMPARE(SlotPath(f.window, 0), f.Path("a.jpg"));
        QCOMPARE(SlotPath(f.window, 1), f.Path("c.jpg"));
        QCOMPARE(SlotList(f.window, 1), QStringLiteral("1;2;2;30;30;1;;;,"));
        QVERIFY(SlotPath(f.window, 2).isEmpty());
    }

    void aWindowsMadeGroupOpensAndSavesBack()
    {
        Fixture f;
        const QString path = f.Path("Mueller-Kombi.grp");
        QVERIFY(QFile::copy(QStringLiteral(NIMBREL_TEST_DATA "/windows-made.grp"), path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        const GroupFileContent before = ReadGroupFile(path);
        f.window.OpenFile(path);
        QCOMPARE(
            f.Captions(), (QStringList { "M\u00fcller front", "M\u00fcller heck", "Dach", "Pic 4", "Pic 5", "Pic 6" }));
        QCOMPARE(f.Names(), (QStringList { "Mueller", "Kombi", "", "" }));
        QCOMPARE(f.window.GroupObjectCount, 3);
        QCOMPARE(f.Label("LblIDTotal"), QStringLiteral("1250.5"));
        QCOMPARE(f.Label("LblRes"), QStringLiteral("11249.5"));
        QCOMPARE(f.IMG(0)->PlaceholderText(), QStringLiteral("picture missing"));
        f.TouchCarValue();
        f.window.SaveFile();
        const QByteArray saved = ReadBytes(path);
        QVERIFY(saved.contains("Kratzer T\xc3\xbcr,"));
        QCOMPARE(saved.count("\r\n"), 4);
        const GroupFileContent after = ReadGroupFile(path);
        QCOMPARE(after.CarValue, before.CarValue);
        QCOMPARE(after.Pictures, before.Pictures);
    }
};

QTEST_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
