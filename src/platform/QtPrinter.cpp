#include "QtPrinter.h"

#include "common/UserError.h"

#include <QFontMetricsF>
#include <QPicture>
#include <QPrinter>
#include <QRegularExpression>

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double TwipsPerPoint = 20;
// The preview shows 15 twips to a pixel.
constexpr double TwipsPerPixel = 15;

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
    if (!m_painter.begin(&printer)) {
        if (WritesFile())
            throw UserError(QStringLiteral("Cannot write the file %1.").arg(printer.outputFileName()));
        throw UserError(
            QStringLiteral("Cannot print on the printer %1: it could not be opened.").arg(printer.printerName()));
    }
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    // The painter's origin is the printable area's top-left corner.
    m_painter.scale(printer.logicalDpiX() / TwipsPerInch, printer.logicalDpiY() / TwipsPerInch);
    return m_painter;
}

QFont QtPrinter::TwipsFont() const
{
    QFont font = m_font;
    const double twips
        = m_font.pointSizeF() > 0 ? m_font.pointSizeF() * TwipsPerPoint : m_font.pixelSize() * TwipsPerPixel;
    font.setPixelSize(qMax(1, qRound(twips)));
    return font;
}

void QtPrinter::SetFont(const QFont& font)
{
    m_font = font;
}

void QtPrinter::SetCurrentX(double x)
{
    m_x = x;
}

void QtPrinter::SetCurrentY(double y)
{
    m_y = y;
}

void QtPrinter::PrintText(const QString& text)
{
    QPainter& painter = Painter();
    const QFont font = TwipsFont();
    const QFontMetricsF metrics(font, &Device());
    painter.setFont(font);
    painter.setPen(Qt::black);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(lineBreak)) {
        painter.drawText(QPointF(m_x, m_y + metrics.ascent()), line);
        m_x = 0;
        m_y += metrics.lineSpacing();
    }
}

void QtPrinter::DrawPicture(double left, double top, const QPicture& picture)
{
    Painter().drawPicture(QPointF(left, top), picture);
}

void QtPrinter::SetPenWidth(int width)
{
    m_penWidth = qMax(1, width);
}

void QtPrinter::DrawLine(double x1, double y1, double x2, double y2)
{
    QPainter& painter = Painter();
    QPen pen(Qt::black, m_penWidth * TwipsPerPixel);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QLineF(x1, y1, x2, y2));
}

void QtPrinter::NewPage()
{
    Painter();
    if (!Device().newPage())
        throw UserError(QStringLiteral("Cannot start a new page on the printer %1.").arg(Device().printerName()));
    m_x = 0;
    m_y = 0;
}

void QtPrinter::EndDoc()
{
    if (m_painter.isActive())
        m_painter.end();
    m_x = 0;
    m_y = 0;
}

void QtPrinter::KillDoc()
{
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
    m_x = 0;
    m_y = 0;
}

bool QtPrinter::WritesFile() const
{
    return m_printer && (m_printer->outputFormat() == QPrinter::PdfFormat || !m_printer->outputFileName().isEmpty());
}
