#include "MarkerLayer.h"

#include "DamageTypes.h"
#include "common/MouseButton.h"

#include <QAccessible>
#include <QCache>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace {

// The side of the square tiles a drag keeps the markers below and above
// the dragged one in, in pixels: a step draws the few it first meets. Larger
// tiles each draw thousands of markers on a crowded picture; smaller ones
// draw every marker in more of them.
constexpr int DragTileSide = 16;

// The selection frame stands this far outside the marker.
constexpr int FrameGap = 2;

// How much of a see-through marker's picture shows.
constexpr qreal SeeThroughOpacity = 0.4;

QSvgRenderer* DamageRenderer(int damageType)
{
    // Kept for the life of the program, and deleted with it.
    static std::unordered_map<int, std::unique_ptr<QSvgRenderer>> renderers;
    std::unique_ptr<QSvgRenderer>& renderer = renderers[damageType];
    if (!renderer)
        renderer = std::make_unique<QSvgRenderer>(DamagePicture(damageType));
    return renderer.get();
}

// Markers up to this size are drawn from kept pictures; larger ones (few,
// and zoomed in) are drawn afresh each time.
constexpr int MostKeptSide = 256;

// The damage-type picture at a size, drawn once and kept. The key is looked
// up for every marker at every paint, so it is a plain number; the pictures
// kept are bounded in bytes, as every zoom and resize step asks for new
// sizes.
const QPixmap& DamagePixmap(int damageType, QSize size, qreal ratio)
{
    static QCache<quint64, QPixmap> pixmaps(16 * 1024); // kilobytes
    static qreal pixmapsRatio = 0;
    if (pixmapsRatio != ratio) {
        pixmaps.clear();
        pixmapsRatio = ratio;
    }
    const quint64 key = (quint64(quint16(damageType)) << 48) | (quint64(quint32(size.width()) & 0xFFFFFF) << 24)
        | (quint64(quint32(size.height()) & 0xFFFFFF));
    if (const QPixmap* kept = pixmaps.object(key))
        return *kept;
    const QSize pixels = (QSizeF(size) * ratio).toSize().expandedTo(QSize(1, 1));
    auto* pixmap = new QPixmap(pixels);
    pixmap->fill(Qt::transparent);
    QPainter painter(pixmap);
    DamageRenderer(damageType)->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    pixmaps.insert(key, pixmap, qMax(1, pixels.width() * pixels.height() * 4 / 1024));
    return *pixmaps.object(key);
}

// The ten digits of the badges, drawn once: a picture with thousands of
// markers draws thousands of badges at every paint.
const std::array<QPixmap, 10>& DigitPixmaps(qreal ratio)
{
    static std::array<QPixmap, 10> digits;
    static qreal digitsRatio = 0;
    if (digitsRatio != ratio) {
        QFont font;
        font.setPixelSize(9);
        for (int digit = 0; digit < 10; ++digit) {
            QPixmap pixmap(QSize(BadgeDigitWidth, BadgeHeight) * ratio);
            pixmap.setDevicePixelRatio(ratio);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QRect(0, 0, BadgeDigitWidth, BadgeHeight), Qt::AlignCenter, QString::number(digit));
            digits[size_t(digit)] = pixmap;
        }
        digitsRatio = ratio;
    }
    return digits;
}

Qt::CursorShape CursorOf(PointerZone zone)
{
    switch (zone) {
    case PointerZone::ResizeWidth:
        return Qt::SizeHorCursor;
    case PointerZone::ResizeHeight:
        return Qt::SizeVerCursor;
    case PointerZone::Move:
        break;
    }
    return Qt::SizeAllCursor;
}

} // namespace

MarkerLayer::MarkerLayer(QWidget* surface)
    : QWidget(surface)
{
    setObjectName(QStringLiteral("OBJ"));
    setMouseTracking(true);
    setGeometry(surface->rect());
    surface->installEventFilter(this);
    Announce();
}

int MarkerLayer::Add(const MarkerItem& item)
{
    const int index = m_model.Add(item);
    DropDragLayers();
    UpdateMarker(index);
    return index;
}

void MarkerLayer::SetPlace(int index, const QRectF& place)
{
    // Storing a marker sets the place it already has: nothing to repaint.
    if (m_model.Item(index).Place == place)
        return;
    DropDragLayers();
    UpdateMarker(index);
    m_model.SetPlace(index, place);
    UpdateMarker(index);
}

void MarkerLayer::SetDetail(int index, const QString& detail)
{
    m_model.SetDetail(index, detail);
    DropDragLayers();
    Announce();
}

void MarkerLayer::Hide(int index)
{
    m_model.Hide(index);
    DropDragLayers();
    UpdateMarker(index);
    Announce();
}

void MarkerLayer::BringToFront(int index)
{
    DropDragLayers();
    if (m_model.BringToFront(index))
        UpdateMarker(index);
}

void MarkerLayer::SendToBack(int index)
{
    DropDragLayers();
    if (m_model.SendToBack(index))
        UpdateMarker(index);
}

void MarkerLayer::Unload()
{
    m_model.Unload();
    DropDragLayers();
    update();
    Announce();
}

QString MarkerLayer::Rebuild(const QString& list, qint16 slot)
{
    const QString problems = m_model.Rebuild(list, slot);
    DropDragLayers();
    update();
    Announce();
    return problems;
}

void MarkerLayer::PositionObjects(float surfaceWidth, float surfaceHeight)
{
    m_model.PositionObjects(surfaceWidth, surfaceHeight);
    DropDragLayers();
    update();
}

void MarkerLayer::SetSelected(int index)
{
    const int previous = m_model.Selected();
    m_model.SetSelected(index);
    if (index != m_dragged)
        DropDragLayers();
    // A press on the selected marker leaves its frame as it is.
    if (previous != index && previous > 0 && previous < m_model.Count())
        UpdateMarker(previous);
    if (previous != index && m_model.IsShown(index))
        UpdateMarker(index);
    Announce();
}

void MarkerLayer::Announce()
{
    // The selected marker's details, as its tool tip shows them.
    const int selected = m_model.Selected();
    setAccessibleDescription(m_model.IsShown(selected) ? m_model.Item(selected).Detail : QString());
    const QString name = m_model.SelectionName();
    if (name == accessibleName())
        return;
    setAccessibleName(name);
    // The focus stays with the picture area, and a screen reader says a new
    // name only of what has the focus: a marker just selected is announced
    // as focused.
    if (m_model.IsShown(selected)) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void MarkerLayer::SetSeeThrough(bool on)
{
    m_seeThrough = on;
    DropDragLayers();
    update();
}

bool MarkerLayer::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = m_model.MarkerAt(help->pos());
        if (index > 0 && !m_model.Item(index).Detail.isEmpty())
            QToolTip::showText(help->globalPos(), m_model.Item(index).Detail, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

bool MarkerLayer::eventFilter(QObject* watched, QEvent* event)
{
    // The layer always covers its surface; the part in view changes as
    // the surface is scrolled or resized.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    if (watched == parentWidget() && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        DropDragLayers();
    return QWidget::eventFilter(watched, event);
}

void MarkerLayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (m_dragged == m_model.Pressed() && m_model.IsShown(m_dragged))
        PaintDrag(painter, exposed);
    else
        PaintMarkers(painter, m_model.MarkersIn(exposed), exposed);
    const int selected = m_model.Selected();
    if (m_model.IsShown(selected)) {
        const QRect box = PixelBox(ShownBox(m_model.Item(selected).Place));
        const QRectF frame = QRectF(box).adjusted(-FrameGap + 0.5, -FrameGap + 0.5, FrameGap - 0.5, FrameGap - 0.5);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(frame);
        PaintBadge(painter, selected, box, exposed);
    }
}

void MarkerLayer::PaintMarkers(QPainter& painter, const std::vector<int>& indexes, const QRect& exposed) const
{
    for (const int index : indexes) {
        // Only what meets the exposed part is drawn: the rest would be
        // clipped away, and a crowded picture stacks thousands there.
        const QRect box = PixelBox(ShownBox(m_model.Item(index).Place));
        if (box.intersects(exposed))
            PaintPicture(painter, index, box);
        if (NumberBadgeBox(box, index, size()).intersects(exposed))
            PaintBadge(painter, index, box, exposed);
    }
}

void MarkerLayer::PaintDrag(QPainter& painter, const QRect& exposed)
{
    const qreal ratio = devicePixelRatioF();
    const QRect shown = exposed.intersected(rect());
    const QRect cells(QPoint(shown.left() / DragTileSide, shown.top() / DragTileSide),
        QPoint(shown.right() / DragTileSide, shown.bottom() / DragTileSide));
    for (int k = 0; k < 2; ++k) {
        if (k == 1)
            PaintMarkers(painter, { m_dragged }, exposed);
        for (int row = cells.top(); row <= cells.bottom(); ++row) {
            for (int column = cells.left(); column <= cells.right(); ++column) {
                const DragTile& tile = Tile(column, row);
                const QImage& image = k == 0 ? tile.Below : tile.Above;
                if (image.isNull())
                    continue;
                const QPoint origin(column * DragTileSide, row * DragTileSide);
                const QRect part = QRect(origin, QSize(DragTileSide, DragTileSide)).intersected(shown);
                painter.drawImage(part, image, QRect((part.topLeft() - origin) * ratio, part.size() * ratio));
            }
        }
    }
}

const MarkerLayer::DragTile& MarkerLayer::Tile(int column, int row)
{
    const quint64 key = quint64(quint32(row)) << 32 | quint32(column);
    if (const auto kept = m_tiles.find(key); kept != m_tiles.end())
        return kept->second;
    if (m_aboveDragged.empty()) {
        m_aboveDragged.assign(size_t(m_model.Count()), 0);
        const std::vector<int>& stack = m_model.StackingOrder();
        for (auto at = std::find(stack.begin(), stack.end(), m_dragged); at != stack.end(); ++at)
            m_aboveDragged[size_t(*at)] = 1;
    }
    // Drawn as a repaint of the tile draws each marker, clipped to it: the
    // tiles meet without seams.
    const QRect area(column * DragTileSide, row * DragTileSide, DragTileSide, DragTileSide);
    std::vector<int> layers[2];
    for (const int index : m_model.MarkersIn(area)) {
        if (index != m_dragged)
            layers[size_t(m_aboveDragged[size_t(index)])].push_back(index);
    }
    DragTile& tile = m_tiles[key];
    const qreal ratio = devicePixelRatioF();
    for (int k = 0; k < 2; ++k) {
        if (layers[k].empty())
            continue;
        QImage& image = k == 0 ? tile.Below : tile.Above;
        image = QImage(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter layer(&image);
        layer.translate(-area.topLeft());
        PaintMarkers(layer, layers[k], area);
    }
    return tile;
}

void MarkerLayer::DropDragLayers()
{
    m_aboveDragged.clear();
    m_tiles.clear();
}

void MarkerLayer::PaintPicture(QPainter& painter, int index, const QRect& box) const
{
    const int damageType = m_model.Item(index).DamageType;
    painter.setOpacity(m_seeThrough ? SeeThroughOpacity : 1);
    if (box.width() > MostKeptSide || box.height() > MostKeptSide)
        DamageRenderer(damageType)->render(&painter, box);
    else
        painter.drawPixmap(box, DamagePixmap(damageType, box.size(), devicePixelRatioF()));
    painter.setOpacity(1);
}

void MarkerLayer::PaintBadge(QPainter& painter, int index, const QRect& box, const QRect& exposed) const
{
    const QRect badge = NumberBadgeBox(box, index, size());
    painter.fillRect(badge, QColor(20, 24, 30, 210));
    const std::array<QPixmap, 10>& digits = DigitPixmaps(devicePixelRatioF());
    // The digits from the last, right to left.
    int x = badge.left() + 2 + BadgeDigitWidth * (DigitCount(index) - 1);
    for (int rest = index; x >= badge.left() + 2; rest /= 10, x -= BadgeDigitWidth) {
        if (x < exposed.right() + 1 && x + BadgeDigitWidth > exposed.left())
            painter.drawPixmap(x, badge.top(), digits[size_t(rest % 10)]);
    }
}

void MarkerLayer::UpdateMarker(int index)
{
    const QRect box = PixelBox(ShownBox(m_model.Item(index).Place));
    update(box.adjusted(-FrameGap - 1, -FrameGap - 1, FrameGap + 1, FrameGap + 1)
               .united(NumberBadgeBox(box, index, size())));
}

void MarkerLayer::mousePressEvent(QMouseEvent* event)
{
    // A press that does not end here (a release taken by a pop-up menu)
    // leaves nothing behind.
    m_model.Release();
    m_dragged = 0;
    DropDragLayers();
    const int index = m_model.MarkerAt(event->position());
    const int button = ButtonNumber(event->button());
    if (index == 0 || button == 0) {
        event->ignore(); // the surface below takes it
        return;
    }
    emit Pressed(index, button, event->globalPosition().toPoint());
    // The right button's release goes to the pop-up menu it opened.
    if (button == 1)
        m_model.Press(index, event->position());
}

void MarkerLayer::mouseMoveEvent(QMouseEvent* event)
{
    const int pressed = m_model.Pressed();
    if (pressed == 0) {
        const int index = m_model.Hover(event->position());
        if (index == 0)
            unsetCursor();
        else
            setCursor(CursorOf(m_model.Item(index).Pointer));
        event->ignore();
        return;
    }
    if (!m_model.IsShown(pressed))
        return;
    UpdateMarker(pressed);
    m_model.DragTo(event->position());
    m_dragged = pressed;
    UpdateMarker(pressed);
    emit Moved(pressed);
}

void MarkerLayer::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_model.Pressed() == 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_dragged = 0;
    DropDragLayers();
    emit Released(m_model.Release(), 1);
}

void MarkerLayer::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = m_model.MarkerAt(event->position());
    if (index == 0) {
        event->ignore();
        return;
    }
    // The press before it selected the marker.
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked(index);
}
