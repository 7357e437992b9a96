#pragma once

#include "CommonDialog.h"

#include <optional>

class QtPrinter;
class QWidget;

// The common dialog on Qt's file, colour and print dialogs and the program's own
// font dialog. The printer dialog chooses the settings of the printer the
// report prints on.
class QtCommonDialog : public CommonDialog {
public:
    explicit QtCommonDialog(QtPrinter& printer, QWidget* parent = nullptr);

    void SetParent(QWidget* parent);
    [[nodiscard]] QString ShowOpen(const FileDialogRequest& request) override;
    [[nodiscard]] QStringList ShowOpenMany(const FileDialogRequest& request) override;
    [[nodiscard]] QString ShowSave(const FileDialogRequest& request) override;
    [[nodiscard]] std::optional<FontChoice> ShowFont(const QFont& initial, QWidget* owner) override;
    [[nodiscard]] std::optional<QColor> ShowColor(const QString& title) override;
    [[nodiscard]] std::optional<int> ShowPrinter(QWidget* owner) override;

    // "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg" in the form Qt's dialogs take,
    // one line per pair: "Pictures (*.bmp *.BMP *.jpg *.JPG)".
    [[nodiscard]] static QString QtFilter(const QString& filter);

private:
    QtPrinter& m_printer;
    QWidget* m_parent;
    // The font dialog opens with the last choice made in it during the run.
    std::optional<FontChoice> m_lastFont;
};
