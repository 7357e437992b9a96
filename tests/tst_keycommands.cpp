// The main window's keyboard commands as keys map to them: paging through the
// slots, zooming from the keypad, deleting or nudging the selected marker.
#include "DataRows.h"
#include "objects/KeyCommands.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyCommand)

using enum KeyCommand;

class KeyCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // Each key's picture command, the slot it pages to from another (paging
    // wraps at both ends, from outside the six slots too), its marker command
    // and how far that moves the marker. Only the keypad's modifier counts.
    void keys_data()
    {
        Columns<Qt::Key, Qt::KeyboardModifiers, KeyCommand, int, int, KeyCommand, QPointF>(
            "key", "modifiers", "picture", "from", "to", "marker", "nudge");
        using M = Qt::KeyboardModifiers;
        const M none, keypad(Qt::KeypadModifier), shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier);
        const QPointF still;
        Row("Page Up on slot 0 wraps to 5", Qt::Key_PageUp, none, PreviousSlot, 0, 5, None, still);
        Row("Ctrl+Alt+Page Up on slot 5", Qt::Key_PageUp, ctrl | Qt::AltModifier, PreviousSlot, 5, 4, None, still);
        Row("Page Up on slot 3", Qt::Key_PageUp, none, PreviousSlot, 3, 2, None, still);
        Row("Page Up above the slots", Qt::Key_PageUp, none, PreviousSlot, 9, 5, None, still);
        Row("Shift+Page Down on slot 5 wraps to 0", Qt::Key_PageDown, shift, NextSlot, 5, 0, None, still);
        Row("Page Down on slot 0", Qt::Key_PageDown, none, NextSlot, 0, 1, None, still);
        Row("Page Down on slot 3", Qt::Key_PageDown, none, NextSlot, 3, 4, None, still);
        Row("Page Down below the slots", Qt::Key_PageDown, none, NextSlot, -2, 0, None, still);
        Row("keypad plus", Qt::Key_Plus, keypad, ZoomIn, 2, 2, None, still);
        Row("Ctrl+keypad plus", Qt::Key_Plus, keypad | ctrl, ZoomIn, 2, 2, None, still);
        Row("Shift+keypad minus", Qt::Key_Minus, keypad | shift, ZoomOut, 2, 2, None, still);
        Row("main keyboard plus", Qt::Key_Plus, none, None, 2, 2, None, still);
        Row("Shift+main keyboard minus", Qt::Key_Minus, shift, None, 2, 2, None, still);
        Row("Delete", Qt::Key_Delete, none, None, 2, 2, DeleteMarker, still);
        Row("Escape", Qt::Key_Escape, none, None, 2, 2, DeleteMarker, still);
        Row("Left", Qt::Key_Left, none, None, 2, 2, NudgeLeft, QPointF(-5, 0));
        Row("Right", Qt::Key_Right, none, None, 2, 2, NudgeRight, QPointF(5, 0));
        Row("Up", Qt::Key_Up, none, None, 2, 2, NudgeUp, QPointF(0, -5));
        Row("Down", Qt::Key_Down, none, None, 2, 2, NudgeDown, QPointF(0, 5));
        Row("Backspace", Qt::Key_Backspace, none, None, 2, 2, None, still);
        Row("Home", Qt::Key_Home, none, None, 2, 2, None, still);
    }
    void keys()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(KeyCommand, picture);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(KeyCommand, marker);
        QFETCH(QPointF, nudge);
        QCOMPARE(PictureKeyCommand(key, modifiers), picture);
        QCOMPARE(PagedSlot(from, picture, 6), to);
        QCOMPARE(MarkerKeyCommand(key), marker);
        QCOMPARE(NudgeOffset(marker), nudge);
        QCOMPARE(NudgeOffset(picture), QPointF());
    }
};

QTEST_MAIN(KeyCommandsTest)
#include "tst_keycommands.moc"
