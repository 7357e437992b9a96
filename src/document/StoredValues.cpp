#include "StoredValues.h"

#include "ColorSettings.h"
#include "common/NumberText.h"

#include <cmath>

std::optional<int> StoredInt(const QString& text, int lowest, int highest)
{
    const std::optional<double> number = LeadingNumberValue(text);
    if (!number || *number != std::trunc(*number) || *number < lowest || *number > highest)
        return std::nullopt;
    return int(*number);
}

std::optional<QColor> StoredColor(const QString& text)
{
    const std::optional<int> value = StoredInt(text, 0, 0xFFFFFF);
    if (!value)
        return std::nullopt;
    return ColorFromValue(quint32(*value));
}
