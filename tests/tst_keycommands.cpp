// The main window's keyboard commands as keys map to them: paging through the
// slots, zooming from the keypad, and deleting or nudging the selected
// marker.
#include "objects/KeyCommands.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyCommand)

class KeyCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void pictureKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<KeyCommand>("command");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << KeyCommand::PreviousSlot;
        QTest::newRow("Shift+Page Up") << int(Qt::Key_PageUp) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                       << KeyCommand::PreviousSlot;
        QTest::newRow("Ctrl+Alt+Page Up")
            << int(Qt::Key_PageUp) << (Qt::ControlModifier | Qt::AltModifier) << KeyCommand::PreviousSlot;
        QTest::newRow("keypad Page Up") << int(Qt::Key_PageUp) << keypad << KeyCommand::PreviousSlot;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << KeyCommand::NextSlot;
        QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                        << KeyCommand::NextSlot;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad << KeyCommand::ZoomIn;
        QTest::newRow("Shift+keypad plus") << int(Qt::Key_Plus) << (keypad | Qt::ShiftModifier) << KeyCommand::ZoomIn;
        QTest::newRow("Ctrl+keypad plus") << int(Qt::Key_Plus) << (keypad | Qt::ControlModifier) << KeyCommand::ZoomIn;
        QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << KeyCommand::ZoomOut;
        QTest::newRow("Alt+keypad minus") << int(Qt::Key_Minus) << (keypad | Qt::AltModifier) << KeyCommand::ZoomOut;
        QTest::newRow("main keyboard plus") << int(Qt::Key_Plus) << none << KeyCommand::None;
        QTest::newRow("Shift+main keyboard plus")
            << int(Qt::Key_Plus) << Qt::KeyboardModifiers(Qt::ShiftModifier) << KeyCommand::None;
        QTest::newRow("main keyboard minus") << int(Qt::Key_Minus) << none << KeyCommand::None;
        QTest::newRow("equals") << int(Qt::Key_Equal) << none << KeyCommand::None;
        QTest::newRow("keypad asterisk") << int(Qt::Key_Asterisk) << keypad << KeyCommand::None;
        QTest::newRow("Delete is a marker key") << int(Qt::Key_Delete) << none << KeyCommand::None;
        QTest::newRow("Left is a marker key") << int(Qt::Key_Left) << none << KeyCommand::None;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << KeyCommand::None;
    }
    void pictureKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(KeyCommand, command);
        QCOMPARE(PictureKeyCommand(key, modifiers), command);
    }

    void markerKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<KeyCommand>("command");
        QTest::newRow("Delete") << int(Qt::Key_Delete) << KeyCommand::DeleteMarker;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << KeyCommand::DeleteMarker;
        QTest::newRow("Left") << int(Qt::Key_Left) << KeyCommand::NudgeLeft;
        QTest::newRow("Right") << int(Qt::Key_Right) << KeyCommand::NudgeRight;
        QTest::newRow("Up") << int(Qt::Key_Up) << KeyCommand::NudgeUp;
        QTest::newRow("Down") << int(Qt::Key_Down) << KeyCommand::NudgeDown;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << KeyCommand::None;
        QTest::newRow("Page Up is a picture key") << int(Qt::Key_PageUp) << KeyCommand::None;
        QTest::newRow("plus is a picture key") << int(Qt::Key_Plus) << KeyCommand::None;
        QTest::newRow("Return") << int(Qt::Key_Return) << KeyCommand::None;
        QTest::newRow("letter") << int(Qt::Key_D) << KeyCommand::None;
    }
    void markerKeys()
    {
        QFETCH(int, key);
        QFETCH(KeyCommand, command);
        QCOMPARE(MarkerKeyCommand(key), command);
    }

    void pagedSlot_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<KeyCommand>("command");
        QTest::addColumn<int>("slot");
        QTest::newRow("Page Up on slot 0 wraps to 5") << 0 << KeyCommand::PreviousSlot << 5;
        QTest::newRow("Page Down on slot 5 wraps to 0") << 5 << KeyCommand::NextSlot << 0;
        QTest::newRow("Page Up on slot 3") << 3 << KeyCommand::PreviousSlot << 2;
        QTest::newRow("Page Down on slot 3") << 3 << KeyCommand::NextSlot << 4;
        QTest::newRow("Page Down on slot 0") << 0 << KeyCommand::NextSlot << 1;
        QTest::newRow("Page Up on slot 5") << 5 << KeyCommand::PreviousSlot << 4;
        QTest::newRow("zoom keeps the slot") << 2 << KeyCommand::ZoomIn << 2;
        QTest::newRow("no command keeps the slot") << 4 << KeyCommand::None << 4;
        QTest::newRow("below the slots, forward") << -1 << KeyCommand::NextSlot << 0;
        QTest::newRow("below the slots, back") << -1 << KeyCommand::PreviousSlot << 5;
        QTest::newRow("above the slots, forward") << 9 << KeyCommand::NextSlot << 0;
        QTest::newRow("above the slots, back") << 9 << KeyCommand::PreviousSlot << 5;
    }
    void pagedSlot()
    {
        QFETCH(int, current);
        QFETCH(KeyCommand, command);
        QFETCH(int, slot);
        QCOMPARE(PagedSlot(current, command, 6), slot);
    }

    void nudgeOffset_data()
    {
        QTest::addColumn<KeyCommand>("command");
        QTest::addColumn<QPointF>("offset");
        QTest::newRow("left") << KeyCommand::NudgeLeft << QPointF(-5, 0);
        QTest::newRow("right") << KeyCommand::NudgeRight << QPointF(5, 0);
        QTest::newRow("up") << KeyCommand::NudgeUp << QPointF(0, -5);
        QTest::newRow("down") << KeyCommand::NudgeDown << QPointF(0, 5);
        QTest::newRow("delete moves nothing") << KeyCommand::DeleteMarker << QPointF(0, 0);
        QTest::newRow("paging moves nothing") << KeyCommand::NextSlot << QPointF(0, 0);
        QTest::newRow("no command") << KeyCommand::None << QPointF(0, 0);
    }
    void nudgeOffset()
    {
        QFETCH(KeyCommand, command);
        QFETCH(QPointF, offset);
        QCOMPARE(NudgeOffset(command), offset);
    }
};

QTEST_MAIN(KeyCommandsTest)
#include "tst_keycommands.moc"
