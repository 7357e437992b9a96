#include "MarkerLayer.h"

#include "MarkerGeometry.h"
#include "common/MouseButton.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// The selection frame stands this far outside the marker.
constexpr int FrameGap = 2;

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
    m_drawAhead.setSingleShot(true);
    m_drawAhead.setInterval(1);
    connect(&m_drawAhead, &QTimer::timeout, this, [this] {
        if (m_model.Pressed() != 0 && !m_dragLayers.Active())
            KeepDragLayers();
    });
    Announce();
}

int MarkerLayer::Add(const MarkerItem& item)
{
    DropDragLayers();
    const int index = m_model.Add(item);
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
    DropDragLayers();
    m_model.SetDetail(index, detail);
    Announce();
}

void MarkerLayer::Hide(int index)
{
    DropDragLayers();
    m_model.Hide(index);
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
    DropDragLayers();
    m_model.Unload();
    update();
    Announce();
}

QString MarkerLayer::Rebuild(const QString& list, qint16 slot)
{
    DropDragLayers();
    const QString problems = m_model.Rebuild(list, slot);
    update();
    Announce();
    return problems;
}

void MarkerLayer::PositionObjects(float surfaceWidth, float surfaceHeight)
{
    DropDragLayers();
    m_model.PositionObjects(surfaceWidth, surfaceHeight);
    update();
}

void MarkerLayer::SetSelected(int index)
{
    if (index != m_dragged)
        DropDragLayers();
    const int previous = m_model.Selected();
    m_model.SetSelected(index);
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
    DropDragLayers();
    m_painter.SetSeeThrough(on);
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
    // the surface is scrolled or resized. The tiles are drawn in the
    // surface's pixels: a scroll keeps them.
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        DropDragLayers();
    }
    if (watched == parentWidget() && event->type() == QEvent::Move)
        m_dragLayers.SetAhead(visibleRegion().boundingRect());
    return QWidget::eventFilter(watched, event);
}

void MarkerLayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    // Tiles drawn for another ratio (the window moved to another screen)
    // are drawn again.
    if (m_painter.SetRatio(devicePixelRatioF()))
        DropDragLayers();
    if (m_dragged == m_model.Pressed() && m_model.IsShown(m_dragged))
        PaintDrag(painter, exposed);
    else
        m_painter.Markers(painter, m_model, m_model.MarkersIn(exposed), exposed, size());
    const int selected = m_model.Selected();
    if (m_model.IsShown(selected)) {
        const QRect box = PixelBox(ShownBox(m_model.Item(selected).Place));
        const QRectF frame = QRectF(box).adjusted(-FrameGap + 0.5, -FrameGap + 0.5, FrameGap - 0.5, FrameGap - 0.5);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(frame);
        m_painter.Badge(painter, selected, box, exposed, size());
    }
}

void MarkerLayer::PaintDrag(QPainter& painter, const QRect& exposed)
{
    if (!m_dragLayers.Active())
        KeepDragLayers();
    const qreal ratio = devicePixelRatioF();
    const QRect shown = exposed.intersected(rect());
    const int side = DragTiles::Side;
    const QRect cells(
        QPoint(shown.left() / side, shown.top() / side), QPoint(shown.right() / side, shown.bottom() / side));
    std::vector<DragTiles::Tile> tiles;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column)
            tiles.push_back(m_dragLayers.At(column, row, m_painter));
    }
    for (int k = 0; k < 2; ++k) {
        if (k == 1)
            m_painter.Markers(painter, m_model, { m_dragged }, exposed, size());
        auto tile = tiles.cbegin();
        for (int row = cells.top(); row <= cells.bottom(); ++row) {
            for (int column = cells.left(); column <= cells.right(); ++column, ++tile) {
                const QImage& image = k == 0 ? tile->Below : tile->Above;
                if (image.isNull())
                    continue;
                const QPoint origin(column * side, row * side);
                const QRect part = QRect(origin, QSize(side, side)).intersected(shown);
                painter.drawImage(part, image, QRect((part.topLeft() - origin) * ratio, part.size() * ratio));
            }
        }
    }
}

void MarkerLayer::KeepDragLayers()
{
    m_painter.SetRatio(devicePixelRatioF());
    // Drawn ahead over the part in view.
    m_dragLayers.Begin(m_model, m_model.Pressed(), size(), visibleRegion().boundingRect(), m_painter);
}

void MarkerLayer::DropDragLayers()
{
    m_dragLayers.End();
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
    DropDragLayers();
    m_model.Release();
    m_dragged = 0;
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
    // What a drag of it will show is drawn ahead from a moment after the
    // press, between the moves: the press and its repaint never wait for it.
    if (m_model.Pressed() != 0)
        m_drawAhead.start();
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
    if (!m_dragLayers.Active())
        KeepDragLayers();
    m_dragLayers.Follow(PixelBox(ShownBox(m_model.Item(pressed).Place)));
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
