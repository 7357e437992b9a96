#include "TwipsCanvas.h"

#include "common/Twips.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>

void TwipsCanvas::ScaleToTwips(QPainter& painter)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const QPaintDevice& device = *painter.device();
    painter.scale(double(device.logicalDpiX()) / TwipsPerInch, double(device.logicalDpiY()) / TwipsPerInch);
}

void TwipsCanvas::SetPenWidth(int width)
{
    // Lines are as thick as the preview shows them: 15 twips a pixel.
    m_penWidth = qMax(1, width);
}

QFont TwipsCanvas::TwipsFont() const
{
    QFont font = m_font;
    const double twips
        = m_font.pointSizeF() > 0 ? m_font.pointSizeF() * TwipsPerPoint : m_font.pixelSize() * TwipsPerPixel;
    font.setPixelSize(qMax(1, qRound(twips)));
    return font;
}

void TwipsCanvas::PrintText(QPainter& painter, const QString& text)
{
    const QFont font = TwipsFont();
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    painter.setPen(Qt::black);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(lineBreak)) {
        painter.drawText(QPointF(m_x, m_y + metrics.ascent()), line);
        m_x = 0;
        m_y += metrics.height();
    }
}

void TwipsCanvas::DrawPicture(QPainter& painter, double left, double top, const QPicture& picture)
{
    // A picture plays itself enlarged by the device's resolution over the
    // screen's; its units are twips already.
    const QPaintDevice& device = *painter.device();
    painter.save();
    painter.translate(left, top);
    painter.scale(
        double(picture.logicalDpiX()) / device.logicalDpiX(), double(picture.logicalDpiY()) / device.logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

void TwipsCanvas::DrawLine(QPainter& painter, double x1, double y1, double x2, double y2)
{
    QPen pen(Qt::black, m_penWidth * TwipsPerPixel);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QLineF(x1, y1, x2, y2));
}

void TwipsCanvas::Home()
{
    m_x = 0;
    m_y = 0;
}
