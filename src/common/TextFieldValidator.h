#pragma once

#include <QString>
#include <QValidator>

// Limits what can be typed or pasted into a one-line field: at most a number
// of characters, and none of a set of characters. Unlike a line edit's own
// maximum length it never cuts a text the program puts into the field.
class TextFieldValidator : public QValidator {
public:
    TextFieldValidator(int maxLength, QString refused, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    int m_maxLength;
    QString m_refused;
};
