#pragma once

#include <QColor>
#include <QWidget>

class QSvgRenderer;

// The main window's client area: the screen colour with the window's
// background picture drawn over it at its fixed design size. Its style sheet
// gives the labels and fields on it their look.
class ScreenBackground : public QWidget {
    Q_OBJECT

public:
    explicit ScreenBackground(QWidget* parent = nullptr);

    void SetScreenColor(const QColor& color);
    [[nodiscard]] QColor ScreenColor() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
    QSvgRenderer* m_picture;
};
