#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// What the program asks of a file dialog. The filter is written the way the
// program states it: "Description|pattern;pattern|Description|pattern".
struct FileDialogRequest {
    QString Title;
    QString Filter;
    QString FileName; // the name proposed to the user; empty for none
    QString Folder; // where the dialog opens; empty for the working folder
};

// What the font dialog gives: the font with its effects (bold, italic,
// underline, strikeout also in Font) and the text colour. Strikeout is also
// given on its own, the way the dialog reports it.
struct FontChoice {
    QFont Font;
    QColor Color;
    bool Strikeout = false;
};

// The one shared dialog object of the program: open and save file dialogs,
// the font dialog, the colour dialog and the printer dialog. A dialog given an
// owner belongs to that window and opens in front of it; without one it
// belongs to the main window.
class CommonDialog {
public:
    virtual ~CommonDialog() = default;

    // The chosen path, or an empty string when the user cancelled.
    [[nodiscard]] virtual QString ShowOpen(const FileDialogRequest& request) = 0;
    // An open dialog where several files may be chosen: their paths, none
    // when the user cancelled.
    [[nodiscard]] virtual QStringList ShowOpenMany(const FileDialogRequest& request) = 0;
    // The chosen path, or an empty string when the user cancelled. The dialog
    // asks before it returns the path of an existing file.
    [[nodiscard]] virtual QString ShowSave(const FileDialogRequest& request) = 0;
    // The font dialog, offering screen and printer fonts with their effects
    // (underline, strikeout, colour). It opens with the choice last made in
    // it during this run, or with initial when none has been made. The
    // choice, or nullopt when the user cancelled.
    [[nodiscard]] virtual std::optional<FontChoice> ShowFont(const QFont& initial, QWidget* owner) = 0;
    // The colour dialog under a title, with no starting colour. The colour
    // chosen, or nullopt when the user cancelled.
    [[nodiscard]] virtual std::optional<QColor> ShowColor(const QString& title) = 0;
    // The printer dialog: the user picks the printer (or a PDF file) and the
    // number of copies, which it returns; nullopt when the user cancelled.
    [[nodiscard]] virtual std::optional<int> ShowPrinter(QWidget* owner) = 0;
};
