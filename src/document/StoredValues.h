#pragma once

#include <QColor>
#include <QString>

#include <optional>

// Values read back from the settings store. A stored text is read by its
// leading number, as the program reads every number text; a text that gives
// no whole number in the range wanted reads as nullopt, so that the caller
// keeps its design-time value instead of taking a damaged one.

// The whole number a stored text leads with, from lowest to highest;
// nullopt when the text is empty, does not start with a number, or its
// number is not whole or out of the range.
[[nodiscard]] std::optional<int> StoredInt(const QString& text, int lowest, int highest);

// The colour of a stored 32-bit colour value (0 to 16777215, red in the low
// byte); nullopt as for StoredInt.
[[nodiscard]] std::optional<QColor> StoredColor(const QString& text);
