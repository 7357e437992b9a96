#include "app/CommandLine.h"
#include "document/frmImage.h"
#include "platform/QtClock.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtDetailsDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPrinter.h"
#include "platform/QtSettingsStore.h"
#include "viewport/PictureLoader.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nimbrel"));
    ConfigurePictureReading();

    QtPrinter printer;
    QtCommonDialog dialogs(printer);
    QtMessageBoxes messages;
    QtClock clock;
    QtSettingsStore settings;
    QtDetailsDialog details(clock);
    frmImage window(Platform { dialogs, messages, details, clock, printer, settings });
    dialogs.SetParent(&window);
    messages.SetParent(&window);
    details.SetParent(&window);

    window.Form_Load(CommandLinePath(QApplication::arguments().mid(1)));
    window.show();
    return QApplication::exec();
}
