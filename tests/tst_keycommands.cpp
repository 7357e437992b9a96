// The main window's keyboard commands as keys map to them: paging through the
// slots, zooming from the keypad, and deleting or nudging the selected
// marker.
#include "DataRows.h"
#include "objects/KeyCommands.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyCommand)

class KeyCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void pictureKeys_data()
    {
        Columns<int, Qt::KeyboardModifiers, KeyCommand>("key", "modifiers", "command");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
        Row("Page Up", int(Qt::Key_PageUp), none, KeyCommand::PreviousSlot);
        Row("Shift+Page Up", int(Qt::Key_PageUp), Qt::KeyboardModifiers(Qt::ShiftModifier), KeyCommand::PreviousSlot);
        Row("Ctrl+Alt+Page Up", int(Qt::Key_PageUp), (Qt::ControlModifier | Qt::AltModifier), KeyCommand::PreviousSlot);
        Row("keypad Page Up", int(Qt::Key_PageUp), keypad, KeyCommand::PreviousSlot);
        Row("Page Down", int(Qt::Key_PageDown), none, KeyCommand::NextSlot);
        Row("Ctrl+Page Down", int(Qt::Key_PageDown), Qt::KeyboardModifiers(Qt::ControlModifier), KeyCommand::NextSlot);
        Row("keypad plus", int(Qt::Key_Plus), keypad, KeyCommand::ZoomIn);
        Row("Shift+keypad plus", int(Qt::Key_Plus), (keypad | Qt::ShiftModifier), KeyCommand::ZoomIn);
        Row("Ctrl+keypad plus", int(Qt::Key_Plus), (keypad | Qt::ControlModifier), KeyCommand::ZoomIn);
        Row("keypad minus", int(Qt::Key_Minus), keypad, KeyCommand::ZoomOut);
        Row("Alt+keypad minus", int(Qt::Key_Minus), (keypad | Qt::AltModifier), KeyCommand::ZoomOut);
        Row("main keyboard plus", int(Qt::Key_Plus), none, KeyCommand::None);
        Row("Shift+main keyboard plus", int(Qt::Key_Plus), Qt::KeyboardModifiers(Qt::ShiftModifier), KeyCommand::None);
        Row("main keyboard minus", int(Qt::Key_Minus), none, KeyCommand::None);
        Row("equals", int(Qt::Key_Equal), none, KeyCommand::None);
        Row("keypad asterisk", int(Qt::Key_Asterisk), keypad, KeyCommand::None);
        Row("Delete is a marker key", int(Qt::Key_Delete), none, KeyCommand::None);
        Row("Left is a marker key", int(Qt::Key_Left), none, KeyCommand::None);
        Row("Home", int(Qt::Key_Home), none, KeyCommand::None);
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
        Columns<int, KeyCommand>("key", "command");
        Row("Delete", int(Qt::Key_Delete), KeyCommand::DeleteMarker);
        Row("Escape", int(Qt::Key_Escape), KeyCommand::DeleteMarker);
        Row("Left", int(Qt::Key_Left), KeyCommand::NudgeLeft);
        Row("Right", int(Qt::Key_Right), KeyCommand::NudgeRight);
        Row("Up", int(Qt::Key_Up), KeyCommand::NudgeUp);
        Row("Down", int(Qt::Key_Down), KeyCommand::NudgeDown);
        Row("Backspace", int(Qt::Key_Backspace), KeyCommand::None);
        Row("Page Up is a picture key", int(Qt::Key_PageUp), KeyCommand::None);
        Row("plus is a picture key", int(Qt::Key_Plus), KeyCommand::None);
        Row("Return", int(Qt::Key_Return), KeyCommand::None);
        Row("letter", int(Qt::Key_D), KeyCommand::None);
    }
    void markerKeys()
    {
        QFETCH(int, key);
        QFETCH(KeyCommand, command);
        QCOMPARE(MarkerKeyCommand(key), command);
    }

    void pagedSlot_data()
    {
        Columns<int, KeyCommand, int>("current", "command", "slot");
        Row("Page Up on slot 0 wraps to 5", 0, KeyCommand::PreviousSlot, 5);
        Row("Page Down on slot 5 wraps to 0", 5, KeyCommand::NextSlot, 0);
        Row("Page Up on slot 3", 3, KeyCommand::PreviousSlot, 2);
        Row("Page Down on slot 3", 3, KeyCommand::NextSlot, 4);
        Row("Page Down on slot 0", 0, KeyCommand::NextSlot, 1);
        Row("Page Up on slot 5", 5, KeyCommand::PreviousSlot, 4);
        Row("zoom keeps the slot", 2, KeyCommand::ZoomIn, 2);
        Row("no command keeps the slot", 4, KeyCommand::None, 4);
        Row("below the slots, forward", -1, KeyCommand::NextSlot, 0);
        Row("below the slots, back", -1, KeyCommand::PreviousSlot, 5);
        Row("above the slots, forward", 9, KeyCommand::NextSlot, 0);
        Row("above the slots, back", 9, KeyCommand::PreviousSlot, 5);
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
        Columns<KeyCommand, QPointF>("command", "offset");
        Row("left", KeyCommand::NudgeLeft, QPointF(-5, 0));
        Row("right", KeyCommand::NudgeRight, QPointF(5, 0));
        Row("up", KeyCommand::NudgeUp, QPointF(0, -5));
        Row("down", KeyCommand::NudgeDown, QPointF(0, 5));
        Row("delete moves nothing", KeyCommand::DeleteMarker, QPointF(0, 0));
        Row("paging moves nothing", KeyCommand::NextSlot, QPointF(0, 0));
        Row("no command", KeyCommand::None, QPointF(0, 0));
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
