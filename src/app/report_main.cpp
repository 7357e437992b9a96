#include "app/ReportCommand.h"
#include "platform/QtClock.h"
#include "viewport/PictureLoader.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// Qt's own notes (a missing runtime folder, a font substituted) are no news
// to someone running a batch command: stderr carries only the command's
// reason, and Qt's critical messages.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(QuietMessages);
    // The command needs no screen: it draws offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("nimbrel-report"));
    ConfigurePictureReading();

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QtClock clock;
    return RunReportCommand(QGuiApplication::arguments().mid(1), clock, out, err);
}
