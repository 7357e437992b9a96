#pragma once

#include <QString>

// Every window and dialog title begins with the product title.
inline const QString ProductTitle = QStringLiteral("Nimbrel - 1.0");

// "Nimbrel - 1.0 : purpose", the form of every dialog title.
[[nodiscard]] inline QString DialogTitle(const QString& purpose)
{
    return ProductTitle + QStringLiteral(" : ") + purpose;
}

// The main window's title for a group file's name, or for an untitled group
// when the name is empty.
[[nodiscard]] inline QString WindowTitle(const QString& groupName)
{
    return groupName.isEmpty() ? ProductTitle + QStringLiteral(" (Untitled)") : DialogTitle(groupName);
}

// The title of a routine's failure message: "Sub : " and its name.
[[nodiscard]] inline QString RoutineTitle(const char* routine)
{
    return QStringLiteral("Sub : ") + QLatin1String(routine);
}
