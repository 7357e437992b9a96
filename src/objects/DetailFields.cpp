#include "DetailFields.h"

#include "common/NumberText.h"

DetailFields SplitDetail(const QString& objData, const QString& today)
{
    // A marker whose details were never edited has none, and gets no date
    // proposed either.
    if (objData.isEmpty())
        return {};
    DetailFields fields;
    const qsizetype firstSeparator = objData.indexOf(u';');
    if (firstSeparator < 0) {
        fields.Cost = objData;
        fields.Date = today;
        return fields;
    }
    fields.Cost = objData.left(firstSeparator);
    const qsizetype secondSeparator = objData.indexOf(u';', firstSeparator + 1);
    if (secondSeparator < 0) {
        fields.Date = objData.mid(firstSeparator + 1);
    } else {
        fields.Date = objData.mid(firstSeparator + 1, secondSeparator - firstSeparator - 1);
        fields.Comments = objData.mid(secondSeparator + 1);
    }
    if (fields.Date.isEmpty())
        fields.Date = today;
    return fields;
}

QString JoinDetail(const DetailFields& fields)
{
    return fields.Cost + u';' + fields.Date + u';' + fields.Comments;
}

double TotalAfterEdit(double objIdTotal, double oldCost, const QString& costText)
{
    return objIdTotal - oldCost + NumericValue(costText);
}
