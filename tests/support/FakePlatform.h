#pragma once

#include "platform/CommonDialog.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QList>
#include <QString>
#include <QStringList>

// Stands in for every dialog and message box: records each call and answers
// from a script, so a test sees exactly what a user would be shown and never
// waits on a modal loop.
class FakePlatform : public CommonDialog, public MessageBoxes {
public:
    struct Call {
        QString Kind; // "open", "save" or "message"
        QString Text; // message text, or the proposed file name
        QString Title;
        QString Filter;
        MsgButtons Buttons = MsgButtons::Ok;
        MsgIcon Icon = MsgIcon::Information;
    };

    // Answers handed out in order; an empty script answers OK, or an empty
    // path for a file dialog.
    QList<MsgAnswer> Answers;
    QStringList Paths;

    QList<Call> Calls;

    [[nodiscard]] Platform Bundle() { return Platform { *this, *this }; }
    [[nodiscard]] QList<Call> Messages() const;
    [[nodiscard]] Call LastMessage() const;

    [[nodiscard]] QString ShowOpen(const FileDialogRequest& request) override;
    [[nodiscard]] QString ShowSave(const FileDialogRequest& request) override;
    MsgAnswer Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;

private:
    QString NextPath();
};
