#include "QtShell.h"

#include "ModAssociate.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The desktop's default web browser as xdg-settings names it, if any.
bool HasDefaultBrowser()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-settings"));
    if (tool.isEmpty())
        return false;
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, { QStringLiteral("get"), QStringLiteral("default-web-browser") });
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
}

bool KnowsBrowser()
{
    return !qEnvironmentVariableIsEmpty("BROWSER")
        || !QStandardPaths::findExecutable(QStringLiteral("x-www-browser")).isEmpty() || HasDefaultBrowser();
}

} // namespace

void QtShell::RegisterFileType()
{
    ::RegisterFileType(UserPlaces(), RunRefreshTool);
}

bool QtShell::OpenAddress(const QUrl& address)
{
    return KnowsBrowser() && QDesktopServices::openUrl(address);
}
