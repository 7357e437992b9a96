#include "NumberText.h"

#include <QByteArray>
#include <QLocale>

#include <cmath>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The significant characters of a text, blanks left out.
QString WithoutBlanks(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
        if (!IsBlank(c))
            kept.append(c);
    }
    return kept;
}

// Exponents are written with a capital E: "1E+20".
QString WithCapitalExponent(QString text)
{
    return text.replace(u'e', u'E');
}

} // namespace

double NumericValue(QStringView text)
{
    const QString s = WithoutBlanks(text);
    qsizetype i = 0;
    QByteArray number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number.append(char(s[i++].unicode()));
    qsizetype digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        number.append(char(s[i++].unicode()));
        ++digits;
    }
    if (i < s.size() && s[i] == u'.') {
        number.append('.');
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            number.append(char(s[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        qsizetype j = i + 1;
        QByteArray exponent("e");
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent.append(char(s[j++].unicode()));
        qsizetype exponentDigits = 0;
        while (j < s.size() && IsDigit(s[j])) {
            exponent.append(char(s[j++].unicode()));
            ++exponentDigits;
        }
        if (exponentDigits > 0)
            number.append(exponent);
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0.0;
    return value;
}

QString SingleText(float value)
{
    if (value == 0.0f)
        return QStringLiteral("0");
    return WithCapitalExponent(QString::number(double(value), 'g', 7));
}

QString DoubleText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // never "-0"
    return WithCapitalExponent(QString::number(value, 'g', 15));
}

std::optional<float> SingleValue(QStringView text)
{
    bool ok = false;
    const float value = QLocale::c().toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> RoundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}
