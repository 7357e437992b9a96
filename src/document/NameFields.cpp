#include "NameFields.h"

#include <QStringList>

NameFieldTexts NameFieldsFromFileName(const QString& name)
{
    NameFieldTexts fields;
    const QStringList parts = name.split(u'-');
    for (qsizetype k = 0; k < parts.size() && k < 3; ++k)
        fields[k] = parts[k];
    if (parts.size() > 3)
        fields[3] = parts.mid(3).join(u'-');
    return fields;
}

QString ProposedFileName(const NameFieldTexts& fields)
{
    QStringList parts;
    for (const QString& field : fields) {
        if (field.isEmpty())
            break;
        parts.append(field);
    }
    return parts.join(u'-');
}
