#pragma once

#include "platform/DetailsDialog.h"

class Clock;
class QWidget;

// The details dialog on frmData, proposing today's date from a clock.
class QtDetailsDialog : public DetailsDialog {
public:
    explicit QtDetailsDialog(const Clock& clock, QWidget* parent = nullptr);

    void SetParent(QWidget* parent);
    void ShowDetails(QString& objData, double& objIdTotal) override;

private:
    const Clock& m_clock;
    QWidget* m_parent;
};
