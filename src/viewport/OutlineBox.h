#pragma once

#include <QColor>
#include <QWidget>

// A rectangle outline drawn over the window (a thumbnail's outline, or the
// frame around the current thumbnail). It lets every mouse event through.
class OutlineBox : public QWidget {
    Q_OBJECT

public:
    OutlineBox(const QColor& color, int lineWidth, QWidget* parent = nullptr);

    void SetBorderColor(const QColor& color);
    [[nodiscard]] QColor BorderColor() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    int m_lineWidth;
};
