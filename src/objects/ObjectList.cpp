#include "ObjectList.h"

#include "common/NumberText.h"

namespace {

constexpr int DetailField = 6;

} // namespace

ObjectPlacement PlacementOf(float surfaceWidth, float surfaceHeight, float left, float top, float width, float height)
{
    const float w = qMax(surfaceWidth, 1.0f);
    const float h = qMax(surfaceHeight, 1.0f);
    return { w / left, h / top, w / width, h / height };
}

QString FormatRecord(const QString& tag, const ObjectPlacement& placement, const QString& detail)
{
    return tag + u';' + SingleText(placement.LeftRatio) + u';' + SingleText(placement.TopRatio) + u';'
        + SingleText(placement.WidthRatio) + u';' + SingleText(placement.HeightRatio) + u';' + tag + u';' + detail
        + u',';
}

QList<QStringView> SplitRecords(QStringView list)
{
    QList<QStringView> records = list.split(u',');
    records.removeLast();
    return records;
}

qsizetype CountRecords(QStringView list)
{
    return list.count(u',');
}

QString DetailOf(QStringView record)
{
    qsizetype position = 0;
    for (int field = 0; field < DetailField; ++field) {
        position = record.indexOf(u';', position);
        if (position < 0)
            return {};
        ++position;
    }
    return record.mid(position).toString();
}

double RecordCost(QStringView record)
{
    const QList<QStringView> fields = record.split(u';');
    return fields.size() > DetailField ? NumericValue(fields[DetailField]) : 0.0;
}

double ListCost(QStringView list)
{
    double total = 0.0;
    for (QStringView record : SplitRecords(list))
        total += RecordCost(record);
    return total;
}
