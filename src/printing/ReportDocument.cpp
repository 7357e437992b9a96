#include "ReportDocument.h"

#include "common/UserError.h"
#include "common/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>

#include <utility>

namespace {

QFont SheetFont(int twips, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(twips);
    font.setBold(bold);
    return font;
}

QStringList TypedLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return text.split(lineEnd);
}

// Text whose top stands at (x, y), as a printer prints at its current
// position.
void PrintAt(QPainter& painter, double x, double y, const QString& text)
{
    painter.drawText(QPointF(x, y + QFontMetricsF(painter.font()).ascent()), text);
}

QString CannotWrite(const QString& path, const QString& problem)
{
    return QStringLiteral("Cannot write the report %1: %2.").arg(QDir::toNativeSeparators(path), problem);
}

} // namespace

QFont HeaderFont()
{
    return SheetFont(285, true);
}

QFont FooterFont()
{
    return SheetFont(165, true);
}

QFont LabelFont()
{
    // The preview window's font, Arial 8.25 pt.
    return SheetFont(165, false);
}

double HeaderTextX(double textWidth)
{
    return (HeaderWidth + HeaderLeft - textWidth) / 2;
}

QStringList FooterLines(const QString& text, const QFont& font, double width)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& typed : TypedLines(text)) {
        QTextLayout layout(typed, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append(typed.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines;
}

namespace {

// Everything of the sheet but the page area.
void PaintSheetFrame(QPainter& painter, const ReportTexts& texts)
{
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);

    // The header as one piece of text: its first line placed as the box
    // says, further typed lines at the left edge.
    painter.setFont(HeaderFont());
    const QFontMetricsF header(painter.font());
    const QStringList headerLines = TypedLines(texts.Header);
    // Placed by the width of its text in the preview window's font (Arial
    // 8.25 pt, in screen pixels of 15 twips), as the preview places it when
    // it prints, so that both give the same page.
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPointSizeF(8.25);
    const QFontMetricsF window(windowFont);
    double widest = 0;
    for (const QString& line : headerLines)
        widest = qMax(widest, window.horizontalAdvance(line) * TwipsPerPixel);
    double y = HeaderTop;
    for (qsizetype i = 0; i < headerLines.size(); ++i, y += header.lineSpacing())
        PrintAt(painter, i == 0 ? HeaderTextX(widest) : 0.0, y, headerLines[i]);

    painter.setFont(LabelFont());
    PrintAt(painter, ReviewLabelLeft, ReviewLabelTop, QStringLiteral("Review"));
    PrintAt(painter, DateLabelLeft, DateLabelTop, QStringLiteral("Date"));

    // Width 1 is one pixel of the preview, 15 twips, as the preview prints
    // its lines.
    painter.setPen(QPen(Qt::black, TwipsPerPixel));
    for (const SheetLine& line : SheetLines)
        painter.drawLine(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2));

    painter.setPen(Qt::black);
    painter.setFont(FooterFont());
    const double footerSpacing = QFontMetricsF(painter.font()).lineSpacing();
    y = FooterTop;
    for (const QString& line : FooterLines(texts.Footer, painter.font())) {
        PrintAt(painter, FooterLeft, y, line);
        y += footerSpacing;
    }
    painter.restore();
}

} // namespace

void PaintReportSheet(
    QPainter& painter, const ReportLayout& layout, const QList<ReportImage>& images, const ReportTexts& texts)
{
    painter.save();
    painter.translate(PageAreaLeft, PageAreaTop);
    PaintReportPage(painter, layout, images);
    painter.restore();
    PaintSheetFrame(painter, texts);
}

QPageSize::PageSizeId ReportPaper(const QLocale& locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

namespace {

// The report as the bytes of a PDF file.
QByteArray ReportPdf(const QList<GroupPicture>& groupSlots, const QString& carValue, const ReportTexts& texts,
    const ReportPdfOptions& options, const QList<ReportImage>& images)
{
    const ReportLayout layout = LayoutReport(PageAreaWidth, groupSlots, options.KeepProportions);
    const QList<DamageListEntry> entries = options.WithDamageList ? DamageList(groupSlots) : QList<DamageListEntry>();

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(options.DotsPerInch);
    writer.setPageSize(QPageSize(options.Paper));
    // The sheet keeps its own margins: positions count from the paper's corner.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(QStringLiteral("Nimbrel"));
    writer.setTitle(texts.Header);
    QPainter painter;
    if (!painter.begin(&writer))
        throw UserError(QStringLiteral("the PDF cannot be started"));
    const double twips = double(options.DotsPerInch) / TwipsPerInch;
    bool first = true;
    const auto nextPage = [&writer, &first] {
        if (!std::exchange(first, false))
            writer.newPage();
    };
    for (int copy = 0; copy < options.Copies; ++copy) {
        nextPage();
        painter.save();
        painter.scale(twips, twips);
        PaintReportSheet(painter, layout, images, texts);
        painter.restore();
        if (options.WithDamageList) {
            nextPage();
            painter.save();
            painter.scale(twips, twips);
            PaintDamageList(painter, DamageListBox, entries, carValue);
            painter.restore();
        }
    }
    painter.end();
    return buffer.data();
}

} // namespace

QFuture<ReportImage> StartReportPdfImages(const QList<GroupPicture>& groupSlots, const ReportPdfOptions& options)
{
    return StartReportImages(LayoutReport(PageAreaWidth, groupSlots, options.KeepProportions), options.DotsPerInch);
}

void WriteReportPdf(const QString& path, const QList<GroupPicture>& groupSlots, const QString& carValue,
    const ReportTexts& texts, const ReportPdfOptions& options, const std::optional<QFuture<ReportImage>>& started)
{
    try {
        // A path that can never take the report fails before any work.
        CheckReplaceable(path);
        const QList<ReportImage> images = (started ? *started : StartReportPdfImages(groupSlots, options)).results();
        const QByteArray pdf = ReportPdf(groupSlots, carValue, texts, options, images);
        options.KeepExisting ? PlaceNewFile(path, pdf) : ReplaceFile(path, pdf);
    } catch (const UserError& failure) {
        throw UserError(CannotWrite(path, failure.Text()));
    }
}
