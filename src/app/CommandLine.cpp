#include "CommandLine.h"

#include "ProgramVersion.h"

QString CommandLinePath(const QStringList& arguments)
{
    QString path = arguments.join(u' ');
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    return path;
}

std::optional<QString> CommandLineAnswer(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return std::nullopt;
    const QString& argument = arguments.constFirst();
    if (argument == QStringLiteral("--version"))
        return QStringLiteral("nimbrel %1\n").arg(ProgramVersion());
    if (argument != QStringLiteral("--help") && argument != QStringLiteral("-h"))
        return std::nullopt;
    return NimbrelUsage
        + QStringLiteral("\nRecords damage on a vehicle from photographs. GROUP.grp is a group file to open:\n"
                         "everything after the program's name is one path, in double quotes or not. Without\n"
                         "it, or when it names no file, the program starts with an empty group.\n"
                         "  --version   print the version and stop\n"
                         "  -h, --help  print this help and stop\n"
                         "Either only as the one argument: ./--version opens a file of that name.\n");
}
