#pragma once

#include <QString>

// The name of a file without its folder. Paths made on Windows ("\") and
// local paths ("/") are both cut at their last separator.
[[nodiscard]] QString FileTitleFromPath(const QString& path);

// Whether a path names a file that exists (not a folder).
[[nodiscard]] bool IsExistingFile(const QString& path);

// The file name of a path cut before its first ".": C:\cars\smith.front.grp
// gives "smith".
[[nodiscard]] QString FileNameFromPath(const QString& path);
