#pragma once

#include <QColor>
#include <QWidget>

class QSvgRenderer;

// The toolbar panel (PicTbr): one button per damage type in a column (TBR),
// and below them the four zoom buttons (cmdZoomIn, cmdZoomOut, CmdActual,
// cmdScaleToFit), on the panel's background picture over the toolbar
// colour.
class DamageToolbar : public QWidget {
    Q_OBJECT

public:
    enum class ZoomButton { In = 0, Out = 1, Actual = 2, Fit = 3 };

    explicit DamageToolbar(QWidget* parent = nullptr);

    void SetToolbarColor(const QColor& color);
    [[nodiscard]] QColor ToolbarColor() const { return m_color; }

signals:
    void Clicked(int damageType);
    void ZoomClicked(DamageToolbar::ZoomButton button);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void AddZoomButtons();

    QColor m_color { 0x40, 0x40, 0x40 };
    QSvgRenderer* m_background;
};
