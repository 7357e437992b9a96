#pragma once

#include <QString>
#include <QValidator>

// Limits what can be typed or pasted into a one-line field: at most a number
// of characters, and none of a set of characters. Unlike a line edit's own
// maximum length it never cuts a text the program puts into the field.
//
// A text the program puts in may break the limits when it is admitted first.
// The field may then hold as many characters as that text has and as many of
// each refused character as it holds, so the user can shorten it, edit it
// and undo the edits, but never add a refused character of their own.
class TextFieldValidator : public QValidator {
    Q_OBJECT

public:
    TextFieldValidator(int maxLength, QString refused, QObject* parent = nullptr);

    // Lets the text the program is about to put into the field in whole; call
    // it just before the field's setText. It stays the measure of the field
    // until the next text is admitted (admit "" to return to the plain limits).
    void Admit(const QString& text);

    State validate(QString& input, int& position) const override;

private:
    int m_maxLength;
    QString m_refused;
    QString m_admitted;
};
