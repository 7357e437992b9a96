#pragma once

#include <QPicture>
#include <QPixmap>
#include <QWidget>

// The page area of the print preview (PrnBox): a white sheet showing the
// report page's drawing, which it keeps. The drawing is in twips from the
// area's top-left corner and is shown at 15 twips to a pixel; printing plays
// the same drawing on the printer, so the print is as sharp as the printer
// allows.
class PageArea : public QWidget {
    Q_OBJECT

public:
    explicit PageArea(QWidget* parent = nullptr);

    [[nodiscard]] const QPicture& Drawing() const { return m_drawing; }
    // The area is cleared, then shows the drawing.
    void SetDrawing(const QPicture& drawing);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPicture m_drawing;
    // The drawing at the area's size on this screen, made when first shown.
    QPixmap m_shown;
};
