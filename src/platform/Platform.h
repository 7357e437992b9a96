#pragma once

class Clock;
class CommonDialog;
class DetailsDialog;
class MessageBoxes;
class Printer;
class SettingsStore;
class Shell;

// Everything modal or outside the process that a window needs, handed to it
// in its constructor. The program's windows reach dialogs, message boxes, the
// printer, the clock, the per-user settings and the desktop shell only
// through these.
struct Platform {
    CommonDialog& Dlg;
    MessageBoxes& Msg;
    DetailsDialog& Details;
    const Clock& Time;
    Printer& Prn;
    SettingsStore& Settings;
    Shell& Sh;
};
