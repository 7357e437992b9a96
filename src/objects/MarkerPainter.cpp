#include "MarkerPainter.h"

#include "DamageTypes.h"
#include "MarkerGeometry.h"
#include "MarkerModel.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

// Markers up to this size are drawn from kept pictures; larger ones (few,
// and zoomed in) are drawn afresh each time.
constexpr int MostKeptSide = 256;

// The pictures kept, in bytes.
constexpr qint64 MostSpriteBytes = 16 * 1024 * 1024;

// How much of a see-through marker's picture shows.
constexpr qreal SeeThroughOpacity = 0.4;

} // namespace

MarkerPainter::MarkerPainter() = default;
MarkerPainter::~MarkerPainter() = default;

bool MarkerPainter::SetRatio(qreal ratio)
{
    if (ratio == m_ratio)
        return false;
    m_ratio = ratio;
    m_sprites.clear();
    m_spriteBytes = 0;
    QFont font;
    font.setPixelSize(9);
    for (int digit = 0; digit < 10; ++digit) {
        QImage image(QSize(BadgeDigitWidth, BadgeHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, BadgeDigitWidth, BadgeHeight), Qt::AlignCenter, QString::number(digit));
        m_digits[size_t(digit)] = image;
    }
    return true;
}

void MarkerPainter::Follow(const MarkerPainter& other)
{
    if (other.m_ratio != m_ratio) {
        m_ratio = other.m_ratio;
        m_sprites.clear();
        m_spriteBytes = 0;
    }
    m_digits = other.m_digits;
    m_seeThrough = other.m_seeThrough;
}

QSvgRenderer* MarkerPainter::Renderer(int damageType)
{
    std::unique_ptr<QSvgRenderer>& renderer = m_renderers[damageType];
    if (!renderer)
        renderer = std::make_unique<QSvgRenderer>(DamagePicture(damageType));
    return renderer.get();
}

const QImage& MarkerPainter::Sprite(int damageType, QSize size)
{
    // Looked up for every marker at every paint: a plain number.
    const quint64 key = (quint64(quint16(damageType)) << 48) | (quint64(quint32(size.width()) & 0xFFFFFF) << 24)
        | (quint64(quint32(size.height()) & 0xFFFFFF));
    if (const auto kept = m_sprites.find(key); kept != m_sprites.end())
        return kept->second;
    const QSize pixels = (QSizeF(size) * m_ratio).toSize().expandedTo(QSize(1, 1));
    const qint64 bytes = qint64(pixels.width()) * pixels.height() * 4;
    if (m_spriteBytes + bytes > MostSpriteBytes) {
        m_sprites.clear();
        m_spriteBytes = 0;
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Renderer(damageType)->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    m_spriteBytes += bytes;
    return m_sprites.emplace(key, std::move(image)).first->second;
}

void MarkerPainter::Markers(QPainter& painter, const MarkerModel& model, const std::vector<int>& indexes,
    const QRect& exposed, QSize surface, const std::atomic<bool>* stop)
{
    for (const int index : indexes) {
        if (stop && stop->load(std::memory_order_relaxed))
            return;
        // Only what meets the exposed part is drawn: the rest would be
        // clipped away, and a crowded picture stacks thousands there.
        const QRect box = PixelBox(ShownBox(model.Item(index).Place));
        if (box.intersects(exposed))
            Picture(painter, model.Item(index).DamageType, box);
        if (NumberBadgeBox(box, index, surface).intersects(exposed))
            Badge(painter, index, box, exposed, surface);
    }
}

void MarkerPainter::Picture(QPainter& painter, int damageType, const QRect& box)
{
    painter.setOpacity(m_seeThrough ? SeeThroughOpacity : 1);
    if (box.width() > MostKeptSide || box.height() > MostKeptSide)
        Renderer(damageType)->render(&painter, box);
    else
        painter.drawImage(box, Sprite(damageType, box.size()));
    painter.setOpacity(1);
}

void MarkerPainter::Badge(QPainter& painter, int number, const QRect& box, const QRect& exposed, QSize surface) const
{
    const QRect badge = NumberBadgeBox(box, number, surface);
    painter.fillRect(badge, QColor(20, 24, 30, 210));
    // The digits from the last, right to left.
    int x = badge.left() + 2 + BadgeDigitWidth * (DigitCount(number) - 1);
    for (int rest = number; x >= badge.left() + 2; rest /= 10, x -= BadgeDigitWidth) {
        if (x < exposed.right() + 1 && x + BadgeDigitWidth > exposed.left())
            painter.drawImage(x, badge.top(), m_digits[size_t(rest % 10)]);
    }
}
