#include "TextFieldValidator.h"

TextFieldValidator::TextFieldValidator(int maxLength, QString refused, QObject* parent)
    : QValidator(parent)
    , m_maxLength(maxLength)
    , m_refused(std::move(refused))
{
}

QValidator::State TextFieldValidator::validate(QString& input, int&) const
{
    if (input.size() > m_maxLength)
        return Invalid;
    for (QChar c : input) {
        if (m_refused.contains(c))
            return Invalid;
    }
    return Acceptable;
}
