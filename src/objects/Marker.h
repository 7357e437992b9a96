#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

class QSvgRenderer;

// One marker (OBJ) on the picture surface: the picture of its damage type
// stretched over its rectangle. Its place is kept in single-precision
// surface pixels, as the placement ratios are computed from it.
class Marker : public QWidget {
public:
    // A new marker has the template's size.
    static constexpr float TemplateWidth = 21.0f;
    static constexpr float TemplateHeight = 17.0f;

    explicit Marker(QWidget* surface);

    // The damage type number as text; stored in the marker's record.
    QString Tag;

    void SetDamagePicture(int damageType);

    // The detail string "cost;date;comments", shown as the tool tip.
    [[nodiscard]] QString Detail() const { return toolTip(); }
    void SetDetail(const QString& detail) { setToolTip(detail); }

    [[nodiscard]] float Left() const { return float(m_place.left()); }
    [[nodiscard]] float Top() const { return float(m_place.top()); }
    [[nodiscard]] float Width() const { return float(m_place.width()); }
    [[nodiscard]] float Height() const { return float(m_place.height()); }
    [[nodiscard]] QRectF Place() const { return m_place; }
    void SetPlace(float left, float top, float width, float height);
    void Move(float left, float top) { SetPlace(left, top, Width(), Height()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF m_place;
    QSvgRenderer* m_picture = nullptr;
};
