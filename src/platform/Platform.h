#pragma once

class CommonDialog;
class MessageBoxes;

// Everything modal or outside the process that a window needs, handed to it
// in its constructor. The program's windows reach dialogs and message boxes
// only through these.
struct Platform {
    CommonDialog& Dlg;
    MessageBoxes& Msg;
};
