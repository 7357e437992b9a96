#pragma once

#include <QString>

// The filter of the Import dialog, in the program's "Description|patterns"
// form: the classic picture types first, then every type the picture loader
// reads, then every file.
[[nodiscard]] QString ImportFilter();
