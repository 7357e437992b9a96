#include "ScrollBarStyle.h"

QString ScrollBarStyleSheet()
{
    // Once any part of a scroll bar is styled, every part must be: the
    // arrows are drawn from the program's own pictures.
    return QStringLiteral(
        "QScrollBar { background: #1b1e22; border: 1px solid #30353c; }"
        "QScrollBar:horizontal { height: 16px; margin: 0 16px; }"
        "QScrollBar:vertical { width: 16px; margin: 16px 0; }"
        "QScrollBar::handle { background: #8d96a2; border-radius: 4px; }"
        "QScrollBar::handle:hover { background: #c9d0d8; }"
        "QScrollBar::handle:pressed { background: #eef1f4; }"
        "QScrollBar::handle:horizontal { min-width: 24px; margin: 3px 1px; }"
        "QScrollBar::handle:vertical { min-height: 24px; margin: 1px 3px; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"
        "QScrollBar::add-line, QScrollBar::sub-line { background: #2b3036; border: 1px solid #30353c;"
        " subcontrol-origin: margin; }"
        "QScrollBar::add-line:hover, QScrollBar::sub-line:hover { background: #3c434b; }"
        "QScrollBar::add-line:pressed, QScrollBar::sub-line:pressed { background: #4d5560; }"
        "QScrollBar::add-line:horizontal { width: 16px; subcontrol-position: right; }"
        "QScrollBar::sub-line:horizontal { width: 16px; subcontrol-position: left; }"
        "QScrollBar::add-line:vertical { height: 16px; subcontrol-position: bottom; }"
        "QScrollBar::sub-line:vertical { height: 16px; subcontrol-position: top; }"
        "QScrollBar::left-arrow { image: url(:/artwork/scroll-left.svg); width: 10px; height: 10px; }"
        "QScrollBar::right-arrow { image: url(:/artwork/scroll-right.svg); width: 10px; height: 10px; }"
        "QScrollBar::up-arrow { image: url(:/artwork/scroll-up.svg); width: 10px; height: 10px; }"
        "QScrollBar::down-arrow { image: url(:/artwork/scroll-down.svg); width: 10px; height: 10px; }");
}
