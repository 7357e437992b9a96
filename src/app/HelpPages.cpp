#include "HelpPages.h"

#include <QDir>
#include <QFileInfo>

QString HelpFolder(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/nimbrel/help"));
}

QUrl HelpIndex(const QString& programFolder)
{
    const QFileInfo index(HelpFolder(programFolder) + u'/' + HelpIndexName);
    return index.isFile() ? QUrl::fromLocalFile(index.absoluteFilePath()) : BuiltInHelpIndex;
}
