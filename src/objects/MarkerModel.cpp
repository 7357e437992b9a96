#include "MarkerModel.h"

#include "DamageTypes.h"
#include "common/UserError.h"

#include <algorithm>

MarkerModel::MarkerModel()
{
    MarkerItem markerTemplate;
    markerTemplate.Place = QRectF(0, 0, TemplateWidth, TemplateHeight);
    markerTemplate.Visible = false;
    m_items.push_back(markerTemplate);
}

bool MarkerModel::IsShown(int index) const
{
    return index > 0 && index < Count() && m_items[size_t(index)].Visible;
}

int MarkerModel::Add(const MarkerItem& item)
{
    m_items.push_back(item);
    const int index = Count() - 1;
    m_stack.push_back(index);
    return index;
}

void MarkerModel::SetPlace(int index, const QRectF& place)
{
    m_items[size_t(index)].Place = place;
}

void MarkerModel::SetPlacement(int index, const ObjectPlacement& placement)
{
    m_items[size_t(index)].Placement = placement;
}

void MarkerModel::SetDetail(int index, const QString& detail)
{
    m_items[size_t(index)].Detail = detail;
}

void MarkerModel::Hide(int index)
{
    m_items[size_t(index)].Visible = false;
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
    return true;
}

void MarkerModel::Unload()
{
    m_items.resize(1);
    m_stack.clear();
    m_unreadable.clear();
    m_unterminated.clear();
    m_displayedSlot = -1;
    m_selected = 0;
    m_pressed = 0;
}

QString MarkerModel::Rebuild(const QString& list, qint16 slot)
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
    if (problems.isEmpty())
        return {};
    return problems.join(u'\n') + QStringLiteral("\nIt is kept as it stands and saved unchanged.");
}

QString MarkerModel::ObjectList() const
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

void MarkerModel::PositionObjects(float surfaceWidth, float surfaceHeight)
{
    for (int i = 1; i < Count(); ++i) {
        MarkerItem& item = m_items[size_t(i)];
        item.Place = PlaceFromRatios(surfaceWidth, surfaceHeight, item.Placement);
    }
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
    for (auto at = m_stack.rbegin(); at != m_stack.rend(); ++at) {
        const MarkerItem& item = m_items[size_t(*at)];
        if (item.Visible && PixelBox(ShownBox(item.Place)).contains(position.toPoint()))
            return *at;
    }
    return 0;
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
    return index;
}
