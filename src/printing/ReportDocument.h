#pragma once

#include "ReportLayout.h"
#include "ReportPainter.h"

#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QPainter;

// The report sheet as the preview and the command print it: positions in
// twips from the printable area's top-left corner.

struct ReportTexts {
    QString Header;
    QString Footer;
};

// The header box; its text is printed at its top.
inline constexpr int HeaderLeft = 840;
inline constexpr int HeaderTop = 250;
inline constexpr int HeaderWidth = 9825;
inline constexpr int HeaderHeight = 450;
// The page area sits 200 twips below the header box.
inline constexpr int PageAreaLeft = 840;
inline constexpr int PageAreaTop = HeaderTop + HeaderHeight + 200;
// The two signature labels, in the window's plain font.
inline constexpr int ReviewLabelLeft = 840;
inline constexpr int ReviewLabelTop = 13200;
inline constexpr int DateLabelLeft = 840;
inline constexpr int DateLabelTop = 14040;
inline constexpr int DateLabelHeight = 225;
// The footer box: printed 250 twips below the "Date" label.
inline constexpr int FooterLeft = HeaderLeft;
inline constexpr int FooterTop = DateLabelTop + DateLabelHeight + 250;
inline constexpr int FooterWidth = 9855;
inline constexpr int FooterHeight = 600;

struct SheetLine {
    int X1, Y1, X2, Y2;
};
// The five signature lines, one printer dot wide, in black.
inline constexpr std::array<SheetLine, 5> SheetLines = { {
    { 840, 13110, 3840, 13110 },
    { 840, 13920, 3840, 13920 },
    { 4800, 13110, 10560, 13110 },
    { 4800, 13530, 10560, 13530 },
    { 4800, 13950, 10560, 13950 },
} };

// The fonts of the sheet, sized for a painter that measures in twips: Arial
// bold 14.25 pt (header), Arial bold 8.25 pt (footer), 8 pt (labels).
[[nodiscard]] QFont HeaderFont();
[[nodiscard]] QFont FooterFont();
[[nodiscard]] QFont LabelFont();

// Where the header's first line starts: the header box's width plus its
// left, less the text's width, halved.
[[nodiscard]] double HeaderTextX(double textWidth);

// The footer's lines as the footer box shows them: each typed line wrapped
// at the box's width in a font (measured in twips), long words broken; an
// empty text has no lines.
[[nodiscard]] QStringList FooterLines(const QString& text, const QFont& font, double width = FooterWidth);

// The whole sheet: the header's first line at HeaderTextX, top HeaderTop
// (further typed lines start at the printable area's left edge), the page
// area at (PageAreaLeft, PageAreaTop), the "Review" and "Date" labels, the
// five lines and the footer's lines one below the other from FooterTop; the
// pictures decoded before (LoadReportImages).
void PaintReportSheet(
    QPainter& painter, const ReportLayout& layout, const QList<ReportImage>& images, const ReportTexts& texts);

// Where the damage list page is drawn: from the header box's top-left corner
// to the footer box's bottom, as wide as the header box.
inline constexpr QRectF DamageListBox(HeaderLeft, HeaderTop, HeaderWidth, FooterTop + FooterHeight - HeaderTop);

// Letter where the locale measures in US units, A4 elsewhere.
[[nodiscard]] QPageSize::PageSizeId ReportPaper(const QLocale& locale);

struct ReportPdfOptions {
    int Copies = 1; // one page per copy
    bool WithDamageList = false; // the damage list page after each copy's page
    bool KeepProportions = false; // each picture in its own shape (LayoutReport)
    QPageSize::PageSizeId Paper = QPageSize::A4;
    int DotsPerInch = 300;
    // A file already at the path is kept, and the write fails.
    bool KeepExisting = false;
};

// Writes the report of a group into a PDF file at a path, replacing it in
// one step: the sheet once per copy, each followed by the damage list when
// asked for. The pictures are decoded once, and kept once in the file.
// Throws UserError naming the file and the reason when it cannot be written
// (then an old file there is left as it was), or is not a regular file.
// With its pictures started before (StartReportPdfImages with the same slots
// and options), it waits for them instead of decoding them.
void WriteReportPdf(const QString& path, const QList<GroupPicture>& groupSlots, const QString& carValue,
    const ReportTexts& texts, const ReportPdfOptions& options,
    const std::optional<QFuture<ReportImage>>& started = std::nullopt);

// The pictures of a group's report starting to decode on every core, so that
// they are ready when WriteReportPdf needs them.
[[nodiscard]] QFuture<ReportImage> StartReportPdfImages(
    const QList<GroupPicture>& groupSlots, const ReportPdfOptions& options);
