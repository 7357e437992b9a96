#include "TotalsPanel.h"

#include "common/NumberText.h"
#include "common/TextFieldValidator.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace {

// The panel's place in the main window; its rows are given in window
// pixels and moved by it.
constexpr QPoint Origin { 774, 464 };

// A double quote cannot be stored in a group file, and ";" ends the car
// value in the file's header.
const QString CarValueRefuses = QStringLiteral("\";");
constexpr int CarValueMaxLength = 50;

// Row labels start at the heading's left edge and end just left of their
// value, level with it.
constexpr int LabelsLeft = 784;
constexpr int LabelGap = 6;

// Value boxes end where the name fields above them end, so the right-hand
// column lines up from "Category" down to "Current Value". The two counts
// are narrow, leaving room for their long labels.
constexpr int ValuesRight = 993;
constexpr int CountWidth = 56;
constexpr int ValueWidth = 96;

constexpr QRect ValuePlace(int width, int top, int height)
{
    return { ValuesRight - width, top, width, height };
}

const QString CarValueToolTip = QStringLiteral("Car Value");

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

// A figure is announced with its row's caption, as the eye reads the row.
void ShowFigure(QLabel* figure, const QString& text)
{
    figure->setText(text);
    const QString caption = figure->property("caption").toString();
    figure->setAccessibleName(text.isEmpty() ? caption : caption + QStringLiteral(": ") + text);
}

// A figure beside its row's caption; the description says what it counts.
QLabel* ValueLabel(const char* name, const QString& caption, const QString& toolTip, const QString& description,
    QRect place, QWidget* parent)
{
    RowLabel(caption + u':', place, parent);
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place.translated(-Origin));
    label->setToolTip(toolTip);
    label->setProperty("role", QStringLiteral("value"));
    label->setProperty("caption", caption);
    label->setAccessibleDescription(description);
    ShowFigure(label, QStringLiteral("0"));
    return label;
}

} // namespace

TotalsPanel::TotalsPanel(QWidget* parent)
    : QWidget(parent)
{
    setGeometry(QRect(Origin, QSize(234, 204)));
    constexpr QRect CountPlace = ValuePlace(CountWidth, 488, 27);
    constexpr QRect TotalPlace = ValuePlace(CountWidth, 520, 27);
    constexpr QRect CarValuePlace = ValuePlace(ValueWidth, 560, 24);
    constexpr QRect DamagesPlace = ValuePlace(ValueWidth, 600, 24);
    constexpr QRect RestPlace = ValuePlace(ValueWidth, 640, 24);
    // A car value of which only the leading number counts is outlined in
    // amber; the padding keeps its text where it was.
    setStyleSheet(
        QStringLiteral("QLineEdit[leadingNumberOnly=\"true\"] { border: 2px solid #e0a040; padding: 0 2px; }"));
    Heading(QStringLiteral("Damages"), { 784, 464, 121, 25 }, this);
    LblCount = ValueLabel("LblCount", QStringLiteral("Total Incidents"),
        QStringLiteral("TOTAL OBJECTS PLACED ON IMAGE"), QStringLiteral("Markers on this picture"), CountPlace, this);
    LblTotal = ValueLabel("LblTotal", QStringLiteral("Grand Total Incidents"),
        QStringLiteral("TOTAL OBJECTS PLACED ON GROUP"), QStringLiteral("Markers in the group"), TotalPlace, this);
    QLabel* carValueLabel = RowLabel(QStringLiteral("Estimated Value:"), CarValuePlace, this);
    txtNum = new QLineEdit(this);
    txtNum->setObjectName(QStringLiteral("txtNum"));
    carValueLabel->setBuddy(txtNum);
    connect(txtNum, &QLineEdit::textChanged, this, [this] {
        ShowWhatCounts();
        emit CarValueChanged();
    });
    connect(txtNum, &QLineEdit::editingFinished, this, &TotalsPanel::CarValueEdited);
    txtNum->setGeometry(CarValuePlace.translated(-Origin));
    txtNum->setToolTip(CarValueToolTip);
    txtNum->setValidator(new TextFieldValidator(CarValueMaxLength, CarValueRefuses, txtNum));
    LblIDTotal = ValueLabel("LblIDTotal", QStringLiteral("Total Damages"), QStringLiteral("Total Damages"),
        QStringLiteral("The cost estimates of the group's markers added up"), DamagesPlace, this);
    LblRes = ValueLabel("LblRes", QStringLiteral("Current Value"), QStringLiteral("Current Value"),
        QStringLiteral("The estimated value less the total damages"), RestPlace, this);
}

QString TotalsPanel::CarValue() const
{
    return txtNum->text();
}

void TotalsPanel::SetCarValue(const QString& text)
{
    txtNum->setText(text);
}

void TotalsPanel::ShowWhatCounts()
{
    const QString text = txtNum->text();
    const bool leadingNumberOnly = !text.trimmed().isEmpty() && !IsPlainNumber(text);
    QString toolTip = CarValueToolTip;
    if (leadingNumberOnly) {
        toolTip += QStringLiteral("\nCounted as %1: only the leading number of the text counts.")
                       .arg(DoubleText(NumericValue(text)));
    }
    txtNum->setToolTip(toolTip);
    if (txtNum->property("leadingNumberOnly").toBool() != leadingNumberOnly) {
        txtNum->setProperty("leadingNumberOnly", leadingNumberOnly);
        // A style sheet reads properties only when it polishes the field.
        txtNum->style()->unpolish(txtNum);
        txtNum->style()->polish(txtNum);
    }
}

void TotalsPanel::ClearCurrentValue()
{
    ShowFigure(LblRes, QString());
}

void TotalsPanel::ShowTotals(double objIdTotal, qint16 imageObjectCount, qint16 groupObjectCount)
{
    ShowFigure(LblIDTotal, DoubleText(objIdTotal));
    LblIDTotal->repaint();
    ShowFigure(LblCount, QString::number(imageObjectCount));
    LblCount->repaint();
    ShowFigure(LblTotal, QString::number(groupObjectCount));
    LblTotal->repaint();
    ShowFigure(LblRes, DoubleText(NumericValue(txtNum->text()) - objIdTotal));
}
