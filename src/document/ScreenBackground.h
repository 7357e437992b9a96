#pragma once

#include <QColor>
#include <QSize>
#include <QWidget>

class QSvgRenderer;

// The main window's client area: the screen colour with the window's
// background picture drawn over it at its fixed design size. Its style sheet
// gives the labels and fields on it their look.
//
// It never shrinks below the design size, so in a smaller window a scroll
// area around it scrolls; a larger area is filled with the screen colour.
// Inside a scroll area, the area shows the screen colour too.
class ScreenBackground : public QWidget {
    Q_OBJECT

public:
    // The client area the controls were placed for, in pixels.
    static constexpr QSize DesignSize { 1033, 721 };

    explicit ScreenBackground(QWidget* parent = nullptr);

    void SetScreenColor(const QColor& color);
    [[nodiscard]] QColor ScreenColor() const { return m_color; }

    [[nodiscard]] QSize sizeHint() const override { return DesignSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ColorScrollArea();

    QColor m_color = Qt::black;
    QSvgRenderer* m_picture;
};
