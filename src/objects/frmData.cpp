#include "frmData.h"

#include "DetailFields.h"
#include "common/NumberText.h"
#include "common/ProductTitle.h"
#include "common/TextFieldValidator.h"
#include "common/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace {

// The dialog is laid out in twips, 15 to a pixel.

constexpr QRect FromTwips(int left, int top, int width, int height)
{
    return { left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel };
}

constexpr QSize ClientSize { 5340 / TwipsPerPixel, 2385 / TwipsPerPixel };
const QColor Backdrop(192, 192, 192);

const QString Title = DialogTitle(QStringLiteral("Object Details"));

bool IsEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel* FieldLabel(const QString& text, QRect place, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLineEdit* Field(const QString& name, QRect place, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(place);
    return field;
}

// Enter is handled by the dialog itself (see eventFilter): no button may
// take it as the dialog's default while a field has the focus.
QPushButton* Button(const QString& name, const QString& text, QRect place, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

frmData::frmData(QString& objData, double& objIdTotal, const QString& today, QWidget* parent)
    : QDialog(parent)
    , m_objData(objData)
    , m_objIdTotal(objIdTotal)
{
    setWindowTitle(Title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Backdrop);
    setPalette(colours);
    // The small type of the main window, so the bold labels fit their places.
    QFont type = font();
    type.setPixelSize(11);
    setFont(type);
    createControls();
    Form_Load(today);
}

void frmData::createControls()
{
    // Each label names its field for a screen reader.
    QLabel* date = FieldLabel(QStringLiteral("Date"), FromTwips(240, 270, 975, 315), this);
    txtDate = Field(QStringLiteral("txtDate"), FromTwips(1380, 210, 2415, 405), this);
    date->setBuddy(txtDate);
    QLabel* comments = FieldLabel(QStringLiteral("Comments"), FromTwips(240, 840, 1005, 345), this);
    txtData = Field(QStringLiteral("txtData"), FromTwips(1350, 810, 2445, 645), this);
    comments->setBuddy(txtData);
    QLabel* cost = FieldLabel(QStringLiteral("Cost Est."), FromTwips(240, 1680, 975, 315), this);
    txtID = Field(QStringLiteral("txtID"), FromTwips(1320, 1650, 1425, 405), this);
    cost->setBuddy(txtID);
    txtID->setAccessibleDescription(QStringLiteral("Cost estimate"));
    CmdOk = Button(QStringLiteral("CmdOk"), QStringLiteral("OK"), FromTwips(4170, 240, 945, 435), this);
    CMDCLEAR = Button(QStringLiteral("CMDCLEAR"), QStringLiteral("CLEAR"), FromTwips(4200, 840, 915, 465), this);

    // Typed and pasted text alike stays within the limits and never holds a
    // separator of the object list or the group file.
    m_costGuard = new TextFieldValidator(CostMaxLength, DetailRefuses, txtID);
    txtID->setValidator(m_costGuard);
    m_dateGuard = new TextFieldValidator(DateMaxLength, DetailRefuses, txtDate);
    txtDate->setValidator(m_dateGuard);
    m_commentsGuard = new TextFieldValidator(CommentsMaxLength, DetailRefuses, txtData);
    txtData->setValidator(m_commentsGuard);

    // The cost comes first although it is the lowest field, so the dialog
    // opens ready for it; Enter then walks down the other fields to OK.
    setTabOrder(txtID, CmdOk);
    setTabOrder(CmdOk, CMDCLEAR);
    setTabOrder(CMDCLEAR, txtDate);
    setTabOrder(txtDate, txtData);
    txtID->setFocus();

    const QList<QWidget*> controls { txtID, txtDate, txtData, CmdOk, CMDCLEAR };
    for (QWidget* control : controls)
        control->installEventFilter(this);
    connect(CmdOk, &QPushButton::clicked, this, &frmData::CmdOk_Click);
    connect(CMDCLEAR, &QPushButton::clicked, this, &frmData::CMDCLEAR_Click);
}

void frmData::Form_Load(const QString& today)
{
    const DetailFields fields = SplitDetail(m_objData, today);
    PutText(txtID, m_costGuard, fields.Cost);
    PutText(txtDate, m_dateGuard, fields.Date);
    PutText(txtData, m_commentsGuard, fields.Comments);
    OldCost = NumericValue(txtID->text());
}

void frmData::CmdOk_Click()
{
    m_objIdTotal = TotalAfterEdit(m_objIdTotal, OldCost, txtID->text());
    m_objData = JoinDetail({ txtID->text(), txtDate->text(), txtData->text() });
    accept();
}

void frmData::CMDCLEAR_Click()
{
    PutText(txtID, m_costGuard, QString());
    PutText(txtData, m_commentsGuard, QString());
    PutText(txtDate, m_dateGuard, QString());
}

void frmData::txtID_KeyDown(int keyCode)
{
    if (keyCode == 13)
        txtDate->setFocus();
}

void frmData::txtDate_KeyDown(int keyCode)
{
    if (keyCode == 13)
        txtData->setFocus();
}

void frmData::txtData_KeyDown(int keyCode)
{
    if (keyCode == 13)
        CmdOk->setFocus();
}

void frmData::PutText(QLineEdit* field, TextFieldValidator* guard, const QString& text)
{
    guard->Admit(text);
    field->setText(text);
}

bool frmData::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !IsEnter(static_cast<QKeyEvent*>(event)))
        return QDialog::eventFilter(watched, event);
    // A field passes Enter on after moving the focus; a button takes it as
    // a click, as the focused button of a dialog does.
    if (watched == txtID)
        txtID_KeyDown(13);
    else if (watched == txtDate)
        txtDate_KeyDown(13);
    else if (watched == txtData)
        txtData_KeyDown(13);
    else if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmData::paintEvent(QPaintEvent*)
{
    // The dialog's picture: a soft light falling from the top left over the
    // grey, and an etched line setting the buttons apart from the fields.
    QPainter painter(this);
    QLinearGradient light(0, 0, width() * 0.6, height());
    light.setColorAt(0, QColor(255, 255, 255, 70));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(rect(), light);
    const int groove = FromTwips(4020, 0, 0, 0).left();
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(groove, 12, groove, height() - 12);
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(groove + 1, 12, groove + 1, height() - 12);
}
