#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class QSvgRenderer;
class QToolButton;

// The toolbar panel (PicTbr): one button per damage type in a column (TBR),
// and below them the four zoom buttons (cmdZoomIn, cmdZoomOut, CmdActual,
// cmdScaleToFit), on the panel's background picture over the toolbar
// colour.
class DamageToolbar : public QWidget {
    Q_OBJECT

public:
    enum class ZoomButton { In = 0, Out = 1, Actual = 2, Fit = 3 };

    explicit DamageToolbar(QWidget* parent = nullptr);

    // The button of a damage type (TBR), or nullptr for a number that names
    // no type.
    [[nodiscard]] QToolButton* TBR(int number) const;

    void SetToolbarColor(const QColor& color);
    [[nodiscard]] QColor ToolbarColor() const { return m_color; }

signals:
    void Clicked(int damageType);
    void ZoomClicked(DamageToolbar::ZoomButton button);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void AddZoomButtons();

    std::array<QToolButton*, 11> m_buttons {};
    QColor m_color { 0x40, 0x40, 0x40 };
    QSvgRenderer* m_background;
};
