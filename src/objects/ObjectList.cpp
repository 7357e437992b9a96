#include "ObjectList.h"

#include "common/NumberText.h"

#include <QList>

qsizetype CountRecords(QStringView list)
{
    return list.count(u',');
}

double RecordCost(QStringView record)
{
    const QList<QStringView> fields = record.split(u';');
    return fields.size() >= 7 ? NumericValue(fields[6]) : 0.0;
}

double ListCost(QStringView list)
{
    const QList<QStringView> records = list.split(u',');
    double total = 0.0;
    // The piece after the last "," is not a record.
    for (qsizetype i = 0; i + 1 < records.size(); ++i)
        total += RecordCost(records[i]);
    return total;
}
