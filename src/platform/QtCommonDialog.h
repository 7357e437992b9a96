#pragma once

#include "CommonDialog.h"

class QWidget;

// The common dialog on Qt's file dialogs.
class QtCommonDialog : public CommonDialog {
public:
    explicit QtCommonDialog(QWidget* parent = nullptr);

    void SetParent(QWidget* parent);
    [[nodiscard]] QString ShowOpen(const FileDialogRequest& request) override;
    [[nodiscard]] QString ShowSave(const FileDialogRequest& request) override;

    // "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg" in the form Qt's dialogs take,
    // one line per pair: "Pictures (*.bmp *.BMP *.jpg *.JPG)".
    [[nodiscard]] static QString QtFilter(const QString& filter);

private:
    QWidget* m_parent;
};
