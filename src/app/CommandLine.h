#pragma once

#include <QString>
#include <QStringList>

// The group file named on the command line: the arguments joined by single
// blanks (a path with blanks may arrive split), with one pair of surrounding
// double quotes removed.
[[nodiscard]] QString CommandLinePath(const QStringList& arguments);
