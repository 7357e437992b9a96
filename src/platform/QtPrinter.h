#pragma once

#include "Printer.h"
#include "TwipsCanvas.h"

#include <QBuffer>
#include <QPainter>

#include <memory>

class QPdfWriter;
class QPrinter;

// The printer on QPrinter and QPainter. The painter is scaled so that one
// unit is one twip of the printable area. The QPrinter is made when it is
// first needed (asking the print system for its printers takes a moment),
// and the printer dialog chooses its settings. A document printed into a
// file is made in memory with the printer's page and put in the file's place
// when it ends, so that a failed write leaves the old file as it was.
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
    // Where the document goes: the printer, or a PDF in memory.
    QPaintDevice& BeginDevice();

    std::unique_ptr<QPrinter> m_printer;
    QBuffer m_file;
    std::unique_ptr<QPdfWriter> m_pdf;
    QPainter m_painter;
    TwipsCanvas m_canvas;
};
