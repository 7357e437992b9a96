#pragma once

#include <QString>

class QFont;
class QPicture;

// The printer the report prints on. Positions are in twips (1440 per inch)
// from the top-left corner of the printable area; the current position is
// where the next text goes, its top-left corner.
class Printer {
public:
    virtual ~Printer() = default;

    // Texts print in this font, at its point size.
    virtual void SetFont(const QFont& font) = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    // Prints a text at the current position, then moves to the next line:
    // X back to 0, Y one line lower in the current font. A line break in the
    // text starts its next line at X 0, too.
    virtual void PrintText(const QString& text) = 0;
    // Plays a drawing made in twips with its origin at (left, top).
    virtual void DrawPicture(double left, double top, const QPicture& picture) = 0;
    // Lines are this many pixels of the preview wide (15 twips each), so
    // that a line prints as thick as the preview shows it; 0 counts as 1.
    virtual void SetPenWidth(int width) = 0;
    // A straight black line.
    virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
    // Ends the page; the next output goes on a new page of the same document.
    virtual void NewPage() = 0;
    // Ends the document and sends it; the next output starts a new one.
    virtual void EndDoc() = 0;
    // Abandons the document being printed, so that a failed print sends no
    // half page and the next output starts a new document.
    virtual void KillDoc() = 0;
    // Whether the printer writes a file (a PDF) rather than sending to a
    // print queue: a second document would overwrite the first.
    [[nodiscard]] virtual bool WritesFile() const = 0;
};
