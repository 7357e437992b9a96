#pragma once

#include "MemorySettingsStore.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/DetailsDialog.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "platform/Shell.h"

#include <QList>
#include <QPicture>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// Stands in for every dialog, message box, the printer, the clock and the
// settings store and the desktop shell:
// records each call and answers from a script, so a test sees exactly what a
// user would be shown and printed and never waits on a modal loop.
class FakePlatform : public CommonDialog,
                     public MessageBoxes,
                     public DetailsDialog,
                     public Clock,
                     public Printer,
                     public Shell {
public:
    struct Call {
        QString Kind; // "open", "open many", "save", "message", "details", "font",
                      // "color" or "printer"
        // message text, the proposed file name, the detail string shown, or
        // the font a font dialog was offered as its start
        QString Text;
        QString Title;
        QString Filter;
        MsgButtons Buttons = MsgButtons::Ok;
        MsgIcon Icon = MsgIcon::Information;
        QString Folder; // where a file dialog opened
        const QWidget* Owner = nullptr; // the window a font or printer dialog belongs to
    };

    // Answers handed out in order; an empty script answers OK, or an empty
    // path for a file dialog.
    QList<MsgAnswer> Answers;
    // A dialog that takes several files takes them one per line.
    QStringList Paths;
    // What the user does in each details dialog, in order: a detail string
    // means OK with the fields making it; nullopt (or an empty script) means
    // the dialog was closed without OK.
    QList<std::optional<QString>> DetailAnswers;
    // What the user does in each font dialog, in order: a choice means OK;
    // nullopt (or an empty script) means Cancel.
    QList<std::optional<FontChoice>> FontAnswers;
    // What the user does in each colour dialog, in order: a colour means OK;
    // nullopt (or an empty script) means Cancel.
    QList<std::optional<QColor>> ColorAnswers;
    // The copies chosen in each printer dialog, in order; nullopt (or an
    // empty script) means Cancel.
    QList<std::optional<int>> PrinterAnswers;
    // Whether the chosen printer writes a PDF file.
    bool PrinterWritesFile = false;
    // When set, every printing call throws a UserError with this text, the
    // way a printer that cannot be opened fails.
    QString PrinterFailure;
    // Every call to the printer as a line: "font Arial 14.25 bold", "x 840",
    // "y 250", "text Smith", "picture 840 900", "pen 1",
    // "line 840 13110 3840 13110", "page", "end", "kill".
    QStringList Printed;
    // The drawings printed, in order.
    QList<QPicture> PrintedPictures;
    // What the clock says.
    QString Today = QStringLiteral("12/07/2026");
    QString Now = QStringLiteral("12/07/2026 09:30");

    // How often the association of group files was registered.
    int Registrations = 0;
    // The addresses handed to the browser, in order, and whether a browser
    // starts for them.
    QList<QUrl> OpenedAddresses;
    bool BrowserStarts = true;

    QList<Call> Calls;
    // The per-user settings.
    MemorySettingsStore Settings;

    [[nodiscard]] Platform Bundle() { return Platform { *this, *this, *this, *this, *this, Settings, *this }; }
    [[nodiscard]] QList<Call> Messages() const;
    [[nodiscard]] Call LastMessage() const;
    // The printed documents: the printer's lines up to and including each
    // "end".
    [[nodiscard]] QList<QStringList> Documents() const;
    // "Arial 14.25 bold italic underline strikeout", as Printed names fonts.
    [[nodiscard]] static QString FontText(const QFont& font);

    [[nodiscard]] QString ShowOpen(const FileDialogRequest& request) override;
    [[nodiscard]] QStringList ShowOpenMany(const FileDialogRequest& request) override;
    [[nodiscard]] QString ShowSave(const FileDialogRequest& request) override;
    MsgAnswer Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;
    // Moves the total by the change of the cost, as OK in the dialog does.
    void ShowDetails(QString& objData, double& objIdTotal) override;
    [[nodiscard]] QString TodayShortDate() const override { return Today; }
    [[nodiscard]] QString NowText() const override { return Now; }
    [[nodiscard]] std::optional<FontChoice> ShowFont(const QFont& initial, QWidget* owner) override;
    [[nodiscard]] std::optional<QColor> ShowColor(const QString& title) override;
    [[nodiscard]] std::optional<int> ShowPrinter(QWidget* owner) override;

    void SetFont(const QFont& font) override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    void PrintText(const QString& text) override;
    void DrawPicture(double left, double top, const QPicture& picture) override;
    void SetPenWidth(int width) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;
    [[nodiscard]] bool WritesFile() const override { return PrinterWritesFile; }

    void RegisterFileType() override { ++Registrations; }
    [[nodiscard]] bool OpenAddress(const QUrl& address) override;

private:
    QString NextPath();
    // Records a printer call, or fails as PrinterFailure says.
    void Print(const QString& line);
};
