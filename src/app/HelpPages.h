#pragma once

#include <QString>
#include <QUrl>

// The help pages that come with the program. Installed, they lie in
// share/nimbrel/help beside the program's bin folder; in the build tree the
// build copies them to the same place beside the folders of the programs and
// the tests. A copy is also built into the program, for a help window when
// the files are missing.

inline const QString HelpIndexName = QStringLiteral("index.html");
inline const QUrl BuiltInHelpIndex = QUrl(QStringLiteral("qrc:/help/index.html"));

// The help folder for a program in a folder: <folder>/../share/nimbrel/help.
[[nodiscard]] QString HelpFolder(const QString& programFolder);

// The first help page: the file in the help folder when it is there,
// otherwise the built-in copy.
[[nodiscard]] QUrl HelpIndex(const QString& programFolder);
