#pragma once

#include <QString>

// What the program asks of a file dialog. The filter is written the way the
// program states it: "Description|pattern;pattern|Description|pattern".
struct FileDialogRequest {
    QString Title;
    QString Filter;
    QString FileName; // the name proposed to the user; empty for none
    QString Folder; // where the dialog opens; empty for the working folder
};

// The one shared dialog object of the main window: open and save file
// dialogs (colour, font and printer dialogs join it as the program grows).
class CommonDialog {
public:
    virtual ~CommonDialog() = default;

    // The chosen path, or an empty string when the user cancelled.
    [[nodiscard]] virtual QString ShowOpen(const FileDialogRequest& request) = 0;
    // The chosen path, or an empty string when the user cancelled. The dialog
    // asks before it returns the path of an existing file.
    [[nodiscard]] virtual QString ShowSave(const FileDialogRequest& request) = 0;
};
