#include "NumberText.h"

#include <QByteArray>
#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>
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

// The number at the start of a text that holds no blanks: its value, and
// how many characters it took. Found is false when there is no number, or
// one too large to hold; the value is then 0.
struct ReadNumber {
    double Value = 0.0;
    qsizetype Length = 0;
    bool Found = false;
};

ReadNumber LeadingNumber(QStringView s)
{
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
        return {};
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
        if (exponentDigits > 0) {
            number.append(exponent);
            i = j;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return {};
    return { value, i, true };
}

} // namespace

double NumericValue(QStringView text)
{
    return LeadingNumber(WithoutBlanks(text)).Value;
}

std::optional<double> LeadingNumberValue(QStringView text)
{
    const ReadNumber read = LeadingNumber(WithoutBlanks(text));
    if (!read.Found)
        return std::nullopt;
    return read.Value;
}

bool IsPlainNumber(QStringView text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && IsBlank(text[first]))
        ++first;
    while (end > first && IsBlank(text[end - 1]))
        --end;
    const QStringView number = text.sliced(first, end - first);
    if (std::any_of(number.begin(), number.end(), IsBlank))
        return false;
    const ReadNumber read = LeadingNumber(number);
    return read.Found && read.Length == number.size();
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

namespace {

// A plain decimal ([-]digits[.digits][e[sign]digits], a digit on either side
// of the point) read straight from its characters; nullopt for any other
// text. Its value is the correctly rounded double, as the locale's reading
// gives it.
std::optional<double> PlainDecimal(QStringView text)
{
    std::array<char, 64> plain {};
    if (text.isEmpty() || text.size() >= qsizetype(plain.size()))
        return std::nullopt;
    qsizetype at = 0;
    size_t length = 0;
    const auto take = [&] { plain[length++] = char(text[at++].unicode()); };
    const auto digits = [&] {
        int count = 0;
        for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++count)
            take();
        return count;
    };
    if (text[0] == u'-')
        take();
    int mantissa = digits();
    if (at < text.size() && text[at] == u'.') {
        take();
        mantissa += digits();
    }
    if (mantissa == 0)
        return std::nullopt;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        take();
        if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
            take();
        if (digits() == 0)
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + length, value);
    if (at != text.size() || error != std::errc() || end != plain.data() + length)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<float> SingleValue(QStringView text)
{
    // A list holds four ratios a marker, nearly all plain decimals well
    // inside the range of a float, where the two readings agree and this one
    // is many times faster.
    const std::optional<double> plain = PlainDecimal(text.trimmed());
    if (plain && std::fabs(*plain) > 1e-30 && std::fabs(*plain) < 1e30)
        return float(*plain);
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
