#include "ProgramVersion.h"

QString ProgramVersion()
{
    return QStringLiteral(NIMBREL_VERSION);
}
