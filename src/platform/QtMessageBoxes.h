#pragma once

#include "MessageBoxes.h"

class QWidget;

// Message boxes on QMessageBox.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr);

    void SetParent(QWidget* parent);
    MsgAnswer Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;

private:
    QWidget* m_parent;
};
