#include "KeyCommands.h"

KeyCommand PictureKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    // The keypad's plus and minus share their key values with the main
    // keyboard's; only the keypad flag tells them apart.
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_PageUp:
        return KeyCommand::PreviousSlot;
    case Qt::Key_PageDown:
        return KeyCommand::NextSlot;
    case Qt::Key_Plus:
        return keypad ? KeyCommand::ZoomIn : KeyCommand::None;
    case Qt::Key_Minus:
        return keypad ? KeyCommand::ZoomOut : KeyCommand::None;
    default:
        return KeyCommand::None;
    }
}

KeyCommand MarkerKeyCommand(int key)
{
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Escape:
        return KeyCommand::DeleteMarker;
    case Qt::Key_Left:
        return KeyCommand::NudgeLeft;
    case Qt::Key_Right:
        return KeyCommand::NudgeRight;
    case Qt::Key_Up:
        return KeyCommand::NudgeUp;
    case Qt::Key_Down:
        return KeyCommand::NudgeDown;
    default:
        return KeyCommand::None;
    }
}

int PagedSlot(int current, KeyCommand command, int slotCount)
{
    const int last = slotCount - 1;
    switch (command) {
    case KeyCommand::PreviousSlot:
        return current > 0 && current <= last ? current - 1 : last;
    case KeyCommand::NextSlot:
        return current >= 0 && current < last ? current + 1 : 0;
    default:
        return current;
    }
}

QPointF NudgeOffset(KeyCommand command)
{
    switch (command) {
    case KeyCommand::NudgeLeft:
        return { -NudgeStep, 0.0 };
    case KeyCommand::NudgeRight:
        return { NudgeStep, 0.0 };
    case KeyCommand::NudgeUp:
        return { 0.0, -NudgeStep };
    case KeyCommand::NudgeDown:
        return { 0.0, NudgeStep };
    default:
        return {};
    }
}
