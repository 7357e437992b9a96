#include "QtPrinter.h"

#include "common/UserError.h"

#include <QPrinter>

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter()
{
    KillDoc();
}

QPrinter& QtPrinter::Device()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QPainter& QtPrinter::Painter()
{
    if (m_painter.isActive())
        return m_painter;
    QPrinter& printer = Device();
    if (!m_painter.begin(&printer)) {
        if (WritesFile())
            throw UserError(QStringLiteral("Cannot write the file %1.").arg(printer.outputFileName()));
        throw UserError(
            QStringLiteral("Cannot print on the printer %1: it could not be opened.").arg(printer.printerName()));
    }
    // The painter's origin is the printable area's top-left corner.
    TwipsCanvas::ScaleToTwips(m_painter);
    return m_painter;
}

void QtPrinter::SetFont(const QFont& font)
{
    m_canvas.SetFont(font);
}

void QtPrinter::SetCurrentX(double x)
{
    m_canvas.SetCurrentX(x);
}

void QtPrinter::SetCurrentY(double y)
{
    m_canvas.SetCurrentY(y);
}

void QtPrinter::PrintText(const QString& text)
{
    m_canvas.PrintText(Painter(), text);
}

void QtPrinter::DrawPicture(double left, double top, const QPicture& picture)
{
    m_canvas.DrawPicture(Painter(), left, top, picture);
}

void QtPrinter::SetPenWidth(int width)
{
    m_canvas.SetPenWidth(width);
}

void QtPrinter::DrawLine(double x1, double y1, double x2, double y2)
{
    m_canvas.DrawLine(Painter(), x1, y1, x2, y2);
}

void QtPrinter::NewPage()
{
    Painter();
    if (!Device().newPage())
        throw UserError(QStringLiteral("Cannot start a new page on the printer %1.").arg(Device().printerName()));
    m_canvas.Home();
}

void QtPrinter::EndDoc()
{
    if (m_painter.isActive())
        m_painter.end();
    m_canvas.Home();
}

void QtPrinter::KillDoc()
{
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
    m_canvas.Home();
}

bool QtPrinter::WritesFile() const
{
    return m_printer && (m_printer->outputFormat() == QPrinter::PdfFormat || !m_printer->outputFileName().isEmpty());
}
