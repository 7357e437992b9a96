#pragma once

#include <QStringList>

class QTextEdit;

// The lines of a text box as it shows them, word wrapping included: taken
// from the box's own layout of its text at its width and in its font, so
// that a footer prints broken where the box breaks it. A line the box
// wrapped ends as it stands; with keepHardLineBreaks, a line ended by Enter
// (and the last line) ends in CR LF. An empty box has no lines. The box must
// have been shown, so that it has its width.
[[nodiscard]] QStringList TextBoxGetLines(QTextEdit* tb, bool keepHardLineBreaks = false);
