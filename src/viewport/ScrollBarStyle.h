#pragma once

#include <QString>

// The look of the program's scroll bars: a light handle on a dark track that
// lights up further under the pointer, and dark arrow buttons with light
// arrows. For a QScrollBar's style sheet.
[[nodiscard]] QString ScrollBarStyleSheet();
