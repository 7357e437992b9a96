#pragma once

#include "document/frmImage.h"
#include "platform/MemorySettingsStore.h"
#include "platform/MessageBoxes.h"
#include "platform/QtClock.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtDetailsDialog.h"
#include "platform/QtPrinter.h"
#include "platform/Shell.h"

// The main window on the Qt platform, started with an empty group, for the
// benchmarks. Every message is answered No, so a benchmark never waits on a
// prompt (opening a group after a drag asks whether to save the change).
class BenchWindow {
public:
    BenchWindow();

    frmImage& Window() { return m_window; }

private:
    class AnswerNo : public MessageBoxes {
    public:
        MsgAnswer Show(const QString&, const QString&, MsgButtons, MsgIcon) override { return MsgAnswer::No; }
    };

    // A benchmark never registers the program with the user's desktop.
    class NoShell : public Shell {
    public:
        void RegisterFileType() override { }
        bool OpenAddress(const QUrl&) override { return false; }
    };

    QtPrinter m_printer;
    QtCommonDialog m_dialogs { m_printer };
    AnswerNo m_messages;
    QtClock m_clock;
    QtDetailsDialog m_details { m_clock };
    // A benchmark never reads or writes the user's settings.
    MemorySettingsStore m_settings;
    NoShell m_shell;
    frmImage m_window { Platform { m_dialogs, m_messages, m_details, m_clock, m_printer, m_settings, m_shell } };
};
