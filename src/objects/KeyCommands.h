#pragma once

#include <QPointF>
#include <Qt>

// The keyboard commands of the main window, which sees every key before the
// control that has the focus: paging through the slots, zooming from the
// keypad, and deleting or nudging the selected marker.
enum class KeyCommand {
    None,
    PreviousSlot,
    NextSlot,
    ZoomIn,
    ZoomOut,
    DeleteMarker,
    NudgeLeft,
    NudgeRight,
    NudgeUp,
    NudgeDown
};

// The picture and zoom command of a key (Qt::Key value and modifiers): Page Up
// / Page Down page, keypad plus / minus (Qt::Key_Plus / Qt::Key_Minus with
// Qt::KeypadModifier) zoom; other modifiers (Shift, Ctrl, Alt) are ignored.
// The "+" and "-" of the main keyboard are not zoom keys.
[[nodiscard]] KeyCommand PictureKeyCommand(int key, Qt::KeyboardModifiers modifiers);

// The command on the selected marker: Delete and Escape delete, the four
// arrows nudge; modifiers ignored (so Shift+Delete deletes and Ctrl+Left
// nudges left).
[[nodiscard]] KeyCommand MarkerKeyCommand(int key);

// The slot after PreviousSlot / NextSlot, wrapping: 0 - 1 gives slotCount-1,
// slotCount-1 + 1 gives 0. A current slot outside 0 .. slotCount-1 wraps the
// same way, so the result is always a slot; other commands keep the current
// slot.
[[nodiscard]] int PagedSlot(int current, KeyCommand command, int slotCount);

// A nudge moves the marker by 5 pixels: the offset of each nudge command,
// (0,0) for others.
inline constexpr float NudgeStep = 5.0f;
[[nodiscard]] QPointF NudgeOffset(KeyCommand command);
