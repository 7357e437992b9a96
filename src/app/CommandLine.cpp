#include "CommandLine.h"

QString CommandLinePath(const QStringList& arguments)
{
    QString path = arguments.join(u' ');
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    return path;
}
