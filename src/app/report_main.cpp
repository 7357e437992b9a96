#include "app/ReportCommand.h"
#include "platform/QtClock.h"
#include "viewport/PictureLoader.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Where the command's own lines and Qt's critical messages go: the real
// standard error, also while file descriptor 2 points at nothing.
FILE* Reasons = stderr;

// Qt's own notes (a missing runtime folder, a font substituted) are no news
// to someone running a batch command: stderr carries only the command's
// reason, and Qt's critical messages.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(Reasons, "%s\n", qPrintable(message));
}

// Decoders print their complaints straight to file descriptor 2 (libpng's
// "libpng error: ..." for a PNG that claims millions of pixels), although the
// page already names a picture it cannot show. Points descriptor 2 at
// /dev/null and returns an unbuffered stream on a copy of the real one, or
// stderr when there is no copy. The copy is never descriptor 0 or 1, and
// descriptor 2 is always open afterwards: closed, the first file the command
// opened would take its place and get its messages.
FILE* QuietDecoders()
{
    const int real = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    FILE* reasons = real >= 0 ? fdopen(real, "w") : nullptr;
    const int nothing = open("/dev/null", O_WRONLY);
    if (nothing >= 0 && nothing != STDERR_FILENO) {
        dup2(nothing, STDERR_FILENO);
        close(nothing);
    }
    if (!reasons)
        return stderr;
    std::setvbuf(reasons, nullptr, _IONBF, 0);
    return reasons;
}

} // namespace

int main(int argc, char* argv[])
{
    Reasons = QuietDecoders();
    qInstallMessageHandler(QuietMessages);
    // The command needs no screen: it draws offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("nimbrel-report"));
    ConfigurePictureReading();

    QTextStream out(stdout);
    QTextStream err(Reasons);
    const QtClock clock;
    // Progress is for a person watching, not for a log.
    const int result = RunReportCommand(QGuiApplication::arguments().mid(1), clock, out, err, isatty(fileno(Reasons)));
    err.flush();
    // What is said after the run (a leak checker at exit) reaches the real
    // stream again.
    dup2(fileno(Reasons), STDERR_FILENO);
    return result;
}
