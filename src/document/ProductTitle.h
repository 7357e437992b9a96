#pragma once

#include <QString>

// Every window and dialog title begins with the product title.
inline const QString ProductTitle = QStringLiteral("Nimbrel - 1.0");

// "Nimbrel - 1.0 : purpose", the form of every dialog title.
[[nodiscard]] inline QString DialogTitle(const QString& purpose)
{
    return ProductTitle + QStringLiteral(" : ") + purpose;
}
