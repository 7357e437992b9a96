#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The group file named on the command line: the arguments joined by single
// blanks (a path with blanks may arrive split), with one pair of surrounding
// double quotes removed.
[[nodiscard]] QString CommandLinePath(const QStringList& arguments);

// The first line of what --help prints.
inline const QString NimbrelUsage = QStringLiteral("usage: nimbrel [GROUP.grp | --version | -h | --help]");

// What nimbrel prints instead of starting, when its one argument is exactly
// "--version" (its name and version) or "--help" or "-h" (the usage). Any
// other command line, those words among others too, names a group file:
// nullopt.
[[nodiscard]] std::optional<QString> CommandLineAnswer(const QStringList& arguments);
