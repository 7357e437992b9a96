#include "PathText.h"

#include <QFileInfo>

QString FileTitleFromPath(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

bool IsExistingFile(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

QString FileNameFromPath(const QString& path)
{
    const QString title = FileTitleFromPath(path);
    const qsizetype dot = title.indexOf(u'.');
    return dot < 0 ? title : title.left(dot);
}
