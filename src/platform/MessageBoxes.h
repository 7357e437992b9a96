#pragma once

#include <QString>

// Button sets, icons and answers have fixed numbers, so that a message's
// buttons and icon can be compared and recorded as plain values.
enum class MsgButtons : int { Ok = 0, OkCancel = 1, YesNo = 4 };
enum class MsgIcon : int { Critical = 16, Information = 64 };
enum class MsgAnswer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Modal message boxes: text, title, buttons and icon in, the answer out. A
// box closed without a button (Escape, its close box) answers Cancel, also
// when it shows no Cancel button.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) = 0;
};
