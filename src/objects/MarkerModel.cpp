#include "MarkerModel.h"

#include "DamageTypes.h"
#include "common/UserError.h"

#include <algorithm>
#include <cmath>

MarkerModel::MarkerModel()
{
    MarkerItem markerTemplate;
    markerTemplate.Place = QRectF(0, 0, TemplateWidth, TemplateHeight);
    markerTemplate.Visible = false;
    m_items.push_back(markerTemplate);
    m_keys.push_back(0);
}

void MarkerModel::Index() const
{
    if (!m_gridStale)
        return;
    // A marker paints its badge beyond its box, where it is hit.
    m_paintGrid.Reset(m_surface, 32);
    m_hitGrid.Reset(m_surface, 16);
    m_gridStale = false;
    // Entered back to front, each at the end of its cells.
    for (const int index : m_stack) {
        if (m_items[size_t(index)].Visible)
            Enter(index);
    }
}

void MarkerModel::Reword(int index)
{
    m_listStale = true;
    if (size_t(index) < m_records.size())
        m_records[size_t(index)] = QString();
}

void MarkerModel::Enter(int index) const
{
    if (m_gridStale)
        return;
    // Every pixel the marker may paint: its box and its badge on any side.
    const QRect box = PixelBox(ShownBox(m_items[size_t(index)].Place));
    const int badgeWidth = 4 + BadgeDigitWidth * DigitCount(index) - BadgeOverlap;
    const int badgeHeight = BadgeHeight - BadgeOverlap;
    m_paintGrid.Place(index, m_keys[size_t(index)], box.adjusted(-badgeWidth, -badgeHeight, badgeWidth, badgeHeight));
    m_hitGrid.Place(index, m_keys[size_t(index)], box);
}

bool MarkerModel::IsShown(int index) const
{
    return index > 0 && index < Count() && m_items[size_t(index)].Visible;
}

int MarkerModel::Add(const MarkerItem& item)
{
    // The item may be one of the list's own, which the push moves.
    const bool visible = item.Visible;
    m_items.push_back(item);
    const int index = Count() - 1;
    m_stack.push_back(index);
    m_keys.push_back(++m_frontKey);
    m_listStale = true;
    if (visible)
        Enter(index);
    return index;
}

void MarkerModel::SetPlace(int index, const QRectF& place)
{
    m_items[size_t(index)].Place = place;
    if (IsShown(index))
        Enter(index);
}

void MarkerModel::SetPlacement(int index, const ObjectPlacement& placement)
{
    // A click stores the placement the marker has: its record stands.
    if (m_items[size_t(index)].Placement == placement)
        return;
    m_items[size_t(index)].Placement = placement;
    Reword(index);
}

void MarkerModel::SetDetail(int index, const QString& detail)
{
    if (m_items[size_t(index)].Detail == detail)
        return;
    m_items[size_t(index)].Detail = detail;
    Reword(index);
}

void MarkerModel::Hide(int index)
{
    m_items[size_t(index)].Visible = false;
    m_listStale = true;
    m_paintGrid.Remove(index);
    m_hitGrid.Remove(index);
}

bool MarkerModel::BringToFront(int index)
{
    return Restack(index, true);
}

bool MarkerModel::SendToBack(int index)
{
    return Restack(index, false);
}

bool MarkerModel::Restack(int index, bool toFront)
{
    const auto at = std::find(m_stack.begin(), m_stack.end(), index);
    if (at == m_stack.end())
        return false;
    m_stack.erase(at);
    m_stack.insert(toFront ? m_stack.end() : m_stack.begin(), index);
    m_keys[size_t(index)] = toFront ? ++m_frontKey : --m_backKey;
    if (IsShown(index))
        Enter(index);
    return true;
}

void MarkerModel::Unload()
{
    m_items.resize(1);
    m_records.clear();
    m_listStale = true;
    m_source = QString();
    m_stack.clear();
    m_keys.resize(1);
    m_frontKey = 0;
    m_backKey = 0;
    m_gridStale = true;
    m_unreadable.clear();
    m_unterminated.clear();
    m_displayedSlot = -1;
    m_selected = 0;
    m_pressed = 0;
}

QString MarkerModel::Rebuild(const QString& list, qint16 slot)
{
    Unload();
    m_source = list;
    m_displayedSlot = slot;
    const QList<QStringView> records = SplitRecords(list);
    m_items.reserve(size_t(records.size()) + 1);
    m_stack.reserve(size_t(records.size()));
    m_keys.reserve(size_t(records.size()) + 1);
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
            m_keys.push_back(++m_frontKey);
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
    if (problems.isEmpty())
        return {};
    return problems.join(u'\n') + QStringLiteral("\nIt is kept as it stands and saved unchanged.");
}

QString MarkerModel::ObjectList() const
{
    // Unchanged, the list is the one last made, shared: a click stores it
    // again, and neither it nor the history's comparison then reads it.
    if (!m_listStale)
        return m_list;
    QString list;
    m_records.resize(m_items.size());
    for (int i = 1; i < Count(); ++i) {
        const MarkerItem& item = m_items[size_t(i)];
        if (item.Visible && m_records[size_t(i)].isNull())
            m_records[size_t(i)] = FormatRecord(item.Tag, item.Placement, item.Detail);
        if (item.Visible)
            list += m_records[size_t(i)];
    }
    for (const QString& record : m_unreadable)
        list += record + u',';
    m_list = list + m_unterminated;
    // Made again as it was read, it is the text read, shared with its slot
    // and the history, which then compare it without reading it.
    if (m_list == m_source)
        m_list = m_source;
    m_source = QString();
    m_listStale = false;
    return m_list;
}

void MarkerModel::PositionObjects(float surfaceWidth, float surfaceHeight)
{
    for (int i = 1; i < Count(); ++i) {
        MarkerItem& item = m_items[size_t(i)];
        item.Place = PlaceFromRatios(surfaceWidth, surfaceHeight, item.Placement);
    }
    // Every marker moved: the grids are made again when next asked, which
    // a repaint of the whole surface does not.
    m_surface = QSize(int(std::ceil(surfaceWidth)), int(std::ceil(surfaceHeight)));
    m_gridStale = true;
}

QString MarkerModel::SelectionName() const
{
    if (!IsShown(m_selected))
        return QStringLiteral("Markers");
    const DamageType* type = FindDamageType(Item(m_selected).DamageType);
    return QStringLiteral("Marker %1: %2")
        .arg(QString::number(m_selected), type ? QString::fromLatin1(type->Name) : Item(m_selected).Tag);
}

int MarkerModel::MarkerAt(QPointF position) const
{
    const QPoint point = position.toPoint();
    Index();
    // The front one under the point of the cell's and of the wide ones.
    const MarkerGrid::Entry* front = nullptr;
    for (const std::vector<MarkerGrid::Entry>* list : { &m_hitGrid.At(point), &m_hitGrid.Wide() }) {
        for (auto at = list->rbegin(); at != list->rend(); ++at) {
            // Spelt out: a crowded cell is swept at every press and hover,
            // and a marker's box is never empty.
            const QRect& box = at->Reach;
            if (point.x() >= box.left() && point.x() <= box.right() && point.y() >= box.top()
                && point.y() <= box.bottom()) {
                if (!front || at->Key > front->Key)
                    front = &*at;
                break;
            }
        }
    }
    return front ? front->Index : 0;
}

std::vector<int> MarkerModel::MarkersIn(const QRect& box) const
{
    // A box over most of the surface (a whole repaint) takes the stacking
    // order as it stands, and the grids need not be made for it.
    const QRect onSurface = box.intersected(QRect(QPoint(0, 0), m_surface));
    if (2.0 * onSurface.width() * onSurface.height() < double(m_surface.width()) * m_surface.height()) {
        Index();
        return m_paintGrid.In(box);
    }
    std::vector<int> shown;
    shown.reserve(m_stack.size());
    for (const int index : m_stack) {
        if (m_items[size_t(index)].Visible)
            shown.push_back(index);
    }
    return shown;
}

QPointF MarkerModel::InMarker(int index, QPointF position) const
{
    return position - m_items[size_t(index)].Place.topLeft();
}

int MarkerModel::Hover(QPointF position)
{
    const int index = MarkerAt(position);
    if (index == 0)
        return 0;
    MarkerItem& item = m_items[size_t(index)];
    const QPointF at = InMarker(index, position);
    item.Pointer = PointerZoneAt(float(at.x()), float(at.y()), float(item.Place.width()), float(item.Place.height()));
    return index;
}

void MarkerModel::Press(int index, QPointF position)
{
    m_pressed = 0;
    if (!IsShown(index))
        return;
    m_pressed = index;
    if (m_items[size_t(index)].Pointer == PointerZone::Move) {
        const QPointF at = InMarker(index, position);
        m_grab = GrabPoint(float(at.x()), float(at.y()));
    }
}

void MarkerModel::DragTo(QPointF position)
{
    if (!IsShown(m_pressed))
        return;
    MarkerItem& item = m_items[size_t(m_pressed)];
    const QPointF at = InMarker(m_pressed, position);
    item.Place = DraggedPlace(item.Place, item.Pointer, float(at.x()), float(at.y()), m_grab);
}

int MarkerModel::Release()
{
    const int index = m_pressed;
    m_pressed = 0;
    if (IsShown(index))
        Enter(index);
    return index;
}
