#pragma once

#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/DetailsDialog.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Stands in for every dialog, message box and the clock: records each call
// and answers from a script, so a test sees exactly what a user would be
// shown and never waits on a modal loop.
class FakePlatform : public CommonDialog, public MessageBoxes, public DetailsDialog, public Clock {
public:
    struct Call {
        QString Kind; // "open", "save", "message" or "details"
        QString Text; // message text, the proposed file name, or the detail string shown
        QString Title;
        QString Filter;
        MsgButtons Buttons = MsgButtons::Ok;
        MsgIcon Icon = MsgIcon::Information;
        QString Folder; // where a file dialog opened
    };

    // Answers handed out in order; an empty script answers OK, or an empty
    // path for a file dialog.
    QList<MsgAnswer> Answers;
    QStringList Paths;
    // What the user does in each details dialog, in order: a detail string
    // means OK with the fields making it; nullopt (or an empty script) means
    // the dialog was closed without OK.
    QList<std::optional<QString>> DetailAnswers;
    // What the clock says.
    QString Today = QStringLiteral("12/07/2026");
    QString Now = QStringLiteral("12/07/2026 09:30");

    QList<Call> Calls;

    [[nodiscard]] Platform Bundle() { return Platform { *this, *this, *this, *this }; }
    [[nodiscard]] QList<Call> Messages() const;
    [[nodiscard]] Call LastMessage() const;

    [[nodiscard]] QString ShowOpen(const FileDialogRequest& request) override;
    [[nodiscard]] QString ShowSave(const FileDialogRequest& request) override;
    MsgAnswer Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;
    // Moves the total by the change of the cost, as OK in the dialog does.
    void ShowDetails(QString& objData, double& objIdTotal) override;
    [[nodiscard]] QString TodayShortDate() const override { return Today; }
    [[nodiscard]] QString NowText() const override { return Now; }

private:
    QString NextPath();
};
