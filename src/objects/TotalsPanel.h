#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The "Damages" panel: markers on the picture and in the group, the car
// value as typed, the total of the damages and the value less the damages.
// It is laid over the main window at the panel's place.
class TotalsPanel : public QWidget {
    Q_OBJECT

public:
    explicit TotalsPanel(QWidget* parent = nullptr);

    // The car value as typed (txtNum).
    [[nodiscard]] QString CarValue() const;
    void SetCarValue(const QString& text);
    // The current value left empty until the totals are next shown.
    void ClearCurrentValue();

    // Rewrites the four figures; the current value is the car value's
    // leading number less the total.
    void ShowTotals(double objIdTotal, qint16 imageObjectCount, qint16 groupObjectCount);

signals:
    // The car value was typed, pasted or set.
    void CarValueChanged();
    // An edit of the car value was finished: Enter, or the focus moved on.
    void CarValueEdited();

private:
    // A car value that is not a plain number says in its tool tip which
    // figure counts, and is outlined.
    void ShowWhatCounts();

    QLabel* LblCount;
    QLabel* LblTotal;
    QLineEdit* txtNum;
    QLabel* LblIDTotal;
    QLabel* LblRes;
};
