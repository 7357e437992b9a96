#include "TotalsPanel.h"

#include "common/NumberText.h"
#include "common/TextFieldValidator.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The panel's place in the main window; its rows are given in window
// pixels and moved by it.
constexpr QPoint Origin { 774, 464 };

// A double quote cannot be stored in a group file, and ";" ends the car
// value in the file's header.
const QString CarValueRefuses = QStringLiteral("\";");
constexpr int CarValueMaxLength = 50;

// Row labels end just left of their value, level with it, so that they
// fit whatever the font.
constexpr int LabelsLeft = 768;
constexpr int LabelGap = 6;

QLabel* Heading(const QString& text, QRect place, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place.translated(-Origin));
    label->setProperty("role", QStringLiteral("heading"));
    return label;
}

QLabel* RowLabel(const QString& text, QRect valuePlace, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(
        QRect(LabelsLeft, valuePlace.top(), valuePlace.left() - LabelGap - LabelsLeft, valuePlace.height())
            .translated(-Origin));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setProperty("role", QStringLiteral("rowLabel"));
    return label;
}

QLabel* ValueLabel(const char* name, const QString& toolTip, QRect place, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("0"), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place.translated(-Origin));
    label->setToolTip(toolTip);
    label->setProperty("role", QStringLiteral("value"));
    return label;
}

} // namespace

TotalsPanel::TotalsPanel(QWidget* parent)
    : QWidget(parent)
{
    setGeometry(QRect(Origin, QSize(234, 204)));
    constexpr QRect CountPlace { 944, 488, 56, 27 };
    constexpr QRect TotalPlace { 944, 520, 56, 27 };
    constexpr QRect CarValuePlace { 872, 560, 103, 24 };
    constexpr QRect DamagesPlace { 872, 600, 103, 24 };
    constexpr QRect RestPlace { 872, 640, 103, 24 };
    Heading(QStringLiteral("Damages"), { 784, 464, 121, 25 }, this);
    RowLabel(QStringLiteral("Total Incidents:"), CountPlace, this);
    LblCount = ValueLabel("LblCount", QStringLiteral("TOTAL OBJECTS PLACED ON IMAGE"), CountPlace, this);
    RowLabel(QStringLiteral("Grand Total Incidents:"), TotalPlace, this);
    LblTotal = ValueLabel("LblTotal", QStringLiteral("TOTAL OBJECTS PLACED ON GROUP"), TotalPlace, this);
    RowLabel(QStringLiteral("Estimated Value:"), CarValuePlace, this);
    txtNum = new QLineEdit(this);
    txtNum->setObjectName(QStringLiteral("txtNum"));
    connect(txtNum, &QLineEdit::textChanged, this, &TotalsPanel::CarValueChanged);
    txtNum->setGeometry(CarValuePlace.translated(-Origin));
    txtNum->setToolTip(QStringLiteral("Car Value"));
    txtNum->setValidator(new TextFieldValidator(CarValueMaxLength, CarValueRefuses, txtNum));
    RowLabel(QStringLiteral("Total Damages:"), DamagesPlace, this);
    LblIDTotal = ValueLabel("LblIDTotal", QStringLiteral("Total Damages"), DamagesPlace, this);
    RowLabel(QStringLiteral("Current Value:"), RestPlace, this);
    LblRes = ValueLabel("LblRes", QStringLiteral("Current Value"), RestPlace, this);
}

QString TotalsPanel::CarValue() const
{
    return txtNum->text();
}

void TotalsPanel::SetCarValue(const QString& text)
{
    txtNum->setText(text);
}

void TotalsPanel::ClearCurrentValue()
{
    LblRes->clear();
}

void TotalsPanel::ShowTotals(double objIdTotal, qint16 imageObjectCount, qint16 groupObjectCount)
{
    LblIDTotal->setText(DoubleText(objIdTotal));
    LblIDTotal->repaint();
    LblCount->setText(QString::number(imageObjectCount));
    LblCount->repaint();
    LblTotal->setText(QString::number(groupObjectCount));
    LblTotal->repaint();
    LblRes->setText(DoubleText(NumericValue(txtNum->text()) - objIdTotal));
}
