#pragma once

#include <QFont>
#include <QString>

class QPainter;
class QPicture;

// What the printer draws, on any painter whose device is a page: positions
// in twips from the device's origin, fonts at their point size, texts from
// a current position that moves a line down after each text, and drawings
// made in twips. The printer uses it on QPrinter; tests use it on an image
// of a page.
class TwipsCanvas {
public:
    // Scales a painter just begun on a page so that one unit is one twip.
    static void ScaleToTwips(QPainter& painter);

    void SetFont(const QFont& font) { m_font = font; }
    void SetCurrentX(double x) { m_x = x; }
    void SetCurrentY(double y) { m_y = y; }
    void SetPenWidth(int width);

    void PrintText(QPainter& painter, const QString& text);
    void DrawPicture(QPainter& painter, double left, double top, const QPicture& picture);
    void DrawLine(QPainter& painter, double x1, double y1, double x2, double y2);

    // The current font at its point size, in twips.
    [[nodiscard]] QFont TwipsFont() const;

    // The top-left corner of the page: where a new page starts.
    void Home();

private:
    QFont m_font;
    int m_penWidth = 1;
    double m_x = 0;
    double m_y = 0;
};
