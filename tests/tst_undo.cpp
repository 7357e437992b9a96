// Undo and Redo of every change to the group: what a save writes, the totals
// and the fields come back exactly, and the group is unchanged only back at
// the state last saved.
#include "DataRows.h"
#include "MainWindow.h"
#include "TestFiles.h"
#include "document/UndoStack.h"
#include "objects/MarkerLayer.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QToolButton>

namespace {

const QString TwoMarkers = QStringLiteral("1;2;2;30;30;1;250;;,3;17;4;30;30;3;;;,");

struct Window : MainWindow {
    Window()
    {
        OpenTwoPictures(TwoMarkers);
        window.ClipClicked(0, 1);
        ShowActive();
    }
    // Saved where the group was opened from; the bytes written.
    QByteArray Save()
    {
        Menu("mnuFileSave")->trigger();
        return ReadBytes(FileName());
    }
    [[nodiscard]] QString Totals() const
    {
        return QStringList { Label("LblCount"), Label("LblTotal"), Label("LblIDTotal"), Label("LblRes") }.join(u'|');
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void Type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    void Place(int type) { Control<QToolButton>(window, QStringLiteral("TBR%1").arg(type))->click(); }
    void Undo() { Menu("mnuUndo")->trigger(); }
    void Redo() { Menu("mnuRedo")->trigger(); }
};

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    // Each kind of change: done, undone, redone; totals as
    // "picture|group|damages|current value" after the change.
    void eachChange_data()
    {
        Columns<QString, QString, bool, QString>("change", "step", "marks", "totals");
        Row("place", "place", "Place Marker", true, "3|3|250|8250");
        Row("move", "move", "Move Marker", true, "2|2|250|8250");
        Row("resize", "resize", "Resize Marker", true, "2|2|250|8250");
        Row("nudge run", "nudge", "Move Marker", true, "2|2|250|8250");
        Row("details", "details", "Edit Marker Details", true, "2|2|400|8100");
        Row("delete", "delete", "Delete Marker", true, "1|1|0|8500");
        Row("remove", "remove", "Remove Picture", true, "0|0|0|8500");
        Row("import", "import", "Import Pictures", true, "2|2|250|8250");
        Row("name field", "name", "Edit Category", false, "2|2|250|8250");
        Row("car value", "car", "Edit Car Value", true, "2|2|250|8750");
    }
    void eachChange()
    {
        QFETCH(QString, change);
        QFETCH(QString, step);
        QFETCH(bool, marks);
        QFETCH(QString, totals);
        Window w;
        const QByteArray before = w.Save();
        const QStringList names = w.Names();
        const QPoint centre = w.Centre(1);
        const QPointF corner = w.OBJ().Model().Item(1).Place.bottomRight();
        if (change == "place") {
            w.Place(1);
        } else if (change == "move") {
            w.Drag(centre, MainWindow::Steps(centre, centre + QPoint(40, 30)));
        } else if (change == "resize") {
            const QPoint edge = (corner - QPointF(1, 8)).toPoint();
            w.Drag(edge, MainWindow::Steps(edge, edge + QPoint(30, 0)));
        } else if (change == "nudge") {
            w.Click(1);
            for (const Qt::Key key : { Qt::Key_Right, Qt::Key_Right, Qt::Key_Down })
                w.Key(key);
        } else if (change == "details") {
            w.fake.DetailAnswers = { QStringLiteral("400;;rear") };
            w.DoubleClick(1);
        } else if (change == "delete") {
            w.Click(1);
            w.Key(Qt::Key_Delete);
        } else if (change == "remove") {
            w.Menu("mnuRemove")->trigger();
        } else if (change == "import") {
            for (const char* name : { "c.jpg", "d.jpg" })
                QFile::copy(w.Path("b.jpg"), w.Path(name));
            w.fake.Paths = { w.Path("c.jpg") + u'\n' + w.Path("d.jpg") };
            w.Menu("mnuImport")->trigger();
        } else {
            w.Type(change == "name" ? w.Word(1) : w.CarValue(), "9000");
        }
        QCOMPARE(w.Menu("mnuUndo")->text(), "Undo " + step);
        QCOMPARE(w.Changed(), marks);
        QCOMPARE(w.Totals(), totals);
        const QStringList changedNames = w.Names();
        const QByteArray after = w.Save();
        QCOMPARE(after != before, marks);

        w.Undo();
        QCOMPARE(w.Menu("mnuUndo")->text(), QStringLiteral("Undo"));
        QVERIFY(!w.Menu("mnuUndo")->isEnabled());
        QCOMPARE(w.Menu("mnuRedo")->text(), "Redo " + step);
        QCOMPARE(w.Changed(), marks);
        QCOMPARE(w.Totals(), QStringLiteral("2|2|250|8250"));
        QCOMPARE(w.Names(), names);
        QCOMPARE(w.Save(), before);

        w.Redo();
        QCOMPARE(w.Totals(), totals);
        QCOMPARE(w.Names(), changedNames);
        QCOMPARE(w.Save(), after);
        QVERIFY(!w.Menu("mnuRedo")->isEnabled());
        // Back at the state last saved, the group is unchanged again.
        w.Undo();
        QCOMPARE(w.Changed(), marks);
        w.Redo();
        QVERIFY(!w.Changed());
    }

    // Send to Back changes only which marker is in front, and so does its
    // undo; a new change drops what was undone; New Group drops every step.
    void stackingAndANewChange()
    {
        Window w;
        w.Place(1);
        w.Place(2);
        const QPointF top(3, 3);
        QCOMPARE(w.OBJ().Model().MarkerAt(top), 4);
        w.Menu("mnuSendBack")->trigger();
        QCOMPARE(w.OBJ().Model().MarkerAt(top), 3);
        QCOMPARE(w.Menu("mnuUndo")->text(), QStringLiteral("Undo Send to Back"));
        w.Undo();
        QCOMPARE(w.OBJ().Model().MarkerAt(top), 4);
        w.Redo();
        QCOMPARE(w.OBJ().Model().MarkerAt(top), 3);
        w.Undo();
        w.Undo();
        QCOMPARE(w.Menu("mnuRedo")->text(), QStringLiteral("Redo Place Marker"));
        w.Place(3);
        QVERIFY(!w.Menu("mnuRedo")->isEnabled());
        QCOMPARE(w.Totals(), QStringLiteral("4|4|250|8250"));
        // A new group starts a history of its own.
        w.fake.Answers = { MsgAnswer::No };
        w.Menu("mnuFileNew")->trigger();
        QVERIFY(!w.Menu("mnuUndo")->isEnabled());
    }

    // Alt+Backspace undoes and Ctrl+Y or Ctrl+Shift+Z redo wherever the focus
    // is; Ctrl+Z in a field undoes its own typing.
    void keys()
    {
        Window w;
        w.Place(1);
        w.Word(0)->setFocus();
        QTest::keyClicks(w.Word(0), "ab");
        w.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Word(0)->text(), QStringLiteral("Smith"));
        QCOMPARE(w.Totals(), QStringLiteral("3|3|250|8250"));
        w.Key(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(w.Totals(), QStringLiteral("2|2|250|8250"));
        w.Key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.Totals(), QStringLiteral("3|3|250|8250"));
        w.Key(Qt::Key_Backspace, Qt::AltModifier);
        w.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.Totals(), QStringLiteral("3|3|250|8250"));
    }

    // A few hundred changes of every kind: undone all the way they give the
    // opened group back, redone all the way the last.
    void randomChanges()
    {
        Window w;
        const QByteArray opened = w.Save();
        QRandomGenerator random(20261207);
        for (int i = 0; i < 300; ++i) {
            const int selected = w.Selected();
            const bool shown = w.OBJ().Model().IsShown(selected);
            switch (random.bounded(6)) {
            case 0:
                w.Place(1 + random.bounded(3));
                break;
            case 1:
                w.window.ClipClicked(random.bounded(2), 1);
                break;
            case 2:
                w.fake.DetailAnswers = { QString::number(random.bounded(900)) + QStringLiteral(";;") };
                if (shown)
                    w.DoubleClick(selected);
                break;
            case 3:
                if (shown)
                    w.Drag(w.Centre(selected), MainWindow::Steps(w.Centre(selected), QPoint(random.bounded(600), 99)));
                break;
            default:
                w.Key(std::array { Qt::Key_Right, Qt::Key_Down, Qt::Key_Delete }[random.bounded(3)]);
            }
        }
        const QByteArray last = w.Save();
        const QString totals = w.Totals();
        while (w.Menu("mnuUndo")->isEnabled())
            w.Undo();
        QCOMPARE(w.Save(), opened);
        while (w.Menu("mnuRedo")->isEnabled())
            w.Redo();
        QCOMPARE(w.Save(), last);
        QCOMPARE(w.Totals(), totals);
    }

    // The oldest steps go once the history holds more than its bound.
    void boundedByMemory()
    {
        UndoStack steps(3000);
        GroupStep step;
        step.Fields = { { 4, QString(300, u'a'), QString(300, u'b') } };
        steps.Push(step);
        steps.Push(step);
        QCOMPARE(steps.Bytes(), 2 * 1456);
        steps.Push(step);
        QCOMPARE(steps.Count(), 2);
        steps.Undo();
        steps.Undo();
        QVERIFY(!steps.CanUndo());
        QVERIFY(steps.IsChanged());
    }
};

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
