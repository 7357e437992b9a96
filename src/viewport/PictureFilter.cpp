#include "PictureFilter.h"

#include <QImageReader>
#include <QStringList>

QString ImportFilter()
{
    const QString classic = QStringLiteral("*.bmp;*.ico;*.jpg;*.gif;*.tiff");
    QStringList readable;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        readable.append(QStringLiteral("*.") + QString::fromLatin1(format).toLower());
    readable.removeDuplicates();
    readable.sort();
    const QString all = readable.join(u';');
    return QStringLiteral("Pictures (%1)|%1|All pictures (%2)|%2|All files (*)|*").arg(classic, all);
}
