#include "ObjectList.h"

#include "DamageTypes.h"
#include "common/NumberText.h"
#include "common/UserError.h"

#include <array>
#include <cmath>
#include <optional>

namespace {

constexpr int DetailField = 6;

} // namespace

ObjectPlacement PlacementOf(float surfaceWidth, float surfaceHeight, float left, float top, float width, float height)
{
    const float w = qMax(surfaceWidth, 1.0f);
    const float h = qMax(surfaceHeight, 1.0f);
    return { w / left, h / top, w / width, h / height };
}

QRectF PlaceFromRatios(float surfaceWidth, float surfaceHeight, const ObjectPlacement& placement)
{
    return QRectF(surfaceWidth / placement.LeftRatio, surfaceHeight / placement.TopRatio,
        surfaceWidth / placement.WidthRatio, surfaceHeight / placement.HeightRatio);
}

namespace {

// The damage type and the four ratios of a record's fields (0 to 4, which
// must exist). Throws UserError saying what is wrong.
ObjectRecord TypeAndRatios(const QList<QStringView>& fields)
{
    bool isNumber = false;
    const int type = fields[0].trimmed().toInt(&isNumber);
    if (!isNumber || !FindDamageType(type))
        throw UserError(QStringLiteral("its damage type \"%1\" names no toolbar button").arg(fields[0]));
    std::array<float, 4> ratios {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<float> ratio = SingleValue(fields[1 + i]);
        if (!ratio || *ratio == 0.0f)
            throw UserError(QStringLiteral("its placement \"%1\" is not a number other than 0").arg(fields[1 + i]));
        ratios[i] = *ratio;
    }
    return { type, { ratios[0], ratios[1], ratios[2], ratios[3] }, {}, {} };
}

} // namespace

ObjectRecord ParseRecord(QStringView record)
{
    const QList<QStringView> fields = record.split(u';');
    if (fields.size() <= DetailField)
        throw UserError(QStringLiteral("it has %1 fields where a marker has at least 7").arg(fields.size()));
    ObjectRecord parsed = TypeAndRatios(fields);
    parsed.Tag = fields[5].toString();
    parsed.Detail = DetailOf(record);
    return parsed;
}

std::optional<ObjectRecord> DrawableRecord(QStringView record)
{
    const QList<QStringView> fields = record.split(u';');
    if (fields.size() < 5)
        return std::nullopt;
    try {
        return TypeAndRatios(fields);
    } catch (const UserError&) {
        return std::nullopt;
    }
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

QStringView UnterminatedText(QStringView list)
{
    // With no "," at all the whole list is that text.
    return list.mid(list.lastIndexOf(u',') + 1);
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
