#include "app/AboutBox.h"
#include "app/CommandLine.h"
#include "app/FrmSplash.h"
#include "app/HelpWindow.h"
#include "app/QtShell.h"
#include "document/frmImage.h"
#include "objects/QtDetailsDialog.h"
#include "platform/QtClock.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPrinter.h"
#include "platform/QtSettingsStore.h"
#include "viewport/PictureLoader.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    // --version and --help are answered before any window, and need no
    // screen.
    if (const std::optional<QString> answer = CommandLineAnswer(QStringList(argv + 1, argv + argc))) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nimbrel"));
    ConfigurePictureReading();

    QtPrinter printer;
    QtCommonDialog dialogs(printer);
    QtMessageBoxes messages;
    QtClock clock;
    QtSettingsStore settings;
    QtDetailsDialog details(clock);
    QtShell shell;
    frmImage window(Platform { dialogs, messages, details, clock, printer, settings, shell });
    dialogs.SetParent(&window);
    messages.SetParent(&window);
    details.SetParent(&window);
    HelpWindow::ConnectInstructions(window, shell);
    ConnectAbout(window, messages);

    // The splash first; the main window loads and shows once it has gone.
    const QString path = CommandLinePath(QApplication::arguments().mid(1));
    auto* splash = new FrmSplash([&window, path] {
        window.Form_Load(path);
        window.show();
        // Once the window shows, the work of a program that ended unsaved is
        // offered back.
        QTimer::singleShot(0, &window, &frmImage::RecoverUnsavedWork);
    });
    splash->show();
    return QApplication::exec();
}
