#pragma once

#include <QWidget>

// The thin frame around the selected marker, so the user sees which marker
// the keys and menus act on. Black and white dashes show on any picture; it
// lets every mouse event through.
class SelectionOutline : public QWidget {
public:
    explicit SelectionOutline(QWidget* surface);

    // Frames a marker's rectangle (widget pixels), or hides when null.
    void Surround(const QRect& marker);

protected:
    void paintEvent(QPaintEvent* event) override;
};
