#pragma once

class Clock;
class CommonDialog;
class DetailsDialog;
class MessageBoxes;
class Printer;
class SettingsStore;

// Everything modal or outside the process that a window needs, handed to it
// in its constructor. The program's windows reach dialogs, message boxes, the
// printer, the clock and the per-user settings only through these.
struct Platform {
    CommonDialog& Dlg;
    MessageBoxes& Msg;
    DetailsDialog& Details;
    const Clock& Time;
    Printer& Prn;
    SettingsStore& Settings;
};
