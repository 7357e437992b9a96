#pragma once

#include "Printer.h"
#include "TwipsCanvas.h"

#include <QPainter>

#include <memory>

class QPrinter;

// The printer on QPrinter and QPainter. The painter is scaled so that one
// unit is one twip of the printable area. The QPrinter is made when it is
// first needed (asking the print system for its printers takes a moment),
// and the printer dialog chooses its settings. A document printed into a
// file is made by the printer in memory and put in the file's place when it
// ends, so that a failed write leaves the old file as it was.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    [[nodiscard]] QPrinter& Device();

    void SetFont(const QFont& font) override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    void PrintText(const QString& text) override;
    void DrawPicture(double left, double top, const QPicture& picture) override;
    void SetPenWidth(int width) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;
    [[nodiscard]] bool WritesFile() const override;

private:
    // The painter of the document being printed; the first output begins it.
    QPainter& Painter();
    // When the printer writes a file, aims it at a file in memory instead.
    void BeginFile();
    // Aims the printer at the user's file again; gives the file in memory,
    // or -1 when it printed none.
    int EndFile();

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_memory = -1; // the file in memory while a document is made there
    QString m_target; // and the file it goes to
    TwipsCanvas m_canvas;
};
