#include "TextFieldValidator.h"

TextFieldValidator::TextFieldValidator(int maxLength, QString refused, QObject* parent)
    : QValidator(parent)
    , m_maxLength(maxLength)
    , m_refused(std::move(refused))
{
}

void TextFieldValidator::Admit(const QString& text)
{
    m_admitted = text;
}

QValidator::State TextFieldValidator::validate(QString& input, int&) const
{
    // The verdict rests on the text alone, not on the edit that led to it: a
    // line edit also asks about the texts its undo goes back to, and once it
    // holds a text its validator refuses it lets every edit through.
    if (input.size() > qMax<qsizetype>(m_maxLength, m_admitted.size()))
        return Invalid;
    // Counted per character, so that no refused character can take the
    // place of another the program put in.
    for (QChar c : m_refused) {
        if (input.count(c) > m_admitted.count(c))
            return Invalid;
    }
    return Acceptable;
}
