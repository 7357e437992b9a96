#pragma once

#include <QString>

class MessageBoxes;
class frmImage;

// "About Nimbrel" in the Help menu: the version, what the program is for,
// its licence and the Qt it runs on, one line each.
[[nodiscard]] QString AboutText();
// The main window's "About Nimbrel" shows AboutText in a message box.
void ConnectAbout(frmImage& window, MessageBoxes& messages);
