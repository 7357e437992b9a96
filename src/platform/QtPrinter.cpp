#include "QtPrinter.h"

#include "common/UserError.h"
#include "common/WholeFile.h"

#include <QPdfWriter>
#include <QPrinter>

#include <utility>

namespace {

UserError FileFailure(const QString& path, const QString& reason)
{
    return UserError(QStringLiteral("Cannot write the file %1: %2.").arg(path, reason));
}

} // namespace

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
    if (!m_painter.begin(&BeginDevice())) {
        m_pdf.reset();
        throw UserError(
            QStringLiteral("Cannot print on the printer %1: it could not be opened.").arg(printer.printerName()));
    }
    // The painter's origin is the printable area's top-left corner.
    TwipsCanvas::ScaleToTwips(m_painter);
    return m_painter;
}

QPaintDevice& QtPrinter::BeginDevice()
{
    QPrinter& printer = Device();
    const QString path = printer.outputFileName();
    if (!WritesFile() || path.isEmpty())
        return printer;
    try {
        CheckReplaceable(path);
    } catch (const UserError& failure) {
        throw FileFailure(path, failure.Text());
    }
    m_file.setData(QByteArray());
    m_file.open(QIODevice::WriteOnly);
    m_pdf = std::make_unique<QPdfWriter>(&m_file);
    m_pdf->setResolution(printer.resolution());
    m_pdf->setPageLayout(printer.pageLayout());
    m_pdf->setTitle(printer.docName());
    m_pdf->setCreator(printer.creator());
    m_pdf->setPdfVersion(printer.pdfVersion());
    return *m_pdf;
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
    if (!(m_pdf ? m_pdf->newPage() : Device().newPage()))
        throw UserError(QStringLiteral("Cannot start a new page on the printer %1.").arg(Device().printerName()));
    m_canvas.Home();
}

void QtPrinter::EndDoc()
{
    m_canvas.Home();
    if (!m_painter.isActive())
        return;
    m_painter.end();
    if (!m_pdf)
        return;
    m_pdf.reset();
    m_file.close();
    const QString path = Device().outputFileName();
    try {
        ReplaceFile(path, std::exchange(m_file.buffer(), QByteArray()));
    } catch (const UserError& failure) {
        throw FileFailure(path, failure.Text());
    }
}

void QtPrinter::KillDoc()
{
    if (m_painter.isActive()) {
        if (!m_pdf)
            m_printer->abort();
        m_painter.end();
    }
    m_pdf.reset();
    m_file.close();
    m_file.setData(QByteArray());
    m_canvas.Home();
}

bool QtPrinter::WritesFile() const
{
    return m_printer && (m_printer->outputFormat() == QPrinter::PdfFormat || !m_printer->outputFileName().isEmpty());
}
