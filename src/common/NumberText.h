#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Number texts as the program reads and writes them: "." is always the
// decimal point, whatever the user's locale says.

// The leading number of a text: blanks anywhere are ignored, an optional sign
// may lead, reading stops at the first character that cannot continue the
// number. A text without a leading number (or one too large to hold) is 0.
[[nodiscard]] double NumericValue(QStringView text);

// The leading number of a text read as NumericValue reads it; nullopt when
// the text has none (or one too large to hold), where NumericValue gives 0.
[[nodiscard]] std::optional<double> LeadingNumberValue(QStringView text);

// Whether a text is one number and nothing else (blanks around it allowed),
// so that NumericValue counts all of what it says.
[[nodiscard]] bool IsPlainNumber(QStringView text);

// A single-precision value as text with at most 7 significant digits.
[[nodiscard]] QString SingleText(float value);

// A double value as text with at most 15 significant digits.
[[nodiscard]] QString DoubleText(double value);

// A single-precision value read back from SingleText (or any plain decimal
// text); nullopt when the text is not a finite number.
[[nodiscard]] std::optional<float> SingleValue(QStringView text);

// Whole-number rounding with halves to even, into a signed 16-bit value;
// nullopt when the result does not fit (or the value is not a number).
[[nodiscard]] std::optional<qint16> RoundToInt16(double value);
