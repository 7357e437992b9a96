#pragma once

#include <QRect>
#include <QSize>

// The client area the main window's controls were placed for, in pixels.
inline constexpr QSize DesignClientSize { 1033, 721 };
// Controls placed at or right of this column stand right of the viewport and
// its scroll bar: the description fields, the totals panel and the logo.
inline constexpr int PanelColumnLeft = 760;

// Where the viewport box and its scroll bars stand in the client area, and
// how far right of their design places the controls of the panel column
// stand.
struct WorkspaceLayout {
    QRect Box;
    QRect HorizontalBar;
    QRect VerticalBar;
    int PanelOffset = 0;

    friend bool operator==(const WorkspaceLayout&, const WorkspaceLayout&) = default;
};

// The design places; with the large picture area on, the box takes all the
// room the client area has beyond its design size, its bars following its
// right and bottom edges, and the panel column keeps its design margin to the
// right edge. Never smaller than the design.
[[nodiscard]] WorkspaceLayout LayOutWorkspace(QSize client, bool largePictureArea);
