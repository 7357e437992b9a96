#include "DescriptionFields.h"

#include "common/TextFieldValidator.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

struct NameFieldPlace {
    const char* Label;
    const char* ToolTip;
    QRect FieldPlace;
    int MaxLength;
    int LabelLeft;
};

// Design places of the name fields, window pixels; each label ends just
// left of its field.
constexpr std::array<NameFieldPlace, 4> NameFieldPlaces = { {
    { "File Name", "File Name", { 112, 3, 217, 24 }, 50, 24 },
    { "Category:", "Category", { 872, 240, 121, 24 }, 50, 776 },
    { "Type:", "Type", { 872, 280, 121, 24 }, 25, 776 },
    { "ID:", "ID", { 872, 320, 121, 24 }, 25, 776 },
} };

constexpr QRect DescriptionHeadingPlace { 784, 208, 121, 25 };
constexpr int LabelGap = 6;

} // namespace

DescriptionFields::DescriptionFields(QWidget* screen)
    : QObject(screen)
{
    for (int i = 0; i < int(txtWord.size()); ++i) {
        const NameFieldPlace& place = NameFieldPlaces[i];
        auto* label = new QLabel(QString::fromLatin1(place.Label), screen);
        label->setGeometry(place.LabelLeft, place.FieldPlace.top(),
            place.FieldPlace.left() - LabelGap - place.LabelLeft, place.FieldPlace.height());
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i == 0)
            label->setProperty("role", QStringLiteral("heading"));
        txtWord[i] = new QLineEdit(screen);
        txtWord[i]->setObjectName(QStringLiteral("txtWord%1").arg(i));
        label->setBuddy(txtWord[i]);
        txtWord[i]->setGeometry(place.FieldPlace);
        txtWord[i]->setToolTip(QString::fromLatin1(place.ToolTip));
        txtWord[i]->setValidator(new TextFieldValidator(place.MaxLength, QString(), txtWord[i]));
        txtWord[i]->installEventFilter(this);
        connect(txtWord[i], &QLineEdit::editingFinished, this, &DescriptionFields::Edited);
    }
    auto* heading = new QLabel(QStringLiteral("Description"), screen);
    heading->setGeometry(DescriptionHeadingPlace);
    heading->setProperty("role", QStringLiteral("heading"));
}

void DescriptionFields::SetFieldColor(const QColor& color)
{
    m_fieldColor = color;
    const QColor text = color.lightnessF() < 0.5 ? Qt::white : Qt::black;
    for (QLineEdit* field : txtWord)
        field->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; }").arg(color.name(), text.name()));
}

NameFieldTexts DescriptionFields::Texts() const
{
    NameFieldTexts texts;
    for (size_t k = 0; k < txtWord.size(); ++k)
        texts[k] = txtWord[k]->text();
    return texts;
}

void DescriptionFields::SetTexts(const NameFieldTexts& texts)
{
    for (size_t k = 0; k < txtWord.size(); ++k)
        txtWord[k]->setText(texts[k]);
}

void DescriptionFields::Clear()
{
    for (QLineEdit* field : txtWord)
        field->clear();
}

void DescriptionFields::FocusFileName()
{
    txtWord[0]->setFocus();
}

bool DescriptionFields::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (int i = 0; i < int(txtWord.size()); ++i) {
            if (watched == txtWord[i])
                txtWord_KeyDown(i, static_cast<QKeyEvent*>(event)->key());
        }
    }
    return QObject::eventFilter(watched, event);
}

void DescriptionFields::txtWord_KeyDown(int index, int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        txtWord[(index + 1) % int(txtWord.size())]->setFocus();
}
