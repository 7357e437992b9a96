#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The "Damages" panel: markers on the picture and in the group, the car
// value as typed, the total of the damages and the value less the damages.
// It is laid over the main window at the panel's place.
class TotalsPanel : public QWidget {
public:
    explicit TotalsPanel(QWidget* parent = nullptr);

    QLabel* LblCount;
    QLabel* LblTotal;
    QLineEdit* txtNum;
    QLabel* LblIDTotal;
    QLabel* LblRes;

    // Rewrites the four figures; the current value is the car value's
    // leading number less the total.
    void ShowTotals(double objIdTotal, qint16 imageObjectCount, qint16 groupObjectCount);
};
