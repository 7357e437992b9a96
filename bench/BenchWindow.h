#pragma once

#include "document/frmImage.h"
#include "objects/QtDetailsDialog.h"
#include "platform/MessageBoxes.h"
#include "platform/QtClock.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtPrinter.h"
#include "platform/SettingsStore.h"
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

    // A benchmark never reads or writes the user's settings: it starts from
    // none and forgets what it is given.
    class NoSettings : public SettingsStore {
    public:
        QString Get(const QString&, const QString&, const QString&) const override { return {}; }
        void Save(const QString&, const QString&, const QString&, const QString&) override { }
    };

    QtPrinter m_printer;
    QtCommonDialog m_dialogs { m_printer };
    AnswerNo m_messages;
    QtClock m_clock;
    QtDetailsDialog m_details { m_clock };
    NoSettings m_settings;
    NoShell m_shell;
    frmImage m_window { Platform { m_dialogs, m_messages, m_details, m_clock, m_printer, m_settings, m_shell } };
};
