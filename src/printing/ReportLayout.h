#pragma once

#include "common/Twips.h"

#include "common/GroupPicture.h"

#include <QList>
#include <QRect>
#include <QRectF>
#include <QString>

// The report page: every picture of the group stretched into a grid of two
// columns of 4:3 cells, in slot order, each with its markers drawn from their
// records. Everything is in twips (1440 to the inch) on the page area, whose
// top-left corner is (0, 0).

// The page area's design size.
inline constexpr int PageAreaWidth = 9795;
inline constexpr int PageAreaHeight = 11790;
// The gap between two rows of cells.
inline constexpr int ReportRowGap = 200;

struct ReportMarker {
    int DamageType = 0;
    QRectF Place; // twips, on the page area
    // Its number on the picture, as on screen: its place among the records
    // that can be read, from 1; 0 for a record too short for the screen,
    // drawn without a number.
    int Number = 0;
};

struct ReportPicture {
    int Slot = 0;
    QString Path; // the picture's full path
    // The cell in whole twips: its corner rounded as the page area places it
    // (x = CInt(c × CW), y = CInt(r × CH + r × 200)), its size CW × CH rounded
    // the same way.
    QRect Cell;
    QRectF CellF; // exactly CW × CH at the same corner
    // Where the picture is drawn and its markers are placed: the whole cell,
    // or with proportions kept the largest rectangle of the picture's own
    // shape, centred in the cell.
    QRectF Drawn;
    QList<ReportMarker> Markers; // in list order; records that cannot be drawn are left out
};

struct ReportLayout {
    double CellWidth = 0; // CW = W / 2, single precision
    double CellHeight = 0; // CH = CW × 0.75, single precision
    QList<ReportPicture> Pictures; // filled slots only, in slot order
};

// The report of a group on a page area pageWidth twips wide. The slots are
// the group's six in order, an empty path for an empty slot: its cell stays
// blank and later pictures keep their cells. A marker stands at
// (x + CW / LeftRatio, y + CH / TopRatio), single precision, sized
// CW / WidthRatio × CH / HeightRatio; a record that cannot be read (fewer
// than seven fields, a damage type with no button, a ratio that is not a
// number or is 0) is left out, and so is one whose place is out of all range.
// With keepProportions each picture keeps its shape (read from its file's
// header, turned upright) and its markers stand over it instead: CW and CH
// become the drawn rectangle's size, x and y its corner; a picture whose
// header cannot be read keeps the whole cell.
[[nodiscard]] ReportLayout LayoutReport(
    int pageWidth, const QList<GroupPicture>& groupSlots, bool keepProportions = false);

// The largest rectangle of a picture's shape inside a cell, centred; the
// cell itself for a size that is not valid.
[[nodiscard]] QRectF KeptProportions(const QRectF& cell, QSize picture);
