#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <atomic>
#include <memory>
#include <unordered_map>
#include <vector>

class MarkerModel;
class QPainter;
class QSvgRenderer;

// Draws markers: each one's damage-type picture in its box and its number
// in a badge. The pictures and the digits are drawn once for a size and
// kept, as a crowded picture draws thousands of markers at every paint.
//
// A painter is used by one thread at a time; one that draws on another
// thread takes the digits of one made on the interface's (Follow), since
// text is drawn there.
class MarkerPainter {
public:
    MarkerPainter();
    ~MarkerPainter();
    MarkerPainter(const MarkerPainter&) = delete;
    MarkerPainter& operator=(const MarkerPainter&) = delete;

    // Pictures for a device pixel ratio; the digits are drawn again for a
    // new ratio. True when the ratio changed.
    bool SetRatio(qreal ratio);
    [[nodiscard]] qreal Ratio() const { return m_ratio; }
    // See-through, each marker's picture lets the spot it marks show under
    // it; its number stays whole.
    void SetSeeThrough(bool on) { m_seeThrough = on; }
    [[nodiscard]] bool SeeThrough() const { return m_seeThrough; }
    // The ratio, the see-through and the digits of another painter.
    void Follow(const MarkerPainter& other);

    // The markers that meet the exposed part of a surface, in the order
    // given, each once; those after stop is set are left out.
    void Markers(QPainter& painter, const MarkerModel& model, const std::vector<int>& indexes, const QRect& exposed,
        QSize surface, const std::atomic<bool>* stop = nullptr);
    void Picture(QPainter& painter, int damageType, const QRect& box);
    // Only the digits that meet the exposed part are drawn.
    void Badge(QPainter& painter, int number, const QRect& box, const QRect& exposed, QSize surface) const;

private:
    [[nodiscard]] QSvgRenderer* Renderer(int damageType);
    [[nodiscard]] const QImage& Sprite(int damageType, QSize size);

    qreal m_ratio = 0;
    bool m_seeThrough = false;
    std::array<QImage, 10> m_digits;
    std::unordered_map<int, std::unique_ptr<QSvgRenderer>> m_renderers;
    // By damage type and size, bounded in bytes: every zoom and resize step
    // asks for new sizes.
    std::unordered_map<quint64, QImage> m_sprites;
    qint64 m_spriteBytes = 0;
};
