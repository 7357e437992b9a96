#include "MarkerLayer.h"

#include "DamageTypes.h"
#include "common/MouseButton.h"
#include "common/UserError.h"

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

// The selection frame stands this far outside the marker.
constexpr int FrameGap = 2;

// Whole pixels: the far edges are rounded, not the sizes, so that
// neighbouring markers line up at any zoom.
QRect PixelBox(const QRectF& box)
{
    const auto pixel = [](double value) { return int(std::lround(qBound(-1.0e9, value, 1.0e9))); };
    const int x = pixel(box.left());
    const int y = pixel(box.top());
    return QRect(x, y, qMax(1, pixel(box.right()) - x), qMax(1, pixel(box.bottom()) - y));
}

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
    MarkerItem markerTemplate;
    markerTemplate.Place = QRectF(0, 0, TemplateWidth, TemplateHeight);
    markerTemplate.Visible = false;
    m_items.push_back(markerTemplate);
}

bool MarkerLayer::IsShown(int index) const
{
    return index > 0 && index < Count() && m_items[size_t(index)].Visible;
}

int MarkerLayer::Add(const MarkerItem& item)
{
    m_items.push_back(item);
    const int index = Count() - 1;
    m_stack.push_back(index);
    UpdateMarker(index);
    return index;
}

void MarkerLayer::SetPlace(int index, const QRectF& place)
{
    UpdateMarker(index);
    m_items[size_t(index)].Place = place;
    UpdateMarker(index);
}

void MarkerLayer::SetPlacement(int index, const ObjectPlacement& placement)
{
    m_items[size_t(index)].Placement = placement;
}

void MarkerLayer::SetDetail(int index, const QString& detail)
{
    m_items[size_t(index)].Detail = detail;
}

void MarkerLayer::Hide(int index)
{
    m_items[size_t(index)].Visible = false;
    UpdateMarker(index);
}

void MarkerLayer::BringToFront(int index)
{
    Restack(index, true);
}

void MarkerLayer::SendToBack(int index)
{
    Restack(index, false);
}

void MarkerLayer::Restack(int index, bool toFront)
{
    const auto at = std::find(m_stack.begin(), m_stack.end(), index);
    if (at == m_stack.end())
        return;
    m_stack.erase(at);
    m_stack.insert(toFront ? m_stack.end() : m_stack.begin(), index);
    UpdateMarker(index);
}

void MarkerLayer::Unload()
{
    m_items.resize(1);
    m_stack.clear();
    m_unreadable.clear();
    m_unterminated.clear();
    m_displayedSlot = -1;
    m_selected = 0;
    m_pressed = 0;
    m_objMouseDown = false;
    update();
}

QString MarkerLayer::Rebuild(const QString& list, qint16 slot)
{
    Unload();
    m_displayedSlot = slot;
    const QList<QStringView> records = SplitRecords(list);
    m_items.reserve(size_t(records.size()) + 1);
    m_stack.reserve(size_t(records.size()));
    QStringList problems;
    for (qsizetype k = 0; k < records.size(); ++k) {
        try {
            const ObjectRecord record = ParseRecord(records[k]);
            MarkerItem item;
            item.DamageType = record.DamageType;
            item.Tag = record.Tag;
            item.Detail = record.Detail;
            item.Place = m_items[0].Place;
            item.Placement = record.Placement;
            m_items.push_back(item);
            m_stack.push_back(Count() - 1);
        } catch (const UserError& unreadable) {
            m_unreadable.append(records[k].toString());
            problems.append(QStringLiteral("Marker %1 (\"%2\") cannot be shown: %3.")
                                .arg(k + 1)
                                .arg(records[k])
                                .arg(unreadable.Text()));
        }
    }
    // A last record that lost its "," is kept too, and stays last.
    m_unterminated = UnterminatedText(list).toString();
    if (!m_unterminated.isEmpty()) {
        problems.append(
            QStringLiteral("The text \"%1\" after the last marker cannot be shown: it does not end with \",\".")
                .arg(m_unterminated));
    }
    update();
    if (problems.isEmpty())
        return {};
    return problems.join(u'\n') + QStringLiteral("\nIt is kept as it stands and saved unchanged.");
}

QString MarkerLayer::ObjectList() const
{
    QString list;
    for (int i = 1; i < Count(); ++i) {
        const MarkerItem& item = m_items[size_t(i)];
        if (item.Visible)
            list += FormatRecord(item.Tag, item.Placement, item.Detail);
    }
    for (const QString& record : m_unreadable)
        list += record + u',';
    return list + m_unterminated;
}

void MarkerLayer::PositionObjects(float surfaceWidth, float surfaceHeight)
{
    for (int i = 1; i < Count(); ++i) {
        MarkerItem& item = m_items[size_t(i)];
        item.Place = PlaceFromRatios(surfaceWidth, surfaceHeight, item.Placement);
    }
    update();
}

void MarkerLayer::SetSelected(int index)
{
    const int previous = m_selected;
    m_selected = index;
    if (previous > 0 && previous < Count())
        UpdateMarker(previous);
    if (IsShown(index))
        UpdateMarker(index);
}

int MarkerLayer::MarkerAt(QPointF position) const
{
    for (auto at = m_stack.rbegin(); at != m_stack.rend(); ++at) {
        const MarkerItem& item = m_items[size_t(*at)];
        if (item.Visible && PixelBox(ShownBox(item.Place)).contains(position.toPoint()))
            return *at;
    }
    return 0;
}

QPointF MarkerLayer::InMarker(int index, QPointF position) const
{
    return position - m_items[size_t(index)].Place.topLeft();
}

bool MarkerLayer::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = MarkerAt(help->pos());
        if (index > 0 && !m_items[size_t(index)].Detail.isEmpty())
            QToolTip::showText(help->globalPos(), m_items[size_t(index)].Detail, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

bool MarkerLayer::eventFilter(QObject* watched, QEvent* event)
{
    // The layer always covers its surface.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void MarkerLayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    for (const int index : m_stack) {
        const MarkerItem& item = m_items[size_t(index)];
        if (!item.Visible)
            continue;
        const QRect box = PixelBox(ShownBox(item.Place));
        if (box.intersects(exposed) || NumberBadgeBox(box, index, size()).intersects(exposed)) {
            PaintPicture(painter, index, box);
            PaintBadge(painter, index, box);
        }
    }
    if (IsShown(m_selected)) {
        const QRect box = PixelBox(ShownBox(m_items[size_t(m_selected)].Place));
        const QRectF frame = QRectF(box).adjusted(-FrameGap + 0.5, -FrameGap + 0.5, FrameGap - 0.5, FrameGap - 0.5);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(frame);
        PaintBadge(painter, m_selected, box);
    }
}

void MarkerLayer::PaintPicture(QPainter& painter, int index, const QRect& box) const
{
    const int damageType = m_items[size_t(index)].DamageType;
    if (box.width() > MostKeptSide || box.height() > MostKeptSide)
        DamageRenderer(damageType)->render(&painter, box);
    else
        painter.drawPixmap(box, DamagePixmap(damageType, box.size(), devicePixelRatioF()));
}

void MarkerLayer::PaintBadge(QPainter& painter, int index, const QRect& box) const
{
    const QRect badge = NumberBadgeBox(box, index, size());
    painter.fillRect(badge, QColor(20, 24, 30, 210));
    const std::array<QPixmap, 10>& digits = DigitPixmaps(devicePixelRatioF());
    // The digits from the last, right to left.
    int x = badge.left() + 2 + BadgeDigitWidth * (DigitCount(index) - 1);
    for (int rest = index; x >= badge.left() + 2; rest /= 10, x -= BadgeDigitWidth)
        painter.drawPixmap(x, badge.top(), digits[size_t(rest % 10)]);
}

void MarkerLayer::UpdateMarker(int index)
{
    const QRect box = PixelBox(ShownBox(m_items[size_t(index)].Place));
    update(box.adjusted(-FrameGap - 1, -FrameGap - 1, FrameGap + 1, FrameGap + 1)
               .united(NumberBadgeBox(box, index, size())));
}

void MarkerLayer::Hover(QPointF position)
{
    const int index = MarkerAt(position);
    if (index == 0) {
        unsetCursor();
        return;
    }
    MarkerItem& item = m_items[size_t(index)];
    const QPointF at = InMarker(index, position);
    item.Pointer = PointerZoneAt(float(at.x()), float(at.y()), float(item.Place.width()), float(item.Place.height()));
    setCursor(CursorOf(item.Pointer));
}

void MarkerLayer::mousePressEvent(QMouseEvent* event)
{
    // A press that does not end here (a release taken by a pop-up menu)
    // leaves nothing behind.
    m_pressed = 0;
    m_objMouseDown = false;
    const int index = MarkerAt(event->position());
    const int button = ButtonNumber(event->button());
    if (index == 0 || button == 0) {
        event->ignore(); // the surface below takes it
        return;
    }
    emit Pressed(index, button, event->globalPosition().toPoint());
    // The right button's release goes to the pop-up menu it opened.
    if (button != 1 || !IsShown(index))
        return;
    m_pressed = index;
    m_objMouseDown = true;
    const MarkerItem& item = m_items[size_t(index)];
    if (item.Pointer == PointerZone::Move) {
        const QPointF at = InMarker(index, event->position());
        m_grab = GrabPoint(float(at.x()), float(at.y()));
    }
}

void MarkerLayer::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_objMouseDown) {
        Hover(event->position());
        event->ignore();
        return;
    }
    if (!IsShown(m_pressed))
        return;
    const MarkerItem& item = m_items[size_t(m_pressed)];
    const QPointF at = InMarker(m_pressed, event->position());
    SetPlace(m_pressed, DraggedPlace(item.Place, item.Pointer, float(at.x()), float(at.y()), m_grab));
    emit Moved(m_pressed);
}

void MarkerLayer::mouseReleaseEvent(QMouseEvent* event)
{
    const int index = m_pressed;
    if (index == 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = 0;
    m_objMouseDown = false;
    emit Released(index, 1);
}

void MarkerLayer::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = MarkerAt(event->position());
    if (index == 0) {
        event->ignore();
        return;
    }
    // The press before it selected the marker.
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked(index);
}
